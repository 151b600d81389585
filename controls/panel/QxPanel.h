#pragma once
// The library's container panel and its descendants' common ground.
//
// TQxCustomPanel paints its own border with the library's frame styles (an
// outer frame, BorderWidth lines of BorderColor, an inner frame, each on the
// sides in BorderSides), fills what is inside with Color or a gradient,
// may draw a lattice over the fill and draws its caption word-wrapped with
// a vertical alignment and margins. The border takes its part of the client
// area, so aligned children stay inside it. A transparent panel shows its
// parent's background instead of a fill. It can follow a frame controller
// (it pulls the settings it takes), and disabling it disables its children
// while it remembers which of them were disabled already, so that enabling
// it gives each its own state back.
//
//   outer fsRaised, BorderWidth 1, inner fsLowered, all sides:
//   HHHHHHHHHHHHD       H highlight  D dark shadow  S shadow
//   HLLLLLLLLLLSD       L light      B BorderColor  F fill (Color)
//   HLBBBBBBBBBSD
//   HLBSSSSSSHBSD       (outer 2, border 1, inner 2 pixels per side)
//   HLBSDFFFLHBSD
//   ...
//
// A panel that is a dock site uses TQxPanelDockManager: captioned 14-pixel
// grabbers with a close glyph, on top of each docked client, or on its left
// when the panel is aligned to the top or bottom of its parent.
//
// TQxCustomGroupBox frames a group of controls under a caption in one of
// six group styles and keeps its children clear of the caption.

#include "controls/common/QxCommon.h"
#include "controls/common/QxControlLinks.h"
#include "platform/gui/controls/CustomPanel.h"
#include "platform/gui/controls/DockTree.h"

#include <memory>
#include <optional>
#include <vector>

class TFiler;
class TReader;

enum TQxVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TQxLatticeStyle { lsPoints, lsDottedLines, lsLines };
enum TQxGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

// Published types "TQxVisualStyle", "TQxLatticeStyle", "TQxGroupBoxStyle".
const TTypeInfo* VisualStyleTypeInfo();
const TTypeInfo* LatticeStyleTypeInfo();
const TTypeInfo* GroupBoxStyleTypeInfo();

// A canvas with Font selected that measures text without a window, and
// the size of Text in Font measured on it.
TCanvas* MeasureCanvas(TFont* Font);
TSize MeasureText(TFont* Font, const String& Text);

// The width a frame style takes on each side it is drawn on.
Integer FrameStyleWidth(TFrameStyleEx Style, Integer BevelWidth);

class TQxCustomPanel : public TCustomPanel, public IQxFrameControllerNotification {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomPanel(TComponent* AOwner);
    ~TQxCustomPanel() override;

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical Value);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor Value);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyleEx Value);
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyleEx Value);
    TSides BorderSides() const { return FBorderSides; }
    virtual void SetBorderSides(TSides Value);
    TColor BorderHighlight() const { return FBorderHighlight; }
    virtual void SetBorderHighlight(TColor Value);
    TColor BorderShadow() const { return FBorderShadow; }
    virtual void SetBorderShadow(TColor Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    Integer FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(Integer Value);
    TQxFrameController* FrameController() const { return FLinks.Controller(); }
    virtual void SetFrameController(TQxFrameController* Value);
    TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
    void SetFrameControllerNotifications(TQxFrameControllerNotifications Value) { FLinks.SetNotifications(Value); }
    TQxGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    virtual void SetGradientColorStyle(TQxGradientColorStyle Value);
    TColor GradientColorStart() const { return FGradientColorStart; }
    virtual void SetGradientColorStart(TColor Value);
    TColor GradientColorStop() const { return FGradientColorStop; }
    virtual void SetGradientColorStop(TColor Value);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    virtual void SetGradientDirection(TGradientDirection Value);
    TColor LatticeColor() const { return FLatticeColor; }
    virtual void SetLatticeColor(TColor Value);
    TQxLatticeStyle LatticeStyle() const { return FLatticeStyle; }
    virtual void SetLatticeStyle(TQxLatticeStyle Value);
    Word LatticeXStep() const { return FLatticeXStep; }
    virtual void SetLatticeXStep(Word Value);
    Word LatticeYStep() const { return FLatticeYStep; }
    virtual void SetLatticeYStep(Word Value);
    bool FillClientArea() const { return FFillClientArea; }
    virtual void SetFillClientArea(bool Value);
    bool LatticeVisible() const { return FLatticeVisible; }
    virtual void SetLatticeVisible(bool Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    Integer TextMargin() const { return FTextMargin; }
    virtual void SetTextMargin(Integer Value);
    Integer VerticalMargin() const { return FVerticalMargin; }
    virtual void SetVerticalMargin(Integer Value);
    bool WordWrap() const { return FWordWrap; }
    virtual void SetWordWrap(bool Value);
    TQxVisualStyle VisualStyle() const { return FVisualStyle; }
    virtual void SetVisualStyle(TQxVisualStyle Value);
    bool DockCaptions() const { return FDockCaptions; }
    void SetDockCaptions(bool Value) { FDockCaptions = Value; }
    bool DoubleBuffered() const { return FDoubleBuffered; }

    // The mouse cursor's position in client coordinates.
    virtual TPoint CursorPosition();
    // Shrinks R by the library borders (and BorderWidth first when asked).
    virtual void AdjustForBorders(TRect& R, bool IncludeBorderWidth);
    // Pulls the frame controller's settings this panel takes.
    void FrameControllerChanged() override;
    // The children whose enabled state the panel remembers while disabled.
    Integer RememberedStateCount() const { return static_cast<Integer>(FRemembered.size()); }

    // The client rectangle within the library borders (the whole client
    // area of a dock site, whose dock tree takes the borders off itself).
    virtual TRect PanelClientRect();
    // ClientRect, ClientWidth and ClientHeight are the area inside the
    // borders (PanelClientRect); the window's own client area stays whole
    // (WindowClientRect), as the borders are painted on it.
    TRect ClientRect() const override;
    void AdjustClientRect(TRect& Rect) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void DefineProperties(TFiler* Filer) override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnPaint;

protected:
    virtual TRect FullRect() { return {0, 0, Width(), Height()}; }
    virtual TPoint RepaintMargins() { return {1, 1}; }
    virtual void GradientColors(TColor& Start, TColor& Stop);
    virtual void FlatColors(TColor& Flat, Integer& Adjustment);
    virtual void DrawCaption(TRect R);
    virtual void DrawLattice(const TRect& R);
    void Paint() override;
    void BoundsChanged(const TRect& OldBounds) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    std::unique_ptr<IDockManager> CreateDockManager() override;
    // Store a changed value and, unless a form is being read, lay out or
    // repaint.
    template <class V> void StoreRelayout(V& Field, V Value) {
        if (StoreChanged(this, Field, Value)) {
            Realign();
            Invalidate();
        }
    }
    template <class V> void StoreRepaint(V& Field, V Value) {
        if (StoreChanged(this, Field, Value)) Invalidate();
    }

    TQxControlLinks FLinks{this};

private:
    friend class TQxPanelDockManager;
    void ReadUseGradients(TReader* Reader);
    void CMEnabledChanged(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);

    TAlignmentVertical FAlignmentVertical = avCenter;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsRaised;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    TColor FFlatColor = clBtnShadow;
    Integer FFlatColorAdjustment = 30;
    bool FFillClientArea = true;
    TQxVisualStyle FVisualStyle = vsWinXP;
    TQxGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FGradientColorStart = static_cast<TColor>(0xFFFFFF);
    TColor FGradientColorStop = clBtnFace;
    TGradientDirection FGradientDirection = gdHorizontalEnd;
    TColor FLatticeColor = clBtnShadow;
    TQxLatticeStyle FLatticeStyle = lsPoints;
    Word FLatticeXStep = 8;
    Word FLatticeYStep = 8;
    bool FLatticeVisible = false;
    bool FTransparent = false;
    Integer FTextMargin = 0;
    Integer FVerticalMargin = 0;
    bool FWordWrap = true;
    bool FDockCaptions = true;
    bool FDoubleBuffered = false;
    // Each child's own enabled state, taken when the panel was disabled.
    std::vector<std::pair<TControl*, bool>> FRemembered;
};

// Publishes the panel's properties that its descendants show, under their
// names (Transparent, FrameController, the borders, the gradients,
// VisualStyle ...), each with the panel's default.
template <class T> TClassBuilder<T>& PublishPanelProperties(TClassBuilder<T>& B);

// The dock manager of a panel: captioned grabbers with a close glyph.
//
//   grabber on top (14 pixels):           grabber on the left:
//   +------------------------------+      +--------------+
//   | Caption text          [r]    |      |[r]           |
//   +------------------------------+      | t            |
//   | client                       |      | x   client   |
//                                          | e            |
//   The grabber is filled in the caption   | t (turned)   |
//   colour: active when the client is      +--------------+
//   focused (or not windowed), else inactive.
class TQxPanelDockManager : public TDockTree {
public:
    explicit TQxPanelDockManager(TQxCustomPanel* Panel);
    ~TQxPanelDockManager() override;
    TFont* CaptionFont() const { return FCaptionFont.get(); }

protected:
    void AdjustDockRect(TControl* Control, TRect& ARect) override;
    void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) override;
    TRect CloseButtonRect(const TRect& Zone) const override;
    void WindowProc(TMessage& Message) override;

private:
    TQxCustomPanel* FPanel;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FCloseFont;
};

class TQxCustomGroupBox : public TQxCustomPanel {
public:
    QUENTA_PUBLISHED
    explicit TQxCustomGroupBox(TComponent* AOwner);

    TQxGroupBoxStyle GroupStyle() const { return FGroupStyle; }
    virtual void SetGroupStyle(TQxGroupBoxStyle Value);
    Integer BannerHeight() const { return FBannerHeight; }
    virtual void SetBannerHeight(Integer Value);

    void AdjustClientRect(TRect& Rect) override;
    void FrameControllerChanged() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    // The caption rectangle of the current style (empty without one).
    TRect CaptionRect();
    // The accelerator: focuses the first child in tab order that can take
    // the focus; false when the character is not the caption's or no child can.
    bool DialogChar(TMessage& Message);

private:
    TQxGroupBoxStyle FGroupStyle = gsFlat;
    Integer FBannerHeight = 0;
};

class TQxGroupBox : public TQxCustomGroupBox {
public:
    QUENTA_PUBLISHED
    explicit TQxGroupBox(TComponent* AOwner) : TQxCustomGroupBox(AOwner) {}
};

template <class T> TClassBuilder<T>& PublishPanelProperties(TClassBuilder<T>& B) {
    RegisterControlTypes();
    B.Property("AlignmentVertical", &T::AlignmentVertical, &T::SetAlignmentVertical, AlignmentVerticalTypeInfo())
        .Default(avCenter)
        .Property("BorderColor", &T::BorderColor, &T::SetBorderColor, ColorTypeInfo())
        .Default(clBtnFace)
        .Property("FlatColor", &T::FlatColor, &T::SetFlatColor, ColorTypeInfo())
        .Default(clBtnShadow)
        .Property("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment)
        .Default(30)
        .Property("GradientColorStyle", &T::GradientColorStyle, &T::SetGradientColorStyle,
                  GradientColorStyleTypeInfo())
        .Default(gcsSystem)
        .Property("GradientColorStart", &T::GradientColorStart, &T::SetGradientColorStart, ColorTypeInfo())
        .Default(0xFFFFFF)
        .Property("GradientColorStop", &T::GradientColorStop, &T::SetGradientColorStop, ColorTypeInfo())
        .Default(clBtnFace)
        .Property("GradientDirection", &T::GradientDirection, &T::SetGradientDirection, GradientDirectionTypeInfo())
        .Default(gdHorizontalEnd)
        .Property("VisualStyle", &T::VisualStyle, &T::SetVisualStyle, VisualStyleTypeInfo())
        .Default(vsWinXP)
        .Property("Transparent", &T::Transparent, &T::SetTransparent)
        .Default(false)
        .Property("FillClientArea", &T::FillClientArea, &T::SetFillClientArea)
        .Default(true)
        .Property("LatticeVisible", &T::LatticeVisible, &T::SetLatticeVisible)
        .Default(false)
        .Property("LatticeColor", &T::LatticeColor, &T::SetLatticeColor, ColorTypeInfo())
        .Default(clBtnShadow)
        .Property("LatticeStyle", &T::LatticeStyle, &T::SetLatticeStyle, LatticeStyleTypeInfo())
        .Default(lsPoints)
        .Property("LatticeXStep", &T::LatticeXStep, &T::SetLatticeXStep)
        .Default(8)
        .Property("LatticeYStep", &T::LatticeYStep, &T::SetLatticeYStep)
        .Default(8)
        .Property("TextMargin", &T::TextMargin, &T::SetTextMargin)
        .Default(0)
        .Property("VerticalMargin", &T::VerticalMargin, &T::SetVerticalMargin)
        .Default(0)
        .Property("WordWrap", &T::WordWrap, &T::SetWordWrap)
        .Default(true)
        .Property("DockCaptions", &T::DockCaptions, &T::SetDockCaptions)
        .Default(true)
        .Event("OnMouseEnter", &T::OnMouseEnter)
        .Event("OnMouseLeave", &T::OnMouseLeave)
        .Event("OnPaint", &T::OnPaint);
    PublishFrameController(B);
    PublishCustomPanel(B);
    return StoreUnlessGoverned(B, {{"FlatColor", fcpFrameColor},
                                   {"FlatColorAdjustment", fcpFrameColor},
                                   {"Color", fcpColor},
                                   {"ParentColor", fcpParentColor}});
}

// Publishes BorderInner, BorderOuter and BorderSides with the given defaults
// (the status bar stores them always: pass no default there).
template <class T>
TClassBuilder<T>& PublishPanelBorders(TClassBuilder<T>& B, std::optional<TFrameStyleEx> Inner,
                                      std::optional<TFrameStyleEx> Outer, std::optional<TSides> Sides) {
    B.Property("BorderInner", &T::BorderInner, &T::SetBorderInner, FrameStyleExTypeInfo());
    if (Inner) B.Default(*Inner);
    B.Property("BorderOuter", &T::BorderOuter, &T::SetBorderOuter, FrameStyleExTypeInfo());
    if (Outer) B.Default(*Outer);
    B.Property("BorderSides", &T::BorderSides, &T::SetBorderSides, SidesTypeInfo());
    if (Sides) B.Default(Sides->ToInt());
    return StoreUnlessGoverned(B, {{"BorderOuter", fcpFrameStyle}, {"BorderSides", fcpFrameSides}});
}

// Publishes what a group box shows, a radio group too: the panel's
// properties with the box's caption at the top left (the defaults its
// constructor sets), borders without frames on all sides, GroupStyle
// (gsFlat) and BannerHeight (0).
template <class T> TClassBuilder<T>& PublishGroupBoxProperties(TClassBuilder<T>& B) {
    PublishPanelProperties(B);
    B.Qualify("Alignment").Default(taLeftJustify).Qualify("AlignmentVertical").Default(avTop);
    PublishPanelBorders(B, fsNone, fsNone, AllSides);
    return B.Property("GroupStyle", &T::GroupStyle, &T::SetGroupStyle, GroupBoxStyleTypeInfo())
        .Default(gsFlat)
        .Property("BannerHeight", &T::BannerHeight, &T::SetBannerHeight)
        .Default(0);
}
