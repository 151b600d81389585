// Pens, brushes and fonts made from their descriptions.
#include "platform/gui/gdi/GdiObjects.h"

#include <cstring>

HPEN CreatePen(Integer Style, Integer Width, COLORREF Color) {
    if (Style < PS_SOLID || Style > PS_INSIDEFRAME) return nullptr;
    auto pen = std::make_shared<TPenObject>();
    pen->Style = Style;
    pen->Width = Width < 1 ? 1 : Width;
    pen->Color = Color & 0xFFFFFF;
    return reinterpret_cast<HPEN>(RegisterGdiObject(pen));
}

HBRUSH CreateBrushIndirect(const TLogBrush* LogBrush) {
    if (!LogBrush) return nullptr;
    auto brush = std::make_shared<TBrushObject>();
    brush->Style = LogBrush->lbStyle;
    brush->Color = LogBrush->lbColor & 0xFFFFFF;
    switch (LogBrush->lbStyle) {
    case BS_SOLID:
    case BS_NULL: break;
    case BS_HATCHED:
        if (LogBrush->lbHatch > static_cast<std::uintptr_t>(HS_DIAGCROSS)) return nullptr;
        brush->Hatch = static_cast<Integer>(LogBrush->lbHatch);
        break;
    case BS_PATTERN: {
        auto bmp = FindGdi<TBitmapObject>(reinterpret_cast<HGDIOBJ>(LogBrush->lbHatch), TGdiKind::Bitmap);
        if (!bmp) return nullptr;
        brush->Pattern = std::make_shared<const TRaster>(*bmp->Raster);
        break;
    }
    default: return nullptr;
    }
    return reinterpret_cast<HBRUSH>(RegisterGdiObject(brush));
}

HBRUSH CreateSolidBrush(COLORREF Color) {
    TLogBrush lb{BS_SOLID, Color, 0};
    return CreateBrushIndirect(&lb);
}

HBRUSH CreateHatchBrush(Integer Hatch, COLORREF Color) {
    if (Hatch < 0) return nullptr;
    TLogBrush lb{BS_HATCHED, Color, static_cast<std::uintptr_t>(Hatch)};
    return CreateBrushIndirect(&lb);
}

HBRUSH CreatePatternBrush(HBITMAP Bitmap) {
    TLogBrush lb{BS_PATTERN, 0, reinterpret_cast<std::uintptr_t>(Bitmap)};
    return CreateBrushIndirect(&lb);
}

HFONT CreateFontIndirect(const TLogFont* LogFont) {
    if (!LogFont) return nullptr;
    auto font = std::make_shared<TFontObject>();
    font->Log = *LogFont;
    font->Log.lfFaceName[LF_FACESIZE - 1] = 0; // a face name always ends inside the field
    return reinterpret_cast<HFONT>(RegisterGdiObject(font));
}
