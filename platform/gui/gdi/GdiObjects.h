#pragma once
// The objects behind GDI handles and device contexts. Private to
// platform/gui.
//
// Every handle is the address of a live object in a registry; a handle
// that is not registered (never made, or deleted) is refused. Objects are
// shared: a device context keeps what it has selected alive, so deleting a
// selected object only takes its handle away.

#include "platform/gui/gdi/Gdi.h"
#include "platform/gui/gdi/Raster.h"
#include "platform/gui/gdi/Region.h"

#include <memory>
#include <optional>
#include <vector>

struct TFontFace; // resolved font (FontEngine.h)

enum class TGdiKind { Pen = OBJ_PEN, Brush = OBJ_BRUSH, Font = OBJ_FONT, Bitmap = OBJ_BITMAP, Region = OBJ_REGION };

struct TGdiObject {
    explicit TGdiObject(TGdiKind AKind) : Kind(AKind) {}
    virtual ~TGdiObject() = default;
    TGdiKind Kind;
    bool Stock = false; // stock objects cannot be deleted
};

struct TPenObject : TGdiObject {
    TPenObject() : TGdiObject(TGdiKind::Pen) {}
    Integer Style = PS_SOLID;
    Integer Width = 1;
    COLORREF Color = 0;
};

struct TBrushObject : TGdiObject {
    TBrushObject() : TGdiObject(TGdiKind::Brush) {}
    UINT Style = BS_SOLID;
    COLORREF Color = 0;
    Integer Hatch = 0;
    std::shared_ptr<const TRaster> Pattern; // BS_PATTERN: a copy of the bitmap
};

struct TFontObject : TGdiObject {
    TFontObject() : TGdiObject(TGdiKind::Font) {}
    TLogFont Log;
    std::shared_ptr<TFontFace> Face; // made on first use
};

struct TBitmapObject : TGdiObject {
    TBitmapObject() : TGdiObject(TGdiKind::Bitmap) {}
    std::shared_ptr<TRaster> Raster;
};

struct TRegionObject : TGdiObject {
    TRegionObject() : TGdiObject(TGdiKind::Region) {}
    TRegionData Data;
};

// Registers an object and answers its handle.
HGDIOBJ RegisterGdiObject(std::shared_ptr<TGdiObject> Obj);
// The object of a handle, or nullptr when the handle is not valid.
std::shared_ptr<TGdiObject> FindGdiObject(HGDIOBJ Handle);
template <class T> std::shared_ptr<T> FindGdi(HGDIOBJ Handle, TGdiKind Kind) {
    auto obj = FindGdiObject(Handle);
    if (!obj || obj->Kind != Kind) return nullptr;
    return std::static_pointer_cast<T>(std::move(obj));
}
inline HGDIOBJ HandleOf(const TGdiObject* Obj) {
    return reinterpret_cast<HGDIOBJ>(const_cast<TGdiObject*>(Obj));
}

// The state that SaveDC keeps.
struct TDCState {
    TPoint ViewportOrg;
    std::optional<TRegionData> Clip; // device coordinates; none = no clip region
    std::shared_ptr<TPenObject> Pen;
    std::shared_ptr<TBrushObject> Brush;
    std::shared_ptr<TFontObject> Font;
    std::shared_ptr<TBitmapObject> Bitmap;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    Integer BkMode = OPAQUE;
    UINT TextAlign = TA_LEFT | TA_TOP;
    Integer Rop2 = R2_COPYPEN;
    Integer PolyFillMode = ALTERNATE;
    Integer StretchMode = BLACKONWHITE;
    TPoint BrushOrg;
    TPoint CurPos;
};

class TDeviceContext {
public:
    TDeviceContext();

    TDCState S;
    std::vector<TDCState> Saved;
    // Where the device context's (0,0) lies on the raster, and the part of
    // the raster it may touch at all (device coordinates; none = all). Set
    // by the window layer for contexts on a shared surface; not saved.
    TPoint DeviceOrigin;
    std::optional<TRegionData> SystemClip;
    bool IsScreen = false;

    TRaster& Surface() const { return *S.Bitmap->Raster; }
    // What drawing may touch, in raster coordinates.
    const TRegionData& Visible();
    void InvalidateVisible() { FVisibleValid = false; }

    // Logical to raster coordinates.
    int RX(int X) const { return X + S.ViewportOrg.X + DeviceOrigin.X; }
    int RY(int Y) const { return Y + S.ViewportOrg.Y + DeviceOrigin.Y; }
    // Logical to device coordinates.
    TPoint ToDevice(TPoint P) const { return {P.X + S.ViewportOrg.X, P.Y + S.ViewportOrg.Y}; }

private:
    TRegionData FVisible;
    bool FVisibleValid = false;
    int FVisibleWidth = 0, FVisibleHeight = 0; // the surface size FVisible was made for
};

TDeviceContext* FindDC(HDC DC);
inline HDC HandleOf(TDeviceContext* DC) { return reinterpret_cast<HDC>(DC); }
// A new memory device context drawing into Raster (registered; DeleteDC frees it).
HDC CreateRasterDC(std::shared_ptr<TRaster> Raster);
std::shared_ptr<TPenObject> StockPen(Integer Index);
std::shared_ptr<TBrushObject> StockBrush(Integer Index);
std::shared_ptr<TFontObject> StockFont();
