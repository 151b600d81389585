// Layout and scrolling of the tab strip: tab sizes from captions and
// images, rows, placement in the strip frame, the scroller, the card, the
// mapping to the control's side, and the strip buttons' places.
//
// The strip frame for a strip of two rows, tabs on top (row 0 next to the
// card; y grows towards the card, x along the strip):
//
//   y0-(F-RowOverlap)  +----+----+          row 1, shifted by RowIndent
//                      | t3 | t4 |
//   y0 = T - F      +----+----+----+        row 0
//                   | t0 | t1 | t2 |
//   T               +==============+==      the card's top edge

#include "controls/tabs/QxTabButtons.h"
#include "controls/tabs/QxTabControl.h"
#include "controls/tabs/QxSavedDC.h"

#include <algorithm>
#include <cstdlib>

// ================================================================ fonts

HFONT TQxCustomTabControl::MakeTabFont(bool Bold, bool Underline) const {
    TFont font;
    font.Assign(FWorkFont.get());
    if (Bold) font.SetStyle(font.Style() + TFontStyles{fsBold});
    if (Underline) font.SetStyle(font.Style() + TFontStyles{fsUnderline});
    return CreateRotatedFont(&font, TextAngle());
}

Integer TQxCustomTabControl::TextAngle() const {
    if (FTextOrientation == orHorizontal) return 0;
    return FTabOrientation == toRight ? 270 : 90;
}

void TQxCustomTabControl::SplitLines(const String& Caption, std::vector<String>& Lines) const {
    Lines.clear();
    size_t start = 0;
    while (true) {
        const size_t br = Caption.find("\r\n", start);
        if (br == String::npos) {
            Lines.push_back(Caption.substr(start));
            return;
        }
        Lines.push_back(Caption.substr(start, br - start));
        start = br + 2;
    }
}

String TQxCustomTabControl::VisibleLine(const String& Line) {
    const size_t amp = Line.find('&');
    if (amp == String::npos || amp + 1 >= Line.size()) return Line;
    return Line.substr(0, amp) + Line.substr(amp + 1);
}

size_t TQxCustomTabControl::AcceleratorAt(const String& Line) {
    const size_t amp = Line.find('&');
    if (amp == String::npos || amp + 1 >= Line.size() || Line[amp + 1] == '&') return String::npos;
    return amp + 1;
}

// The lines' block with the font selected into DC: horizontal text the
// widest line by the lines' heights; vertical text the lines side by side.
// Sizes, when given, receives each line's own extent.
TSize TQxCustomTabControl::MeasureLines(HDC DC, const std::vector<String>& Lines, std::vector<TSize>* Sizes) const {
    TSize total{0, 0};
    for (const String& l : Lines) {
        TSize e{0, 0};
        GetTextExtentPoint32(DC, VisibleLine(l), &e);
        if (Sizes) Sizes->push_back(e);
        if (VerticalText()) {
            total.cx += e.cy;
            total.cy = std::max(total.cy, e.cx);
        } else {
            total.cx = std::max(total.cx, e.cx);
            total.cy += e.cy;
        }
    }
    return total;
}

// The caption's size with the tab font selected into the paint buffer.
TSize TQxCustomTabControl::TextSize(const String& Caption) {
    if (Caption.empty()) return {0, 0};
    std::vector<String> lines;
    SplitLines(Caption, lines);
    return MeasureLines(FBuffer->Canvas()->Handle(), lines, nullptr);
}

// ================================================================ sizes

Integer TQxCustomTabControl::Overlap(Integer X) const {
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant: return X / 2;
    case tsDoubleSlant: return X;
    case tsSquareCorners: return FTabOverlap + 1;
    default: return FTabOverlap;
    }
}

Integer TQxCustomTabControl::StyleExtra() const {
    return FTabStyle == tsRoundCorners || FTabStyle == tsSquareCorners ? 3 : 0;
}

TSize TQxCustomTabControl::ContentSize(const TQxTabData* Tab) {
    if (!Tab->Visible) return {0, 0};
    TSize img{0, 0};
    if (FImages && Tab->ImageIndex != -1) img = {FImages->Width(), FImages->Height()};
    const TSize text = TextSize(Tab->Caption);
    switch (FImagePosition) {
    case ipLeft:
    case ipRight: return {FImageMargin + img.cx + text.cx, std::max(img.cy, text.cy)};
    case ipTop:
    case ipBottom: return {std::max(img.cx, text.cx), FImageMargin + img.cy + text.cy};
    case ipBack: return {std::max(img.cx, text.cx), std::max(img.cy, text.cy)};
    default: return text;
    }
}

// The content raised to the minimum of a tab, and lengthened for the close
// cross on the active tab.
TSize TQxCustomTabControl::RaiseToMinimum(TSize C) {
    TSize e{0, 0};
    GetTextExtentPoint32(FBuffer->Canvas()->Handle(),
                         FTabStyle == tsRoundCorners || FTabStyle == tsSquareCorners ? "AAA" : "A", &e);
    const Integer across = std::abs(FWorkFont->Height());
    const Integer minW = VerticalText() ? across : e.cx;
    const Integer minH = VerticalText() ? e.cx : across;
    if (FTabWidth == 0) C.cx = std::max(C.cx, minW);
    if (FTabHeight == 0) C.cy = std::max(C.cy, minH);
    if (FShowCloseButtonOnActiveTab) {
        if (!VerticalText() && !SideTabs()) C.cx += 20;
        if (VerticalText() && SideTabs()) C.cy += 20;
    }
    return C;
}

TSize TQxCustomTabControl::TabSizeFromContent(TSize C) const {
    const Integer w = C.cx, h = C.cy, w2 = w + 2, h2 = h + 2;
    const Integer K = FCutCornerSize;
    TSize s;
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        if (!SideTabs())
            s = {w2 + 2 * Overlap(h + 6) + FTabHeight / 2 + 4, h + 6};
        else
            s = {w + 6, h2 + 2 * Overlap(w + 6) + FTabHeight / 2 + 4};
        break;
    case tsDoubleSlant:
        if (!SideTabs())
            s = {w2 + 2 * h2 + FTabHeight + 4, h + 6};
        else
            s = {w + 6, h2 + 2 * w2 + FTabHeight + 4};
        break;
    case tsCutCorner:
        if (!SideTabs())
            s = VerticalText() ? TSize{w + 10, h2 + K + 5} : TSize{w2 + 2 * K + 6, h + 7};
        else
            s = VerticalText() ? TSize{w + 7, h2 + 2 * K + 6} : TSize{w2 + K + 5, h + 10};
        break;
    default: s = {w + 6, h + 6}; break;
    }
    if (FTabWidth > 0) s.cx = FTabWidth;
    if (FTabHeight > 0) s.cy = FTabHeight;
    return s;
}

TRect TQxCustomTabControl::Box() const {
    return {0, 0, ClientWidth() - 1, ClientHeight() - 1};
}

Integer TQxCustomTabControl::TabAreaThickness() const {
    if (!FShowCard) return SideTabs() ? Width() - 1 : Height() - 1;
    return StyleExtra() + FFixedDimension + (FFixedDimension - FRowOverlap) * (FRowCount - 1);
}

TRect TQxCustomTabControl::TabArea() const {
    const Integer R = Width() - 1, B = Height() - 1, T = TabAreaThickness();
    switch (FTabOrientation) {
    case toTop: return {0, 0, FShowShadow && FTabSequence == tsStandard ? R - 2 : R, T};
    case toLeft: return {0, 0, T, B};
    case toBottom: return {0, B - T, R, B};
    default: return {R - T, 0, R, B};
    }
}

Integer TQxCustomTabControl::StripLength() const {
    const TRect a = TabArea();
    return SideTabs() ? a.Height() : a.Width();
}

void TQxCustomTabControl::ButtonSizes(Integer& B1, Integer& B2) {
    TSize e{0, 0};
    GetTextExtentPoint32(FBuffer->Canvas()->Handle(), "A", &e);
    const Integer base = e.cy + (VerticalText() ? 2 : 4);
    const bool horizontalFit = !SideTabs() && !VerticalText();
    const bool verticalFit = SideTabs() && VerticalText();
    const Integer given = SideTabs() ? FTabWidth : FTabHeight;
    const Integer fixed = FFixedDimension - 2;
    B1 = (horizontalFit || verticalFit) && given >= 1 ? std::max(base, fixed) : base;
    B2 = (horizontalFit || verticalFit) && given >= base ? std::max(base, fixed) : std::min(base, fixed);
    // A fixed dimension of 0 would give a negative height.
    B2 = std::max(B2, 0);
}

Integer TQxCustomTabControl::CloseReservation() const {
    return FShowCloseButton && FTabs->Count() > 0 ? FB1 + 2 : 0;
}

Integer TQxCustomTabControl::MenuReservation() const {
    return FShowMenuButton && FTabs->Count() > 0 ? FB1 + 2 : 0;
}

// ================================================================ geometry

Integer TQxCustomTabControl::FirstVisibleIndex() const {
    for (Integer i = 0; i < FTabs->Count(); ++i)
        if (FTabs->GetItem(i)->Visible) return i;
    return -1;
}

Integer TQxCustomTabControl::LastVisibleIndex() const {
    for (Integer i = FTabs->Count() - 1; i >= 0; --i)
        if (FTabs->GetItem(i)->Visible) return i;
    return -1;
}

Integer TQxCustomTabControl::ScrollOffset() const {
    if (FFirstVisibleTab < 0 || FFirstVisibleTab >= FTabs->Count()) return 0;
    const TQxTabData* f = FTabs->GetItem(FFirstVisibleTab);
    const Integer e = FTabStyle == tsRoundCorners || FTabStyle == tsSquareCorners ? 2 : 0;
    if (FTabSequence == tsStandard) return f->TabRect.Left - e - FMargin;
    return e + FMargin + f->TabRect.Right;
}

TPoint TQxCustomTabControl::MapPoint(TPoint P) const {
    const TRect a = TabArea();
    const Integer f = ScrollOffset();
    const bool rev = FTabSequence == tsReverse;
    switch (FTabOrientation) {
    case toTop: return {(rev ? a.Right : a.Left) + P.X - f, a.Top + P.Y};
    case toLeft: return {a.Left + P.Y, (rev ? a.Top : a.Bottom) + f - P.X};
    case toBottom: return {(rev ? a.Right : a.Left) + P.X - f, a.Bottom - P.Y};
    default: return {a.Right - P.Y, (rev ? a.Bottom : a.Top) + P.X - f};
    }
}

TRect TQxCustomTabControl::MapRect(const TRect& R) const {
    TRect m(MapPoint(R.TopLeft()), MapPoint(R.BottomRight()));
    NormalizeRect(m);
    return m;
}

TRect TQxCustomTabControl::TabStripRect(Integer Index) const {
    const TQxTabData* t = FTabs->GetItem(Index);
    TRect r = t->TabRect;
    if (t->Row > 0) OffsetRect(r, (FTabSequence == tsReverse ? -1 : 1) * t->Row * FRowIndent, 0);
    if ((FTabStyle == tsRoundCorners || FTabStyle == tsSquareCorners) && Index == FTabIndex)
        r = TRect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom);
    return r;
}

TRect TQxCustomTabControl::TabClientRect(Integer Index) const {
    return MapRect(TabStripRect(Index));
}

TRect TQxCustomTabControl::TabContentRect(const TRect& Rc) const {
    TRect r = Rc;
    const bool side = SideTabs();
    const Integer O = Overlap(side ? r.Width() : r.Height());
    const Integer K = FCutCornerSize;
    const auto o = FTabOrientation;
    // The last step of the slanted styles: 2 in from the strip's outer edge;
    // bottom tabs then move by Dy, right tabs right by 1.
    auto outerTopBottom = [&](Integer Dy) {
        if (o == toTop)
            r.Top += 2;
        else {
            r.Bottom -= 2;
            OffsetRect(r, 0, Dy);
        }
    };
    auto outerSide = [&] {
        if (o == toLeft)
            r.Left += 2;
        else {
            r.Right -= 2;
            OffsetRect(r, 1, 0);
        }
    };
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant: {
        // The back slant is the single slant mirrored along the strip.
        const Integer m = FTabStyle == tsSingleSlant ? 1 : -1;
        const Integer k = 2 * O + 2;
        InflateRect(r, -1, -1);
        if (!side) {
            (m > 0 ? r.Right -= k : r.Left += k);
            OffsetRect(r, 3 * m, 0);
            outerTopBottom(m);
        } else {
            if ((o == toLeft) == (m > 0)) {
                r.Top += k;
                OffsetRect(r, 0, -2);
            } else {
                r.Bottom -= k;
                OffsetRect(r, 0, 2);
            }
            OffsetRect(r, 0, m);
            outerSide();
        }
        break;
    }
    case tsDoubleSlant:
        if (!side) {
            InflateRect(r, 1, -1);
            InflateRect(r, -O, 0);
            OffsetRect(r, 1, 0);
            outerTopBottom(1);
        } else {
            InflateRect(r, -1, 1);
            InflateRect(r, 0, -O);
            r.Bottom += 2;
            OffsetRect(r, 0, 1);
            outerSide();
        }
        break;
    case tsCutCorner:
        if (!side) {
            if (VerticalText()) {
                InflateRect(r, -4, -1);
                if (o == toTop)
                    r.Top += K + 3;
                else
                    r.Bottom -= K + 3;
            } else {
                InflateRect(r, -(K + 3), -1);
                if (o == toTop)
                    r.Top += 3;
                else
                    r.Bottom -= 3;
            }
            if (o == toBottom) OffsetRect(r, 0, 1);
        } else {
            if (VerticalText()) {
                InflateRect(r, -1, -(K + 3));
                if (o == toLeft)
                    r.Left += 5;
                else
                    r.Right -= 5;
            } else {
                InflateRect(r, -1, -4);
                if (o == toLeft)
                    r.Left += K + 5;
                else
                    r.Right -= K + 5;
            }
            if (o == toRight) OffsetRect(r, 1, 0);
        }
        break;
    default:
        if (VerticalText())
            InflateRect(r, -2, -4);
        else
            InflateRect(r, -4, -2);
        break;
    }
    if (FShowFocusRect) InflateRect(r, -1, -1);
    return r;
}

TRect TQxCustomTabControl::CardRect(Integer Row) const {
    const TRect b = Box();
    TRect r;
    if (FTabs->Count() == 0 && FShowCard)
        r = b;
    else {
        const Integer step = FFixedDimension - FRowOverlap;
        const Integer T = TabAreaThickness() - Row * step, s = Row * step;
        const Integer i1 = Row * FRowIndent, i2 = (FRowCount - Row - 1) * FRowIndent;
        const bool rev = FTabSequence == tsReverse;
        const Integer a = rev ? i2 : i1, z = rev ? i1 : i2;
        switch (FTabOrientation) {
        case toTop: r = {b.Left + a, b.Top + T, b.Right - z, b.Bottom - s}; break;
        case toLeft: r = {b.Left + T, b.Top + z, b.Right - s, b.Bottom - a}; break;
        case toBottom: r = {b.Left + a, b.Top + s, b.Right - z, b.Bottom - T}; break;
        default: r = {b.Left + s, b.Top + a, b.Right - T, b.Bottom - z}; break;
        }
        if (r.Right < r.Left || r.Bottom < r.Top) r = TRect();
    }
    if (!FShowCard) {
        if (FTabOrientation != toRight) r.Right += 3;
        if (FTabOrientation != toLeft) r.Left -= 3;
        if (FTabOrientation != toBottom) r.Bottom += 3;
        if (FTabOrientation != toTop) r.Top -= 3;
    }
    return r;
}

TRect TQxCustomTabControl::CardClientRect() const {
    if (!FShowCard) return {-2, -2, -1, -1};
    TRect r = CardRect(0);
    if (FShowCardFrame && FShowFullFrame) {
        r.Left += 1;
        r.Top += 1;
        if (FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
    } else if (FShowCardFrame) {
        if (FTabOrientation == toTop) r.Top += 1;
        r.Right += 1;
        r.Bottom += 1;
    } else {
        if (!FShowFullFrame) {
            if (FTabOrientation == toLeft) r.Left -= 1;
            if (FTabOrientation == toBottom) r.Bottom += 1;
            if (FTabOrientation == toRight) r.Right += 1;
        }
        r.Right += 1;
        r.Bottom += 1;
    }
    return r;
}

bool TQxCustomTabControl::TabFullyShown(Integer Index) const {
    if (Index < 0 || Index >= FTabs->Count()) return false;
    const TQxTabData* t = FTabs->GetItem(Index);
    if (!t->Visible) return false;
    if (!FScrollerNeeded) return true;
    const Integer available = StripLength() - 2 * FB1 - 2 * FMargin - CloseReservation() - MenuReservation();
    const Integer offset = ScrollOffset();
    if (FTabSequence == tsStandard) return t->TabRect.Left >= offset && t->TabRect.Right - offset <= available;
    return t->TabRect.Right <= offset && offset - t->TabRect.Left <= available;
}

// ================================================================ the layout pass

void TQxCustomTabControl::LayoutIfNeeded() {
    if (FLayoutNeeded) Layout();
    RepairCurrentTab();
}

void TQxCustomTabControl::QuietLayoutIfNeeded() {
    if (FLayoutNeeded) Layout();
    // A repair still due (asked for before the control had a window) is
    // posted now.
    if (FRepairDue && HandleAllocated()) PostMessage(Handle(), QM_REPAIRTAB, 0, 0);
}

void TQxCustomTabControl::RequestRepair() {
    if (FRepairDue) return;
    FRepairDue = true;
    // The repair fires events, which may free the control: it runs from the
    // message loop (usually before the paint the layout asked for), never
    // inside a paint or a hit test.
    if (HandleAllocated()) PostMessage(Handle(), QM_REPAIRTAB, 0, 0);
}

void TQxCustomTabControl::RepairCurrentTab() {
    if (!FRepairDue) return;
    FRepairDue = false;
    const Integer count = FTabs->Count();
    if (FirstVisibleIndex() < 0 || FTabIndex < 0 || FTabIndex >= count) return;
    // The nearest tab that can be current, forward first; OnChanging is
    // asked (and the page control's page follows it).
    Integer found = -1;
    bool allowed = false;
    for (Integer i = FTabIndex; i < count && found < 0; ++i) {
        if (!Survives([&] { allowed = CanSelectTab(i); })) return;
        if (allowed) found = i;
    }
    for (Integer i = FTabIndex - 1; i >= 0 && found < 0; --i) {
        if (!Survives([&] { allowed = CanSelectTab(i); })) return;
        if (allowed) found = i;
    }
    if (found >= 0 && found != FTabIndex) SetTabIndexUnchecked(found);
}

void TQxCustomTabControl::Layout() {
    FLayoutNeeded = false;
    const Integer count = FTabs->Count();
    // A stale scroll position or current tab is brought into range first.
    if (FFirstVisibleTab < -1 || FFirstVisibleTab >= count) FFirstVisibleTab = count > 0 ? 0 : -1;
    if (FFirstVisibleTab == -1 && count > 0) FFirstVisibleTab = 0;
    if (FTabIndex >= count) FTabIndex = -1;

    TFontSelection font(this, FBoldCurrentTab);
    std::vector<TSize> contents(static_cast<size_t>(count));
    TSize maxContent{0, 0}, maxTab{0, 0};
    for (Integer i = 0; i < count; ++i) {
        const TQxTabData* t = FTabs->GetItem(i);
        if (!t->Visible) continue;
        const TSize c = ContentSize(t);
        contents[static_cast<size_t>(i)] = c;
        maxContent = {std::max(maxContent.cx, c.cx), std::max(maxContent.cy, c.cy)};
        const TSize s = TabSizeFromContent(RaiseToMinimum(c));
        maxTab = {std::max(maxTab.cx, s.cx), std::max(maxTab.cy, s.cy)};
    }
    if (FTabWidth > 0) maxTab.cx = FTabWidth;
    if (FTabHeight > 0) maxTab.cy = FTabHeight;
    FFixedDimension = SideTabs() ? maxTab.cx : maxTab.cy;
    const Integer F = FFixedDimension;
    const bool roundish = FTabStyle == tsRoundCorners || FTabStyle == tsSquareCorners;
    ButtonSizes(FB1, FB2);
    const Integer b1 = FB1, b2 = FB2;
    const Integer reservations = CloseReservation() + MenuReservation();

    // The size of each visible tab: thickness raised to the largest content.
    std::vector<Integer> along(static_cast<size_t>(count), 0);
    for (Integer i = 0; i < count; ++i) {
        if (!FTabs->GetItem(i)->Visible) continue;
        TSize c = contents[static_cast<size_t>(i)];
        if (SideTabs())
            c.cx = maxContent.cx;
        else
            c.cy = maxContent.cy;
        const TSize s = TabSizeFromContent(RaiseToMinimum(c));
        along[static_cast<size_t>(i)] = SideTabs() ? s.cy : s.cx;
    }
    auto capped = [&](Integer i, Integer U) {
        return std::min(along[static_cast<size_t>(i)], roundish ? U - 4 : U);
    };

    // Rows: the first guess counts; placement then settles the count.
    Integer L = 0;
    if (FMultiLine) {
        FRowCount = 1;
        L = StripLength();
        Integer visibleCount = 0;
        for (Integer i = 0; i < count; ++i)
            visibleCount += FTabs->GetItem(i)->Visible ? 1 : 0;
        for (Integer j = 1; j <= std::max(visibleCount, 1); ++j) {
            const Integer U = L - 2 * FMargin - (j - 1) * FRowIndent;
            Integer used = 1, p = FMargin;
            bool empty = true, restart = false;
            const Integer last = LastVisibleIndex();
            for (Integer i = 0; i < count && !restart; ++i) {
                if (!FTabs->GetItem(i)->Visible) continue;
                const Integer s = capped(i, U);
                if (p + s < U) {
                    p += s - Overlap(F) + 1;
                    empty = false;
                } else if (used < j) {
                    if (empty) continue;
                    ++used;
                    p = FMargin;
                    empty = true;
                    if (p + s < U) {
                        p += s - Overlap(F) + 1;
                        empty = false;
                    }
                } else if (!empty || i != last) {
                    restart = true;
                }
            }
            FRowCount = used;
            if (!restart) break;
        }
    } else {
        FRowCount = 1;
    }

    // Placement, repeated until the rows it gives are the rows it assumed.
    for (Integer round = 0; round <= count + 1; ++round) {
        L = StripLength();
        Integer U = L - 2 * FMargin;
        if (FMultiLine)
            U -= (FRowCount - 1) * FRowIndent;
        else
            U -= reservations + 2 * b1 + 2;
        const Integer y0 = TabAreaThickness() - F;
        Integer row = 0, p = FMargin, maxRow = 0;
        bool rowEmpty = true, rowFull = false;
        for (Integer i = 0; i < count; ++i) {
            TQxTabData* t = FTabs->GetItem(i);
            if (!t->Visible) continue;
            const Integer s = std::max(capped(i, U), 0);
            if (FMultiLine && (rowFull || (!rowEmpty && p + s >= U))) {
                ++row;
                p = FMargin;
                rowEmpty = true;
                rowFull = false;
            }
            const Integer y = y0 - row * (F - FRowOverlap);
            t->TabRect = TRect(p, y, p + s, y + F);
            t->Row = row;
            maxRow = std::max(maxRow, row);
            if (FMultiLine && p + s >= U) rowFull = true;
            p += s - Overlap(F) + 1;
            rowEmpty = false;
        }
        if (!FMultiLine || maxRow + 1 == FRowCount) break;
        FRowCount = maxRow + 1;
    }

    // Aligned rows fill the strip's usable length.
    if (FMultiLine && FAlignTabs && (SideTabs() ? FTabHeight : FTabWidth) == 0) {
        for (Integer r = 0; r < FRowCount; ++r) {
            std::vector<TQxTabData*> inRow;
            for (Integer i = 0; i < count; ++i) {
                TQxTabData* t = FTabs->GetItem(i);
                if (t->Visible && t->Row == r) inRow.push_back(t);
            }
            if (inRow.empty()) continue;
            const Integer extent = inRow.back()->TabRect.Right - inRow.front()->TabRect.Left + (roundish ? 4 : 0);
            const Integer extra = L - 2 * FMargin - (FRowCount - 1) * FRowIndent - extent;
            if (extra <= 0) continue;
            const Integer n = static_cast<Integer>(inRow.size());
            Integer shift = 0;
            for (Integer k = 0; k < n; ++k) {
                const Integer grow = extra / n + (k < extra % n ? 1 : 0);
                inRow[static_cast<size_t>(k)]->TabRect.Left += shift;
                inRow[static_cast<size_t>(k)]->TabRect.Right += shift + grow;
                shift += grow;
            }
        }
    }

    // The reverse sequence runs from the far end.
    if (FTabSequence == tsReverse) {
        Integer extent = 0;
        for (Integer i = 0; i < count; ++i) {
            TQxTabData* t = FTabs->GetItem(i);
            if (!t->Visible) continue;
            t->TabRect = TRect(-t->TabRect.Right, t->TabRect.Top, -t->TabRect.Left, t->TabRect.Bottom);
            extent = std::max(extent, -t->TabRect.Left);
        }
        const Integer shift = FMultiLine ? Width() : extent + FMargin;
        for (Integer i = 0; i < count; ++i) {
            TQxTabData* t = FTabs->GetItem(i);
            if (t->Visible) OffsetRect(t->TabRect, shift, 0);
        }
    }

    FRegionCache->Clear();

    // The scroller, for a single line that does not fit.
    const Integer firstVisible = FirstVisibleIndex(), lastVisible = LastVisibleIndex();
    FScrollerNeeded = false;
    if (!FMultiLine && firstVisible >= 0) {
        const Integer avail = L - 2 * FMargin - reservations;
        if (FTabSequence == tsStandard)
            FScrollerNeeded = FTabs->GetItem(lastVisible)->TabRect.Right > avail;
        else
            FScrollerNeeded = FTabs->GetItem(firstVisible)->TabRect.Right > avail;
    }
    if (FScrollerNeeded && !FScroller) {
        FScroller = new TQxTabScroller(this);
        FScroller->OnFirstArrow = [this](TObject*) {
            ScrollTabs(!((FTabSequence == tsStandard) == (FTabOrientation != toRight)));
        };
        FScroller->OnSecondArrow = [this](TObject*) {
            ScrollTabs((FTabSequence == tsStandard) == (FTabOrientation != toRight));
        };
        UpdateButtonFrameColors();
    }
    if (FScroller) FScroller->SetBounds(0, 0, SideTabs() ? b2 : 2 * b1 - 1, SideTabs() ? 2 * b1 - 1 : b2);

    // The first tab shown.
    if (firstVisible < 0)
        FFirstVisibleTab = -1;
    else if (!FScrollerNeeded)
        FFirstVisibleTab = firstVisible;
    else {
        const Integer old = std::max(FFirstVisibleTab, 0);
        Integer k = old;
        while (k < count) {
            FFirstVisibleTab = k;
            if (TabFullyShown(k)) break;
            ++k;
        }
        if (k >= count) {
            k = old - 1;
            while (k >= 0) {
                FFirstVisibleTab = k;
                if (TabFullyShown(k)) break;
                --k;
            }
            if (k < 0) FFirstVisibleTab = firstVisible;
        }
    }

    // A current tab that cannot be current any more is moved on by the
    // repair (RepairCurrentTab), which fires events and so runs apart.
    if (FMultiLine && FTabIndex >= 0) RotateRows();

    const TRect card = CardClientRect();
    if (card != FCardClientRect) Realign();
}

// Brings the current tab's row next to the card; rows keep their places.
void TQxCustomTabControl::RotateRows() {
    if (FTabIndex < 0 || FTabIndex >= FTabs->Count() || !FTabs->GetItem(FTabIndex)->Visible) return;
    Integer rmax = 0;
    for (Integer i = 0; i < FTabs->Count(); ++i)
        if (FTabs->GetItem(i)->Visible) rmax = std::max(rmax, FTabs->GetItem(i)->Row);
    const Integer sr = FTabs->GetItem(FTabIndex)->Row;
    if (sr == 0) return;
    std::vector<std::pair<Integer, Integer>> edges(static_cast<size_t>(rmax + 1), {0, 0});
    std::vector<bool> seen(static_cast<size_t>(rmax + 1), false);
    for (Integer i = 0; i < FTabs->Count(); ++i) {
        const TQxTabData* t = FTabs->GetItem(i);
        if (!t->Visible || seen[static_cast<size_t>(t->Row)]) continue;
        seen[static_cast<size_t>(t->Row)] = true;
        edges[static_cast<size_t>(t->Row)] = {t->TabRect.Top, t->TabRect.Bottom};
    }
    for (Integer i = 0; i < FTabs->Count(); ++i) {
        TQxTabData* t = FTabs->GetItem(i);
        if (!t->Visible) continue;
        t->Row = (t->Row + rmax - sr + 1) % (rmax + 1);
        if (seen[static_cast<size_t>(t->Row)]) {
            t->TabRect.Top = edges[static_cast<size_t>(t->Row)].first;
            t->TabRect.Bottom = edges[static_cast<size_t>(t->Row)].second;
        }
    }
    FRegionCache->Clear();
}

// ================================================================ scrolling

void TQxCustomTabControl::ScrollTabs(bool Forward) {
    const Integer count = FTabs->Count();
    const Integer old = FFirstVisibleTab;
    if (Forward) {
        const Integer last = LastVisibleIndex();
        if (FFirstVisibleTab < count - 1 && last >= 0 && !TabFullyShown(last)) {
            do
                ++FFirstVisibleTab;
            while (FFirstVisibleTab < count && !TabFullyShown(FFirstVisibleTab));
            if (FFirstVisibleTab >= count)
                FFirstVisibleTab = old;
            else
                RequestRepaint();
        }
    } else {
        const Integer first = FirstVisibleIndex();
        if (FFirstVisibleTab > 0 && first >= 0 && !TabFullyShown(first)) {
            do
                --FFirstVisibleTab;
            while (FFirstVisibleTab >= 0 && !TabFullyShown(FFirstVisibleTab));
            if (FFirstVisibleTab < 0)
                FFirstVisibleTab = old;
            else
                RequestRepaint();
        }
    }
    if (FFirstVisibleTab != old) FRegionCache->Clear();
    ApplyActiveCloseButtonVisibility();
    if (FScroller) FScroller->Invalidate();
    if (OnScrolledTabs) OnScrolledTabs(this);
}

void TQxCustomTabControl::ApplyActiveCloseButtonVisibility() {
    if (!FShowCloseButtonOnActiveTab || !FActiveCloseButton) return;
    FActiveCloseButton->SetVisible(FTabIndex >= 0 && TabFullyShown(FTabIndex));
}

// ================================================================ children and buttons

// Children are aligned with the layout as it stands (a control just read
// from a form has its stored FixedDimension until its first layout).
void TQxCustomTabControl::AdjustClientRect(TRect& Rect) {
    Rect = CardClientRect();
}

void TQxCustomTabControl::AlignControls(TControl* AControl, TRect& Rect) {
    PlaceStripButtons();
    FCardClientRect = CardClientRect();
    Rect = FCardClientRect;
    TCustomControl::AlignControls(AControl, Rect);
}

void TQxCustomTabControl::PlaceStripButtons() {
    if (HasState(csLoading) || HasState(csReading)) return;
    const TRect a = TabArea();
    const Integer M = FMargin, sh = FShowShadow ? -1 : 1;
    const bool rev = FTabSequence == tsReverse;
    Integer b1 = 0, b2 = 0;
    {
        TFontSelection font(this, FBoldCurrentTab);
        ButtonSizes(b1, b2);
    }
    const Integer wd = SideTabs() ? b2 : b1, ht = SideTabs() ? b1 : b2;
    // The close button's place, for a button of size (W, H).
    auto closePlace = [&](Integer W, Integer H) -> TPoint {
        switch (FTabOrientation) {
        case toTop: return rev ? TPoint{a.Left + M, a.Bottom - H - 2} : TPoint{a.Right + sh - W - M, a.Bottom - H - 2};
        case toLeft: return rev ? TPoint{a.Right - W - 2, a.Bottom - H - M + 1} : TPoint{a.Right - W - 2, a.Top + M};
        case toBottom: return rev ? TPoint{a.Left + M, a.Top + 2} : TPoint{a.Right - W - M + 1, a.Top + 2};
        default: return rev ? TPoint{a.Left + 2, a.Top + M} : TPoint{a.Left + 2, a.Bottom - H - M + 1};
        }
    };
    // Further along towards the strip's start by D.
    auto along = [&](TPoint P, Integer D) -> TPoint {
        switch (FTabOrientation) {
        case toTop:
        case toBottom: return {P.X + (rev ? D : -D), P.Y};
        case toLeft: return {P.X, P.Y + (rev ? -D : D)};
        default: return {P.X, P.Y + (rev ? D : -D)};
        }
    };
    const bool hasTabs = FTabs->Count() > 0;
    const Integer cr = FShowCloseButton && hasTabs ? b1 + 2 : 0;
    const Integer mr = FShowMenuButton && hasTabs ? b1 + 2 : 0;
    if (FCloseButton && FShowCloseButton) {
        const TPoint p = closePlace(wd, ht);
        FCloseButton->SetBounds(p.X, p.Y, wd, ht);
        FCloseButton->SetVisible(true);
    }
    if (FMenuButton && FShowMenuButton) {
        const TPoint p = along(closePlace(wd, ht), cr);
        FMenuButton->SetBounds(p.X, p.Y, wd, ht);
        FMenuButton->SetVisible(true);
    }
    if (FScroller) {
        const Integer sw = SideTabs() ? b2 : 2 * b1 - 1, shh = SideTabs() ? 2 * b1 - 1 : b2;
        FScroller->SetArrowLayout(SideTabs() ? orVertical : orHorizontal);
        TPoint p = along(closePlace(sw, shh), cr + mr);
        if (!FScrollerNeeded) p = {-sw - 1, -shh - 1};
        FScroller->SetBounds(p.X, p.Y, sw, shh);
        FScroller->SetVisible(true);
    }
}
