#pragma once
// The library's owner-drawn buttons.
//
// TQxCustomButton is the windowed base every button of the library shares:
// the caption painter (vertical alignment, 3D text styles), hot tracking and
// the mouse-over state, and the press / track / release state machine. The
// framework's automatic click is not used: a left press on the focused
// button starts tracking, the pressed look follows the pointer in and out,
// and a left release inside runs ChangeState, where a descendant toggles
// and clicks. Any button's release, focus loss, disabling and loss of the
// mouse capture end the tracking and the pressed look without a click.
//
// TQxButton adds the dialog roles (Default, Cancel, ModalResult: every click
// first copies ModalResult to the form), grouped toggle buttons (GroupIndex,
// Down, AllowAllUp, told to each other with QM_BUTTONPRESSED), keyboard use
// (Space held and released, Enter and Escape through the form, accelerators)
// and three looks: themed, flat hot-tracking (HotTrack) and classic 3D.
//
// TQxBitBtn shows a glyph strip (normal, disabled, pressed, held down) or an
// image-list image beside the caption, placed by Layout, Margin and
// Spacing, and can take a stock Kind with its caption, glyph, role and
// modal result.
//
// User code (OnClick, OnMouseDown, ...) may free the button or its form:
// after each such call a button checks that it still exists before it
// touches itself again.

#include "controls/common/QxCommon.h"
#include "controls/common/QxLiveness.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/graphics/ImgList.h"
#include "platform/rtl/Guards.h"

#include <memory>

// The group notification of push buttons: WParam the group index, LParam
// the TQxButton* that went down.
inline constexpr Cardinal QM_BUTTONPRESSED = 0x2421;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// Registers the enumerations above by name (and the shared ones they use
// beside them); idempotent.
void RegisterButtonTypes();

// Publishes HighlightColor, HotTrack, HotTrackColor and HotTrackColorType
// through T's accessors of those names, with the button base's defaults:
// the buttons publish their own, the dialog button bar those it passes to
// its buttons.
template <class T> TClassBuilder<T>& PublishButtonHotTrack(TClassBuilder<T>& B) {
    RegisterButtonTypes();
    return B.Property("HighlightColor", &T::HighlightColor, &T::SetHighlightColor, ColorTypeInfo())
        .Default(clHighlight)
        .Property("HotTrack", &T::HotTrack, &T::SetHotTrack)
        .Default(false)
        .Property("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor, ColorTypeInfo())
        .Default(0x149BF0)
        .Property("HotTrackColorType", &T::HotTrackColorType, &T::SetHotTrackColorType)
        .Default(htctActual);
}

class TQxCustomButton : public TCustomControl {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomButton(TComponent* AOwner);
    ~TQxCustomButton() override;

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value) { FHotTrackColor = Value; }
    TQxHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TQxHotTrackColorType Value) { FHotTrackColorType = Value; }
    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor Value);
    bool LightTextStyle() const { return FLightTextStyle; }
    virtual void SetLightTextStyle(bool Value);
    TTextStyle TextStyle() const { return FTextStyle; }
    virtual void SetTextStyle(TTextStyle Value);
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    virtual void SetTextHighlightColor(TColor Value);
    TColor TextShadowColor() const { return FTextShadowColor; }
    virtual void SetTextShadowColor(TColor Value);
    Integer TextShadowDepth() const { return FTextShadowDepth; }
    virtual void SetTextShadowDepth(Integer Value);
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool Value);

    bool Tracking() const { return FTracking; }
    bool MouseOver() const { return FMouseOver; }
    bool PressedLook() const { return FPressedLook; }

    // ThemeAware and the platform's themes are on.
    virtual bool UseThemes() const;
    // Draws the caption in R with the DrawText flags: placed vertically by
    // AlignmentVertical, in the text style, greyed when disabled.
    virtual void DrawCaption(TCanvas* Canvas, TRect R, UINT Flags);

    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // Paints the parent's image into the device context of a background
    // erase (only while Transparent).
    virtual void EraseTransparentBackground(HDC DC) {}
    // Shows a change of the pressed look.
    virtual void UpdateDisplay() {}
    virtual void UpdateFocusDisplay() { Repaint(); }
    // What entering and leaving repaint.
    virtual TRect GetHotTrackRect() { return ClientRect(); }
    // The left button was released inside after a press on this button.
    virtual void ChangeState() = 0;

    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // Ends tracking and the pressed look without a click.
    void CancelTracking();
    std::shared_ptr<const bool> Alive() const { return FLiveness.Watch(); }
    auto ClearOnExit(bool& Flag) const { return FLiveness.ClearOnExit(Flag); }

    bool FTracking = false;
    bool FMouseOver = false;
    bool FPressedLook = false;
    bool FHotTrack = false;
    bool FTransparent = false;
    TColor FHotTrackColor = 0x149BF0;
    TQxHotTrackColorType FHotTrackColorType = htctActual;
    TColor FHighlightColor = clHighlight;

private:
    void CMMouseEnterLeave(TMessage& Message, bool Enter);
    void CMEnabledChanged(TMessage& Message);

    TQxLiveness FLiveness;
    bool FReleasing = false; // a left release is being handled
    TAlignmentVertical FAlignmentVertical = avCenter;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TColor FTextHighlightColor = clBtnHighlight;
    TColor FTextShadowColor = clBtnShadow;
    Integer FTextShadowDepth = 2;
    bool FThemeAware = true;
    TMouseButton FTrackButton = mbLeft;
};

class TQxButton : public TQxCustomButton {
public:
    QUENTA_PUBLISHED
    explicit TQxButton(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    bool Default() const { return FDefault; }
    virtual void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Active() const { return FActive; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    virtual void SetAllowAllUp(bool Value);
    bool Down() const { return FDown; }
    virtual void SetDown(bool Value);
    Integer GroupIndex() const { return FGroupIndex; }
    virtual void SetGroupIndex(Integer Value);
    bool ShowDownPattern() const { return FShowDownPattern; }
    virtual void SetShowDownPattern(bool Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool Value);
    bool DropDownOnEnter() const { return FDropDownOnEnter; }
    void SetDropDownOnEnter(bool Value) { FDropDownOnEnter = Value; }
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    bool Clicking() const { return FClicking; }
    bool KeyToggle() const { return FKeyToggle; }

    void SetHotTrack(bool Value) override;
    void Click() override;
    void Dispatch(TMessage& Message) override;
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;

protected:
    virtual TRect GetCaptionRect();
    virtual void DrawButtonContent();
    // The 8 x 8 checker drawn over a button held down.
    virtual void CreateDownPattern(TBitmap* Bitmap);

    void CreateWnd() override;
    void Paint() override;
    void EraseTransparentBackground(HDC DC) override;
    void UpdateDisplay() override { Invalidate(); }
    void ChangeState() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Tells the buttons of the same parent that this one went down.
    void NotifyGroup();

private:
    bool SpaceReleased(); // false when the click freed the button
    void PaintFlat(TRect& R);
    void PaintClassic(TRect& R);
    void CMFocusChanged(TMessage& Message);
    void QMButtonPressed(TMessage& Message);
    bool Ungrouped() const { return FGroupIndex == 0; }

    TAlignment FAlignment = taCenter;
    bool FClicking = false;
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    bool FKeyToggle = false;
    bool FAllowAllUp = false;
    bool FDown = false;
    Integer FGroupIndex = 0;
    bool FShowDownPattern = true;
    bool FShowFocusRect = true;
    bool FDropDownOnEnter = true;
    TColor FFrameColor = cl3DDkShadow;
};

// The caption every stock kind shows ("OK", "Cancel", "&Help", ...; empty
// for bkCustom).
String BitBtnCaption(TBitBtnKind Kind);
TModalResult BitBtnModalResult(TBitBtnKind Kind);
// The kind's glyph: a 32 x 16 strip of a normal and a disabled image,
// loaded from the bitmap resources on first use and kept until the program
// ends; nullptr for bkCustom.
TBitmap* GetStockGlyph(TBitBtnKind Kind);

class TQxBitBtn : public TQxButton {
public:
    QUENTA_PUBLISHED
    explicit TQxBitBtn(TComponent* AOwner);
    ~TQxBitBtn() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    virtual void SetGlyph(TBitmap* Value);
    // A stock kind reads bkCustom once Default, Cancel, ModalResult or the
    // glyph no longer match it.
    virtual TBitBtnKind Kind();
    virtual void SetKind(TBitBtnKind Value);
    TButtonLayout Layout() const { return FLayout; }
    virtual void SetLayout(TButtonLayout Value);
    Integer Margin() const { return FMargin; }
    virtual void SetMargin(Integer Value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    // 1 to 4; other values are taken as the nearest of these.
    virtual void SetNumGlyphs(Integer Value);
    Integer Spacing() const { return FSpacing; }
    virtual void SetSpacing(Integer Value);
    Integer ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(Integer Value);
    Integer DisabledIndex() const { return FDisabledIndex; }
    virtual void SetDisabledIndex(Integer Value);
    TCustomImageList* Images() const { return FImages; }
    virtual void SetImages(TCustomImageList* Value);
    bool ModifiedGlyph() const { return FModifiedGlyph; }

    // The glyph's size, and where it is drawn.
    virtual TPoint GetGlyphSize();
    virtual TRect GetGlyphRect();
    TRect GetCaptionRect() override;

protected:
    virtual void DrawImage(const TRect& R);
    virtual void DrawGlyph(const TRect& R);
    void DrawButtonContent() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void ChangeScale(Integer M, Integer D) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Whether the image list's image is what the button shows.
    bool ShowsListImage();
    TButtonLayout EffectiveLayout() const;
    Integer CaptionHeight(const TRect& R);
    void GlyphChanged();

    std::unique_ptr<TBitmap> FGlyph;
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    Integer FMargin = 2;
    Integer FNumGlyphs = 1;
    bool FModifiedGlyph = false;
    Integer FSpacing = 4;
    Integer FImageIndex = -1;
    Integer FDisabledIndex = -1;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
};
