#pragma once
// TQxCustomProgressBar: a windowless, opaque progress bar. A frame (the
// library's frame styles) around an interior in which a body shows Percent
// in one of three styles: a traditional filled bar, LED segments or a
// gradient, horizontal or vertical (the longer side decides), with the
// percentage or "parts" text. It paints into a buffer of its size and puts
// the buffer on its canvas in one piece, so frequent updates do not flicker.
//
//   not themed, fsLowered, InteriorOffset 1, bsTraditional at 50 %:
//   SSSSSSSSSSSSSSSSH     S, D the lowered frame   H, L its light side
//   SDDDDDDDDDDDDDDLH     b BackColor ring (InteriorOffset pixels)
//   SDbbbbbbbbbbbbbLH     X BarColor (the done part)  o BackColor
//   SDbXXXXXXooooobLH
//   SDbbbbbbbbbbbbbLH
//   SLLLLLLLLLLLLLLLH
//   HHHHHHHHHHHHHHHHH
//
// Inside a TQxStatusBar it follows the bar's visual style and lets presses
// over the bar's size grip through to the bar.

#include "controls/common/QxCommon.h"
#include "controls/common/QxControlLinks.h"
#include "platform/gui/controls/Controls.h"

enum TBarStyle { bsTraditional, bsLED, bsGradient };
const TTypeInfo* BarStyleTypeInfo();

using TProgressChangeEvent = std::function<void(TObject* Sender, Word Percent)>;

class TQxCustomProgressBar : public TGraphicControl, public IQxFrameControllerNotification {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomProgressBar(TComponent* AOwner);
    ~TQxCustomProgressBar() override;

    TColor BackColor() const { return FBackColor; }
    virtual void SetBackColor(TColor Value);
    TColor BackColorStop() const { return FBackColorStop; }
    void SetBackColorStop(TColor Value);
    TColor BarColor() const { return FBarColor; }
    virtual void SetBarColor(TColor Value);
    TColor BarColorStop() const { return FBarColorStop; }
    void SetBarColorStop(TColor Value);
    TBarStyle BarStyle() const { return FBarStyle; }
    virtual void SetBarStyle(TBarStyle Value);
    Integer BevelWidth() const { return FBevelWidth; }
    virtual void SetBevelWidth(Integer Value);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor Value);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyleEx Value);
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyleEx Value);
    Integer BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(Integer Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    Integer FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(Integer Value);
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    virtual void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) { FLinks.SetNotifications(Value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value);
    Byte InteriorOffset() const { return FInteriorOffset; }
    virtual void SetInteriorOffset(Byte Value);
    // LED segments, 1 .. 100 (other values are brought into that range).
    Integer NumSegments() const { return FNumSegments; }
    virtual void SetNumSegments(Integer Value);
    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation Value);
    Integer PartsComplete() const { return FPartsComplete; }
    virtual void SetPartsComplete(Integer Value);
    // The value shown; one above 100 is kept but drawn as 100.
    Word Percent() const { return FPercent; }
    virtual void SetPercent(Word Value);
    bool ShowPercent() const { return FShowPercent; }
    virtual void SetShowPercent(bool Value);
    bool ShowParts() const { return FShowParts; }
    virtual void SetShowParts(bool Value);
    Integer TotalParts() const { return FTotalParts; }
    virtual void SetTotalParts(Integer Value);
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool Value);

    // Themes are on and taken (inside a status bar, only with its XP style).
    bool Themed() const;
    void FrameControllerChanged() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

    TProgressChangeEvent OnChange;

protected:
    void Paint() override;
    virtual void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Store a changed value and repaint (only store while a form is read).
    template <class V> void StoreRepaint(V& Field, V Value);

    TQxControlLinks FLinks{this};

private:
    void PaintBuffer(TCanvas* C);

    TColor FBackColor = static_cast<TColor>(0xFFFFFF);
    TColor FBackColorStop = clBtnFace;
    TColor FBarColor = clHighlight;
    TColor FBarColorStop = clHotLight;
    TBarStyle FBarStyle = bsTraditional;
    Integer FBevelWidth = 1;
    TColor FBorderColor = clBtnFace;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsLowered;
    Integer FBorderWidth = 0;
    TColor FFlatColor = clBtnShadow;
    Integer FFlatColorAdjustment = 30;
    TGradientDirection FGradientDirection = gdHorizontalCenter;
    Byte FInteriorOffset = 0;
    Integer FNumSegments = 20;
    TOrientation FOrientation = orHorizontal;
    Integer FPartsComplete = 0;
    Word FPercent = 0;
    bool FShowPercent = true;
    bool FShowParts = false;
    Integer FTotalParts = 0;
    bool FThemeAware = true;
    std::unique_ptr<TBitmap> FBuffer;
};

class TQxProgressBar : public TQxCustomProgressBar {
public:
    QUENTA_PUBLISHED
    explicit TQxProgressBar(TComponent* AOwner) : TQxCustomProgressBar(AOwner) {}
};
