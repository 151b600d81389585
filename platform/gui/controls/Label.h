#pragma once
// TCustomLabel and TLabel: a caption drawn on the parent's surface (a
// graphic control, no window of its own), aligned and laid out in its
// bounds, optionally sized to its text (AutoSize), wrapped at words, with
// an accelerator ("&F") that focuses FocusControl.
//
// DoDrawText draws or, with DT_CALCRECT, measures the text; AdjustBounds
// sizes the label to it (keeping the right edge of a right-aligned label).
// Descendants that paint their own captions override Paint, DoDrawText or
// GetLabelText.

#include "platform/gui/controls/Alignments.h"
#include "platform/gui/controls/GraphicControl.h"
#include "platform/gui/controls/Published.h"

class TCustomLabel : public TGraphicControl {
public:
    QUENTA_PUBLISHED
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    void Dispatch(TMessage& Message) override;
    void Loaded() override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The text to draw: the caption.
    virtual String GetLabelText();
    // Draws the text in Rect with DrawText flags, or measures it (Rect
    // grows to the text) with DT_CALCRECT.
    virtual void DoDrawText(TRect& Rect, Integer Flags);
    // Sizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();
    // DrawText flags for right-to-left reading.
    Integer DrawTextBiDiModeFlags(Integer Flags) const;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    QUENTA_PUBLISHED
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// Adds the label properties by their published names: Alignment, AutoSize,
// FocusControl, Layout, ShowAccelChar, Transparent, WordWrap.
template <class T>
TClassBuilder<T>& PublishLabelProperties(TClassBuilder<T>& B, std::initializer_list<const char*> Names) {
    static_assert(std::is_base_of_v<TCustomLabel, T>);
    AlignmentTypeInfo();
    TextLayoutTypeInfo();
    for (const char* n : Names) {
        const String name = n;
        if (name == "Alignment")
            B.Property("Alignment", &T::Alignment, &T::SetAlignment).Default(taLeftJustify);
        else if (name == "AutoSize")
            B.Property("AutoSize", &T::AutoSize, [](T* c, bool v) { c->SetAutoSize(v); }).Default(true);
        else if (name == "FocusControl")
            B.Property("FocusControl", &T::FocusControl, &T::SetFocusControl);
        else if (name == "Layout")
            B.Property("Layout", &T::Layout, &T::SetLayout).Default(tlTop);
        else if (name == "ShowAccelChar")
            B.Property("ShowAccelChar", &T::ShowAccelChar, &T::SetShowAccelChar).Default(true);
        else if (name == "Transparent")
            B.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
        else if (name == "WordWrap")
            B.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
        else
            throw EInvalidOperation("No label property called " + name);
    }
    return B;
}
