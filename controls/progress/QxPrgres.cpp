#include "controls/progress/QxPrgres.h"
#include "controls/status/QxStatusBar.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Themes.h"

#include <algorithm>
#include <cmath>

const TTypeInfo* BarStyleTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TBarStyle>("TBarStyle", {"bsTraditional", "bsLED", "bsGradient"});
    return type;
}

TQxCustomProgressBar::TQxCustomProgressBar(TComponent* AOwner)
    : TGraphicControl(AOwner), FBuffer(std::make_unique<TBitmap>()) {
    FControlStyle << csOpaque;
    TGraphicControl::SetBounds(Left(), Top(), 200, 24);
}

TQxCustomProgressBar::~TQxCustomProgressBar() = default;

template <class V> void TQxCustomProgressBar::StoreRepaint(V& Field, V Value) {
    if (StoreChanged(this, Field, Value)) Repaint();
}

void TQxCustomProgressBar::SetBackColor(TColor Value) {
    StoreRepaint(FBackColor, Value);
}
void TQxCustomProgressBar::SetBackColorStop(TColor Value) {
    StoreRepaint(FBackColorStop, Value);
}
void TQxCustomProgressBar::SetBarColorStop(TColor Value) {
    StoreRepaint(FBarColorStop, Value);
}
void TQxCustomProgressBar::SetBevelWidth(Integer Value) {
    StoreRepaint(FBevelWidth, std::max<Integer>(Value, 1));
}
void TQxCustomProgressBar::SetBorderColor(TColor Value) {
    StoreRepaint(FBorderColor, Value);
}
void TQxCustomProgressBar::SetBorderInner(TFrameStyleEx Value) {
    StoreRepaint(FBorderInner, Value);
}
void TQxCustomProgressBar::SetBorderOuter(TFrameStyleEx Value) {
    StoreRepaint(FBorderOuter, Value);
}
void TQxCustomProgressBar::SetBorderWidth(Integer Value) {
    StoreRepaint(FBorderWidth, std::max<Integer>(Value, 0));
}
void TQxCustomProgressBar::SetGradientDirection(TGradientDirection Value) {
    StoreRepaint(FGradientDirection, Value);
}
void TQxCustomProgressBar::SetInteriorOffset(Byte Value) {
    StoreRepaint(FInteriorOffset, Value);
}
void TQxCustomProgressBar::SetNumSegments(Integer Value) {
    StoreRepaint(FNumSegments, std::clamp<Integer>(Value, 1, 100));
}
void TQxCustomProgressBar::SetOrientation(TOrientation Value) {
    StoreRepaint(FOrientation, Value);
}
void TQxCustomProgressBar::SetShowPercent(bool Value) {
    StoreRepaint(FShowPercent, Value);
}
void TQxCustomProgressBar::SetShowParts(bool Value) {
    StoreRepaint(FShowParts, Value);
}

void TQxCustomProgressBar::SetFlatColor(TColor Value) {
    if (StoreChanged(this, FFlatColor, Value)) Invalidate();
}
void TQxCustomProgressBar::SetFlatColorAdjustment(Integer Value) {
    if (StoreChanged(this, FFlatColorAdjustment, Value)) Invalidate();
}
void TQxCustomProgressBar::SetThemeAware(bool Value) {
    if (StoreChanged(this, FThemeAware, Value)) Invalidate();
}

void TQxCustomProgressBar::SetBarColor(TColor Value) {
    if (Value == FBarColor) return;
    FBarColor = Value;
    Font()->SetColor(Value);
    if (!HasState(csLoading)) Repaint();
}

// LED bars have no text and a one-pixel ring; the others the reverse. A
// form being read keeps what it stores for both.
void TQxCustomProgressBar::SetBarStyle(TBarStyle Value) {
    if (Value == FBarStyle) return;
    FBarStyle = Value;
    if (HasState(csLoading)) return;
    FShowPercent = Value != bsLED;
    FInteriorOffset = Value == bsLED ? 1 : 0;
    Repaint();
}

void TQxCustomProgressBar::SetPercent(Word Value) {
    if (Value == FPercent) return;
    FPercent = Value;
    Change();
    Repaint();
}

void TQxCustomProgressBar::Change() {
    if (OnChange) OnChange(this, FPercent);
}

void TQxCustomProgressBar::SetPartsComplete(Integer Value) {
    Value = std::max<Integer>(Value, 0);
    // While a form is read TotalParts may come later: Loaded settles.
    if (HasState(csLoading)) {
        FPartsComplete = Value;
        return;
    }
    FPartsComplete = std::min(Value, FTotalParts);
    if (FTotalParts == 0) return;
    SetPercent(static_cast<Word>(std::nearbyint(100.0 * FPartsComplete / FTotalParts)));
}

void TQxCustomProgressBar::SetTotalParts(Integer Value) {
    Value = std::max<Integer>(Value, 0);
    if (Value == FTotalParts) return;
    FTotalParts = Value;
    if (HasState(csLoading)) return;
    FPartsComplete = 0;
    SetPercent(0);
}

// The parts are cut to the total once both are known; Percent stays as the
// form stores it (a stored bar shows what it showed when it was stored).
void TQxCustomProgressBar::Loaded() {
    TGraphicControl::Loaded();
    FPartsComplete = std::min(FPartsComplete, FTotalParts);
}

void TQxCustomProgressBar::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    SetOrientation(Height() > Width() ? orVertical : orHorizontal);
}

bool TQxCustomProgressBar::Themed() const {
    if (!ThemeServices()->ThemesEnabled() || !FThemeAware) return false;
    auto* bar = dynamic_cast<TQxStatusBar*>(Parent());
    return !bar || bar->VisualStyle() == vsWinXP;
}

void TQxCustomProgressBar::FrameControllerChanged() {
    TQxFrameController* fc = FrameController();
    if (!fc || !fc->FrameVisible()) return;
    if (FLinks.Accepts(fcpFrameStyle)) SetBorderOuter(fc->FrameStyle());
    if (FLinks.Accepts(fcpFrameColor)) {
        SetFlatColor(fc->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (FLinks.Accepts(fcpColor)) SetBackColor(fc->Color());
    if (FLinks.Accepts(fcpParentColor)) SetParentColor(fc->ParentColor());
    Invalidate();
}

void TQxCustomProgressBar::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    FLinks.Notification(AComponent, Operation);
}

void TQxCustomProgressBar::PaintBuffer(TCanvas* C) {
    TRect r = ClientRect();
    const bool themed = Themed();
    auto* bar = dynamic_cast<TQxStatusBar*>(Parent());
    const TThemedElementDetails frame{teProgress, FOrientation == orHorizontal ? PP_BAR : PP_BARVERT, 0};
    if (themed && bar) {
        {
            TSavedDC saved(C->Handle());
            ThemeServices()->DrawElement(C->Handle(), {teStatus, SP_BACKGROUND, 0},
                                         {-Left(), -Top(), bar->Width() - Left(), bar->Height() - Top()});
        }
        ThemeServices()->DrawElement(C->Handle(), {teStatus, SP_PANE, 0}, r);
        if (FInteriorOffset == 0)
            InflateRect(r, -3, -2);
        else
            InflateRect(r, -(FInteriorOffset + 2), -(FInteriorOffset + 1));
        ThemeServices()->DrawElement(C->Handle(), frame, r);
        const Integer in = FBarStyle == bsLED ? FInteriorOffset + 1 : FInteriorOffset + 3;
        InflateRect(r, -in, -in);
    } else if (themed) {
        ThemeServices()->DrawElement(C->Handle(), frame, r);
        const Integer in = FBarStyle == bsLED ? FInteriorOffset + 1 : FInteriorOffset + 3;
        InflateRect(r, -in, -in);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(FBorderColor);
        C->FillRect(r);
        const TColor parentColor = Parent() ? Parent()->Color() : Color();
        r = PaintInnerOuterFrame(C, r, FBorderOuter, true, false, parentColor, FBackColor, FFlatColorAdjustment,
                                 FFlatColor, clBtnShadow, clBtnHighlight, FBorderColor, FBevelWidth, AllSides,
                                 FBorderWidth, FBorderInner);
        if (FInteriorOffset > 0 && !r.IsEmpty()) {
            C->Pen()->SetStyle(psInsideFrame);
            C->Pen()->SetWidth(FInteriorOffset);
            C->Pen()->SetColor(FBackColor);
            C->Brush()->SetStyle(bsClear);
            C->Rectangle(r);
            C->Pen()->SetStyle(psSolid);
            C->Pen()->SetWidth(1);
            C->Brush()->SetStyle(bsSolid);
            InflateRect(r, -FInteriorOffset, -FInteriorOffset);
        }
    }
    if (r.IsEmpty()) return; // no room for a body
    const Word shown = std::min<Word>(FPercent, 100);
    switch (FBarStyle) {
    case bsTraditional:
        PaintBarTraditional(C, r, FOrientation, FTotalParts, FPartsComplete, FShowParts, false, FShowPercent, shown,
                            FBackColor, FBarColor);
        break;
    case bsLED:
        PaintBarLED(C, r, FOrientation, false, themed, shown, FNumSegments, FBackColor, FBarColor);
        break;
    case bsGradient:
        PaintBarGradient(C, r, FOrientation, FTotalParts, FPartsComplete, FShowParts, false, FShowPercent, shown,
                         FGradientDirection, FBackColorStop, FBackColor, FBarColorStop, FBarColor);
        break;
    }
}

void TQxCustomProgressBar::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    if (FBuffer->Width() != Width() || FBuffer->Height() != Height()) FBuffer->SetSize(Width(), Height());
    TCanvas* c = FBuffer->Canvas();
    c->SetFont(Font());
    PaintBuffer(c);
    Canvas()->Draw(0, 0, FBuffer.get());
}

void TQxCustomProgressBar::Dispatch(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (Message.Msg != CM_HITTEST) return;
    // Over a status bar's usable grip the press is the bar's.
    auto* bar = dynamic_cast<TQxStatusBar*>(Parent());
    if (!bar) return;
    const TPoint p = LParamToPoint(Message.LParam);
    const TPoint inBar{p.X + Left(), p.Y + Top()};
    if (bar->Perform(WM_NCHITTEST, 0, PointToLParam(inBar)) == HTBOTTOMRIGHT) Message.Result = HTNOWHERE;
}

const TClassInfo& TQxCustomProgressBar::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomProgressBar>("TQxCustomProgressBar", &TGraphicControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxProgressBar::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxProgressBar;
        TClassBuilder<T> b("TQxProgressBar", &TQxCustomProgressBar::ClassInfo());
        b.Property("BackColor", &T::BackColor, &T::SetBackColor, ColorTypeInfo())
            .Default(0xFFFFFF)
            .Stored(StoredUnlessGoverned<T>(fcpColor))
            .Property("BackColorStop", &T::BackColorStop, &T::SetBackColorStop, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("BarColor", &T::BarColor, &T::SetBarColor, ColorTypeInfo())
            .Default(clHighlight)
            .Property("BarColorStop", &T::BarColorStop, &T::SetBarColorStop, ColorTypeInfo())
            .Default(clHotLight)
            .Property("BarStyle", &T::BarStyle, &T::SetBarStyle, BarStyleTypeInfo())
            .Default(bsTraditional)
            .Property("BevelWidth", &T::BevelWidth, &T::SetBevelWidth)
            .Default(1)
            .Property("BorderColor", &T::BorderColor, &T::SetBorderColor, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("BorderInner", &T::BorderInner, &T::SetBorderInner, FrameStyleExTypeInfo())
            .Default(fsNone)
            .Property("BorderOuter", &T::BorderOuter, &T::SetBorderOuter, FrameStyleExTypeInfo())
            .Default(fsLowered)
            .Stored(StoredUnlessGoverned<T>(fcpFrameStyle))
            .Property("BorderWidth", &T::BorderWidth, &T::SetBorderWidth)
            .Default(0)
            .Property("FlatColor", &T::FlatColor, &T::SetFlatColor, ColorTypeInfo())
            .Default(clBtnShadow)
            .Stored(StoredUnlessGoverned<T>(fcpFrameColor))
            .Property("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment)
            .Default(30)
            .Stored(StoredUnlessGoverned<T>(fcpFrameColor))
            .Property("GradientDirection", &T::GradientDirection, &T::SetGradientDirection,
                      GradientDirectionTypeInfo())
            .Default(gdHorizontalCenter)
            .Property("InteriorOffset", &T::InteriorOffset, &T::SetInteriorOffset)
            .Default(0)
            .Property("NumSegments", &T::NumSegments, &T::SetNumSegments)
            .Default(20)
            .Property("Orientation", &T::Orientation, &T::SetOrientation, OrientationTypeInfo())
            .Default(orHorizontal)
            .Property("PartsComplete", &T::PartsComplete, &T::SetPartsComplete)
            .Default(0)
            .Property("Percent", &T::Percent, &T::SetPercent)
            .Default(0)
            .Property("ShowPercent", &T::ShowPercent, &T::SetShowPercent)
            .Default(true)
            .Property("ShowParts", &T::ShowParts, &T::SetShowParts)
            .Default(false)
            .Property("TotalParts", &T::TotalParts, &T::SetTotalParts)
            .Default(0)
            .Property("ThemeAware", &T::ThemeAware, &T::SetThemeAware)
            .Default(true)
            .Event("OnChange", &T::OnChange);
        PublishFrameController(b);
        PublishControlProperties(b, {"Align", "Anchors", "Constraints", "DragKind", "Font", "ParentFont",
                                     "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnClick",
                                     "OnContextPopup", "OnDblClick", "OnEndDock", "OnMouseDown", "OnMouseMove",
                                     "OnMouseUp", "OnStartDock"});
        return b.Register();
    }();
    return info;
}
