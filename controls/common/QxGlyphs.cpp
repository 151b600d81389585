// The glyph painters of QxCommon (arrows, close cross, check box and radio
// circle) and the progress bar bodies.
#include "controls/common/QxCommon.h"

#include "platform/gui/controls/Themes.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The colour of the visual style's drop-down button face, sampled from a
// drawn button; a colour close to the window's gives way to the dark shadow.
TColor ThemeColorSample() {
    auto bitmap = std::make_unique<TBitmap>(17, 21);
    ThemeServices()->DrawElement(bitmap->Canvas()->Handle(), {teComboBox, CP_DROPDOWNBUTTON, CBXS_NORMAL},
                                 TRect(0, 0, 16, 20));
    TColor color = bitmap->Canvas()->Pixels(8, 10);
    if (ColorsAreSimilar(color, clWindow)) color = cl3DDkShadow;
    return color;
}

// The arrow colour: disabled, themed, or black unless the background is
// near black itself.
TColor ArrowColor(TCanvas* Canvas, TQxThemedLook ThemedLook, bool Enabled) {
    if (!Enabled) return clBtnShadow;
    if (ThemedLook == tlThemed) return ThemeColorSample();
    return ColorsAreSimilar(Canvas->Brush()->Color(), clBlack) ? cl3DDkShadow : clBlack;
}

// The glyph centre: the middle column, and the middle row less one for an
// even height.
TPoint GlyphCentre(const TRect& R) {
    return {R.Left + (R.Right - R.Left) / 2, R.Top + (R.Bottom - R.Top - 1) / 2};
}

// Draws with a cleared pen and the glyph colour; afterwards the pen is
// solid again and the brush has its colour back.
template <class F> void WithGlyphBrush(TCanvas* Canvas, TColor Color, F&& Draw) {
    const TColor savedColor = Canvas->Brush()->Color();
    const TBrushStyle savedStyle = Canvas->Brush()->Style();
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Draw();
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetColor(savedColor);
    Canvas->Brush()->SetStyle(savedStyle);
}

// A horizontal run of pixels centred on X, or a vertical one centred on Y.
void Row(TCanvas* Canvas, Integer X, Integer Y, Integer Width) {
    Canvas->FillRect(TRect(X - Width / 2, Y, X - Width / 2 + Width, Y + 1));
}
void Column(TCanvas* Canvas, Integer X, Integer Y, Integer Height) {
    Canvas->FillRect(TRect(X, Y - Height / 2, X + 1, Y - Height / 2 + Height));
}

// The fill of a check box or radio glyph by look and state.
TColor GlyphFill(TQxGlyphLook Look, bool Focused, bool ReadOnly, bool ReadOnlyColorOnFocus,
                 TColor ReadOnlyColor, TColor DisabledColor, TColor FocusColor, TColor FillColor) {
    if (Look == glPressed) return DarkenColor(FocusColor, 20);
    if (Look == glDisabled) return DisabledColor;
    if (Focused) return ReadOnly && ReadOnlyColorOnFocus ? ReadOnlyColor : FocusColor;
    return ReadOnly ? ReadOnlyColor : FillColor;
}

// Round to the nearest integer, halves to even.
Integer RoundHalfEven(double Value) {
    return static_cast<Integer>(std::nearbyint(Value));
}

} // namespace

// ---------------------------------------------------------------- arrows and crosses

void PaintDropDownArrow(TCanvas* Canvas, const TRect& R, TQxThemedLook ThemedLook, bool Enabled) {
    if (IsWindowsAtLeast(7)) ThemedLook = tlClassic;
    const TColor color = ArrowColor(Canvas, ThemedLook, Enabled);
    TPoint c = GlyphCentre(R);
    c.Y += ThemedLook == tlThemed ? 4 : 2;
    WithGlyphBrush(Canvas, color, [&] {
        const Integer cx = c.X, cy = c.Y;
        if (ThemedLook == tlThemed) {
            Canvas->Polygon({{cx, cy},
                             {cx - 4, cy - 5},
                             {cx - 3, cy - 7},
                             {cx, cy - 3},
                             {cx + 3, cy - 7},
                             {cx + 5, cy - 5}});
        } else {
            for (Integer i = 0; i < 4; ++i)
                Row(Canvas, cx, cy - i, 2 * i + 1);
        }
    });
}

void PaintArrowButton(TCanvas* Canvas, const TRect& R, TQxThemedLook ThemedLook, bool Enabled,
                      TQxArrowDirection Direction) {
    if (Direction < adUp || Direction > adRight) return;
    const TColor color = ArrowColor(Canvas, ThemedLook, Enabled);
    TPoint c = GlyphCentre(R);
    const bool themed = ThemedLook == tlThemed;
    switch (Direction) {
    case adUp:
        c.Y += themed ? 4 : 1;
        break;
    case adDown:
        c.Y += themed ? 2 : 1;
        break;
    case adLeft:
        c.X -= themed ? 1 : 2;
        break;
    case adRight:
        c.X -= themed ? 3 : 2;
        break;
    }
    WithGlyphBrush(Canvas, color, [&] {
        const Integer cx = c.X, cy = c.Y;
        if (themed) {
            switch (Direction) {
            case adUp:
                Canvas->Polygon(
                    {{cx, cy - 5}, {cx + 4, cy}, {cx + 1, cy}, {cx, cy - 2}, {cx - 1, cy}, {cx - 4, cy}});
                break;
            case adDown:
                Canvas->Polygon({{cx, cy},
                                 {cx - 3, cy - 4},
                                 {cx, cy - 4},
                                 {cx, cy - 3},
                                 {cx + 1, cy - 4},
                                 {cx + 4, cy - 4}});
                break;
            case adLeft:
                Canvas->Polygon({{cx, cy},
                                 {cx + 4, cy - 4},
                                 {cx + 4, cy - 1},
                                 {cx + 3, cy},
                                 {cx + 4, cy + 1},
                                 {cx + 4, cy + 4}});
                break;
            case adRight:
                Canvas->Polygon(
                    {{cx + 4, cy}, {cx, cy + 4}, {cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy - 4}});
                break;
            }
            return;
        }
        for (Integer i = 0; i < 4; ++i) {
            switch (Direction) {
            case adUp:
                Row(Canvas, cx, cy - 3 + i, 2 * i + 1);
                break;
            case adDown:
                Row(Canvas, cx, cy - i, 2 * i + 1);
                break;
            case adLeft:
                Column(Canvas, cx + i, cy, 2 * i + 1);
                break;
            case adRight:
                Column(Canvas, cx + 3 - i, cy, 2 * i + 1);
                break;
            }
        }
    });
}

void PaintCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color) {
    const Integer cx = R.Left + (R.Right - R.Left) / 2;
    const Integer cy = GlyphCentre(R).Y;
    const bool small = R.Bottom - R.Top <= 10 || R.Right - R.Left < 9;
    WithGlyphBrush(Canvas, Color, [&] {
        if (small)
            Canvas->Polygon({{cx, cy - 1},
                             {cx + 1, cy - 2},
                             {cx + 3, cy - 2},
                             {cx + 1, cy},
                             {cx + 3, cy + 3},
                             {cx + 1, cy + 2},
                             {cx, cy + 1},
                             {cx - 3, cy + 3},
                             {cx - 3, cy + 2},
                             {cx - 1, cy},
                             {cx - 3, cy - 2},
                             {cx - 1, cy - 2},
                             {cx - 1, cy - 1}});
        else
            Canvas->Polygon({{cx, cy - 1},
                             {cx + 2, cy - 3},
                             {cx + 5, cy - 3},
                             {cx + 2, cy},
                             {cx + 5, cy + 4},
                             {cx + 2, cy + 3},
                             {cx, cy + 1},
                             {cx - 2, cy + 4},
                             {cx - 4, cy + 3},
                             {cx - 1, cy},
                             {cx - 4, cy - 3},
                             {cx - 1, cy - 3}});
    });
}

void PaintCloseButton(TCanvas* Canvas, const TRect& R, TQxThemedLook ThemedLook, bool Enabled) {
    TColor color = clBtnShadow;
    if (Enabled) color = ThemedLook == tlThemed ? ThemeColorSample() : clBlack;
    PaintCloseGlyph(Canvas, R, color);
}

// ---------------------------------------------------------------- check box and radio

void PaintCheckBoxGlyph(TCanvas* Canvas, const TRect& R, TCheckBoxState State, TColor ReadOnlyColor,
                        bool ReadOnlyColorOnFocus, bool ReadOnly, TColor HotFrameColor, TColor HotFillColor,
                        TColor DisabledColor, TColor FocusColor, TColor FillColor, TColor MarkColor,
                        TColor FrameColor, TQxButtonHotTrackStyle HotTrackStyle, bool Focused,
                        TQxGlyphLook Look) {
    const bool hot = Look == glHot;
    const TRect in =
        PaintRectOutline(Canvas, R, hot && HotTrackStyle == htsFrame ? HotFrameColor : FrameColor);
    if (Look == glDisabled) MarkColor = clBtnShadow;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(GlyphFill(Look, Focused, ReadOnly, ReadOnlyColorOnFocus, ReadOnlyColor,
                                        DisabledColor, FocusColor, FillColor));
    Canvas->FillRect(in);
    if (State == cbChecked) {
        // The tick: seven columns of three pixels.
        static constexpr Integer tops[7] = {4, 5, 6, 5, 4, 3, 2};
        for (Integer i = 0; i < 7; ++i)
            for (Integer j = 0; j < 3; ++j)
                Canvas->SetPixels(in.Left + 2 + i, in.Top + tops[i] + j, MarkColor);
    } else if (State == cbGrayed) {
        Canvas->Brush()->SetColor(MarkColor);
        Canvas->FillRect(TRect(in.Left + 2, in.Top + 2, in.Right - 2, in.Bottom - 2));
    }
    if (hot) {
        if (HotTrackStyle == htsInterior)
            PaintHighlightFrame(Canvas, in, gdDiagonalDown, HotFrameColor, HotFillColor);
        else if (HotTrackStyle == htsFrame)
            PaintRectOutline(Canvas, in, HotFrameColor);
    }
}

namespace {

struct TPix {
    Integer X, Y;
};
using TPixList = std::initializer_list<TPix>;

void SetAll(TCanvas* Canvas, TPixList Pixels, TColor Color) {
    for (const TPix& p : Pixels)
        Canvas->SetPixels(p.X, p.Y, Color);
}

// Each pixel becomes Weight/255 of Color over its present colour.
void BlendAll(TCanvas* Canvas, TPixList Pixels, TColor Color, Byte Weight) {
    for (const TPix& p : Pixels)
        Canvas->SetPixels(p.X, p.Y, BlendColors(Color, Canvas->Pixels(p.X, p.Y), Weight));
}

// The radio circle's pixel groups.
constexpr TPixList RadioOutside = {{0, 0},  {1, 0},   {2, 0},  {10, 0},  {11, 0},  {12, 0},
                                   {0, 1},  {1, 1},   {11, 1}, {12, 1},  {0, 2},   {12, 2},
                                   {0, 10}, {12, 10}, {0, 11}, {1, 11},  {11, 11}, {12, 11},
                                   {0, 12}, {1, 12},  {2, 12}, {10, 12}, {11, 12}, {12, 12}};
constexpr TPixList RadioEdge1 = {{4, 0}, {8, 0},  {2, 1},  {10, 1},  {1, 2},  {11, 2},  {0, 4},  {12, 4},
                                 {0, 8}, {12, 8}, {1, 10}, {11, 10}, {2, 11}, {10, 11}, {4, 12}, {8, 12}};
constexpr TPixList RadioEdge2 = {{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}};
constexpr TPixList RadioEdgeF = {{6, 0},  {3, 1}, {9, 1},  {1, 3},  {11, 3}, {0, 6},
                                 {12, 6}, {1, 9}, {11, 9}, {3, 11}, {9, 11}, {6, 12}};
constexpr TPixList RadioEdgeU = {{5, 0}, {7, 0},  {2, 2},  {10, 2},  {0, 5},  {12, 5},
                                 {0, 7}, {12, 7}, {2, 10}, {10, 10}, {5, 12}, {7, 12}};
// Just inside the rim, where the frame is blended in.
constexpr TPixList RadioInner128 = {{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}};
constexpr TPixList RadioInner80 = {{5, 1}, {7, 1},  {3, 2}, {9, 2},  {2, 3},  {10, 3}, {1, 5},  {11, 5},
                                   {1, 7}, {11, 7}, {2, 9}, {10, 9}, {3, 10}, {9, 10}, {5, 11}, {7, 11}};
constexpr TPixList RadioInner40 = {{6, 1}, {1, 6}, {11, 6}, {6, 11}};
// The plain hot frame one pixel further in.
constexpr TPixList RadioHotU = {{5, 1},  {6, 1}, {7, 1},  {1, 5},  {11, 5}, {1, 6},
                                {11, 6}, {1, 7}, {11, 7}, {5, 11}, {6, 11}, {7, 11}};
constexpr TPixList RadioHotF = {{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}};
constexpr TPixList RadioHot150 = {{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}};
constexpr TPixList RadioHot80 = {{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}};
// The dot.
constexpr TPixList RadioDot = {{6, 4}, {4, 6}, {8, 6}, {6, 8}};
constexpr TPixList RadioDotEdge = {{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}};

} // namespace

void PaintRadioGlyph(TCanvas* Canvas, const TRect& R, bool Checked, TColor ReadOnlyColor,
                     bool ReadOnlyColorOnFocus, bool ReadOnly, TColor MaskColor, bool Transparent,
                     TColor ControlColor, TColor HotFrameColor, TColor HotFillColor, TColor DisabledColor,
                     TColor FocusColor, TColor FillColor, TColor DotColor, TColor FrameColor,
                     TQxButtonHotTrackStyle HotTrackStyle, bool Focused, TQxGlyphLook Look) {
    const Integer w = R.Right - R.Left, h = R.Bottom - R.Top;
    if (w <= 0 || h <= 0) return;
    const bool hot = Look == glHot;
    const TColor f = hot && HotTrackStyle == htsFrame ? HotFrameColor : FrameColor;
    const TColor u = FullColorDisplay ? LightenColor(f, 10) : f;
    auto bitmap = std::make_unique<TBitmap>(w, h);
    TCanvas* c = bitmap->Canvas();

    c->Brush()->SetColor(GlyphFill(Look, Focused, ReadOnly, ReadOnlyColorOnFocus, ReadOnlyColor,
                                   DisabledColor, FocusColor, FillColor));
    c->FillRect(TRect(0, 0, w, h));

    if (hot && FullColorDisplay) {
        if (HotTrackStyle == htsFrame) {
            SetAll(c, RadioHotU, u);
            SetAll(c, RadioHotF, f);
        } else if (HotTrackStyle == htsInterior) {
            HDC dc = c->Handle();
            ExcludeClipRect(dc, 4, 4, w - 4, h - 4);
            ExcludeClipRect(dc, 5, 3, 8, 10);
            ExcludeClipRect(dc, 3, 5, 10, 8);
            GradientFillRect(c, TRect(0, 0, w, h), gdDiagonalDown, 1, HotFrameColor, HotFillColor);
            SelectClipRgn(dc, nullptr);
        }
    }

    SetAll(c, RadioOutside, Transparent ? MaskColor : ControlColor);

    TColor e1 = f, e2 = ControlColor;
    if (Transparent)
        e1 = e2 = MaskColor;
    else if (FullColorDisplay)
        e1 = BlendColors(f, ControlColor, 128), e2 = BlendColors(f, ControlColor, 40);
    SetAll(c, RadioEdge1, e1);
    SetAll(c, RadioEdge2, e2);
    SetAll(c, RadioEdgeF, f);
    SetAll(c, RadioEdgeU, u);

    if (FullColorDisplay) {
        if (hot && HotTrackStyle == htsFrame) {
            BlendAll(c, RadioHot150, f, 150);
            BlendAll(c, RadioHot80, f, 80);
        } else {
            BlendAll(c, RadioInner128, f, 128);
            BlendAll(c, RadioInner80, f, 80);
            BlendAll(c, RadioInner40, f, 40);
        }
    } else {
        SetAll(c, RadioInner128, f);
        SetAll(c, RadioInner80, clSilver);
    }

    if (Checked) {
        const TColor d = Look == glDisabled ? clBtnShadow : DotColor;
        const TColor d2 = FullColorDisplay ? BlendColors(d, c->Pixels(4, 4), 153) : d;
        c->Brush()->SetColor(d);
        c->FillRect(TRect(5, 5, 8, 8));
        SetAll(c, RadioDot, d);
        SetAll(c, RadioDotEdge, d2);
    }
    Canvas->Draw(R.Left, R.Top, bitmap.get());
}

// ---------------------------------------------------------------- progress bar bodies

namespace {

String BarText(bool ShowPercent, bool ShowParts, Integer TotalParts, Integer PartsComplete, Word Percent) {
    if (!ShowPercent) return String();
    if (ShowParts)
        return Format("%u / %u", {static_cast<Cardinal>(PartsComplete), static_cast<Cardinal>(TotalParts)});
    return Format("%u%%", {static_cast<Cardinal>(Percent)});
}

// The filled part and the rest of a bar.
void SplitBar(const TRect& R, TOrientation Orientation, Word Percent, TRect& Filled, TRect& Rest) {
    if (Percent >= 100)
        Filled = R;
    else if (Orientation == orVertical)
        Filled =
            TRect(R.Left, R.Bottom - RoundHalfEven(Percent * (R.Bottom - R.Top) / 100.0), R.Right, R.Bottom);
    else
        Filled = TRect(R.Left, R.Top, R.Left + RoundHalfEven(Percent * (R.Right - R.Left) / 100.0), R.Bottom);
    Rest = Orientation == orVertical ? TRect(R.Left, R.Top, R.Right, Filled.Top)
                                     : TRect(Filled.Right, R.Top, R.Right, R.Bottom);
}

// Centres the text on the bar (horizontally at R.Right div 2) and answers
// its position.
TPoint BarTextPos(TCanvas* Canvas, const TRect& R) {
    SetTextAlign(Canvas->Handle(), TA_CENTER | TA_TOP);
    return {R.Right / 2, R.Top + (R.Bottom - R.Top - Canvas->TextHeight("X")) / 2};
}

} // namespace

void PaintBarTraditional(TCanvas* Canvas, const TRect& R, TOrientation Orientation, Integer TotalParts,
                         Integer PartsComplete, bool ShowParts, bool ClearTextBackground, bool ShowPercent,
                         Word Percent, TColor BackColor, TColor BarColor) {
    const String text = BarText(ShowPercent, ShowParts, TotalParts, PartsComplete, Percent);
    TRect filled, rest;
    SplitBar(R, Orientation, Percent, filled, rest);
    const TPoint at = BarTextPos(Canvas, R);
    Canvas->Font()->SetColor(BackColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BarColor);
    Canvas->TextRect(filled, at.X, at.Y, text);
    Canvas->Font()->SetColor(BarColor);
    if (ClearTextBackground) {
        Canvas->Brush()->SetStyle(bsClear);
    } else {
        Canvas->Brush()->SetColor(BackColor);
    }
    Canvas->TextRect(rest, at.X, at.Y, text);
    if (ClearTextBackground) Canvas->Brush()->SetStyle(bsSolid);
}

void PaintBarLED(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool NoBackground,
                 bool ThemeAware, Word Percent, Integer NumSegments, TColor BackColor, TColor BarColor) {
    // Geometry never goes beyond a full bar.
    const Integer percent = std::min<Integer>(Percent, 100);
    const bool vertical = Orientation == orVertical;
    if (ThemeAware && ThemeServices()->ThemesEnabled()) {
        const TRect in(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
        const Integer length = vertical ? in.Bottom - in.Top : in.Right - in.Left;
        const Integer filled = RoundHalfEven(percent * length / 100.0);
        if (filled <= 0 || in.IsEmpty()) return;
        if (!vertical) {
            ThemeServices()->DrawElement(Canvas->Handle(), {teProgress, PP_CHUNK, 1},
                                         TRect(in.Left, in.Top, in.Left + filled, in.Bottom));
            return;
        }
        // Chunks drawn top-down, turned over so that they start at the bottom.
        auto bitmap = std::make_unique<TBitmap>(in.Right - in.Left, filled);
        ThemeServices()->DrawElement(bitmap->Canvas()->Handle(), {teProgress, PP_CHUNKVERT, 1},
                                     TRect(0, 0, bitmap->Width(), filled));
        FlipBitmapVertically(bitmap.get());
        Canvas->Draw(in.Left, in.Bottom - filled, bitmap.get());
        return;
    }

    const Integer d = vertical ? R.Bottom - R.Top : R.Right - R.Left;
    Integer n = std::max(NumSegments, 1);
    Integer e = d / n;
    if (d <= 80 && n > 10) {
        e = d / 10;
        n = 10;
    }
    if (e > 0) n += (d - e * n) / e;
    const Integer margin = (d - e * n) / 2;

    if (!NoBackground) {
        // The strips at both ends, each one pixel longer than the margin.
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(BackColor);
        if (vertical) {
            Canvas->FillRect(TRect(R.Left, R.Top, R.Right, R.Top + margin + 1));
            Canvas->FillRect(TRect(R.Left, R.Bottom - margin - 1, R.Right, R.Bottom));
        } else {
            Canvas->FillRect(TRect(R.Left, R.Top, R.Left + margin + 1, R.Bottom));
            Canvas->FillRect(TRect(R.Right - margin - 1, R.Top, R.Right, R.Bottom));
        }
    }

    Canvas->Pen()->SetColor(BackColor);
    Canvas->Pen()->SetStyle(NoBackground ? psClear : psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    auto segment = [&](Integer i) {
        TRect s =
            vertical
                ? TRect(R.Left, R.Top + margin + e * (n - i), R.Right, R.Top + margin + e * (n - i) + e)
                : TRect(R.Left + margin + e * (i - 1), R.Top, R.Left + margin + e * (i - 1) + e, R.Bottom);
        if (NoBackground) {
            ++s.Left;
            ++s.Top;
        }
        Canvas->Rectangle(s);
    };
    const Integer lit = percent * n / 100;
    Canvas->Brush()->SetColor(BarColor);
    for (Integer i = 1; i <= lit; ++i)
        segment(i);
    if (!NoBackground) {
        Canvas->Brush()->SetColor(BackColor);
        for (Integer i = lit + 1; i <= n; ++i)
            segment(i);
    } else {
        Canvas->Pen()->SetStyle(psSolid);
    }
}

void PaintBarGradient(TCanvas* Canvas, const TRect& R, TOrientation Orientation, Integer TotalParts,
                      Integer PartsComplete, bool ShowParts, bool NoBackground, bool ShowPercent,
                      Word Percent, TGradientDirection Direction, TColor BackColorStop, TColor BackColor,
                      TColor BarColorStop, TColor BarColor) {
    const String text = BarText(ShowPercent, ShowParts, TotalParts, PartsComplete, Percent);
    TRect filled, rest;
    SplitBar(R, Orientation, Percent, filled, rest);
    const TPoint at = BarTextPos(Canvas, R);
    GradientFillRect(Canvas, filled, Direction, 1, BarColorStop, BarColor);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetColor(BackColor);
    Canvas->TextRect(filled, at.X, at.Y, text);
    Canvas->Brush()->SetStyle(bsSolid);
    if (!NoBackground) GradientFillRect(Canvas, rest, Direction, 1, BackColorStop, BackColor);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetColor(BarColor);
    Canvas->TextRect(rest, at.X, at.Y, text);
    Canvas->Brush()->SetStyle(bsSolid);
}
