#pragma once
// TQxSeparator: a thin windowless line between groups of controls, drawn as
// a two-colour gradient along its length between Color and HighlightColor,
// with the highlight in the middle or at one end; or in plain Color when
// gradients are off.
//
//   horizontal, hlCenter:   C.....H.....C      C Color, H HighlightColor,
//   horizontal, hlUpperLeft: H...........C     . the blend between them
//   vertical: the same from top to bottom

#include "controls/common/QxCommon.h"
#include "platform/gui/controls/Controls.h"

enum TQxHighlightLocation { hlCenter, hlUpperLeft, hlLowerRight };
const TTypeInfo* HighlightLocationTypeInfo();

class TQxSeparator : public TGraphicControl {
public:
    QUENTA_PUBLISHED
    explicit TQxSeparator(TComponent* AOwner);

    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor Value);
    TQxHighlightLocation HighlightLocation() const { return FHighlightLocation; }
    virtual void SetHighlightLocation(TQxHighlightLocation Value);
    bool ShowGradient() const { return FShowGradient; }
    virtual void SetShowGradient(bool Value);
    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation Value);
    // The gradient derived from the orientation, the location and the colours.
    TGradientDirection GradientDirection() const { return FDirection; }
    TColor GradientStart() const { return FStart; }
    TColor GradientStop() const { return FStop; }

    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void Resize() override;

private:
    void DeriveGradient();

    TColor FHighlightColor = clHighlight;
    TQxHighlightLocation FHighlightLocation = hlCenter;
    TOrientation FOrientation = orHorizontal;
    bool FShowGradient = true;
    TGradientDirection FDirection = gdVerticalCenter;
    TColor FStart = clWindow;
    TColor FStop = clHighlight;
    bool FFirstResize = false;
};
