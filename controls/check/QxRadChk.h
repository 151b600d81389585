#pragma once
// Check boxes and radio buttons: buttons of the library that show a state
// glyph beside their caption.
//
// TQxCustomGlyphButton composes the whole control in an off-screen bitmap on
// every paint: a cached background (the parent's image when Transparent,
// else Color), the state glyph (drawn by the descendant: a glyph of a custom
// strip or image list, the themed element, the library's hot-track glyph or
// the classic frame-control glyph), then the caption beside it and the focus
// rectangle. The glyph's state comes from the button base: PressedLook while
// a press or Space is held, MouseOver under the pointer. With AutoSize the
// control fits its caption and glyph. A frame controller pushes its colours
// (FrameControllerChanged).
//
// TQxCheckBox toggles through cbUnchecked, (cbGrayed with AllowGrayed),
// cbChecked; TQxRadioButton checks itself and unchecks the radio buttons of
// the same parent, is the only tab stop of them while checked, and shares
// ReadOnly with them. TQxCheckedActionLink keeps Checked in step with an
// action without firing clicks for the action's own changes.

#include "controls/button/QxButton.h"
#include "controls/common/QxControlLinks.h"
#include "platform/gui/controls/ActnList.h"

inline constexpr Cardinal BM_GETCHECK = 0x00F0;


class TQxCustomGlyphButton : public TQxCustomButton, public IQxFrameControllerNotification {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomGlyphButton(TComponent* AOwner);
    ~TQxCustomGlyphButton() override;

    // The caption's side of the glyph (taRightJustify: glyph left, caption
    // right), mirrored right to left.
    TLeftRight Alignment() const { return FAlignment; }
    virtual void SetAlignment(TLeftRight Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool Value) {}
    // Checked is stored unless the action link supplies it.
    bool IsCheckedStored() const;
    TBitmap* CustomGlyphs() const { return FCustomGlyphs.get(); }
    virtual void SetCustomGlyphs(TBitmap* Value);
    TCustomImageList* CustomGlyphImages() const { return FCustomGlyphImages; }
    virtual void SetCustomGlyphImages(TCustomImageList* Value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    virtual void SetUseCustomGlyphs(bool Value);
    TColor FillColor() const { return FFillColor; }
    virtual void SetFillColor(TColor Value);
    TColor FocusColor() const { return FFocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    TColor DisabledColor() const { return FDisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool Value);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value) { FReadOnlyColorOnFocus = Value; }
    TColor TransparentColor() const { return FTransparentColor; }
    virtual void SetTransparentColor(TColor Value);
    TColor WinMaskColor() const { return FWinMaskColor; }
    virtual void SetWinMaskColor(TColor Value);
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
    TQxButtonHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    void SetHotTrackStyle(TQxButtonHotTrackStyle Value) { FHotTrackStyle = Value; }
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    virtual void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) { FLinks.SetNotifications(Value); }
    void SetTransparent(bool Value) override;
    TPoint GlyphSize() const { return {FGlyphWidth, FGlyphHeight}; }
    // Where the glyph sits in the control.
    TRect GlyphRect() const;
    // The glyph stands at the right edge: Alignment puts the caption on the
    // glyph's right (taRightJustify) or left, mirrored right to left.
    bool GlyphOnRight() const;
    // taRightJustify left to right; right to left, the opposite of
    // Alignment.
    TAlignment GetControlsAlignment() const override;

    void FrameControllerChanged() override;
    void Dispatch(TMessage& Message) override;
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;

protected:
    friend class TQxCheckedActionLink;
    // Draws the glyph for the current state into Bitmap (glyph size).
    virtual void DrawStateGlyph(TBitmap* Bitmap) = 0;
    virtual void SmoothGlyphEdges(TBitmap* Bitmap) {}
    // Composes the glyph over what Canvas shows at the glyph's place.
    virtual void DrawGlyph(TCanvas* Canvas);
    // Target := glyph N (W x H) of Strip; a glyph the strip does not hold
    // leaves Target filled with TransparentColor.
    virtual void ExtractGlyph(Integer N, TBitmap* Target, Integer H, Integer W, TBitmap* Strip);
    // Draws image Index of the custom image list into Bitmap over
    // TransparentColor (nothing for an index the list does not hold).
    void DrawListGlyph(TBitmap* Bitmap, Integer Index);
    // Draws the custom glyph of State (0 .. StateCount - 1) in the current
    // look. Strip and image list hold StateCount glyphs per look, in rows:
    // normal, pressed, disabled, then hot, which only an image list that
    // holds it shows while HotTrack is on.
    void DrawCustomStateGlyph(TBitmap* Bitmap, Integer State, Integer StateCount);
    // The hot-track glyph colours for the painters.
    void HotColors(TColor& Dark, TColor& Light) const;
    TQxGlyphLook PaintLook() const;
    void FitToCaption();

    void Paint() override;
    void EraseTransparentBackground(HDC DC) override;
    void UpdateDisplay() override { Repaint(); }
    void UpdateFocusDisplay() override { Repaint(); }
    TRect GetHotTrackRect() override { return GlyphRect(); }
    void CreateWnd() override;
    TControlActionLink* CreateActionLink() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    Integer FStripGlyphCount = 2;
    bool FClicksDisabled = false;
    bool FUsingMouse = false;

private:
    void CaptureBackground();
    void CustomGlyphsChanged();
    void UpdateUseCustomGlyphs();
    void BackgroundChanged(bool Repaint);

    TLeftRight FAlignment = TLeftRight::taRightJustify;
    bool FAutoSize = true;
    TColor FFrameColor = clBtnShadow;
    std::unique_ptr<TBitmap> FCustomGlyphs;
    TCustomImageList* FCustomGlyphImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    bool FUseCustomGlyphs = false;
    TColor FTransparentColor = 0x008080;
    TColor FWinMaskColor = 0x00FF00;
    TColor FFillColor = clWindow;
    TColor FFocusColor = clWindow;
    TColor FDisabledColor = clBtnFace;
    bool FReadOnlyColorOnFocus = false;
    TColor FReadOnlyColor = clInfoBk;
    Integer FGlyphWidth = 13;
    Integer FGlyphHeight = 13;
    bool FTabOnEnter = false;
    TQxButtonHotTrackStyle FHotTrackStyle = htsInterior;
    std::unique_ptr<TBitmap> FBackground;
    bool FBackgroundDirty = true;
    TQxControlLinks FLinks{this};

protected:
    bool FReadOnly = false;
};

class TQxCustomCheckBox : public TQxCustomGlyphButton {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomCheckBox(TComponent* AOwner);

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState State() const { return FState; }
    virtual void SetState(TCheckBoxState Value);
    bool Checked() const override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    bool KeyToggle() const { return FKeyToggle; }

    void Dispatch(TMessage& Message) override;

protected:
    void ChangeState() override;
    void DrawStateGlyph(TBitmap* Bitmap) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;
    void SpaceReleased();

private:
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    bool FKeyToggle = false;
};

class TQxCheckBox : public TQxCustomCheckBox {
public:
    QUENTA_PUBLISHED
    using TQxCustomCheckBox::TQxCustomCheckBox;
};

class TQxRadioButton : public TQxCustomGlyphButton {
public:
    QUENTA_PUBLISHED
    explicit TQxRadioButton(TComponent* AOwner);

    bool Checked() const override { return FChecked; }
    void SetChecked(bool Value) override;
    void SetReadOnly(bool Value) override;

    void Dispatch(TMessage& Message) override;

protected:
    void ChangeState() override;
    void DrawStateGlyph(TBitmap* Bitmap) override;
    void SmoothGlyphEdges(TBitmap* Bitmap) override;

private:
    void UncheckSiblings();
    void PropagateReadOnly();

    bool FChecked = false;
};

// The action link of glyph buttons: Checked follows the action, and a
// change that comes from the action fires no click.
class TQxCheckedActionLink : public TWinControlActionLink {
public:
    explicit TQxCheckedActionLink(TObject* AClient);
    // The action has a Checked and the client still shows it.
    bool CheckedFromAction() { return IsCheckedLinked(); }

protected:
    void AssignClient(TObject* AClient) override;
    bool IsCheckedLinked() override;
    void SetChecked(bool Value) override;

private:
    TQxCustomGlyphButton* FGlyphClient = nullptr;
};
