// TCanvas: the framework's drawing surface over a device context.
#include "platform/gui/gdi/GdiObjects.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/gdi/PaintCore.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <algorithm>

namespace {

constexpr Integer PenModes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};

} // namespace

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
    FFont->OnChange = [this](TObject*) { FState &= ~csFontValid; };
    FPen->OnChange = [this](TObject*) { FState &= ~csPenValid; };
    FBrush->OnChange = [this](TObject*) { FState &= ~csBrushValid; };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
    // Whoever draws on the handle directly gets the canvas's font, pen and brush.
    RequiredState(csHandleValid | csFontValid | csPenValid | csBrushValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
    if (Value == FHandle) return;
    if (FHandle) DeselectHandles();
    FHandle = Value;
    FState = Value ? csHandleValid : 0;
}

void TCanvas::DeselectHandles() {
    if (FHandle && FindDC(FHandle) && (FState & (csFontValid | csPenValid | csBrushValid))) {
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
    FState &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(unsigned Required) {
    unsigned need = Required & ~FState;
    if (!need) return;
    if (need & csHandleValid) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
        FState |= csHandleValid;
    }
    if (need & csFontValid) {
        SelectObject(FHandle, AsGdiObj(FFont->Handle()));
        SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    }
    if (need & csPenValid) {
        SelectObject(FHandle, AsGdiObj(FPen->Handle()));
        SetROP2(FHandle, PenModes[FPen->Mode()]);
    }
    if (need & csBrushValid) {
        SelectObject(FHandle, AsGdiObj(FBrush->Handle()));
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
    FState |= need;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    RequiredState(csHandleValid);
    TPoint p;
    GetCurrentPositionEx(FHandle, &p);
    return p;
}

TRect TCanvas::ClipRect() {
    RequiredState(csHandleValid);
    TRect r;
    GetClipBox(FHandle, &r);
    return r;
}

TColor TCanvas::Pixels(Integer X, Integer Y) {
    RequiredState(csHandleValid);
    return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixel(FHandle, X, Y, ColorToRGB(Value));
    Changed();
}

void TCanvas::MoveTo(Integer X, Integer Y) {
    RequiredState(csHandleValid);
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(Integer X, Integer Y) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::FillRect(const TRect& R) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FillRect(FHandle, &R, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FrameRect(FHandle, &R, FBrush->Handle());
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polygon(FHandle, Points.data(), static_cast<Integer>(Points.size()));
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polyline(FHandle, Points.data(), static_cast<Integer>(Points.size()));
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::DrawFocusRect(FHandle, &R);
    Changed();
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    Graphic->Draw(this, R);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (!Canvas) return;
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    Canvas->RequiredState(csHandleValid | csBrushValid);
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle, Source.Left, Source.Top,
               Source.Width(), Source.Height(), static_cast<DWORD>(FCopyMode));
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (!Bitmap || Dest.IsEmpty() || Source.IsEmpty()) return;
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    TDeviceContext* dc = FindDC(FHandle);
    if (dc) {
        // The source stretched to the destination's size; key pixels take
        // the brush, the rest is copied.
        TRaster part(Dest.Width(), Dest.Height());
        HDC tmp = CreateRasterDC(std::shared_ptr<TRaster>(&part, [](TRaster*) {}));
        StretchBlt(tmp, 0, 0, Dest.Width(), Dest.Height(), Bitmap->Canvas()->Handle(), Source.Left, Source.Top,
                   Source.Width(), Source.Height(), SRCCOPY);
        DeleteDC(tmp);
        std::uint32_t key = TRaster::FromColorRef(ColorToRGB(Color));
        TBrushPaint brush(*dc, dc->S.Brush.get());
        TRaster& out = dc->Surface();
        int x0 = dc->RX(Dest.Left), y0 = dc->RY(Dest.Top);
        for (int j = 0; j < part.Height(); ++j) {
            int y = y0 + j;
            const std::uint32_t* src = part.Row(j);
            ForVisibleSpans(*dc, y, x0, x0 + part.Width(), [&](int a, int b) {
                std::uint32_t* row = out.Row(y);
                for (int x = a; x < b; ++x) {
                    std::uint32_t s = src[x - x0];
                    if ((s & 0xFFFFFF) != (key & 0xFFFFFF)) {
                        row[x] = s;
                        continue;
                    }
                    std::uint32_t p;
                    if (brush.At(x, y, p)) row[x] = p;
                }
            });
        }
    }
    Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const String& Text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOut(FHandle, X, Y, static_cast<UINT>(TextFlags), nullptr, Text);
    MoveTo(X + TextWidth(Text), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const String& Text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED | static_cast<UINT>(TextFlags);
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(FHandle, X, Y, options, &R, Text);
    Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
    RequiredState(csHandleValid | csFontValid);
    TSize size;
    GetTextExtentPoint32(FHandle, Text, &size);
    return size;
}

// ---------------------------------------------------------------- pixel access

TRaster* CanvasRaster(TCanvas* Canvas) {
    if (!Canvas || !Canvas->HandleAllocated()) return nullptr;
    TDeviceContext* dc = FindDC(Canvas->Handle());
    return dc ? &dc->Surface() : nullptr;
}
