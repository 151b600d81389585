#pragma once
// Fonts resolved for drawing: the one table that maps the face names the
// system uses to installed families, metrics, measuring and drawing of
// text runs. Private to platform/gui.

#include "platform/gui/gdi/GdiObjects.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Where text may draw: inside a region and a rectangle (raster coordinates).
struct TTextClip {
    const TRegionData& Region;
    TRect Limit;
};

// A run of text as an outline face draws it: its advance, and the pixels
// its glyphs set as spans per row, relative to the cell's top-left (made
// on first draw).
struct TInkSpan {
    int Y, X0, X1;
};
struct TTextRun {
    int Width = 0;
    bool Inked = false;
    std::vector<TInkSpan> Ink; // by row, then column
};

struct TFontFace {
    enum TKind { kOutline, kBlock, kSymbol };
    TKind Kind = kOutline;
    bool TrueType = true;
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool FixedPitch = false;
    int Escapement = 0; // tenths of a degree, counter-clockwise
    QFont Font;         // outline fonts
    std::optional<QFontMetrics> Metrics;
    std::string Key;    // the font description the face was made from

    int Height() const { return Ascent + Descent; }
    int Width(const QString& Text) const;
    // Draws Text with the cell's top-left at raster (X, Y) in text space,
    // turned by the escapement about that point, clipped to Clip.
    void Draw(TRaster& Raster, const TTextClip& Clip, int X, int Y, const QString& Text, std::uint32_t Color,
              bool RightToLeft) const;
    // The underline of the text from offset A to B (pixels along the run).
    void DrawUnderline(TRaster& Raster, const TTextClip& Clip, int X, int Y, int A, int B, std::uint32_t Color) const;
    // Fills the rectangle (L, T, R, B) of text space, turned like the text.
    void FillTextRect(TRaster& Raster, const TTextClip& Clip, int X, int Y, const TRect& R, std::uint32_t Color) const;

private:
    // The run of an outline face from the text-run cache, and its glyph
    // pixels rendered.
    TTextRun& Run(const QString& Text, bool RightToLeft) const;
    void InkRun(TTextRun& Run, const QString& Text, bool RightToLeft) const;
};

// The resolved face of a font object (made once per object).
const TFontFace& FaceOf(TFontObject& Font);
// The face of the font selected into a device context.
inline const TFontFace& FaceOf(TDeviceContext& DC) { return FaceOf(*DC.S.Font); }

// Draws one run of text on a device context with the selected font and text
// colour: the cell's top-left at logical (X, Y), turned by the escapement,
// with the background cells filled when the background mode is OPAQUE,
// clipped to the context and to ClipRect (logical, may be null). Underline
// From..To (pixels along the run) when From < To.
void DrawTextRun(TDeviceContext& DC, int X, int Y, const QString& Text, const TRect* ClipRect, bool RightToLeft,
                 int UnderlineFrom = 0, int UnderlineTo = 0);
