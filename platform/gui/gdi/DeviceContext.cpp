// Device contexts, the handle registry, selection, attributes and clipping.
#include "platform/gui/gdi/GdiObjects.h"
#include "platform/gui/gdi/RasterAccess.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// Both registries live until the process ends, so that objects freed
// during static destruction still find them.
std::unordered_map<const void*, std::shared_ptr<TGdiObject>>& Objects() {
    static auto* objects = new std::unordered_map<const void*, std::shared_ptr<TGdiObject>>;
    return *objects;
}

std::unordered_map<const void*, std::unique_ptr<TDeviceContext>>& Contexts() {
    static auto* contexts = new std::unordered_map<const void*, std::unique_ptr<TDeviceContext>>;
    return *contexts;
}

TDisplayFacts& Facts() {
    static TDisplayFacts facts;
    return facts;
}

TWindowDCProvider& WindowDCProvider() {
    static TWindowDCProvider provider;
    return provider;
}

// The clip region that stands for "no clip" when a clip operation needs a
// starting shape.
TRegionData Everything() {
    return TRegionData::FromRect(TRect(-RegionCoordLimit, -RegionCoordLimit, RegionCoordLimit, RegionCoordLimit));
}

HDC RegisterDC(std::unique_ptr<TDeviceContext> DC) {
    HDC h = HandleOf(DC.get());
    Contexts().emplace(DC.get(), std::move(DC));
    return h;
}

std::shared_ptr<TBitmapObject> NewBitmapObject(int Width, int Height) {
    auto bmp = std::make_shared<TBitmapObject>();
    bmp->Raster = std::make_shared<TRaster>(Width, Height);
    return bmp;
}

template <class T> HGDIOBJ Previous(const std::shared_ptr<T>& Obj) { return Obj ? HandleOf(Obj.get()) : nullptr; }

} // namespace

// ---------------------------------------------------------------- registry

namespace {
// The object found last (a brush is looked up when it is selected and
// again when it fills). Map entries stay where they are until erased, so
// the pointer holds until DeleteObject or a new registration forgets it.
struct TLastObject {
    const void* Handle = nullptr;
    const std::shared_ptr<TGdiObject>* Entry = nullptr;
} LastObject;
} // namespace

HGDIOBJ RegisterGdiObject(std::shared_ptr<TGdiObject> Obj) {
    HGDIOBJ h = HandleOf(Obj.get());
    auto& entry = Objects()[Obj.get()];
    entry = std::move(Obj);
    LastObject = {h, &entry}; // a new object is usually selected next
    return h;
}

std::shared_ptr<TGdiObject> FindGdiObject(HGDIOBJ Handle) {
    if (!Handle) return nullptr;
    if (Handle == LastObject.Handle) return *LastObject.Entry;
    auto it = Objects().find(Handle);
    if (it == Objects().end()) return nullptr;
    LastObject = {Handle, &it->second};
    return it->second;
}

namespace {
// The context found last: painters make call after call on one context, so
// most look-ups end here without hashing. DeleteDC forgets it.
struct TLastDC {
    const void* Handle = nullptr;
    TDeviceContext* DC = nullptr;
} LastDC;
} // namespace

TDeviceContext* FindDC(HDC DC) {
    if (!DC) return nullptr;
    if (DC == LastDC.Handle) return LastDC.DC;
    auto it = Contexts().find(DC);
    if (it == Contexts().end()) return nullptr;
    LastDC = {DC, it->second.get()};
    return LastDC.DC;
}

BOOL DeleteObject(HGDIOBJ Obj) {
    auto it = Objects().find(Obj);
    if (it == Objects().end()) return false;
    if (!it->second->Stock) {
        LastObject = {};
        Objects().erase(it);
    }
    return true;
}

UINT GetObjectType(HGDIOBJ Obj) {
    auto obj = FindGdiObject(Obj);
    return obj ? static_cast<UINT>(obj->Kind) : 0;
}

Integer GetObject(HGDIOBJ Obj, Integer Size, void* Buffer) {
    auto obj = FindGdiObject(Obj);
    if (!obj) return 0;
    auto copy = [&](const auto& value) -> Integer {
        Integer need = static_cast<Integer>(sizeof(value));
        if (!Buffer) return need;
        if (Size < need) return 0;
        std::memcpy(Buffer, &value, sizeof(value));
        return need;
    };
    switch (obj->Kind) {
    case TGdiKind::Font: return copy(static_cast<TFontObject&>(*obj).Log);
    case TGdiKind::Brush: {
        auto& b = static_cast<TBrushObject&>(*obj);
        return copy(TLogBrush{b.Style, b.Color, static_cast<std::uintptr_t>(b.Hatch)});
    }
    default: return 0;
    }
}

std::shared_ptr<TPenObject> StockPen(Integer Index) {
    static std::shared_ptr<TPenObject> pens[3];
    int i = Index - WHITE_PEN;
    if (i < 0 || i > 2) return nullptr;
    if (!pens[i]) {
        pens[i] = std::make_shared<TPenObject>();
        pens[i]->Stock = true;
        pens[i]->Style = Index == NULL_PEN ? PS_NULL : PS_SOLID;
        pens[i]->Color = Index == WHITE_PEN ? 0xFFFFFF : 0;
        RegisterGdiObject(pens[i]);
    }
    return pens[i];
}

std::shared_ptr<TBrushObject> StockBrush(Integer Index) {
    static std::shared_ptr<TBrushObject> brushes[6];
    static const COLORREF colors[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000, 0};
    if (Index < WHITE_BRUSH || Index > NULL_BRUSH) return nullptr;
    if (!brushes[Index]) {
        brushes[Index] = std::make_shared<TBrushObject>();
        brushes[Index]->Stock = true;
        brushes[Index]->Style = Index == NULL_BRUSH ? BS_NULL : BS_SOLID;
        brushes[Index]->Color = colors[Index];
        RegisterGdiObject(brushes[Index]);
    }
    return brushes[Index];
}

std::shared_ptr<TFontObject> StockFont() {
    static std::shared_ptr<TFontObject> font;
    if (!font) {
        font = std::make_shared<TFontObject>();
        font->Stock = true;
        font->Log.lfHeight = -11;
        font->Log.lfWeight = FW_NORMAL;
        font->Log.lfCharSet = DEFAULT_CHARSET;
        std::strcpy(font->Log.lfFaceName, "MS Sans Serif");
        RegisterGdiObject(font);
    }
    return font;
}

HGDIOBJ GetStockObject(Integer Index) {
    if (auto b = StockBrush(Index)) return HandleOf(b.get());
    if (auto p = StockPen(Index)) return HandleOf(p.get());
    if (Index == SYSTEM_FONT || Index == DEFAULT_GUI_FONT) return HandleOf(StockFont().get());
    return nullptr;
}

// ---------------------------------------------------------------- device contexts

TDeviceContext::TDeviceContext() {
    S.Pen = StockPen(BLACK_PEN);
    S.Brush = StockBrush(WHITE_BRUSH);
    S.Font = StockFont();
    S.Bitmap = NewBitmapObject(1, 1);
}

const TRegionData& TDeviceContext::Visible() {
    const TRaster& r = Surface();
    if (FVisibleValid && FVisibleWidth == r.Width() && FVisibleHeight == r.Height()) return FVisible;
    FVisibleWidth = r.Width();
    FVisibleHeight = r.Height();
    TRegionData v = TRegionData::FromRect(TRect(0, 0, r.Width(), r.Height()));
    auto clipTo = [&](const TRegionData& deviceRegion) {
        TRegionData shifted = deviceRegion;
        shifted.Offset(DeviceOrigin.X, DeviceOrigin.Y);
        v = TRegionData::Combine(v, shifted, TRegionOp::And);
    };
    if (SystemClip) clipTo(*SystemClip);
    if (S.Clip) clipTo(*S.Clip);
    FVisible = std::move(v);
    FVisibleValid = true;
    return FVisible;
}

HDC CreateRasterDC(std::shared_ptr<TRaster> Raster) {
    auto dc = std::make_unique<TDeviceContext>();
    dc->S.Bitmap = std::make_shared<TBitmapObject>();
    dc->S.Bitmap->Raster = std::move(Raster);
    return RegisterDC(std::move(dc));
}

HDC CreateCompatibleDC(HDC) { return RegisterDC(std::make_unique<TDeviceContext>()); }

BOOL DeleteDC(HDC DC) {
    if (DC == LastDC.Handle) LastDC = {};
    return Contexts().erase(DC) > 0;
}

HDC GetDC(HWND Wnd) {
    if (Wnd != 0) return WindowDCProvider() ? WindowDCProvider()(Wnd) : nullptr;
    auto dc = std::make_unique<TDeviceContext>();
    dc->IsScreen = true;
    return RegisterDC(std::move(dc));
}

Integer ReleaseDC(HWND, HDC DC) { return DeleteDC(DC) ? 1 : 0; }

void SetWindowDCProvider(TWindowDCProvider Provider) { WindowDCProvider() = std::move(Provider); }

void SetDCDeviceOrigin(HDC DC, TPoint Origin) {
    if (auto dc = FindDC(DC)) {
        dc->DeviceOrigin = Origin;
        dc->InvalidateVisible();
    }
}

void SetDCSystemClip(HDC DC, const TRect* Rect) {
    if (auto dc = FindDC(DC)) {
        if (Rect)
            dc->SystemClip = TRegionData::FromRect(*Rect);
        else
            dc->SystemClip.reset();
        dc->InvalidateVisible();
    }
}

const TDisplayFacts& DisplayFacts() { return Facts(); }
void SetDisplayFacts(const TDisplayFacts& F) { Facts() = F; }

Integer GetDeviceCaps(HDC DC, Integer Index) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return 0;
    int bits = dc->IsScreen ? Facts().BitsPerPixel : 32;
    switch (Index) {
    case BITSPIXEL: return bits;
    case PLANES: return 1;
    case NUMCOLORS: return bits > 8 ? -1 : 1 << bits;
    case LOGPIXELSX:
    case LOGPIXELSY: return Facts().PixelsPerInch;
    case HORZRES:
    case VERTRES:
        if (dc->IsScreen) {
            QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
            QSize size = screen ? screen->size() : QSize(1024, 768);
            return Index == HORZRES ? size.width() : size.height();
        }
        return Index == HORZRES ? dc->Surface().Width() : dc->Surface().Height();
    default: return 0;
    }
}

Integer SaveDC(HDC DC) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return 0;
    dc->Saved.push_back(dc->S);
    return static_cast<Integer>(dc->Saved.size());
}

BOOL RestoreDC(HDC DC, Integer SavedDC) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || SavedDC == 0) return false;
    Integer count = static_cast<Integer>(dc->Saved.size());
    Integer level = SavedDC > 0 ? SavedDC : count + 1 + SavedDC;
    if (level < 1 || level > count) return false;
    dc->S = std::move(dc->Saved[level - 1]);
    dc->Saved.resize(level - 1);
    dc->InvalidateVisible();
    return true;
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj) {
    TDeviceContext* dc = FindDC(DC);
    auto obj = FindGdiObject(Obj);
    if (!dc || !obj) return nullptr;
    HGDIOBJ old = nullptr;
    switch (obj->Kind) {
    case TGdiKind::Pen:
        old = Previous(dc->S.Pen);
        dc->S.Pen = std::static_pointer_cast<TPenObject>(std::move(obj));
        break;
    case TGdiKind::Brush:
        old = Previous(dc->S.Brush);
        dc->S.Brush = std::static_pointer_cast<TBrushObject>(std::move(obj));
        break;
    case TGdiKind::Font:
        old = Previous(dc->S.Font);
        dc->S.Font = std::static_pointer_cast<TFontObject>(std::move(obj));
        break;
    case TGdiKind::Bitmap:
        if (dc->IsScreen) return nullptr;
        old = Previous(dc->S.Bitmap);
        dc->S.Bitmap = std::static_pointer_cast<TBitmapObject>(std::move(obj));
        dc->InvalidateVisible();
        break;
    case TGdiKind::Region:
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SelectClipRgn(DC, reinterpret_cast<HRGN>(Obj))));
    }
    return old;
}

HGDIOBJ GetCurrentObject(HDC DC, UINT ObjectType) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return nullptr;
    switch (ObjectType) {
    case OBJ_PEN: return Previous(dc->S.Pen);
    case OBJ_BRUSH: return Previous(dc->S.Brush);
    case OBJ_FONT: return Previous(dc->S.Font);
    case OBJ_BITMAP: return Previous(dc->S.Bitmap);
    default: return nullptr;
    }
}

HBITMAP CreateCompatibleBitmap(HDC, Integer Width, Integer Height) {
    if (Width < 0 || Height < 0) return nullptr;
    return reinterpret_cast<HBITMAP>(RegisterGdiObject(NewBitmapObject(Width, Height)));
}

// ---------------------------------------------------------------- attributes

namespace {
template <class T, class F> T Exchange(HDC DC, T Fail, F Member) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return Fail;
    return Member(*dc);
}
} // namespace

COLORREF SetTextColor(HDC DC, COLORREF Color) {
    return Exchange(DC, CLR_INVALID, [&](TDeviceContext& dc) { return std::exchange(dc.S.TextColor, Color & 0xFFFFFF); });
}
COLORREF GetTextColor(HDC DC) { return Exchange(DC, CLR_INVALID, [](TDeviceContext& dc) { return dc.S.TextColor; }); }
COLORREF SetBkColor(HDC DC, COLORREF Color) {
    return Exchange(DC, CLR_INVALID, [&](TDeviceContext& dc) { return std::exchange(dc.S.BkColor, Color & 0xFFFFFF); });
}
COLORREF GetBkColor(HDC DC) { return Exchange(DC, CLR_INVALID, [](TDeviceContext& dc) { return dc.S.BkColor; }); }
Integer SetBkMode(HDC DC, Integer Mode) {
    if (Mode != OPAQUE && Mode != TRANSPARENT) return 0;
    return Exchange(DC, 0, [&](TDeviceContext& dc) { return std::exchange(dc.S.BkMode, Mode); });
}
Integer GetBkMode(HDC DC) { return Exchange(DC, 0, [](TDeviceContext& dc) { return dc.S.BkMode; }); }
UINT SetTextAlign(HDC DC, UINT Align) {
    return Exchange(DC, GDI_ERROR, [&](TDeviceContext& dc) { return std::exchange(dc.S.TextAlign, Align); });
}
UINT GetTextAlign(HDC DC) { return Exchange(DC, GDI_ERROR, [](TDeviceContext& dc) { return dc.S.TextAlign; }); }
Integer SetROP2(HDC DC, Integer Rop2) {
    if (Rop2 < R2_BLACK || Rop2 > R2_WHITE) return 0;
    return Exchange(DC, 0, [&](TDeviceContext& dc) { return std::exchange(dc.S.Rop2, Rop2); });
}
Integer GetROP2(HDC DC) { return Exchange(DC, 0, [](TDeviceContext& dc) { return dc.S.Rop2; }); }
Integer SetPolyFillMode(HDC DC, Integer Mode) {
    if (Mode != ALTERNATE && Mode != WINDING) return 0;
    return Exchange(DC, 0, [&](TDeviceContext& dc) { return std::exchange(dc.S.PolyFillMode, Mode); });
}
Integer SetStretchBltMode(HDC DC, Integer Mode) {
    return Exchange(DC, 0, [&](TDeviceContext& dc) { return std::exchange(dc.S.StretchMode, Mode); });
}

BOOL SetBrushOrgEx(HDC DC, Integer X, Integer Y, TPoint* Old) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    if (Old) *Old = dc->S.BrushOrg;
    dc->S.BrushOrg = {X, Y};
    return true;
}

BOOL GetBrushOrgEx(HDC DC, TPoint* Org) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Org) return false;
    *Org = dc->S.BrushOrg;
    return true;
}

BOOL SetViewportOrgEx(HDC DC, Integer X, Integer Y, TPoint* Old) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    if (Old) *Old = dc->S.ViewportOrg;
    dc->S.ViewportOrg = {X, Y};
    return true;
}

BOOL GetViewportOrgEx(HDC DC, TPoint* Org) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Org) return false;
    *Org = dc->S.ViewportOrg;
    return true;
}

BOOL OffsetViewportOrgEx(HDC DC, Integer DX, Integer DY, TPoint* Old) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return false;
    if (Old) *Old = dc->S.ViewportOrg;
    dc->S.ViewportOrg.X += DX;
    dc->S.ViewportOrg.Y += DY;
    return true;
}

// ---------------------------------------------------------------- clipping

namespace {

Integer VisibleKind(TDeviceContext& dc) { return dc.Visible().Kind(); }

Integer CombineClip(HDC DC, const TRegionData& Region, TRegionOp Op) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return ERROR;
    dc->S.Clip = TRegionData::Combine(dc->S.Clip ? *dc->S.Clip : Everything(), Region, Op);
    dc->InvalidateVisible();
    return VisibleKind(*dc);
}

TRegionData DeviceRect(TDeviceContext& dc, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    TPoint a = dc.ToDevice({Left, Top}), b = dc.ToDevice({Right, Bottom});
    if (b.X < a.X || b.Y < a.Y) return TRegionData(); // inverted: empty
    return TRegionData::FromRect(TRect(a.X, a.Y, b.X, b.Y));
}

} // namespace

Integer IntersectClipRect(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return ERROR;
    return CombineClip(DC, DeviceRect(*dc, Left, Top, Right, Bottom), TRegionOp::And);
}

Integer ExcludeClipRect(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return ERROR;
    return CombineClip(DC, DeviceRect(*dc, Left, Top, Right, Bottom), TRegionOp::Diff);
}

Integer SelectClipRgn(HDC DC, HRGN Rgn) { return ExtSelectClipRgn(DC, Rgn, RGN_COPY); }

Integer ExtSelectClipRgn(HDC DC, HRGN Rgn, Integer Mode) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc) return ERROR;
    if (!Rgn) {
        if (Mode != RGN_COPY) return ERROR;
        dc->S.Clip.reset();
        dc->InvalidateVisible();
        return VisibleKind(*dc);
    }
    auto rgn = FindGdi<TRegionObject>(AsGdiObj(Rgn), TGdiKind::Region);
    if (!rgn) return ERROR;
    switch (Mode) {
    case RGN_COPY:
        dc->S.Clip = rgn->Data;
        dc->InvalidateVisible();
        return VisibleKind(*dc);
    case RGN_AND: return CombineClip(DC, rgn->Data, TRegionOp::And);
    case RGN_OR: return CombineClip(DC, rgn->Data, TRegionOp::Or);
    case RGN_XOR: return CombineClip(DC, rgn->Data, TRegionOp::Xor);
    case RGN_DIFF: return CombineClip(DC, rgn->Data, TRegionOp::Diff);
    default: return ERROR;
    }
}

Integer GetClipBox(HDC DC, TRect* Rect) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Rect) return ERROR;
    const TRegionData& v = dc->Visible();
    TRect box = v.Box();
    if (!v.Empty()) {
        OffsetRect(box, -dc->DeviceOrigin.X - dc->S.ViewportOrg.X, -dc->DeviceOrigin.Y - dc->S.ViewportOrg.Y);
    }
    *Rect = box;
    return v.Kind();
}

Integer GetClipRgn(HDC DC, HRGN Rgn) {
    TDeviceContext* dc = FindDC(DC);
    auto rgn = FindGdi<TRegionObject>(AsGdiObj(Rgn), TGdiKind::Region);
    if (!dc || !rgn) return -1;
    if (!dc->S.Clip) return 0;
    rgn->Data = *dc->S.Clip;
    return 1;
}

BOOL PtVisible(HDC DC, Integer X, Integer Y) {
    TDeviceContext* dc = FindDC(DC);
    return dc && dc->Visible().Contains(dc->RX(X), dc->RY(Y));
}

BOOL RectVisible(HDC DC, const TRect* Rect) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Rect) return false;
    TRect r(dc->RX(Rect->Left), dc->RY(Rect->Top), dc->RX(Rect->Right), dc->RY(Rect->Bottom));
    return dc->Visible().IntersectsRect(r);
}
