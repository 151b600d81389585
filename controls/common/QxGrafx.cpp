#include "controls/common/QxGrafx.h"

#include "platform/gui/controls/Controls.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/gdi/SavedDC.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A colour as three 16.16 fixed-point channels, stepped toward a target.
struct TFixedColor {
    Int64 R = 0, G = 0, B = 0;

    static TFixedColor Of(TColor Color) {
        COLORREF c = ColorToRGB(Color);
        return {Int64(GetRValue(c)) << 16, Int64(GetGValue(c)) << 16, Int64(GetBValue(c)) << 16};
    }
    // The per-step increment from this colour to Target in Steps steps
    // (integer division truncating toward zero).
    TFixedColor StepTo(const TFixedColor& Target, Int64 Steps) const {
        return {(Target.R - R) / Steps, (Target.G - G) / Steps, (Target.B - B) / Steps};
    }
    void Add(const TFixedColor& Step) {
        R += Step.R;
        G += Step.G;
        B += Step.B;
    }
    // The colour of the high words; a sweep that runs a step past its
    // target stays inside the channel range.
    COLORREF Value() const {
        auto channel = [](Int64 v) { return static_cast<Byte>(std::clamp<Int64>(v >> 16, 0, 255)); };
        return RGB(channel(R), channel(G), channel(B));
    }
};

// How many steps beyond the first a band takes at least: 0 for
// granularity 1, so that a band is exactly a run of equal colours.
Integer BandGrain(Integer Granularity, bool Box) {
    Integer g = Granularity > 8 ? (Box ? 256 / Granularity : (255 / Granularity + 1) - 1) : Granularity - 1;
    return std::max(g, 0);
}

// Gradients are computed here a line at a time and put on the canvas with
// StretchDIBits through the canvas's copy mode, so that the canvas's clip
// and origin apply as to any drawing. A line of equal pixels is one pixel
// stretched; rows that repeat are one row stretched over them. Pixels are
// words 0x00RRGGBB; a pixel no band reaches stays white.
using TPixel = std::uint32_t;
constexpr TPixel Unpainted = 0xFFFFFF;

TPixel PixelOf(COLORREF C) { return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF); }

// Puts the W x H pixels (rows W apart) at (X, Y) stretched to DW x DH;
// with a Margin, rows are W apart and their pixels start Margin in.
void PutPixels(HDC DC, DWORD Rop, Integer X, Integer Y, Integer DW, Integer DH, const TPixel* Pixels, Integer W,
               Integer H, Integer Margin = 0) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    StretchDIBits(DC, X, Y, DW, DH, Margin, 0, Margin ? W - 2 * Margin : W, H, Pixels, &info, DIB_RGB_COLORS, Rop);
}

// Lines Extent long of a row or column gradient, one colour each. Without
// a split (Split < 0) the last line gets StopColor and line 0 ends near
// StartColor; with a split the line Split gets StopColor and both ends
// StartColor. Each pass runs band by band from its far end:
//
//   line:   0 1 2 3 4 5 6 7      no split, Extent 8
//   band:   <-- ... -- b3 b2 b1  b1 = StopColor, bands step toward StartColor
std::vector<TPixel> LinearGradientLines(Integer Split, Integer Granularity, TColor StopColor, TColor StartColor,
                                        Integer Extent) {
    std::vector<TPixel> lines(Extent, Unpainted);
    const Integer grain = BandGrain(Granularity, false);
    auto pass = [&](Integer From, Integer Limit, TColor FromColor, TColor ToColor) {
        const Int64 steps = From - Limit + 1;
        if (steps <= 0) return; // a split on a 1-2 pixel extent leaves one pass empty
        TFixedColor color = TFixedColor::Of(FromColor);
        const TFixedColor step = color.StepTo(TFixedColor::Of(ToColor), steps);
        Integer p = From;
        while (p >= Limit) {
            const Integer bandEnd = p;
            const COLORREF bandColor = color.Value();
            Integer taken = 0;
            do {
                --p;
                color.Add(step);
                ++taken;
            } while (p >= Limit && (color.Value() == bandColor || taken <= grain));
            std::fill(lines.begin() + std::clamp<Integer>(p, 0, Extent),
                      lines.begin() + std::clamp<Integer>(bandEnd, 0, Extent), PixelOf(bandColor));
        }
    };
    if (Split < 0) {
        pass(Extent, 1, StopColor, StartColor);
    } else {
        pass(Split + 1, 1, StopColor, StartColor);
        pass(Extent, Split + 2, StartColor, StopColor);
    }
    return lines;
}

// The bands of the top-left quadrant (up to and including the centre column
// and row) of a box gradient, in painting order: StopColor in the centre
// and over the inset area around it, StartColor toward the outer edge. Each
// band is an L-shaped ring given by its outer corner; it covers the
// quadrant's pixels right of and below that corner that no earlier band
// covers:
//
//   x2 . . . . .     ring 2 (corner x2,y2)
//   .  x1 . . . .    ring 1
//   .  .  c c c      c = centre band, to the centre column and row
struct TBoxBand {
    Integer X, Y;
    TPixel Pixel;
};

std::vector<TBoxBand> BoxGradientBands(Integer W, Integer H, Integer Granularity, TColor StopColor,
                                       TColor StartColor, Integer InsetY, Integer InsetX) {
    std::vector<TBoxBand> bands;
    if (ColorToRGB(StopColor) == ColorToRGB(StartColor) || W < 5 || H <= 4) {
        bands.push_back({0, 0, PixelOf(ColorToRGB(StartColor))});
        return bands;
    }
    const Integer grain = BandGrain(Granularity, true);
    const Integer cx = (W - 1) / 2, cy = (H - 1) / 2;
    const Int64 ax = cx - InsetX, ay = cy - InsetY;
    const Int64 steps = std::max(ax, ay) + 1;
    TFixedColor color = TFixedColor::Of(StopColor);
    const TFixedColor step = color.StepTo(TFixedColor::Of(StartColor), steps);
    Int64 xpos = ax << 16, ypos = ay << 16;
    // (At least 1, so that a sweep over tens of thousands of pixels ends.)
    const Int64 dx = std::max<Int64>((ax << 16) / steps, 1), dy = std::max<Int64>((ay << 16) / steps, 1);
    for (;;) {
        const COLORREF bandColor = color.Value();
        Integer taken = 0;
        do {
            xpos -= dx;
            ypos -= dy;
            color.Add(step);
            ++taken;
        } while (!(xpos < 0 && ypos < 0) && (color.Value() == bandColor || taken <= grain));
        if (xpos < 0 && ypos < 0) break;
        bands.push_back({static_cast<Integer>(xpos >> 16), static_cast<Integer>(ypos >> 16), PixelOf(bandColor)});
    }
    return bands;
}

// Nearest-neighbour source index of destination step K of N over a source
// extent of M, as the platform's StretchBlt picks it.
Integer StretchSource(Integer K, Integer N, Integer M) {
    return static_cast<Integer>(((2 * Int64(K) + 1) * M) / (2 * Int64(N)));
}

// A row made of pieces of another: Count pixels from column From on, put
// at column To and rightwards, read rightwards (Step 1) or leftwards (-1).
struct TRowPiece {
    Integer To, From, Count, Step;
};

// The pieces that make Row[x] = Source[From[x]] for every x.
std::vector<TRowPiece> RowPieces(const std::vector<Integer>& From) {
    std::vector<TRowPiece> pieces;
    for (Integer x = 0; x < static_cast<Integer>(From.size());) {
        Integer n = 1, step = 1;
        if (x + 1 < static_cast<Integer>(From.size()) && From[x + 1] == From[x] - 1) step = -1;
        while (x + n < static_cast<Integer>(From.size()) && From[x + n] == From[x] + n * step) ++n;
        pieces.push_back({x, From[x], n, step});
        x += n;
    }
    return pieces;
}

void PutRowPieces(TPixel* Row, const TPixel* Source, const std::vector<TRowPiece>& Pieces) {
    for (const TRowPiece& p : Pieces) {
        if (p.Step > 0)
            std::memcpy(Row + p.To, Source + p.From, sizeof(TPixel) * p.Count);
        else
            std::reverse_copy(Source + p.From - p.Count + 1, Source + p.From + 1, Row + p.To);
    }
}

// Puts a box gradient on the canvas. The quadrant is completed the way two
// stretching copies of it complete it: first the top half of the left half
// (W div 2 columns, H div 2 rows) goes upside down onto the bottom rows,
// stretched to W div 2 + 1 columns; then the left W div 2 - k columns go
// mirrored onto the right W div 2 + k columns, k being 1 when W div 2 is
// odd. So the halves match exactly only where the stretches leave the
// columns as they are:
//
//   W 9, top rows      Q0 Q1 Q2 Q3 Q4 Q3 Q2 Q1 Q0
//        bottom rows   Q0 Q1 Q2 Q2 Q3 Q2 Q2 Q1 Q0   (4 columns stretched to 5)
//
// Both kinds of row are pieces of the quadrant row they come from, found
// once; rows that repeat go on as one row stretched over them.
void DrawBoxGradient(HDC DC, DWORD Rop, Integer Left, Integer Top, Integer W, Integer H,
                     const std::vector<TBoxBand>& Bands, TPixel Start) {
    const Integer qw = W - W / 2, qh = H - H / 2; // the quadrant, with the centre column and row
    const Integer hw = W / 2, hh = H / 2, k = hw % 2;
    // The quadrant column each pixel of a top and of a bottom row shows;
    // column qw stands for the start colour that fills what no copy reaches.
    std::vector<Integer> topFrom(W), bottomFrom(W, qw);
    for (Integer x = 0; x < W; ++x) topFrom[x] = std::min(x, qw);
    if (hw > 0)
        for (Integer c = 0; c <= hw; ++c) bottomFrom[c] = StretchSource(c, hw + 1, hw);
    if (hw - k > 0)
        for (Integer c = 0; c < hw + k; ++c) {
            const Integer from = StretchSource(c, hw + k, hw - k);
            topFrom[W - 1 - c] = topFrom[from];
            bottomFrom[W - 1 - c] = bottomFrom[from];
        }
    const std::vector<TRowPiece> topPieces = RowPieces(topFrom), bottomPieces = RowPieces(bottomFrom);

    std::vector<TPixel> quadrant(qw + 1, Start), next(qw + 1, Start), row(W);
    auto compose = [&](Integer Y, std::vector<TPixel>& Q) {
        // Pixels no band reaches keep the start colour of the edge.
        std::fill(Q.begin(), Q.begin() + qw, Start);
        Integer oldX = qw;
        for (const TBoxBand& b : Bands) {
            if (b.Y > Y) continue; // this ring's rows lie below Y
            const Integer x = std::clamp<Integer>(b.X, 0, qw);
            if (x < oldX) std::fill(Q.begin() + x, Q.begin() + oldX, b.Pixel);
            oldX = std::min(oldX, x);
        }
    };
    auto put = [&](Integer Y0, Integer Y1) {
        PutRowPieces(row.data(), quadrant.data(), topPieces);
        PutPixels(DC, Rop, Left, Top + Y0, W, Y1 - Y0, row.data(), W, 1);
        // The copies below the middle: row H-1-y for y < H div 2.
        const Integer m1 = std::min(Y1, hh);
        if (Y0 >= m1) return;
        PutRowPieces(row.data(), quadrant.data(), bottomPieces);
        PutPixels(DC, Rop, Left, Top + H - m1, W, m1 - Y0, row.data(), W, 1);
    };
    Integer runStart = 0;
    compose(0, quadrant);
    for (Integer y = 1; y < qh; ++y) {
        compose(y, next);
        if (next == quadrant) continue;
        put(runStart, y);
        quadrant.swap(next);
        runStart = y;
    }
    put(runStart, qh);
}

// A diagonal sweep in two passes over the triangles on either side of the
// middle diagonal. SignedWidth > 0: from the bottom-left corner in
// StartColor to the top-right one in StopColor; < 0: from the bottom-right
// corner in StopColor to the top-left one in StartColor.
//
// The bands are strips between lines parallel to the diagonal (pass 1:
// from the start column down to the bottom row; pass 2: from the top row
// down to the far column), each line ending on integer pixel corners.
// Lines nest, so on every row the bands follow one another from the start
// side: row y shows band k from where line k-1 crosses it to where line k
// does, the crossing being the first pixel whose centre is on or past the
// line (the polygon rule: left and top edges in).
//
//   pass 1   (x0,Y)             pass 2  (X,0)----(xf,0)
//            |  \                           \     |
//            |   \                           \    |
//            +----(X,H)                       (xf,Y)
class TDiagonalGradient {
public:
    TDiagonalGradient(Integer SignedWidth, Integer H, Integer Granularity, TColor StopColor, TColor StartColor)
        : FW(std::abs(SignedWidth)), FH(H), FDir(SignedWidth > 0 ? 1 : -1) {
        const Integer grain = BandGrain(Granularity, false);
        const Int64 steps = static_cast<Int64>(std::sqrt(double(FW) * FW + double(H) * H)) + 1;
        const Int64 half = std::max<Int64>(steps / 2, 1);
        const Int64 dx = (Int64(FW) << 16) / half, dy = std::max<Int64>((Int64(H) << 16) / half, 1);
        FX0 = FDir > 0 ? 0 : FW;
        FXf = FDir > 0 ? FW : 0;
        TFixedColor color = TFixedColor::Of(FDir > 0 ? StartColor : StopColor);
        const TFixedColor step = color.StepTo(TFixedColor::Of(FDir > 0 ? StopColor : StartColor), steps);
        for (int passNo = 1; passNo <= 2; ++passNo) {
            Int64 xpos = Int64(FX0) << 16, ypos = Int64(H) << 16;
            Integer x = FX0, y = H;
            for (;;) {
                const COLORREF bandColor = color.Value();
                Integer taken = 0;
                do {
                    xpos += FDir * dx;
                    ypos -= dy;
                    color.Add(step);
                    ++taken;
                    x = static_cast<Integer>(xpos >> 16);
                    y = static_cast<Integer>(ypos >> 16);
                } while (y >= 0 && (color.Value() == bandColor || taken <= grain));
                if (y < 0) {
                    // The closing band reaches the middle diagonal (pass 1)
                    // or the far top corner (pass 2).
                    if (passNo == 1) {
                        AddLine(FX0, 0, FXf, FH, bandColor, FX0);
                        FPass1 = FLines.size();
                    } else {
                        FFarPixel = PixelOf(bandColor);
                    }
                    break;
                }
                // Rows a line does not reach belong to the bands before it in
                // pass 1 (above it) and to those after it in pass 2 (below it).
                if (passNo == 1)
                    AddLine(FX0, y, x, FH, bandColor, FX0); // start column to bottom row
                else
                    AddLine(x, 0, FXf, y, bandColor, FXf); // top row to far column
            }
        }
    }

    // Pixels a row buffer needs on either side of the row (see Paint).
    static constexpr Integer Slack = 8;

    // Row Y of the gradient, FW pixels, into a buffer with Slack pixels of
    // room before and after them.
    void Row(Integer Y, TPixel* Out) {
        // Pass 1's lines reach down to the bottom row from ever higher up:
        // those starting below Y cross it at the start column and leave
        // their bands empty. Pass 2's lines come down from the top row ever
        // less far: past the first that ends above Y every band is empty.
        auto first = std::partition_point(FLines.begin(), FLines.begin() + FPass1,
                                          [&](const TLine& l) { return l.AY > Y; });
        const auto pass2 = FLines.begin() + FPass1;
        Integer from = FX0;
        for (auto l = first; l != FLines.end(); ++l) {
            const Integer to = l->Crossing(Y);
            Paint(Out, from, to, l->Pixel);
            from = to;
            if (to == FXf && l >= pass2) return;
        }
        Paint(Out, from, FXf, FFarPixel);
    }

private:
    // Paints the band from column From (where the band before ended) to
    // column To, toward the far side. A short band is written as eight
    // pixels in two vector stores; what lies past To is painted over by the
    // bands that follow (or falls into the slack after the row).
    void Paint(TPixel* Out, Integer From, Integer To, TPixel Pixel) const {
        using TQuad = TPixel __attribute__((vector_size(16)));
        const TQuad quad = {Pixel, Pixel, Pixel, Pixel};
        const Integer n = FDir > 0 ? To - From : From - To;
        TPixel* at = FDir > 0 ? Out + From : Out + From - Slack;
        if (n <= Slack) {
            std::memcpy(at, &quad, sizeof quad);
            std::memcpy(at + 4, &quad, sizeof quad);
            return;
        }
        std::fill(Out + std::min(From, To), Out + std::max(From, To), Pixel);
    }

    // A band's far boundary: the segment (AX, AY)-(BX, BY) with AY < BY,
    // and where it crosses row after row, kept as the exact quotient
    // Q + R / (2 D) of the polygon rule's crossing, advanced one row at a time.
    struct TLine {
        Integer AX, AY, BX, BY;
        TPixel Pixel;
        Integer Outside; // the column of the rows the segment does not reach
        Int64 Q = 0, R = 0, QStep = 0, RStep = 0, Den = 1;
        Integer Next = -1; // the row Q and R are for

        Integer Crossing(Integer Y) {
            if (Y < AY || Y >= BY) return Outside;
            if (Next != Y) Start(Y);
            const Integer c = static_cast<Integer>(Q + (R != 0));
            Next = Y + 1;
            Q += QStep;
            R += RStep;
            const bool carry = R >= Den;
            R -= carry ? Den : 0;
            Q += carry;
            return c;
        }
        void Start(Integer Y) {
            const Int64 d = Int64(BY) - AY;
            Den = 2 * d;
            const Int64 n = (2 * (Int64(Y) - AY) + 1) * (Int64(BX) - AX) + (2 * Int64(AX) - 1) * d;
            Q = FloorDiv(n, Den);
            R = n - Q * Den;
            const Int64 delta = 2 * (Int64(BX) - AX);
            QStep = FloorDiv(delta, Den);
            RStep = delta - QStep * Den;
        }
        static Int64 FloorDiv(Int64 N, Int64 D) {
            Int64 q = N / D;
            return (N % D != 0 && N < 0) ? q - 1 : q;
        }
    };

    void AddLine(Integer PX, Integer PY, Integer QX, Integer QY, COLORREF Color, Integer Outside) {
        FLines.push_back({PX, PY, QX, QY, PixelOf(Color), Outside});
    }

    Integer FW, FH, FDir, FX0 = 0, FXf = 0;
    std::vector<TLine> FLines;
    std::size_t FPass1 = 0; // pass 1's lines, the middle diagonal last
    TPixel FFarPixel = Unpainted;
};
} // namespace

const TTypeInfo* GradientDirectionTypeInfo() {
    static const TTypeInfo* info = [] {
        return RegisterEnumType<TGradientDirection>(
            "TGradientDirection",
            {"gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
             "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox", "gdSquareBox", "gdBigSquareBox"});
    }();
    return info;
}

void GradientFillRect(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, Integer Granularity,
                      TColor StopColor, TColor StartColor) {
    const Integer w = std::abs(R.Right - R.Left), h = std::abs(R.Bottom - R.Top);
    if (w == 0 || h == 0) return;
    // Drawn straight on the device context: the canvas hears of it once, as
    // of one drawing call (a printer's page then knows it holds something).
    Canvas->Changing();
    HDC dc = Canvas->Handle();
    const DWORD rop = static_cast<DWORD>(Canvas->CopyMode());
    const COLORREF start = ColorToRGB(StartColor);

    switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown: {
        if (start == ColorToRGB(StopColor)) {
            const TPixel p = PixelOf(start);
            PutPixels(dc, rop, R.Left, R.Top, w, h, &p, 1, 1);
            break;
        }
        TDiagonalGradient gradient(Direction == gdDiagonalUp ? w : -w, h, Granularity, StopColor, StartColor);
        // Sixteen rows at a time, each with the slack its bands need.
        constexpr Integer batch = 16;
        const Integer stride = w + 2 * TDiagonalGradient::Slack;
        std::vector<TPixel> rows(static_cast<std::size_t>(stride) * batch);
        for (Integer y0 = 0; y0 < h; y0 += batch) {
            const Integer n = std::min(batch, h - y0);
            for (Integer i = 0; i < n; ++i) gradient.Row(y0 + i, rows.data() + i * stride + TDiagonalGradient::Slack);
            PutPixels(dc, rop, R.Left, R.Top + y0, w, n, rows.data(), stride, n, TDiagonalGradient::Slack);
        }
        break;
    }
    case gdHorizontalEnd:
    case gdHorizontalCenter: {
        // One pixel per row, stretched across.
        const auto lines =
            LinearGradientLines(Direction == gdHorizontalCenter ? h / 2 : -1, Granularity, StopColor, StartColor, h);
        PutPixels(dc, rop, R.Left, R.Top, w, h, lines.data(), 1, h);
        break;
    }
    case gdVerticalEnd:
    case gdVerticalCenter: {
        // One row, stretched down.
        const auto lines =
            LinearGradientLines(Direction == gdVerticalCenter ? w / 2 : -1, Granularity, StopColor, StartColor, w);
        PutPixels(dc, rop, R.Left, R.Top, w, h, lines.data(), w, 1);
        break;
    }
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox: {
        const bool insetRows = Direction == gdVerticalBox || Direction == gdBigSquareBox;
        const bool insetColumns = Direction == gdHorizontalBox || Direction == gdBigSquareBox;
        DrawBoxGradient(dc, rop, R.Left, R.Top, w, h,
                        BoxGradientBands(w, h, Granularity, StopColor, StartColor, insetRows ? h / 4 : 0,
                                         insetColumns ? w / 4 : 0),
                        PixelOf(start));
        break;
    }
    }
    Canvas->Changed();
}

void PaintBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor,
                            const TRect& SourceRect) {
    if (!Canvas || !Bitmap) return;
    const Integer w = DestRect.Width(), h = DestRect.Height();
    if (w <= 0 || h <= 0) return;
    // A source part inside a colour bitmap goes on in one keyed stretch.
    // Otherwise it is stretched into a white bitmap first, so that what
    // lies outside the source shows white and a monochrome source takes
    // that bitmap's colours.
    const Integer sw = SourceRect.Width(), sh = SourceRect.Height();
    auto inside = [](Integer From, Integer Extent, Integer Size) {
        const Integer first = Extent > 0 ? From : From + Extent + 1;
        return Extent != 0 && first >= 0 && first + std::abs(Extent) <= Size;
    };
    HDC source = Bitmap->Canvas()->Handle();
    if (inside(SourceRect.Left, sw, Bitmap->Width()) && inside(SourceRect.Top, sh, Bitmap->Height()) &&
        !Bitmap->Monochrome() && GetBkColor(source) == 0xFFFFFF) {
        TransparentBlt(Canvas->Handle(), DestRect.Left, DestRect.Top, w, h, source, SourceRect.Left, SourceRect.Top,
                       sw, sh, ColorToRGB(TransparentColor));
        return;
    }
    auto stretched = std::make_unique<TBitmap>(w, h);
    StretchBlt(stretched->Canvas()->Handle(), 0, 0, w, h, Bitmap->Canvas()->Handle(), SourceRect.Left,
               SourceRect.Top, SourceRect.Width(), SourceRect.Height(), SRCCOPY);
    TransparentBlt(Canvas->Handle(), DestRect.Left, DestRect.Top, w, h, stretched->Canvas()->Handle(), 0, 0,
                   w, h, ColorToRGB(TransparentColor));
}

void FlipBitmapVertically(TBitmap* Bitmap) {
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer w = Bitmap->Width(), h = Bitmap->Height();
    auto copy = std::make_unique<TBitmap>(w, h);
    StretchBlt(copy->Canvas()->Handle(), 0, h - 1, w, -h, Bitmap->Canvas()->Handle(), 0, 0, w, h, SRCCOPY);
    Bitmap->Assign(copy.get());
}

void CopyParentBackground(TControl* Control, HDC DC, bool InvalidateParent) {
    TWinControl* parent = Control ? Control->Parent() : nullptr;
    if (!parent) return;
    {
        TSavedDC saved(DC);
        // The parent's coordinates land on the control; it paints no further
        // than its window's client area (borders of a panel included).
        TPoint origin;
        GetViewportOrgEx(DC, &origin);
        SetViewportOrgEx(DC, origin.X - Control->Left(), origin.Y - Control->Top(), nullptr);
        const TRect client = parent->WindowClientRect();
        IntersectClipRect(DC, client.Left, client.Top, client.Right, client.Bottom);
        const WPARAM dc = reinterpret_cast<WPARAM>(DC);
        if (Control->HasState(csDesigning)) {
            // While designing, a parent that fails to paint leaves the rest blank.
            try {
                parent->Perform(WM_ERASEBKGND, dc, 0);
                try {
                    parent->Perform(WM_PRINTCLIENT, dc, PRF_CLIENT);
                } catch (const Exception&) {
                }
            } catch (const Exception&) {
            }
        } else {
            parent->Perform(WM_ERASEBKGND, dc, 0);
            parent->Perform(WM_PRINTCLIENT, dc, PRF_CLIENT);
        }
    }
    if (InvalidateParent && !dynamic_cast<TCustomControl*>(parent) && !dynamic_cast<TCustomForm*>(parent) &&
        !Control->HasState(csDesigning))
        parent->Invalidate();
}

void CopyParentBackgroundToCanvas(TControl* Control, TCanvas* Canvas, bool InvalidateParent) {
    CopyParentBackground(Control, Canvas->Handle(), InvalidateParent);
}
