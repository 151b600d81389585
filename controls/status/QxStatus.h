#pragma once
// Status panes: one line of text in a frame, normally in a TQxStatusBar.
//
// TQxCustomStatusPane is windowless. It can size itself to its caption,
// blink its text through the library's shared blink timer, follow a frame
// controller (it pulls the settings it takes), take the status bar's visual
// style, let presses over the bar's size grip through to the bar, and show
// the hint of the control under the mouse. The caption is placed in the
// interior, the client area inset by BorderWidth and the frame:
//
//   fsFlat, BorderWidth 1, Alignment taLeftJustify, CaptionOffset 2:
//   ..........      . the pane's Color (when not transparent)
//   ..FFFFFF..      F AdjustColorLuminance(FlatColor, FlatColorAdjustment)
//   .F......F.        (the corners stay open)
//   .F.xTEXT.F.     x: the text starts CaptionOffset + 1 inside the frame
//   .F......F.
//   ..FFFFFF..
//   ..........
//
// TQxCustomGlyphStatus shows a picture beside the caption: a glyph strip
// (image 1 normal, image 2 disabled) or an image-list image, GlyphOffset
// from the frame and from the text, on the left or the right.

#include "controls/panel/QxPanel.h"
#include "platform/gui/graphics/ImgList.h"

class TQxStatusBar;

class TQxCustomStatusPane : public TGraphicControl, public IQxFrameControllerNotification {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomStatusPane(TComponent* AOwner);
    ~TQxCustomStatusPane() override;

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }
    Integer DefaultWidth() const { return FDefaultWidth; }
    virtual void SetDefaultWidth(Integer Value);
    TColor BlinkColor() const { return FBlinkColor; }
    virtual void SetBlinkColor(TColor Value);
    bool Blinking() const { return FBlinking; }
    virtual void SetBlinking(bool Value);
    Integer BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(Integer Value);
    String Caption() const { return GetText(); }
    virtual void SetCaption(const String& Value);
    Integer CaptionOffset() const { return FCaptionOffset; }
    virtual void SetCaptionOffset(Integer Value);
    TColor FillColor() const { return FFillColor; }
    virtual void SetFillColor(TColor Value);
    bool ParentFillColor() const { return FParentFillColor; }
    virtual void SetParentFillColor(bool Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    Integer FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(Integer Value);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle Value);
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    virtual void SetFrameController(TQxFrameController* Value) { FLinks.SetController(Value); }
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) { FLinks.SetNotifications(Value); }
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    // The colour the text is drawn in now (the blink colour in the on phase).
    TColor CurrentTextColor() const { return FCurrentColor; }

    virtual Integer GetAutoWidth();
    virtual void GetInteriorRect(TRect& Rect);
    virtual void DrawCaption(const String& Text);
    virtual void DrawFrame();
    void FrameControllerChanged() override;
    virtual void Blink(bool State);
    // The parent is a status bar whose shown, usable size grip lies under
    // Rect's right edge (Rect in the pane's client coordinates).
    virtual bool IsUnderSizeGrip(const TRect& Rect);
    // Sets Width from the caption when AutoSize is on (not while loading).
    void AdjustSize();
    // Answers for an action: with AutoHint a hint action sets the caption.
    bool ExecuteHint(const String& HintText);
    bool ExecuteAction(TBasicAction* Action) override;

    void Loaded() override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The status bar this pane lies on (nullptr when its parent is none).
    TQxStatusBar* StatusBar() const;
    // The bar's visual style applies and themes are on.
    bool Themed() const;
    // The width of the frame style inside BorderWidth.
    Integer FrameInset() const;

    TQxControlLinks FLinks{this};

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
    bool FAutoHint = false;
    Integer FDefaultWidth = 40;
    TColor FBlinkColor = clHighlight;
    bool FBlinking = false;
    TColor FSavedColor;
    Integer FBorderWidth = 1;
    Integer FCaptionOffset = 2;
    bool FParentFillColor = true;
    TColor FFillColor;
    TColor FFlatColor = clBtnShadow;
    Integer FFlatColorAdjustment = 30;
    TFrameStyle FFrameStyle = fsFlat;
    bool FTransparent = true;
    TColor FCurrentColor;
};

class TQxStatusPane : public TQxCustomStatusPane {
public:
    QUENTA_PUBLISHED
    explicit TQxStatusPane(TComponent* AOwner) : TQxCustomStatusPane(AOwner) {}
};

enum TGlyphAlignment { gaLeft, gaRight };
const TTypeInfo* GlyphAlignmentTypeInfo();

class TQxCustomGlyphStatus : public TQxCustomStatusPane {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomGlyphStatus(TComponent* AOwner);
    ~TQxCustomGlyphStatus() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    virtual void SetGlyph(TBitmap* Value);
    TGlyphAlignment GlyphAlignment() const { return FGlyphAlignment; }
    virtual void SetGlyphAlignment(TGlyphAlignment Value);
    Integer GlyphOffset() const { return FGlyphOffset; }
    virtual void SetGlyphOffset(Integer Value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    virtual void SetNumGlyphs(Integer Value);
    bool ShowGlyph() const { return FShowGlyph; }
    virtual void SetShowGlyph(bool Value);
    Integer ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(Integer Value);
    Integer DisabledIndex() const { return FDisabledIndex; }
    virtual void SetDisabledIndex(Integer Value);
    TCustomImageList* Images() const { return FImages; }
    virtual void SetImages(TCustomImageList* Value);

    Integer GetAutoWidth() override;
    void GetInteriorRect(TRect& Rect) override;
    // The picture's size: the image list's images, else one image of the strip.
    TSize PictureSize() const;
    // Where the picture goes (pane client coordinates).
    TRect PictureRect();

protected:
    virtual void DrawGlyph(const TRect& P);
    virtual void DrawImage(const TRect& P);
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void GlyphChanged();
    // The side of the picture after right-to-left mirroring.
    TGlyphAlignment EffectiveAlignment() const;

    std::unique_ptr<TBitmap> FGlyph;
    TGlyphAlignment FGlyphAlignment = gaLeft;
    Integer FGlyphOffset = 2;
    Integer FNumGlyphs = 1;
    bool FShowGlyph = true;
    Integer FImageIndex = -1;
    Integer FDisabledIndex = -1;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
};

class TQxGlyphStatus : public TQxCustomGlyphStatus {
public:
    QUENTA_PUBLISHED
    explicit TQxGlyphStatus(TComponent* AOwner) : TQxCustomGlyphStatus(AOwner) {}
};
