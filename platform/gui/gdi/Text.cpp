// TextOut, ExtTextOut, text extents and metrics.
#include "platform/gui/gdi/FontEngine.h"
#include "platform/gui/gdi/PaintCore.h"

#include <cmath>
#include <cstring>

void DrawTextRun(TDeviceContext& DC, int X, int Y, const QString& Text, const TRect* ClipRect, bool RightToLeft,
                 int UnderlineFrom, int UnderlineTo) {
    const TFontFace& face = FaceOf(DC);
    TTextClip clip{DC.Visible(), TRect(-RegionCoordLimit, -RegionCoordLimit, RegionCoordLimit, RegionCoordLimit)};
    if (ClipRect)
        clip.Limit = TRect(DC.RX(ClipRect->Left), DC.RY(ClipRect->Top), DC.RX(ClipRect->Right), DC.RY(ClipRect->Bottom));
    if (clip.Region.Empty() || clip.Limit.IsEmpty()) return;
    TRaster& ras = DC.Surface();
    int rx = DC.RX(X), ry = DC.RY(Y);
    if (DC.S.BkMode == OPAQUE)
        face.FillTextRect(ras, clip, rx, ry, TRect(0, 0, face.Width(Text), face.Height()),
                          TRaster::FromColorRef(DC.S.BkColor));
    std::uint32_t color = TRaster::FromColorRef(DC.S.TextColor);
    face.Draw(ras, clip, rx, ry, Text, color, RightToLeft);
    if (UnderlineFrom < UnderlineTo) face.DrawUnderline(ras, clip, rx, ry, UnderlineFrom, UnderlineTo, color);
}

BOOL ExtTextOut(HDC DC, Integer X, Integer Y, UINT Options, const TRect* Rect, const String& Text) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    const TFontFace& face = FaceOf(*dc);
    QString text = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
    int width = face.Width(text);
    UINT align = dc->S.TextAlign;
    TPoint ref(X, Y);
    if (align & TA_UPDATECP) ref = dc->S.CurPos;
    if (Rect && (Options & ETO_OPAQUE)) {
        TBrushObject bk;
        bk.Color = dc->S.BkColor;
        TRect r(dc->RX(Rect->Left), dc->RY(Rect->Top), dc->RX(Rect->Right), dc->RY(Rect->Bottom));
        FillRasterRect(*dc, TBrushPaint(*dc, &bk), R2_COPYPEN, r);
    }
    // The cell's top-left relative to the reference point, along the text.
    int dx = 0, dy = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if ((align & TA_CENTER) == TA_RIGHT)
        dx = -width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        dy = -face.Ascent;
    else if ((align & TA_BASELINE) == TA_BOTTOM)
        dy = -face.Height();
    int x = ref.X + dx, y = ref.Y + dy;
    if (face.Escapement % 3600 != 0 && (dx != 0 || dy != 0)) {
        double a = face.Escapement / 10.0 * M_PI / 180.0;
        double c = std::cos(a), s = std::sin(a);
        x = ref.X + static_cast<int>(std::lround(dx * c + dy * s));
        y = ref.Y + static_cast<int>(std::lround(dy * c - dx * s));
    }
    bool rtl = (Options & ETO_RTLREADING) || (align & TA_RTLREADING);
    DrawTextRun(*dc, x, y, text, Rect && (Options & ETO_CLIPPED) ? Rect : nullptr, rtl);
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_LEFT) dc->S.CurPos.X += width;
        if ((align & TA_CENTER) == TA_RIGHT) dc->S.CurPos.X -= width;
    }
    return true;
}

BOOL TextOut(HDC DC, Integer X, Integer Y, const String& Text) { return ExtTextOut(DC, X, Y, 0, nullptr, Text); }

BOOL TextOut(HDC DC, Integer X, Integer Y, const char* Str, Integer Count) {
    if (!Str || Count < 0) return false;
    return TextOut(DC, X, Y, String(Str, static_cast<std::size_t>(Count)));
}

BOOL GetTextExtentPoint32(HDC DC, const String& Text, TSize* Size) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Size) return false;
    const TFontFace& face = FaceOf(*dc);
    Size->cx = face.Width(QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
    Size->cy = face.Height();
    return true;
}

BOOL GetTextExtentPoint32(HDC DC, const char* Str, Integer Count, TSize* Size) {
    if (!Str || Count < 0) return false;
    return GetTextExtentPoint32(DC, String(Str, static_cast<std::size_t>(Count)), Size);
}

BOOL GetTextMetrics(HDC DC, TTextMetric* Metrics) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Metrics) return false;
    const TFontFace& face = FaceOf(*dc);
    TTextMetric tm;
    tm.tmHeight = face.Height();
    tm.tmAscent = face.Ascent;
    tm.tmDescent = face.Descent;
    tm.tmInternalLeading = face.InternalLeading;
    tm.tmExternalLeading = face.ExternalLeading;
    tm.tmAveCharWidth = face.AveCharWidth;
    tm.tmMaxCharWidth = face.MaxCharWidth;
    tm.tmWeight = face.Weight;
    tm.tmItalic = face.Italic;
    tm.tmUnderlined = face.Underline;
    tm.tmStruckOut = face.StrikeOut;
    tm.tmCharSet = dc->S.Font->Log.lfCharSet;
    // TMPF_FIXED_PITCH is set for variable-pitch fonts.
    tm.tmPitchAndFamily = static_cast<Byte>((face.FixedPitch ? 0 : TMPF_FIXED_PITCH) |
                                            (face.TrueType ? TMPF_TRUETYPE | TMPF_VECTOR : 0));
    *Metrics = tm;
    return true;
}

Integer GetTextFace(HDC DC, Integer Count, char* FaceName) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return 0;
    const char* name = dc->S.Font->Log.lfFaceName;
    Integer len = static_cast<Integer>(std::strlen(name));
    if (!FaceName) return len + 1;
    if (Count <= 0) return 0;
    Integer n = std::min(len, Count - 1);
    std::memcpy(FaceName, name, static_cast<std::size_t>(n));
    FaceName[n] = 0;
    return n;
}
