#include "controls/status/QxStatusBar.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/Themes.h"

#include <cmath>

namespace {
inline constexpr WPARAM SizeFromBottomRight = 61448; // SC_SIZE + the bottom-right edge
} // namespace

TQxStatusBar::TQxStatusBar(TComponent* AOwner) : TQxCustomPanel(AOwner), FGripCanvas(std::make_unique<TCanvas>()) {
    SetAlign(alBottom);
    ApplyAutoStyle();
    FAutoStyle = true;
}

TQxStatusBar::~TQxStatusBar() = default;

void TQxStatusBar::ApplyAutoStyle() {
    const bool keep = FAutoStyle;
    TQxCustomPanel::SetBorderInner(fsNone);
    TQxCustomPanel::SetBorderOuter(fsNone);
    TQxCustomPanel::SetBorderSides(AllSides);
    SetHeight(19);
    SetBorderWidth(0);
    FAutoStyle = keep;
}

void TQxStatusBar::SetBorderInner(TFrameStyleEx Value) {
    if (Value == BorderInner()) return;
    TQxCustomPanel::SetBorderInner(Value);
    EndAutoStyle();
}

void TQxStatusBar::SetBorderOuter(TFrameStyleEx Value) {
    if (Value == BorderOuter()) return;
    TQxCustomPanel::SetBorderOuter(Value);
    EndAutoStyle();
}

void TQxStatusBar::SetBorderSides(TSides Value) {
    if (Value == BorderSides()) return;
    TQxCustomPanel::SetBorderSides(Value);
    EndAutoStyle();
}

// A border read from a form description only stores: the bar settles in
// Loaded, where AutoStyle (stored or left at True) decides, in whatever
// order the description gave AutoStyle and the borders.
void TQxStatusBar::EndAutoStyle() {
    if (!HasState(csLoading)) FAutoStyle = false;
}

void TQxStatusBar::Loaded() {
    TQxCustomPanel::Loaded();
    if (FAutoStyle) ApplyAutoStyle();
}

void TQxStatusBar::SetShowSizeGrip(bool Value) {
    if (Value == FShowSizeGrip) return;
    FShowSizeGrip = Value;
    UpdateSizeGripUsable();
    Invalidate();
}

void TQxStatusBar::SetSimpleCaption(const String& Value) {
    if (Value == FSimpleCaption) return;
    FSimpleCaption = Value;
    Invalidate();
}

void TQxStatusBar::SetSimpleFrameStyle(TFrameStyle Value) {
    if (Value == FSimpleFrameStyle) return;
    FSimpleFrameStyle = Value;
    Invalidate();
}

// Entering simple status hides every child and remembers which were shown;
// leaving it shows those again and leaves hidden what was hidden. A child
// that arrived meanwhile is shown.
void TQxStatusBar::SetSimpleStatus(bool Value) {
    if (Value == FSimpleStatus) return;
    FSimpleStatus = Value;
    {
        TAlignLock lock(this);
        if (Value) {
            FShownBeforeSimple.clear();
            for (Integer i = 0; i < ControlCount(); ++i)
                FShownBeforeSimple.emplace_back(Controls(i), Controls(i)->Visible());
            for (Integer i = 0; i < ControlCount(); ++i)
                Controls(i)->SetVisible(false);
        } else {
            const auto remembered = std::move(FShownBeforeSimple);
            FShownBeforeSimple.clear();
            for (Integer i = 0; i < ControlCount(); ++i) {
                TControl* child = Controls(i);
                auto it = std::find_if(remembered.begin(), remembered.end(),
                                       [&](auto& e) { return e.first == child; });
                child->SetVisible(it == remembered.end() || it->second);
            }
        }
    }
    Invalidate();
}

void TQxStatusBar::UpdateSizeGripUsable() {
    TCustomForm* form = GetParentForm(this);
    FGripUsable = form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) &&
                  form->WindowState() != wsMaximized;
}

bool TQxStatusBar::InSizeGrip(TPoint P) const {
    return FShowSizeGrip && FGripUsable && PtInRect(SizeGripRect(), P);
}

void TQxStatusBar::CreateWnd() {
    UpdateSizeGripUsable();
    TQxCustomPanel::CreateWnd();
}

TRect TQxStatusBar::PanelClientRect() {
    TRect r = TQxCustomPanel::PanelClientRect();
    if (!ThemeServices()->ThemesAvailable()) {
        r.Bottom += 1;
        if (FSimpleStatus) {
            r.Top = 2;
        } else {
            r.Top = 1;
            r.Left -= 1;
            r.Right += 1;
        }
    } else if (FSimpleStatus) {
        r.Left += 1;
        r.Top += 1;
        r.Right -= 1;
    }
    return r;
}

void TQxStatusBar::GradientColors(TColor& Start, TColor& Stop) {
    if (GradientColorStyle() == gcsCustom) {
        Start = GradientColorStop();
        Stop = GradientColorStart();
        return;
    }
    TColor third;
    GetSchemeBarColors(GradientColorStyle(), Start, Stop, third);
}

void TQxStatusBar::Paint() {
    TCanvas* c = Canvas();
    if (VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled()) {
        const TThemedElementDetails background{teStatus, SP_BACKGROUND, 0};
        ThemeServices()->DrawElement(c->Handle(), background, {0, 0, Width(), Height()});
        if (FSimpleStatus && !FSimpleCaption.empty())
            ThemeServices()->DrawText(c->Handle(), background, FSimpleCaption, PanelClientRect(),
                                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (OnPaint) OnPaint(this);
        return;
    }
    TQxCustomPanel::Paint();
    if (!FSimpleStatus) return;
    TRect r = PanelClientRect();
    r.Bottom -= 1;
    DrawSimpleFrame(r);
    InflateRect(r, -1, -1);
    if (FSimpleCaption.empty()) return;
    c->SetFont(Font());
    c->Brush()->SetStyle(bsClear);
    const Integer h = c->TextHeight("Pp");
    c->TextRect(r, r.Left + 2, r.Top + (r.Height() - h) / 2, FSimpleCaption);
    c->Brush()->SetStyle(bsSolid);
}

// The classic simple frame: flat lines with open corners, or a style frame.
//
//   .FFFFFFF.
//   F.......F
//   F.......F
//   .FFFFFFF.
void TQxStatusBar::DrawSimpleFrame(const TRect& R) {
    TCanvas* c = Canvas();
    if (VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled()) {
        ThemeServices()->DrawElement(c->Handle(), {teStatus, SP_PANE, 0}, R);
        return;
    }
    if (VisualStyle() != vsClassic) return;
    c->Pen()->SetWidth(1);
    if (FSimpleFrameStyle != fsFlat) {
        PaintStyleFrame(c, R, FSimpleFrameStyle);
        return;
    }
    c->Pen()->SetColor(AdjustColorLuminance(FlatColor(), FlatColorAdjustment()));
    auto line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    line(R.Left, R.Top + 1, R.Left, R.Bottom - 1);
    line(R.Left + 1, R.Top, R.Right - 1, R.Top);
    line(R.Right - 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    line(R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
}

void TQxStatusBar::DrawSizeGrip(HDC DC, const TRect& R) {
    if (VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled()) {
        ThemeServices()->DrawElement(DC, {teStatus, SP_GRIPPER, 0}, {R.Right - 20, R.Top, R.Right, R.Bottom});
        return;
    }
    TColor light = clBtnHighlight, dark = clBtnShadow;
    if (VisualStyle() == vsGradient) {
        TColor first;
        GetSchemeBarColors(GradientColorStyle(), first, light, dark);
    }
    TCanvas* c = FGripCanvas.get();
    c->SetHandle(DC);
    auto dots = [&](TColor Color, Integer r, Integer b) {
        c->Pen()->SetColor(Color);
        c->Brush()->SetColor(Color);
        c->Brush()->SetStyle(bsSolid);
        for (const TRect& d : {TRect(r - 4, b - 12, r - 2, b - 10), TRect(r - 4, b - 8, r - 2, b - 6),
                               TRect(r - 4, b - 4, r - 2, b - 2), TRect(r - 8, b - 8, r - 6, b - 6),
                               TRect(r - 8, b - 4, r - 6, b - 2), TRect(r - 12, b - 4, r - 10, b - 2)})
            c->FillRect(d);
    };
    dots(light, R.Right - 1, R.Bottom);
    dots(dark, R.Right - 2, R.Bottom - 1);
    c->SetHandle(nullptr);
}

// After the bar and its panes are painted the grip goes over them.
void TQxStatusBar::PaintGrip(HDC DC) {
    UpdateSizeGripUsable();
    if (!FShowSizeGrip || !FGripUsable) return;
    TRect r = PanelClientRect();
    r.Bottom -= 1;
    TSavedDC saved(DC);
    DrawSizeGrip(DC, r);
}

void TQxStatusBar::Resize() {
    TQxCustomPanel::Resize();
    if (Width() < 50) return; // the last width stays for the next resize
    if (FFirstResize) {
        FDelta = 0;
        FLastWidth = Width();
        FFirstResize = false;
    } else {
        FDelta = Width() - FLastWidth;
    }
    if (FAutoScalePanes && ControlCount() > 0 && FDelta != 0) {
        TAlignLock lock(this);
        const Integer count = ControlCount();
        for (Integer i = 0; i < count; ++i) {
            TControl* child = Controls(i);
            const double fraction = FLastWidth > 0 ? static_cast<double>(child->Width()) / FLastWidth : 1.0 / count;
            // Nearest, ties to even.
            child->SetWidth(child->Width() + static_cast<Integer>(std::nearbyint(FDelta * fraction)));
        }
    }
    FLastWidth = Width();
}

void TQxStatusBar::WndProc(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN && InSizeGrip(LParamToPoint(Message.LParam))) {
        ReleaseCapture();
        if (TCustomForm* form = GetParentForm(this)) form->Perform(WM_SYSCOMMAND, SizeFromBottomRight);
        return;
    }
    if (Message.Msg == WM_SETCURSOR && InSizeGrip(CursorPosition())) {
        ::SetCursor(Screen->Cursors(crSizeNWSE));
        Message.Result = 1;
        return;
    }
    TQxCustomPanel::WndProc(Message);
}

void TQxStatusBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCHITTEST:
        // The point in the bar's client coordinates: the grip sizes the form.
        Message.Result = InSizeGrip(LParamToPoint(Message.LParam)) ? HTBOTTOMRIGHT : HTCLIENT;
        return;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        TQxCustomPanel::Dispatch(Message);
        if (Message.WParam) PaintGrip(reinterpret_cast<HDC>(Message.WParam));
        return;
    default:
        TQxCustomPanel::Dispatch(Message);
        return;
    }
}

const TClassInfo& TQxStatusBar::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxStatusBar;
        TClassBuilder<T> b("TQxStatusBar", &TQxCustomPanel::ClassInfo());
        PublishPanelProperties(b);
        b.Qualify("Align").Default(alBottom);
        PublishPanelBorders(b, std::nullopt, std::nullopt, std::nullopt);
        b.Property("AutoScalePanes", &T::AutoScalePanes, &T::SetAutoScalePanes)
            .Default(false)
            .Property("AutoStyle", &T::AutoStyle, &T::SetAutoStyle)
            .Default(true)
            .Property("ShowSizeGrip", &T::ShowSizeGrip, &T::SetShowSizeGrip)
            .Default(true)
            .Property("SimpleCaption", &T::SimpleCaption, &T::SetSimpleCaption)
            .Property("SimpleFrameStyle", &T::SimpleFrameStyle, &T::SetSimpleFrameStyle, FrameStyleTypeInfo())
            .Default(fsFlat)
            .Property("SimpleStatus", &T::SimpleStatus, &T::SetSimpleStatus)
            .Default(false);
        return b.Register();
    }();
    return info;
}
