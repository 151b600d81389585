// Painting of the tab strip into the paint buffer: the order of tabs and
// cards, one tab (background, image, caption, bars, outline), the card with
// its frame, the gap under the current tab and the shadow.
//
// Tab outlines in the strip frame, for the tab (0,0,60,20) with SoftCorners
// off; each is an open polyline from the bottom-left corner over the top to
// the bottom-right corner, the edge on the card being the card's:
//
//   tsSingleSlant      (0,20) (0,2) (2,0) (40,0) (60,20)
//   tsCutCorner, K 6   (0,20) (0,0) (54,0) (60,6) (60,20)
//
//   ..##################.........      the single slant, rows 0..3 of 20:
//   .#..................#........      a 2-pixel corner at the left, the
//   #....................#.......      slant falling one pixel in x per
//   #.....................#......      pixel in y to the right

// The card frame of tabs on top with the shadow, the current tab's gap
// between G1 and G2 (f frame, s shadow lines blended over the background):
//
//   fffffffff  ....  ffffff..
//   f                     fs.
//   f                     fss
//   fffffffffffffffffffffffss
//   .sssssssssssssssssssssss

#include "controls/tabs/QxSavedDC.h"
#include "controls/tabs/QxTabButtons.h"
#include "controls/tabs/QxTabControl.h"
#include "platform/rtl/Character.h"

#include <algorithm>

// ================================================================ shapes and regions

std::vector<TPoint> TQxCustomTabControl::TabShape(Integer Index) const {
    const TRect r = TabStripRect(Index);
    const Integer L = r.Left, T = r.Top, R = r.Right, B = r.Bottom, H = B - T, C = FCutCornerSize;
    switch (FTabStyle) {
    case tsSingleSlant:
        if (FSoftCorners) return {{L, B}, {L, T + 2}, {L + 2, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        return {{L, B}, {L, T + 2}, {L + 2, T}, {R - H, T}, {R, B}};
    case tsDoubleSlant:
        if (FSoftCorners)
            return {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        return {{L, B}, {L + H, T}, {R - H, T}, {R, B}};
    case tsCutCorner: return {{L, B}, {L, T}, {R - C, T}, {R, T + C}, {R, B}};
    case tsRoundCorners: return {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}};
    case tsBackSlant:
        if (FSoftCorners) return {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        return {{L, B}, {L + H, T}, {R - 2, T}, {R, T + 2}, {R, B}};
    default: return {{L, B}, {L, T}, {R, T}, {R, B}};
    }
}

HRGN TQxCustomTabControl::TabRegion(Integer Index, const TRect& ClientRect) {
    if (HRGN cached = FRegionCache->Find(ClientRect)) {
        ++FRegionCache->Hits;
        return cached;
    }
    ++FRegionCache->Misses;
    std::vector<TPoint> points = TabShape(Index);
    if (points.size() < 3) return nullptr;
    for (TPoint& p : points)
        p = MapPoint(p);
    HRGN rgn = CreatePolygonRgn(points.data(), static_cast<Integer>(points.size()), ALTERNATE);
    if (!rgn) throw EQxTabControlError("Error creating region");
    FRegionCache->Add(ClientRect, rgn);
    return rgn;
}

// ================================================================ the whole control

void TQxCustomTabControl::Paint() {
    FPaintedOnce = true;
    // No event fires inside a paint: a due repair of the current tab is posted.
    QuietLayoutIfNeeded();
    if (FBuffer->Width() != Width() || FBuffer->Height() != Height()) FBuffer->SetSize(Width(), Height());
    TCanvas* c = FBuffer->Canvas();
    const TRect all = ClientRect();
    const Integer count = FTabs->Count();
    bool handled = false;
    DoPaintBackground(c, all, handled);
    if (!handled) {
        // The card, filled later, covers its part of the background.
        TQxSavedDC saved(c);
        if (count > 0 && CardFillsItself()) {
            const TRect card = CardFillRect(0);
            ExcludeClipRect(saved.DC(), card.Left, card.Top, card.Right, card.Bottom);
        }
        if (FTransparent)
            CopyParentBackgroundToCanvas(this, c, false);
        else {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FBackgroundColor);
            c->FillRect(all);
        }
    }
    PlaceStripButtons();
    if (FCloseButton) FCloseButton->Invalidate();
    if (FMenuButton) FMenuButton->Invalidate();
    if (FScroller) FScroller->Invalidate();

    if (count > 0) {
        Integer first0 = -1;
        for (Integer i = 0; i < count && first0 < 0; ++i)
            if (FTabs->GetItem(i)->Visible && FTabs->GetItem(i)->Row == 0) first0 = i;
        if (first0 >= 0) {
            // Back to front: the tabs before the first of row 0, walking
            // backwards round the list, each back row's card behind the
            // rows before it; the current tab last.
            const Integer start = (first0 - 1 + count) % count;
            Integer row = FRowCount - 1;
            for (Integer k = 0; k < count; ++k) {
                const Integer i = (start - k + count) % count;
                const TQxTabData* t = FTabs->GetItem(i);
                if (!t->Visible || !TabFullyShown(i) || i < FFirstVisibleTab || i == FTabIndex) continue;
                if (t->Row < row && row > 0) {
                    PaintCard(row);
                    row = t->Row;
                }
                PaintTab(i);
            }
            if (row == 1) PaintCard(1);
            if (FTabIndex >= 0 && FTabIndex >= FFirstVisibleTab && TabFullyShown(FTabIndex)) PaintTab(FTabIndex);
        }
        PaintCard(0);
    }
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), c->Handle(), 0, 0, SRCCOPY);
    // A later expose paints the whole control again, shadow included.
    FHotOnly = false;
}

// ================================================================ one tab

void TQxCustomTabControl::PaintTab(Integer Index) {
    TCanvas* c = FBuffer->Canvas();
    const TRect r = TabClientRect(Index);
    TRect visible;
    if (!IntersectRect(visible, r, c->ClipRect())) return;
    if (HRGN rgn = TabRegion(Index, r)) {
        TQxSavedDC saved(c);
        SelectClipRgn(saved.DC(), rgn);
        PaintTabBackground(Index, r);
        PaintTabContent(Index, r);
    }
    PaintOutline(Index);
}

void TQxCustomTabControl::PaintTabBackground(Integer Index, const TRect& R) {
    TCanvas* c = FBuffer->Canvas();
    bool handled = false;
    DoPaintTabBackground(c, Index, R, handled);
    if (handled) return;
    const TQxTabData* t = FTabs->GetItem(Index);
    TColor base, light, dark;
    if (FUseColoredTabs) {
        base = t->Color;
        light = LightenColor(base, 20);
        dark = ColorsAreSimilar(light, 0xFFFFFF) ? TColor(clBtnFace) : DarkenColor(base, 40);
    } else {
        base = Color();
        light = FTabColors->Unselected();
        dark = FTabColors->Shadow();
    }
    if (Index == FHotTab && FHotTrack && FHotTrackStyle == htsTab) {
        if (FHotTrackColorSource == htcsTabColor)
            dark = DarkenColor(dark, 30);
        else if (FHotTrackColorType == htctActual) {
            light = LightenColor(FHotTrackColor, 60);
            dark = FHotTrackColor;
        } else {
            dark = ComplementColor(FHotTrackColor, 140);
            light = LightenColor(dark, 60);
        }
    }
    c->Brush()->SetStyle(bsSolid);
    if (Index == FTabIndex) {
        c->Brush()->SetColor(base);
        c->FillRect(R);
    } else if (FUseGradients && FullColorDisplay) {
        // Light at the strip's outer edge, dark where the tab meets the card.
        const bool outerFirst = FTabOrientation == toTop || FTabOrientation == toLeft;
        GradientFillRect(c, R, SideTabs() ? gdVerticalEnd : gdHorizontalEnd, 1, outerFirst ? dark : light,
                         outerFirst ? light : dark);
    } else {
        c->Brush()->SetColor(light);
        c->FillRect(R);
    }
}

void TQxCustomTabControl::PaintTabContent(Integer Index, const TRect& R) {
    TCanvas* c = FBuffer->Canvas();
    const TQxTabData* t = FTabs->GetItem(Index);
    const TRect content = TabContentRect(R);
    const bool hasImage = FImages && t->ImageIndex != -1;
    const Integer w = hasImage ? FImages->Width() : 0, h = hasImage ? FImages->Height() : 0;
    const bool rev = FTabSequence == tsReverse;
    const auto o = FTabOrientation;
    const bool closeApplies = FShowCloseButtonOnActiveTab && Index == FTabIndex &&
                              ((!VerticalText() && !SideTabs()) || (VerticalText() && SideTabs()));

    TRect text = content;
    const Integer m = t->ImageIndex == -1 ? 0 : FImageMargin;
    switch (FImagePosition) {
    case ipLeft: text.Left += w + m; break;
    case ipTop: text.Top += h + m; break;
    case ipRight: text.Right -= w + m; break;
    case ipBottom: text.Bottom -= h + m; break;
    default: break;
    }
    if (closeApplies) {
        if (!SideTabs())
            (rev ? text.Left += 20 : text.Right -= 20);
        else if (o == toLeft)
            (rev ? text.Bottom -= 20 : text.Top += 20);
        else
            (rev ? text.Top += 20 : text.Bottom -= 20);
    }

    TRect image = content;
    switch (FImagePosition) {
    case ipLeft: image.Right = image.Left + w; break;
    case ipTop: image.Bottom = image.Top + h; break;
    case ipRight: image.Left = image.Right - w; break;
    case ipBottom: image.Top = image.Bottom - h; break;
    default: break;
    }
    if (closeApplies && w > 0 && h > 0) {
        const bool std = !rev;
        if (FImagePosition == ipLeft && !SideTabs() && rev) OffsetRect(image, 20, 0);
        if (FImagePosition == ipRight && !SideTabs() && std) OffsetRect(image, -20, 0);
        if (FImagePosition == ipTop && ((o == toLeft && std) || (o == toRight && rev))) OffsetRect(image, 0, 20);
        if (FImagePosition == ipBottom && ((o == toLeft && rev) || (o == toRight && std))) OffsetRect(image, 0, -20);
    }
    if (hasImage) {
        Integer x = image.Left, y = image.Top;
        if (FImagePosition != ipStretch) {
            if (FImageAlignment == haCenter) x += (image.Width() - w) / 2;
            if (FImageAlignment == haRight) x = image.Right - w;
            if (FImageAlignmentVertical == vaCenter) y += (image.Height() - h) / 2;
            if (FImageAlignmentVertical == vaBottom) y = image.Bottom - h;
        }
        if (t->DisabledIndex == -1)
            FImages->Draw(c, x, y, t->ImageIndex, t->Enabled);
        else
            FImages->Draw(c, x, y, t->Enabled ? t->ImageIndex : t->DisabledIndex, true);
    }

    // The caption's colour, and the highlight bars of the hot and current tab.
    auto bar = [&](TColor Color) {
        TRect b = R;
        InflateRect(b, 1, 1);
        switch (o) {
        case toTop: b.Bottom = b.Top + 6; break;
        case toLeft: b.Right = b.Left + 6; break;
        case toBottom: b.Top = b.Bottom - 4; break;
        default: b.Left = b.Right - 4; break;
        }
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color);
        c->FillRect(b);
    };
    auto hook = [&](TQxTextStyle Style, TColor Default) {
        TColor color = Default;
        bool handled = false;
        DoGetTextColor(Index, Style, color, handled);
        return handled ? color : Default;
    };
    TColor textColor;
    if (!t->Enabled)
        textColor = hook(tsDisabled, FTextColors->Disabled());
    else if (FHotTrack && Index == FHotTab) {
        TColor def = FTextColors->Selected();
        if (FHotTrackStyle == htsText)
            def = FHotTrackColorType == htctActual ? FHotTrackColor : ComplementColor(FHotTrackColor, 140);
        textColor = hook(tsHotTrack, def);
        if (FHotTrackStyle == htsTabBar) {
            if (FHotTrackColorSource == htcsTabColor)
                bar(DarkenColor(t->Color, 40));
            else if (FHotTrackColorType == htctActual)
                bar(FHotTrackColor);
            else
                bar(ComplementColor(FHotTrackColor, 140));
        }
    } else if (Index == FTabIndex) {
        textColor = hook(tsSelected, FTextColors->Selected());
        if (FHotTrack && FHotTrackStyle == htsTabBar) bar(FTabColors->HighlightBar());
    } else
        textColor = hook(tsUnselected, FTextColors->Unselected());

    if (!t->Caption.empty()) PaintCaption(Index, text, textColor);

    if (closeApplies && FActiveCloseButton) {
        const TRect& k = content;
        TRect b;
        if (!SideTabs()) {
            const Integer H = k.Height();
            const bool large = H >= 13;
            const Integer bw = large ? 15 : 10, bh = large ? 13 : 9;
            const Integer top = k.Top + H / 2 - (large ? 6 : 4);
            b = rev ? Bounds(k.Left, top, bw, bh) : TRect(k.Right - bw, top, k.Right, top + bh);
        } else {
            const Integer W = k.Width();
            const bool large = W >= 15;
            const Integer bw = large ? 15 : 10, bh = large ? 13 : 9;
            const Integer left = k.Left + W / 2 - (large ? 7 : 5);
            const bool atTop = (o == toLeft) != rev;
            b = atTop ? Bounds(left, k.Top, bw, bh) : TRect(left, k.Bottom - bh, left + bw, k.Bottom);
        }
        if (FActiveCloseButton->BoundsRect() != b) FActiveCloseButton->SetBoundsRect(b);
    }

    if (FShowFocusRect && Index == FTabIndex && Focused()) {
        TRect f = text;
        if (!SideTabs()) {
            InflateRect(f, 1, 0);
            f.Bottom += 1;
        } else
            InflateRect(f, 0, 1);
        if (FTabStyle == tsRoundCorners || FTabStyle == tsSquareCorners) {
            switch (o) {
            case toTop: f.Top += 1; break;
            case toLeft: f.Left += 2; break;
            case toBottom: f.Bottom -= 1; break;
            default: f.Right -= 2; break;
            }
        }
        c->DrawFocusRect(f);
    }
}

void TQxCustomTabControl::PaintCaption(Integer Index, const TRect& TextRect, TColor TextColor) {
    const bool bold = FBoldCurrentTab && Index == FTabIndex;
    TFontSelection font(this, bold);
    HDC dc = font.DC();
    std::vector<String> lines;
    SplitLines(FTabs->GetItem(Index)->Caption, lines);
    std::vector<TSize> sizes;
    const TSize block = MeasureLines(dc, lines, &sizes);
    TRect r = TextRect;
    if (!VerticalText()) {
        if (FTextAlignmentVertical == vaCenter) r.Top += (r.Height() - block.cy) / 2;
        if (FTextAlignmentVertical == vaBottom) r.Top = r.Bottom - block.cy;
    } else {
        const bool toRightTabs = FTabOrientation == toRight;
        if (FTextAlignment == haCenter) {
            r.Left += (r.Width() - block.cx) / 2;
            r.Right = r.Left + block.cx;
        } else if (toRightTabs && FTextAlignment == haLeft)
            r.Right = r.Left + block.cx;
        else if (!toRightTabs && FTextAlignment == haRight)
            r.Left = r.Right - block.cx;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(TextColor));
    const bool downwards = VerticalText() && FTabOrientation == toRight;
    Integer before = 0; // the lines' extent across so far
    for (size_t k = 0; k < lines.size(); ++k) {
        const TSize e = sizes[k];
        TPoint p;
        if (!VerticalText()) {
            Integer dx = 0;
            if (FTextAlignment == haCenter) dx = (r.Width() - e.cx) / 2;
            if (FTextAlignment == haRight) dx = r.Width() - e.cx;
            p = {r.Left + dx, r.Top + before};
            before += e.cy;
        } else {
            const Integer free = r.Height() - e.cx;
            if (downwards) {
                Integer dy = 0;
                if (FTextAlignmentVertical == vaCenter) dy = free / 2;
                if (FTextAlignmentVertical == vaBottom) dy = free;
                p = {r.Right - before, r.Top + dy};
            } else {
                Integer dy = 0;
                if (FTextAlignmentVertical == vaTop) dy = free;
                if (FTextAlignmentVertical == vaCenter) dy = free / 2;
                p = {r.Left + before, r.Bottom - dy};
            }
            before += e.cy;
        }
        // The parts before, at and after the accelerator, each moving the pen on.
        const String& line = lines[k];
        const size_t at = AcceleratorAt(line);
        auto draw = [&](const String& Part, bool Underline) {
            if (Part.empty()) return;
            TSize pe{0, 0};
            if (Underline && !FWorkFont->Style().Contains(fsUnderline)) {
                TFontSelection under(this, bold, true);
                SetBkMode(under.DC(), TRANSPARENT);
                SetTextColor(under.DC(), ColorToRGB(TextColor));
                TextOut(under.DC(), p.X, p.Y, Part);
                GetTextExtentPoint32(under.DC(), Part, &pe);
            } else {
                TextOut(dc, p.X, p.Y, Part);
                GetTextExtentPoint32(dc, Part, &pe);
            }
            if (!VerticalText())
                p.X += pe.cx;
            else
                p.Y += downwards ? pe.cx : -pe.cx;
        };
        if (at == String::npos) {
            draw(VisibleLine(line), false);
        } else {
            // The accelerator is one character, of however many bytes.
            Integer length = 0;
            ConvertToUtf32(line, at, length);
            const size_t n = static_cast<size_t>(length);
            draw(line.substr(0, at - 1), false);
            draw(line.substr(at, n), true);
            draw(line.substr(at + n), false);
        }
    }
}

// ================================================================ outlines and cards

TColor TQxCustomTabControl::LineColor() const {
    return AdjustColorLuminance(FFlatColor, FFlatColorAdjustment);
}

void TQxCustomTabControl::PaintOutline(Integer Index) {
    const std::vector<TPoint> points = TabShape(Index);
    const size_t n = points.size();
    bool ok = false;
    switch (FTabStyle) {
    case tsDoubleSlant: ok = n == 4 || (FSoftCorners && n == 6); break;
    case tsCutCorner: ok = n == 5; break;
    case tsRoundCorners: ok = n == 6; break;
    case tsSquareCorners: ok = n == 4; break;
    default: ok = n == 5 || (FSoftCorners && n == 6); break;
    }
    if (!ok) throw EQxTabControlError("Incorrect number of points in tab shape");
    FCommands.clear();
    Cmd(ckStart);
    Cmd(ckPen);
    CmdMove(MapPoint(points[0]));
    for (size_t k = 1; k < n; ++k)
        CmdLine(MapPoint(points[k]));
    ReplayCommands();
}

bool TQxCustomTabControl::CardFillsItself() const {
    return !OnPaintCardBackground;
}

TRect TQxCustomTabControl::CardFillRect(Integer Row) const {
    TRect r = CardRect(Row);
    if (FShowCard && !IsZeroRect(r)) {
        r.Right += 1;
        r.Bottom += 1;
    }
    return r;
}

void TQxCustomTabControl::PaintCard(Integer Row) {
    TCanvas* c = FBuffer->Canvas();
    if (IsZeroRect(CardRect(Row))) return;
    const TRect r = CardFillRect(Row);
    bool handled = false;
    {
        // A back row shows only where the row before it will not cover it.
        TQxSavedDC saved(c);
        if (Row > 0 && CardFillsItself()) {
            const TRect nearer = CardFillRect(Row - 1);
            ExcludeClipRect(saved.DC(), nearer.Left, nearer.Top, nearer.Right, nearer.Bottom);
        }
        DoPaintCardBackground(c, Row, r, handled);
        if (!handled) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FUseColoredTabs && FTabIndex >= 0 && FTabIndex < FTabs->Count()
                                     ? FTabs->GetItem(FTabIndex)->Color
                                     : Color());
            c->FillRect(r);
        }
    }
    if (!FShowCardFrame) return;
    FCommands.clear();
    Cmd(ckStart);
    RecordCardFrame(Row);
    ReplayCommands();
}

void TQxCustomTabControl::RecordCardFrame(Integer Row) {
    // The corners are the card's own pixels (the fill's rectangle is one
    // larger to the right and bottom).
    const TRect r = CardRect(Row);
    const TPoint A{r.Left, r.Top}, B{r.Right, r.Top}, C{r.Right, r.Bottom}, D{r.Left, r.Bottom};
    const bool shadowCase = FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow;
    auto shadow = [&] {
        if (FHotOnly) return;
        CmdMove({B.X - 1, B.Y + 1});
        Cmd(ckShadow30, {C.X - 1, C.Y - 1});
        Cmd(ckShadow30, {D.X, D.Y - 1});
        CmdMove({B.X - 1, B.Y});
        Cmd(ckShadow15, B);
        Cmd(ckShadow15, C);
        Cmd(ckShadow15, D);
        Cmd(ckShadow15, {D.X, D.Y - 1});
    };
    auto lines = [&](std::initializer_list<TPoint> Points) {
        for (TPoint p : Points)
            CmdLine(p);
    };
    Cmd(ckPen);
    const bool gap = Row == 0 && FTabIndex >= 0 && FTabIndex < FTabs->Count() && FTabIndex >= FFirstVisibleTab &&
                     TabFullyShown(FTabIndex);
    if (!gap) {
        CmdMove(A);
        if (shadowCase) {
            lines({{B.X - 2, B.Y}, {C.X - 2, C.Y - 2}, {D.X, D.Y - 2}, A});
            shadow();
        } else {
            CmdLine(B);
            if (FShowFullFrame) lines({C, D, A});
        }
        return;
    }
    const std::vector<TPoint> shape = TabShape(FTabIndex);
    const TPoint G1 = MapPoint({shape.front().X + 1, shape.front().Y});
    const TPoint G2 = MapPoint(shape.back());
    const bool full = FShowFullFrame;
    // Tabs on the right without the full frame: the edge at the tabs only,
    // one pixel out, the same for every style.
    auto rightEdgeOnly = [&] {
        CmdMove({B.X + 1, B.Y});
        CmdLine({G1.X + 1, G1.Y});
        CmdMove({G2.X + 1, G2.Y});
        CmdLine({C.X + 1, C.Y + 1});
    };
    if (FTabStyle != tsRoundCorners && FTabStyle != tsSquareCorners) {
        switch (FTabOrientation) {
        case toTop:
            CmdMove(A);
            CmdLine(G1);
            CmdMove(G2);
            if (shadowCase) {
                if (full)
                    lines({{B.X - 2, B.Y}, {C.X - 2, C.Y - 2}, {D.X, D.Y - 2}, {A.X, A.Y - 1}});
                else
                    CmdLine({B.X - 2, B.Y});
                shadow();
            } else if (full)
                lines({B, C, D, A});
            else
                CmdLine({B.X + 1, B.Y});
            break;
        case toLeft:
            if (full) {
                CmdMove(A);
                lines({B, C, D, G1});
                CmdMove(G2);
                CmdLine(A);
            } else {
                CmdMove({D.X - 1, D.Y});
                CmdLine({G1.X - 1, G1.Y});
                CmdMove({G2.X - 1, G2.Y});
                CmdLine({A.X - 1, A.Y - 1});
            }
            break;
        case toBottom:
            if (full) {
                CmdMove(A);
                lines({B, C, {G2.X - 1, G2.Y}});
                CmdMove({G1.X - 1, G1.Y});
                lines({D, A});
            } else {
                CmdMove({C.X, C.Y + 1});
                CmdLine({G2.X - 1, G2.Y + 1});
                CmdMove({G1.X - 1, G1.Y + 1});
                CmdLine({D.X - 1, D.Y + 1});
            }
            break;
        default:
            if (full) {
                CmdMove(A);
                lines({B, G1});
                CmdMove(G2);
                lines({C, D, A});
            } else
                rightEdgeOnly();
            break;
        }
        return;
    }
    // Round and square corners: the current tab is grown by 2 over the card.
    const TPoint G1l{G1.X - 1, G1.Y}, G2l{G2.X - 1, G2.Y};
    auto pixelAtG2 = [&] {
        CmdMove(G2);
        lines({G2, {G2.X + 1, G2.Y}});
    };
    switch (FTabOrientation) {
    case toTop:
        if (shadowCase) {
            CmdMove({D.X, D.Y - 2});
            lines({A, G1});
            CmdMove(G2);
            lines({{B.X - 2, B.Y}, {C.X - 2, C.Y - 2}, {D.X - 1, D.Y - 2}});
            shadow();
        } else if (full) {
            CmdMove(D);
            lines({A, G1});
            CmdMove(G2);
            lines({B, C, {D.X - 1, D.Y}});
        } else {
            CmdMove(A);
            CmdLine(G1);
            CmdMove(G2);
            CmdLine({B.X + 1, B.Y});
        }
        pixelAtG2();
        break;
    case toLeft:
        if (full) {
            CmdMove(D);
            CmdLine(G1);
            CmdMove(G2);
            lines({A, B, C, {D.X - 1, D.Y}});
        } else {
            CmdMove({D.X - 1, D.Y});
            CmdLine({G1.X - 1, G1.Y});
            CmdMove({G2.X - 1, G2.Y});
            CmdLine({A.X - 1, A.Y});
        }
        break;
    case toBottom:
        if (full) {
            CmdMove(D);
            lines({A, B, C, G2l});
            CmdMove(G1l);
            CmdLine(D);
        } else {
            CmdMove({C.X, C.Y + 1});
            CmdLine({G2l.X, G2.Y + 1});
            CmdMove({G1l.X, G1.Y + 1});
            CmdLine({D.X - 1, D.Y + 1});
        }
        break;
    default:
        if (full) {
            CmdMove(D);
            lines({A, {B.X + 1, B.Y}});
            CmdMove(B);
            CmdLine(G1);
            CmdMove(G2);
            lines({C, {D.X - 1, D.Y}});
        } else
            rightEdgeOnly();
        break;
    }
}

void TQxCustomTabControl::ReplayCommands() {
    TCanvas* c = FBuffer->Canvas();
    TCanvas* background = nullptr;
    if (std::any_of(FCommands.begin(), FCommands.end(),
                    [](const TCommand& k) { return k.Kind == ckShadow30 || k.Kind == ckShadow15; })) {
        // What lies behind the control, under the shadow's lines only.
        if (!FShadowBackground) FShadowBackground = std::make_unique<TBitmap>();
        if (FShadowBackground->Width() != Width() || FShadowBackground->Height() != Height())
            FShadowBackground->SetSize(Width(), Height());
        background = FShadowBackground->Canvas();
        HRGN under = CreateRectRgn(0, 0, 0, 0);
        TPoint pos{0, 0};
        for (const TCommand& k : FCommands) {
            if (k.Kind == ckShadow30 || k.Kind == ckShadow15) {
                HRGN line = CreateRectRgn(std::min(pos.X, k.P.X), std::min(pos.Y, k.P.Y), std::max(pos.X, k.P.X) + 1,
                                          std::max(pos.Y, k.P.Y) + 1);
                CombineRgn(under, under, line, RGN_OR);
                DeleteObject(AsGdiObj(line));
            }
            if (k.Kind != ckPen && k.Kind != ckStart) pos = k.P;
        }
        TQxSavedDC saved(background);
        SelectClipRgn(saved.DC(), under);
        DeleteObject(AsGdiObj(under));
        CopyParentBackgroundToCanvas(this, background, false);
    }
    TColor line = LineColor();
    TPoint pos{0, 0};
    for (const TCommand& k : FCommands) {
        switch (k.Kind) {
        case ckStart: line = LineColor(); break;
        case ckPen:
            c->Pen()->SetStyle(psSolid);
            c->Pen()->SetColor(line);
            break;
        case ckMove:
            c->MoveTo(k.P.X, k.P.Y);
            pos = k.P;
            break;
        case ckLine:
            c->LineTo(k.P.X, k.P.Y);
            pos = k.P;
            break;
        case ckShadow30:
        case ckShadow15: {
            const Byte weight = k.Kind == ckShadow30 ? 30 : 15;
            const Integer x0 = std::min(pos.X, k.P.X), x1 = std::max(pos.X, k.P.X);
            const Integer y0 = std::min(pos.Y, k.P.Y), y1 = std::max(pos.Y, k.P.Y);
            if (x0 == x1 || y0 == y1) {
                for (Integer y = y0; y <= y1; ++y)
                    for (Integer x = x0; x <= x1; ++x)
                        c->SetPixels(x, y, BlendColors(clBlack, background->Pixels(x, y), weight));
            }
            c->MoveTo(k.P.X, k.P.Y);
            pos = k.P;
            break;
        }
        }
    }
}
