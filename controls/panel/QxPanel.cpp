#include "controls/panel/QxPanel.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Themes.h"

#include <algorithm>

const TTypeInfo* VisualStyleTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TQxVisualStyle>("TQxVisualStyle", {"vsClassic", "vsWinXP", "vsGradient"});
    return type;
}

const TTypeInfo* LatticeStyleTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TQxLatticeStyle>("TQxLatticeStyle", {"lsPoints", "lsDottedLines", "lsLines"});
    return type;
}

const TTypeInfo* GroupBoxStyleTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TQxGroupBoxStyle>(
        "TQxGroupBoxStyle", {"gsStandard", "gsCustom", "gsTopLine", "gsFlat", "gsBanner", "gsUnderline"});
    return type;
}

TCanvas* MeasureCanvas(TFont* Font) {
    static TBitmap* measure = new TBitmap(1, 1); // a canvas that needs no window
    measure->Canvas()->SetFont(Font);
    return measure->Canvas();
}

TSize MeasureText(TFont* Font, const String& Text) {
    return MeasureCanvas(Font)->TextExtent(Text);
}

Integer FrameStyleWidth(TFrameStyleEx Style, Integer BevelWidth) {
    switch (Style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return BevelWidth;
    default:
        return 2;
    }
}

// ================================================================ TQxCustomPanel

TQxCustomPanel::TQxCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    FControlStyle = (FControlStyle - TControlStyle{csSetCaption, csParentBackground}) + TControlStyle{csOpaque};
    SetBevelOuter(bvNone);
}

TQxCustomPanel::~TQxCustomPanel() = default;

void TQxCustomPanel::SetAlignmentVertical(TAlignmentVertical Value) {
    StoreRepaint(FAlignmentVertical, Value);
}
void TQxCustomPanel::SetBorderColor(TColor Value) {
    StoreRepaint(FBorderColor, Value);
}
void TQxCustomPanel::SetBorderInner(TFrameStyleEx Value) {
    StoreRelayout(FBorderInner, Value);
}
void TQxCustomPanel::SetBorderOuter(TFrameStyleEx Value) {
    StoreRelayout(FBorderOuter, Value);
}
void TQxCustomPanel::SetBorderSides(TSides Value) {
    StoreRelayout(FBorderSides, Value);
}
void TQxCustomPanel::SetBorderHighlight(TColor Value) {
    StoreRepaint(FBorderHighlight, Value);
}
void TQxCustomPanel::SetBorderShadow(TColor Value) {
    StoreRepaint(FBorderShadow, Value);
}
void TQxCustomPanel::SetFlatColor(TColor Value) {
    StoreRepaint(FFlatColor, Value);
}
void TQxCustomPanel::SetFlatColorAdjustment(Integer Value) {
    StoreRepaint(FFlatColorAdjustment, Value);
}
void TQxCustomPanel::SetFrameController(TQxFrameController* Value) {
    FLinks.SetController(Value);
}
void TQxCustomPanel::SetGradientColorStyle(TQxGradientColorStyle Value) {
    StoreRepaint(FGradientColorStyle, Value);
}
void TQxCustomPanel::SetGradientColorStart(TColor Value) {
    if (StoreChanged(this, FGradientColorStart, Value)) {
        Invalidate();
        InvalidateTransparentChildren(this);
    }
}
void TQxCustomPanel::SetGradientColorStop(TColor Value) {
    if (StoreChanged(this, FGradientColorStop, Value)) {
        Invalidate();
        InvalidateTransparentChildren(this);
    }
}
void TQxCustomPanel::SetGradientDirection(TGradientDirection Value) {
    if (StoreChanged(this, FGradientDirection, Value)) {
        Invalidate();
        InvalidateTransparentChildren(this);
    }
}
void TQxCustomPanel::SetLatticeColor(TColor Value) {
    StoreRepaint(FLatticeColor, Value);
}
void TQxCustomPanel::SetLatticeStyle(TQxLatticeStyle Value) {
    StoreRepaint(FLatticeStyle, Value);
}
void TQxCustomPanel::SetLatticeXStep(Word Value) {
    StoreRepaint(FLatticeXStep, Value);
}
void TQxCustomPanel::SetLatticeYStep(Word Value) {
    StoreRepaint(FLatticeYStep, Value);
}
void TQxCustomPanel::SetFillClientArea(bool Value) {
    StoreRepaint(FFillClientArea, Value);
}
void TQxCustomPanel::SetLatticeVisible(bool Value) {
    StoreRepaint(FLatticeVisible, Value);
}
void TQxCustomPanel::SetTextMargin(Integer Value) {
    StoreRepaint(FTextMargin, Value);
}
void TQxCustomPanel::SetVerticalMargin(Integer Value) {
    StoreRepaint(FVerticalMargin, Value);
}
void TQxCustomPanel::SetWordWrap(bool Value) {
    StoreRepaint(FWordWrap, Value);
}
void TQxCustomPanel::SetVisualStyle(TQxVisualStyle Value) {
    StoreRepaint(FVisualStyle, Value);
}

void TQxCustomPanel::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    if (Value)
        FControlStyle >> csOpaque;
    else
        FControlStyle << csOpaque;
    if (HasState(csLoading)) return;
    Invalidate();
    for (Integer i = 0; i < ControlCount(); ++i)
        Controls(i)->Invalidate();
}

TPoint TQxCustomPanel::CursorPosition() {
    return ScreenToClient(GetCursorPos());
}

void TQxCustomPanel::AdjustForBorders(TRect& R, bool IncludeBorderWidth) {
    if (IncludeBorderWidth) InflateRect(R, -BorderWidth(), -BorderWidth());
    const Integer outer = FrameStyleWidth(FBorderOuter, BevelWidth());
    const Integer inner = FrameStyleWidth(FBorderInner, BevelWidth());
    for (Integer w : {outer, inner}) {
        if (FBorderSides.Contains(sdLeft)) R.Left += w;
        if (FBorderSides.Contains(sdTop)) R.Top += w;
        if (FBorderSides.Contains(sdRight)) R.Right -= w;
        if (FBorderSides.Contains(sdBottom)) R.Bottom -= w;
    }
}

TRect TQxCustomPanel::PanelClientRect() {
    TRect r = TCustomPanel::ClientRect();
    if (!DockSite()) AdjustForBorders(r, false);
    return r;
}

TRect TQxCustomPanel::ClientRect() const {
    return const_cast<TQxCustomPanel*>(this)->PanelClientRect();
}

void TQxCustomPanel::AdjustClientRect(TRect& Rect) {
    Rect = PanelClientRect();
    TCustomPanel::AdjustClientRect(Rect); // BorderWidth
    if (DockSite()) AdjustForBorders(Rect, false);
}

void TQxCustomPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    // Aligned to the bottom or right, the panel grows towards the top or left.
    if (Align() == alBottom && AHeight != Height() && ATop == Top()) ATop = Top() + Height() - AHeight;
    if (Align() == alRight && AWidth != Width() && ALeft == Left()) ALeft = Left() + Width() - AWidth;
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TQxCustomPanel::BoundsChanged(const TRect& OldBounds) {
    TCustomPanel::BoundsChanged(OldBounds);
    if (!HandleAllocated()) return;
    if (FullRepaint() || !Caption().empty()) {
        Invalidate();
        return;
    }
    // Only the strip inside the border that the size change moved.
    TRect r = FullRect();
    AdjustForBorders(r, true);
    const TPoint m = RepaintMargins();
    if (OldBounds.Width() != Width()) {
        const TRect strip{std::min(r.Right, OldBounds.Width()) - m.X, 0, Width(), Height()};
        InvalidateRect(&strip, true);
    }
    if (OldBounds.Height() != Height()) {
        const TRect strip{0, std::min(r.Bottom, OldBounds.Height()) - m.Y, Width(), Height()};
        InvalidateRect(&strip, true);
    }
}

void TQxCustomPanel::GradientColors(TColor& Start, TColor& Stop) {
    if (FGradientColorStyle == gcsCustom) {
        Start = FGradientColorStart;
        Stop = FGradientColorStop;
    } else {
        GetSchemeGradientColors(FGradientColorStyle, Start, Stop);
    }
}

void TQxCustomPanel::FlatColors(TColor& Flat, Integer& Adjustment) {
    if (FVisualStyle == vsGradient && FGradientColorStyle != gcsCustom) {
        Flat = GetSchemeFrameColor(FGradientColorStyle);
        Adjustment = 0;
    } else {
        Flat = FFlatColor;
        Adjustment = FFlatColorAdjustment;
    }
}

// The fill of a flat rounded border reaches one pixel under the border on
// each listed side; the corners where two listed sides meet are then
// painted in the border colour again, so they stay cut:
//
//   .FFFFF.      . not filled (the border's cut corner)
//   FfffffF      F flat colour   f fill
//   FfffffF
//   .FFFFF.
void TQxCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = FullRect();
    TColor flat;
    Integer adjust;
    FlatColors(flat, adjust);
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    r = PaintInnerOuterFrame(c, r, FBorderOuter, false, FTransparent, parentColor, Color(), adjust, flat,
                             FBorderShadow, FBorderHighlight, FBorderColor, BevelWidth(), FBorderSides,
                             BorderWidth(), FBorderInner);
    if (!FTransparent && FFillClientArea) {
        const bool curved = (FBorderOuter == fsFlatRounded && FBorderInner == fsNone && BorderWidth() == 0) ||
                            FBorderInner == fsFlatRounded;
        const TRect inner = r;
        if (curved) {
            if (FBorderSides.Contains(sdLeft)) --r.Left;
            if (FBorderSides.Contains(sdTop)) --r.Top;
            if (FBorderSides.Contains(sdRight)) ++r.Right;
            if (FBorderSides.Contains(sdBottom)) ++r.Bottom;
        }
        if (FVisualStyle == vsGradient) {
            TColor start, stop;
            GradientColors(start, stop);
            GradientFillRect(c, r, FGradientDirection, 1, stop, start);
        } else {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            c->FillRect(r);
        }
        if (curved) {
            const TColor corner = AdjustColorLuminance(flat, adjust);
            const bool l = FBorderSides.Contains(sdLeft), t = FBorderSides.Contains(sdTop),
                       rt = FBorderSides.Contains(sdRight), b = FBorderSides.Contains(sdBottom);
            if (l && t) c->SetPixels(r.Left, r.Top, corner);
            if (rt && t) c->SetPixels(r.Right - 1, r.Top, corner);
            if (rt && b) c->SetPixels(r.Right - 1, r.Bottom - 1, corner);
            if (l && b) c->SetPixels(r.Left, r.Bottom - 1, corner);
        }
        r = inner;
    }
    if (FLatticeVisible) DrawLattice(r);
    c->Brush()->SetStyle(bsClear);
    DrawCaption(r);
    c->Brush()->SetStyle(bsSolid);
    if (OnPaint) OnPaint(this);
}

void TQxCustomPanel::DrawCaption(TRect R) {
    const String text = Caption();
    if (text.empty()) return;
    TCanvas* c = Canvas();
    c->SetFont(Font());
    InflateRect(R, -FTextMargin, -FVerticalMargin);
    const UINT wrap = FWordWrap ? DT_WORDBREAK : 0;
    const UINT horz = Alignment() == taLeftJustify ? DT_LEFT : Alignment() == taRightJustify ? DT_RIGHT : DT_CENTER;
    TRect m = R;
    const Integer h = DrawTextOnCanvas(c, text, m, DT_CALCRECT | DT_EXPANDTABS | DT_VCENTER | wrap | horz);
    switch (FAlignmentVertical) {
    case avTop:
        R.Bottom = std::min(R.Bottom, R.Top + h);
        break;
    case avCenter:
        R.Top = (R.Bottom + R.Top - h) / 2;
        R.Bottom = std::min(R.Bottom, R.Top + h);
        break;
    case avBottom:
        R.Top = std::max(R.Top, R.Bottom - h - 1);
        break;
    }
    c->Brush()->SetStyle(bsClear);
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    DrawTextOnCanvas(c, text, R, DT_EXPANDTABS | DT_VCENTER | wrap | horz);
}

// Points at every step's last pixel; lines through them:
//
//   lsPoints (steps 4)     lsLines               lsDottedLines
//   ...........            ...|...|...           ...:...:...
//   ...x...x...            ---+---+---           .-.+.-.+.-.   every second
//   ...........            ...|...|...           ...:...:...   pixel, from
//   ...x...x...            ---+---+---           .-.+.-.+.-.   the second
void TQxCustomPanel::DrawLattice(const TRect& R) {
    TCanvas* c = Canvas();
    const Integer xs = FLatticeXStep, ys = FLatticeYStep;
    const Integer nx = xs ? R.Width() / xs : 0;
    const Integer ny = ys ? R.Height() / ys : 0;
    c->Pen()->SetColor(FLatticeColor);
    c->Pen()->SetWidth(1);
    if (FLatticeStyle == lsPoints) {
        for (Integer i = 1; i <= nx; ++i)
            for (Integer j = 1; j <= ny; ++j)
                c->SetPixels(R.Left + i * xs - 1, R.Top + j * ys - 1, FLatticeColor);
        return;
    }
    auto line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        if (FLatticeStyle == lsLines) {
            c->MoveTo(X1, Y1);
            c->LineTo(X2, Y2);
            return;
        }
        if (X1 == X2)
            for (Integer y = Y1 + 1; y < Y2; y += 2)
                c->SetPixels(X1, y, FLatticeColor);
        else
            for (Integer x = X1 + 1; x < X2; x += 2)
                c->SetPixels(x, Y1, FLatticeColor);
    };
    for (Integer i = 1; i <= nx; ++i)
        line(R.Left + i * xs - 1, R.Top, R.Left + i * xs - 1, R.Bottom);
    for (Integer j = 1; j <= ny; ++j)
        line(R.Left, R.Top + j * ys - 1, R.Right, R.Top + j * ys - 1);
}

void TQxCustomPanel::FrameControllerChanged() {
    TQxFrameController* fc = FrameController();
    if (!fc || !fc->FrameVisible()) return;
    if (FLinks.Accepts(fcpFrameStyle)) FBorderOuter = fc->FrameStyle();
    if (FLinks.Accepts(fcpFrameSides)) FBorderSides = fc->FrameSides();
    if (FLinks.Accepts(fcpFrameColor)) {
        FFlatColor = fc->FrameColor();
        FFlatColorAdjustment = 0;
    }
    if (FLinks.Accepts(fcpColor)) SetColor(fc->Color());
    if (FLinks.Accepts(fcpParentColor)) SetParentColor(fc->ParentColor());
    if (FLinks.Accepts(fcpColor)) {
        FBorderHighlight = LightenColor(Color(), 100);
        FBorderShadow = DarkenColor(Color(), 50);
    }
    Invalidate();
}

void TQxCustomPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    FLinks.Notification(AComponent, Operation);
}

void TQxCustomPanel::ReadUseGradients(TReader* Reader) {
    if (Reader->ReadBoolean()) FVisualStyle = vsGradient;
}

void TQxCustomPanel::DefineProperties(TFiler* Filer) {
    TCustomPanel::DefineProperties(Filer);
    Filer->DefineProperty("FrameSides", TQxOldPropReader::SkipSet, nullptr, false);
    Filer->DefineProperty("ThemeAware", TQxOldPropReader::SkipBoolean, nullptr, false);
    Filer->DefineProperty("UseGradients", [this](TReader* R) { ReadUseGradients(R); }, nullptr, false);
}

std::unique_ptr<IDockManager> TQxCustomPanel::CreateDockManager() {
    FDoubleBuffered = true;
    return std::make_unique<TQxPanelDockManager>(this);
}

// Disabling remembers each child's own state and disables them all;
// enabling gives each its state back and forgets them. A child that leaves
// the panel meanwhile is forgotten at once.
void TQxCustomPanel::CMEnabledChanged(TMessage& Message) {
    TCustomPanel::Dispatch(Message);
    Repaint();
    if (!Enabled()) {
        FRemembered.clear();
        for (Integer i = 0; i < ControlCount(); ++i)
            FRemembered.emplace_back(Controls(i), Controls(i)->Enabled());
        for (Integer i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(false);
        return;
    }
    const auto remembered = std::move(FRemembered);
    FRemembered.clear();
    for (Integer i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        auto it = std::find_if(remembered.begin(), remembered.end(), [&](auto& e) { return e.first == child; });
        child->SetEnabled(it == remembered.end() || it->second);
    }
}

void TQxCustomPanel::WMEraseBkgnd(TMessage& Message) {
    if (FTransparent && FFillClientArea) {
        CopyParentBackground(this, reinterpret_cast<HDC>(Message.WParam), true);
        Message.Result = 1;
        return;
    }
    TCustomPanel::Dispatch(Message);
}

void TQxCustomPanel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(Message);
        return;
    case WM_ERASEBKGND:
        WMEraseBkgnd(Message);
        return;
    case CM_CONTROLCHANGE:
        if (Message.LParam == 0) {
            TControl* gone = reinterpret_cast<TControl*>(Message.WParam);
            std::erase_if(FRemembered, [&](auto& e) { return e.first == gone; });
        }
        break;
    case CM_MOUSEENTER:
        TCustomPanel::Dispatch(Message);
        if (!HasState(csDesigning) && OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        TCustomPanel::Dispatch(Message);
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case WM_THEMECHANGED:
        TCustomPanel::Dispatch(Message);
        XPColorScheme = DetectXPColorScheme();
        return;
    default:
        break;
    }
    TCustomPanel::Dispatch(Message);
}

// ================================================================ TQxPanelDockManager

namespace {
inline constexpr Integer PanelGrabberSize = 14;
} // namespace

TQxPanelDockManager::TQxPanelDockManager(TQxCustomPanel* Panel)
    : TDockTree(Panel), FPanel(Panel), FCaptionFont(std::make_unique<TFont>()),
      FCloseFont(std::make_unique<TFont>()) {
    SetGrabberSize(PanelGrabberSize);
    FCaptionFont->SetName("Verdana");
    FCaptionFont->SetSize(8);
    FCloseFont->SetName("Marlett");
    FCloseFont->SetSize(8);
}

TQxPanelDockManager::~TQxPanelDockManager() = default;

void TQxPanelDockManager::WindowProc(TMessage& Message) {
    // The focus moving between docked clients changes the grabbers' colours.
    if (Message.Msg == WM_COMMAND || Message.Msg == WM_MOUSEACTIVATE) FPanel->Invalidate();
    TDockTree::WindowProc(Message);
}

void TQxPanelDockManager::AdjustDockRect(TControl* Control, TRect& ARect) {
    if (FPanel->Align() == alTop || FPanel->Align() == alBottom)
        ARect.Left += PanelGrabberSize;
    else
        ARect.Top += PanelGrabberSize;
}

TRect TQxPanelDockManager::CloseButtonRect(const TRect& R) const {
    if (FPanel->Align() == alTop || FPanel->Align() == alBottom) return {R.Left + 1, R.Top + 1, R.Left + 12, R.Top + 12};
    return {R.Right - 15, R.Top + 1, R.Right - 2, R.Top + 12};
}

// The close glyph is drawn as the cross the symbol font's "r" shows, with
// the pen in the caption text colour, so it looks the same on every desktop.
void TQxPanelDockManager::PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& R) {
    if (!FPanel->DockCaptions()) {
        TDockTree::PaintDockFrame(Canvas, Control, R);
        return;
    }
    Canvas->SetFont(FCaptionFont.get());
    auto* win = dynamic_cast<TWinControl*>(Control);
    const bool active = !win || win->Focused();
    const TColor text = active ? clCaptionText : clInactiveCaptionText;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
    Canvas->Font()->SetColor(text);
    const String caption = Control->Caption();
    const bool onTop = !(FPanel->Align() == alTop || FPanel->Align() == alBottom);
    if (onTop) {
        const TRect g{R.Left, R.Top, R.Right, R.Top + PanelGrabberSize};
        Canvas->TextRect(g, g.Left + 2, g.Top, caption);
    } else {
        const TRect g{R.Left, R.Top, R.Left + PanelGrabberSize, R.Bottom};
        Canvas->FillRect(g);
        HDC dc = Canvas->Handle();
        HFONT turned = CreateRotatedFont(FCaptionFont.get(), 90);
        {
            TSavedDC saved(dc);
            SetTextAlign(dc, TA_BASELINE);
            SelectObject(dc, AsGdiObj(turned));
            SetTextColor(dc, ColorToRGB(clCaptionText));
            SetBkMode(dc, TRANSPARENT);
            ExtTextOut(dc, g.Right - 2, g.Bottom - 3, ETO_CLIPPED, &g, caption);
        }
        DeleteObject(AsGdiObj(turned));
    }
    const TRect close = CloseButtonRect(R);
    Canvas->Pen()->SetColor(text);
    Canvas->Pen()->SetWidth(1);
    Canvas->MoveTo(close.Left + 2, close.Top + 2);
    Canvas->LineTo(close.Right - 2, close.Bottom - 2);
    Canvas->MoveTo(close.Right - 3, close.Top + 2);
    Canvas->LineTo(close.Left + 1, close.Bottom - 2);
}
