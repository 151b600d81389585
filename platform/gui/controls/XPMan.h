#pragma once
// TXPManifest: on the framework's own system, dropping one on a form asks
// the system for the themed common controls. Here the look of the controls
// is chosen by the theme services (Themes.h) alone, so this component has no
// effect of its own: it exists so that a form description can carry it.

#include "platform/rtl/TypInfo.h"

class TXPManifest : public TComponent {
public:
    QUENTA_PUBLISHED
    using TComponent::TComponent;
};
