#include "controls/panel/QxPanel.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Themes.h"

namespace {

TThemedElementDetails GroupBoxElement(bool Enabled) {
    return {teButton, BP_GROUPBOX, Enabled ? GBS_NORMAL : GBS_DISABLED};
}

UINT HorizontalFlags(TAlignment Alignment) {
    return Alignment == taLeftJustify ? DT_LEFT : Alignment == taRightJustify ? DT_RIGHT : DT_CENTER;
}

} // namespace

TQxCustomGroupBox::TQxCustomGroupBox(TComponent* AOwner) : TQxCustomPanel(AOwner) {
    FControlStyle << csSetCaption << csDoubleClicks;
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    SetHeight(105);
}

void TQxCustomGroupBox::SetGroupStyle(TQxGroupBoxStyle Value) {
    StoreRelayout(FGroupStyle, Value);
}

void TQxCustomGroupBox::SetBannerHeight(Integer Value) {
    StoreRelayout(FBannerHeight, Value);
}

// Children start below the caption: by the caption's height for the line
// styles, by the banner's, or half-way into a frame set around them.
void TQxCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TQxCustomPanel::AdjustClientRect(Rect);
    const Integer h = MeasureText(Font(), "Yy").cy;
    switch (FGroupStyle) {
    case gsCustom:
        if (!Caption().empty()) Rect.Top += h;
        InflateRect(Rect, -2, -2);
        break;
    case gsTopLine:
        Rect.Top += h;
        break;
    case gsBanner:
        Rect.Top += FBannerHeight ? FBannerHeight : h + 8;
        break;
    case gsUnderline:
        Rect.Top += h + 4;
        break;
    case gsStandard:
    case gsFlat: {
        const Integer a = h / 2 - 1;
        Rect.Top += a < BorderWidth() ? a : h - BorderWidth();
        const Integer inset = FGroupStyle == gsStandard ? 2 : 1;
        InflateRect(Rect, -inset, -inset);
        break;
    }
    }
}

TRect TQxCustomGroupBox::CaptionRect() {
    if (Caption().empty() || FGroupStyle == gsCustom) return {};
    const String text = StripAccelChars(Caption());
    TCanvas* c = Canvas();
    c->SetFont(Font());
    TSize size;
    const bool themed = VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled() &&
                        (FGroupStyle == gsStandard || FGroupStyle == gsFlat);
    if (themed) {
        const TRect e =
            ThemeServices()->GetTextExtent(c->Handle(), GroupBoxElement(Enabled()), text, DT_SINGLELINE);
        size = {e.Width(), e.Height()};
    } else {
        size = c->TextExtent(text);
    }
    const Integer tw = size.cx, th = size.cy, w = Width();
    const bool rtl = UseRightToLeftAlignment();
    switch (FGroupStyle) {
    case gsStandard:
    case gsFlat:
        return rtl ? TRect(w - tw - 8, 0, w - 8, th) : TRect(8, 0, tw + 8, th);
    case gsTopLine:
        return rtl ? TRect(w - tw - 4, 0, w - 4, th) : TRect(0, 0, tw + 4, th);
    case gsBanner:
        return {0, 0, w, FBannerHeight ? FBannerHeight : th + 6};
    case gsUnderline:
        return {0, 0, w, th + 2};
    default:
        return {};
    }
}

// The frames of the styles, F being (0, m, Width, Height) with m half the
// caption height less one, so the top line runs through the caption:
//
//   gsFlat (cut corners)   gsBanner              gsUnderline
//   ..PP[caption]PPP..     .PPPPPPPPPPPPPPP.     caption
//   .P..............P.     PgggggggggggggggP     PPPPPPPPPPPPPPP
//   P................P     .PPPPPPPPPPPPPPP.
//   P................P     (no frame below)      (no frame below)
//   .P..............P.
//   ..PPPPPPPPPPPPPP..
void TQxCustomGroupBox::Paint() {
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const Integer m = c->TextHeight("Pp") / 2 - 1;
    const TRect cap = CaptionRect();
    const bool hasCaption = !cap.IsEmpty();
    HDC dc = c->Handle();
    const bool themed = VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled() &&
                        (FGroupStyle == gsStandard || FGroupStyle == gsFlat);
    if (themed) {
        if (!Transparent()) CopyParentBackgroundToCanvas(this, c, true);
        {
            TSavedDC saved(dc);
            if (hasCaption) ExcludeClipRect(dc, cap.Left, cap.Top, cap.Right, cap.Bottom);
            ThemeServices()->DrawElement(dc, GroupBoxElement(Enabled()), {0, m, Width(), Height()});
        }
        if (!Caption().empty())
            ThemeServices()->DrawText(dc, GroupBoxElement(Enabled()), Caption(), cap, HorizontalFlags(Alignment()));
        if (OnPaint) OnPaint(this);
        return;
    }
    if (FGroupStyle == gsCustom) {
        TQxCustomPanel::Paint();
        return;
    }
    {
        TSavedDC saved(dc);
        if (!Transparent()) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            c->FillRect({0, 0, Width(), Height()});
        } else if (FGroupStyle != gsBanner && hasCaption) {
            ExcludeClipRect(dc, cap.Left, cap.Top, cap.Right, cap.Bottom);
        }
        const TRect f{0, m, Width(), Height()};
        const TColor p = AdjustColorLuminance(FlatColor(), FlatColorAdjustment());
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(p);
        auto line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
            c->MoveTo(X1, Y1);
            c->LineTo(X2, Y2);
        };
        auto frame = [&](TSides Sides) {
            const TFrameStyleEx outer = BorderOuter();
            if (outer == fsNone)
                PaintStyleFrameSides(c, f, fsGroove, Sides);
            else if (outer >= fsGroove && outer <= fsPopup)
                PaintStyleFrameSides(c, f, outer, Sides);
            else if (outer == fsFlatBold && Sides == AllSides)
                PaintBevelLines(c, f, p, Sides, 2, p);
            else if (Sides == AllSides) // fsFlat, and the nearest to fsFlatRounded
                PaintRectOutline(c, f, p);
            else {
                line(f.Left + 2, f.Top, f.Right - 2, f.Top);
                if (outer == fsFlatBold) line(f.Left + 2, f.Top + 1, f.Right - 2, f.Top + 1);
            }
        };
        switch (FGroupStyle) {
        case gsStandard:
            frame(AllSides);
            break;
        case gsTopLine:
            frame(TSides{sdTop});
            break;
        case gsFlat:
            line(f.Left, f.Top + 2, f.Left, f.Bottom - 2);
            line(f.Left + 2, f.Top, f.Right - 2, f.Top);
            line(f.Right - 1, f.Top + 2, f.Right - 1, f.Bottom - 2);
            line(f.Left + 2, f.Bottom - 1, f.Right - 2, f.Bottom - 1);
            c->SetPixels(f.Left + 1, f.Top + 1, p);
            c->SetPixels(f.Right - 2, f.Top + 1, p);
            c->SetPixels(f.Right - 2, f.Bottom - 2, p);
            c->SetPixels(f.Left + 1, f.Bottom - 2, p);
            break;
        case gsBanner: {
            TColor pen = p, start = GradientColorStart(), stop = GradientColorStop();
            if (GradientColorStyle() != gcsCustom) {
                TColor first, second, third;
                GetSchemeBarColors(GradientColorStyle(), first, second, third);
                pen = third;
                start = second;
                stop = first;
            }
            if (hasCaption) {
                c->Pen()->SetColor(pen);
                line(cap.Left, cap.Top + 1, cap.Left, cap.Bottom - 1);
                line(cap.Left + 1, cap.Top, cap.Right - 1, cap.Top);
                line(cap.Right - 1, cap.Top + 1, cap.Right - 1, cap.Bottom - 1);
                line(cap.Left + 1, cap.Bottom - 1, cap.Right - 1, cap.Bottom - 1);
                TRect inner = cap;
                InflateRect(inner, -1, -1);
                GradientFillRect(c, inner, gdHorizontalEnd, 1, stop, start);
            }
            break;
        }
        case gsUnderline:
            if (hasCaption) line(cap.Left, cap.Bottom, cap.Right, cap.Bottom);
            break;
        default:
            break;
        }
    }
    if (hasCaption) {
        TRect r = cap;
        if (!Transparent() && FGroupStyle != gsBanner) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            c->FillRect(r);
        }
        if (FGroupStyle == gsBanner) InflateRect(r, -4, -1);
        c->Brush()->SetStyle(bsClear);
        if (!Enabled())
            c->Font()->SetColor(clGrayText);
        else if (VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled())
            c->Font()->SetColor(GetThemedElementColor(6));
        DrawTextOnCanvas(c, Caption(), r, DT_SINGLELINE | DT_VCENTER | HorizontalFlags(Alignment()));
        c->Brush()->SetStyle(bsSolid);
    }
    if (OnPaint) OnPaint(this);
}

bool TQxCustomGroupBox::DialogChar(TMessage& Message) {
    if (!IsAccel(static_cast<Word>(Message.WParam), Caption()) || !CanFocus()) return false;
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    for (TWinControl* w : list)
        if (w->CanFocus()) {
            w->SetFocus();
            Message.Result = 1;
            return true;
        }
    return false;
}

void TQxCustomGroupBox::FrameControllerChanged() {
    TQxFrameController* fc = FrameController();
    if (fc && fc->FrameVisible() && FGroupStyle == gsCustom) TQxCustomPanel::FrameControllerChanged();
}

void TQxCustomGroupBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (DialogChar(Message)) return;
        break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED: // the caption's height moves the children
        TQxCustomPanel::Dispatch(Message);
        Realign();
        Invalidate();
        return;
    default:
        break;
    }
    TQxCustomPanel::Dispatch(Message);
}

const TClassInfo& TQxCustomPanel::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomPanel>("TQxCustomPanel", &TCustomPanel::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxCustomGroupBox::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomGroupBox>("TQxCustomGroupBox", &TQxCustomPanel::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxGroupBox::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxGroupBox;
        TClassBuilder<T> b("TQxGroupBox", &TQxCustomGroupBox::ClassInfo());
        PublishPanelProperties(b);
        PublishPanelBorders(b, fsNone, fsNone, AllSides);
        b.Property("GroupStyle", &T::GroupStyle, &T::SetGroupStyle, GroupBoxStyleTypeInfo())
            .Default(gsFlat)
            .Property("BannerHeight", &T::BannerHeight, &T::SetBannerHeight)
            .Default(0);
        return b.Register();
    }();
    return info;
}
