// Font resolution and glyph drawing.
//
// Outline fonts come from the installed families through one table of the
// face names the system uses, drawn by Qt without anti-aliasing (pixels
// stay exact colours, so colour keys and XOR work on text as on lines).
// The test face and the symbol face are drawn here from rectangles.
#include "platform/gui/gdi/FontEngine.h"

#include "platform/gui/gdi/PaintCore.h"
#include "platform/gui/gdi/RasterAccess.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <list>
#include <unordered_map>

namespace {

struct TFaceEntry {
    const char* Name;   // as the system names it
    const char* Family; // installed family; null for faces drawn here
    bool TrueType;
    TFontFace::TKind Kind;
};

// The faces the system names, on metric-compatible families where they
// exist; any other name gets the default family. "MS Sans Serif" and
// "Courier" stand for bitmap (not scalable) faces; "Marlett", the symbol
// face of small control glyphs, is drawn here (only the glyphs the
// controls use exist; other characters draw nothing).
constexpr TFaceEntry FaceTable[] = {
    {"Arial", "Liberation Sans", true, TFontFace::kOutline},
    {"Tahoma", "Liberation Sans", true, TFontFace::kOutline},
    {"MS Sans Serif", "Liberation Sans", false, TFontFace::kOutline},
    {"Verdana", "DejaVu Sans", true, TFontFace::kOutline},
    {"Courier New", "Liberation Mono", true, TFontFace::kOutline},
    {"Courier", "Liberation Mono", false, TFontFace::kOutline},
    {"Marlett", nullptr, true, TFontFace::kSymbol},
    {TestBlockFontName, nullptr, true, TFontFace::kBlock},
};
constexpr TFaceEntry DefaultFace = {"", "Liberation Sans", true, TFontFace::kOutline};

const TFaceEntry& Lookup(const char* Name) {
    for (const TFaceEntry& e : FaceTable)
        if (strcasecmp(e.Name, Name) == 0) return e;
    return DefaultFace;
}

// Symbol glyphs: rows of a pixel pattern for a cell 11 pixels high, scaled
// to the cell. "r" is the close cross of captions and docked panels.
struct TSymbolGlyph {
    char Char;
    int Width;
    int Height;
    const char* Rows[7];
};
constexpr TSymbolGlyph SymbolGlyphs[] = {
    {'r', 8, 7, {"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"}},
};

const TSymbolGlyph* SymbolGlyph(QChar C) {
    for (const TSymbolGlyph& g : SymbolGlyphs)
        if (C == QLatin1Char(g.Char)) return &g;
    return nullptr;
}

void MakeOutline(TFontFace& F, const TLogFont& Log, const char* Family) {
    QFont font{QString::fromLatin1(Family)};
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setWeight(Log.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(Log.lfItalic != 0);
    font.setUnderline(Log.lfUnderline != 0);
    font.setStrikeOut(Log.lfStrikeOut != 0);
    int em;
    if (Log.lfHeight < 0) {
        em = -Log.lfHeight;
    } else if (Log.lfHeight > 0) {
        // A cell height: the em that gives that ascent plus descent.
        font.setPixelSize(100);
        QFontMetricsF ref(font);
        em = std::max(1, static_cast<int>(std::lround(Log.lfHeight * 100.0 / (ref.ascent() + ref.descent()))));
    } else {
        em = 11;
    }
    font.setPixelSize(std::clamp(em, 1, 4096));
    QFontMetrics fm(font);
    F.Font = font;
    F.Metrics.emplace(font);
    F.Ascent = fm.ascent();
    F.Descent = fm.descent();
    F.InternalLeading = std::max(0, F.Height() - font.pixelSize());
    F.ExternalLeading = std::max(0, fm.leading());
    F.AveCharWidth = fm.averageCharWidth();
    F.MaxCharWidth = fm.maxWidth();
    F.FixedPitch = QFontInfo(font).fixedPitch();
}

void MakeCells(TFontFace& F, const TLogFont& Log) {
    int h = Log.lfHeight == 0 ? 16 : std::clamp(std::abs(Log.lfHeight), 1, 4096);
    F.Descent = F.Kind == TFontFace::kBlock ? h / 4 : 0;
    F.Ascent = h - F.Descent;
    F.AveCharWidth = F.MaxCharWidth =
        F.Kind == TFontFace::kBlock ? (Log.lfWidth > 0 ? Log.lfWidth : std::max(1, h / 2)) : h;
    F.FixedPitch = true;
}

// Fills a polygon of raster coordinates inside Clip.
void FillClipped(TRaster& Raster, const TTextClip& Clip, const TPoint* Points, int Count, std::uint32_t Color) {
    TRect box = Clip.Region.Box();
    const TRect& lim = Clip.Limit;
    ScanPolygon(Points, Count, false, std::max(box.Top, lim.Top), std::min(box.Bottom, lim.Bottom),
                [&](int y, const std::vector<TSpan>& spans) {
                    std::uint32_t* row = Raster.Row(y);
                    for (const TSpan& s : spans)
                        ForRegionSpans(Clip.Region, y, std::max(s.X0, lim.Left), std::min(s.X1, lim.Right),
                                       [&](int a, int b) { FillPixels(row + a, b - a, Color); });
                });
}

QRegion ToQRegion(const TRegionData& R) {
    std::vector<QRect> rects;
    for (const TBand& b : R.Bands())
        for (const TSpan& s : b.Spans) rects.emplace_back(s.X0, b.Y0, s.X1 - s.X0, b.Y1 - b.Y0);
    QRegion q;
    q.setRects(rects.data(), static_cast<int>(rects.size()));
    return q;
}

// Runs of text by font description, text and direction, the least recently
// used dropped beyond a bound: drawing a label again, or measuring it and
// then drawing it, lays it out and renders its glyphs only once.
class TTextRunCache {
public:
    static constexpr std::size_t Capacity = 1024;

    TTextRun& Find(const std::string& FaceKey, const QString& Text, bool RightToLeft, bool& Made) {
        FKey.assign(FaceKey);
        FKey += RightToLeft ? '\1' : '\0';
        FKey.append(reinterpret_cast<const char*>(Text.constData()), Text.size() * sizeof(QChar));
        auto it = FIndex.find(FKey);
        if (it != FIndex.end()) {
            FOrder.splice(FOrder.begin(), FOrder, it->second);
            Made = false;
            return it->second->second;
        }
        if (FOrder.size() >= Capacity) {
            FIndex.erase(FOrder.back().first);
            FOrder.pop_back();
        }
        FOrder.emplace_front(FKey, TTextRun());
        FIndex.emplace(FKey, FOrder.begin());
        Made = true;
        return FOrder.front().second;
    }

private:
    std::list<std::pair<std::string, TTextRun>> FOrder; // most recently used first
    std::unordered_map<std::string, std::list<std::pair<std::string, TTextRun>>::iterator> FIndex;
    std::string FKey;
};

TTextRunCache& RunCache() {
    static auto* cache = new TTextRunCache;
    return *cache;
}

} // namespace

const TFontFace& FaceOf(TFontObject& Font) {
    if (!Font.Face) {
        auto face = std::make_shared<TFontFace>();
        const TLogFont& log = Font.Log;
        const TFaceEntry& entry = Lookup(log.lfFaceName);
        face->Kind = entry.Kind;
        face->TrueType = entry.TrueType;
        face->Weight = log.lfWeight == 0 ? FW_NORMAL : log.lfWeight;
        face->Italic = log.lfItalic;
        face->Underline = log.lfUnderline;
        face->StrikeOut = log.lfStrikeOut;
        face->Escapement = log.lfEscapement;
        if (entry.Kind == TFontFace::kOutline)
            MakeOutline(*face, log, entry.Family);
        else
            MakeCells(*face, log);
        face->Key.assign(reinterpret_cast<const char*>(&log), sizeof log);
        Font.Face = face;
    }
    return *Font.Face;
}

bool IsTrueTypeFace(const String& FaceName) { return Lookup(FaceName.c_str()).TrueType; }

int TFontFace::Width(const QString& Text) const {
    if (Kind != kOutline) {
        int n = 0;
        for (int i = 0; i < Text.size(); ++i)
            if (!Text[i].isLowSurrogate()) ++n;
        return n * AveCharWidth;
    }
    return Run(Text, false).Width;
}

TTextRun& TFontFace::Run(const QString& Text, bool RightToLeft) const {
    bool made = false;
    // The advance does not depend on the direction; each direction has its
    // own glyph pixels.
    TTextRun& run = RunCache().Find(Key, Text, RightToLeft, made);
    if (made) run.Width = Metrics->horizontalAdvance(Text);
    return run;
}

void TFontFace::FillTextRect(TRaster& Raster, const TTextClip& Clip, int X, int Y, const TRect& R,
                             std::uint32_t Color) const {
    if (R.IsEmpty()) return;
    if (Escapement % 3600 == 0) {
        const TRect& lim = Clip.Limit;
        TRect r(std::max(X + R.Left, lim.Left), std::max(Y + R.Top, lim.Top), std::min(X + R.Right, lim.Right),
                std::min(Y + R.Bottom, lim.Bottom));
        ForRegionRects(Clip.Region, r, [&](int y0, int y1, int a, int b) {
            for (int y = y0; y < y1; ++y) FillPixels(Raster.Row(y) + a, b - a, Color);
        });
        return;
    }
    // Turn the corners about (X, Y); screen y grows downwards, so a
    // counter-clockwise turn maps (dx, dy) to (dx cos + dy sin, dy cos - dx sin).
    double a = Escapement / 10.0 * M_PI / 180.0;
    double c = std::cos(a), s = std::sin(a);
    auto turn = [&](int dx, int dy) {
        return TPoint(X + static_cast<int>(std::lround(dx * c + dy * s)),
                      Y + static_cast<int>(std::lround(dy * c - dx * s)));
    };
    TPoint pts[4] = {turn(R.Left, R.Top), turn(R.Right, R.Top), turn(R.Right, R.Bottom), turn(R.Left, R.Bottom)};
    FillClipped(Raster, Clip, pts, 4, Color);
}

void TFontFace::Draw(TRaster& Raster, const TTextClip& Clip, int X, int Y, const QString& Text,
                     std::uint32_t Color, bool RightToLeft) const {
    if (Text.isEmpty() || Clip.Region.Empty() || Clip.Limit.IsEmpty()) return;
    if (Kind == kOutline && Escapement % 3600 == 0) {
        // The glyphs' pixels, rendered once per run, set span by span.
        TTextRun& run = Run(Text, RightToLeft);
        if (!run.Inked) InkRun(run, Text, RightToLeft);
        const TRect& lim = Clip.Limit;
        const TBand* band = nullptr;
        for (const TInkSpan& s : run.Ink) {
            const int y = Y + s.Y;
            if (y < lim.Top || y >= lim.Bottom) continue;
            if (!band || y < band->Y0 || y >= band->Y1) {
                band = Clip.Region.BandAt(y);
                if (!band) continue;
            }
            const int x0 = std::max(X + s.X0, lim.Left), x1 = std::min(X + s.X1, lim.Right);
            std::uint32_t* row = Raster.Row(y);
            for (const TSpan& c : band->Spans) {
                if (c.X1 <= x0) continue;
                if (c.X0 >= x1) break;
                const int a = std::max(c.X0, x0), b = std::min(c.X1, x1);
                FillPixels(row + a, b - a, Color);
            }
        }
        return;
    }
    if (Kind == kOutline) {
        // Turned text is drawn by the toolkit each time.
        QImage image = RasterImage(Raster);
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setClipRegion(ToQRegion(Clip.Region).intersected(
            QRect(Clip.Limit.Left, Clip.Limit.Top, Clip.Limit.Width(), Clip.Limit.Height())));
        p.setPen(QColor::fromRgb(Color));
        p.setFont(Font);
        p.setLayoutDirection(RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        p.translate(X, Y);
        p.rotate(-Escapement / 10.0);
        p.drawText(QPointF(0, Ascent), Text);
        return;
    }
    int x = 0;
    int w = AveCharWidth;
    for (int i = 0; i < Text.size(); ++i) {
        QChar ch = Text[i];
        if (ch.isLowSurrogate()) continue;
        if (Kind == kBlock) {
            if (!ch.isSpace() && ch.isPrint()) FillTextRect(Raster, Clip, X, Y, TRect(x, 0, x + w, Ascent), Color);
        } else if (const TSymbolGlyph* g = SymbolGlyph(ch)) {
            // The pattern scaled to the cell and centred in it.
            int cell = Ascent;
            int scale = std::max(1, cell / 11);
            int gw = g->Width * scale, gh = g->Height * scale;
            int ox = x + (w - gw) / 2, oy = (cell - gh) / 2;
            for (int r = 0; r < g->Height; ++r)
                for (int c = 0; c < g->Width; ++c)
                    if (g->Rows[r][c] == '#')
                        FillTextRect(Raster, Clip, X, Y,
                                     TRect(ox + c * scale, oy + r * scale, ox + (c + 1) * scale, oy + (r + 1) * scale),
                                     Color);
        }
        x += w;
    }
    if (Underline) DrawUnderline(Raster, Clip, X, Y, 0, x, Color);
    if (StrikeOut) FillTextRect(Raster, Clip, X, Y, TRect(0, Ascent / 2, x, Ascent / 2 + 1), Color);
}

void TFontFace::InkRun(TTextRun& Run, const QString& Text, bool RightToLeft) const {
    // Rendered by the toolkit without anti-aliasing in white on black, on an
    // image with room around the cell for overhangs and descenders.
    QRect ink = Metrics->boundingRect(Text);
    const int pad = Height() / 2 + 2;
    const int left = std::min(0, ink.left()) - pad, top = std::min(0, Ascent + ink.top()) - pad;
    const int right = std::max(Run.Width, ink.right() + 1) + pad;
    const int bottom = std::max(Height(), Ascent + ink.bottom() + 1) + pad;
    QImage image(right - left, bottom - top, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::white);
        p.setFont(Font);
        p.setLayoutDirection(RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        p.drawText(QPointF(-left, -top + Ascent), Text);
    }
    Run.Ink.clear();
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if ((row[x] & 0xFFFFFF) == 0) {
                ++x;
                continue;
            }
            int end = x;
            while (end < image.width() && (row[end] & 0xFFFFFF) != 0) ++end;
            Run.Ink.push_back({y + top, x + left, end + left});
            x = end;
        }
    }
    Run.Inked = true;
}

void TFontFace::DrawUnderline(TRaster& Raster, const TTextClip& Clip, int X, int Y, int A, int B,
                              std::uint32_t Color) const {
    int top, thickness = 1;
    if (Kind == kOutline) {
        top = Ascent + std::max(1, Metrics->underlinePos());
        thickness = std::max(1, Metrics->lineWidth());
    } else {
        top = Ascent + 1;
    }
    FillTextRect(Raster, Clip, X, Y, TRect(A, top, B, top + thickness), Color);
}
