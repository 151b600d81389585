#pragma once
// Raster access for platform/gui only (never for the system's code): lets
// the layers above present a raster without copying and make device
// contexts on their own surfaces.

#include "platform/gui/gdi/Gdi.h"
#include "platform/gui/gdi/Raster.h"

#include <QImage>

#include <functional>
#include <memory>

// A QImage over the raster's pixels (Format_RGB32, no copy). Valid until
// the raster is resized or freed.
QImage RasterImage(TRaster& Raster);

// A memory device context drawing into Raster (freed with DeleteDC).
HDC CreateRasterDC(std::shared_ptr<TRaster> Raster);
// Where the context's (0,0) lies on its raster, and the device rectangle it
// may touch at all (nullptr = all); neither is part of SaveDC's state nor
// visible through the viewport calls.
void SetDCDeviceOrigin(HDC DC, TPoint Origin);
void SetDCSystemClip(HDC DC, const TRect* Rect);

// Serves GetDC for window handles (GetDC(0) is the screen's context).
// ReleaseDC deletes the context it is given.
using TWindowDCProvider = std::function<HDC(HWND Wnd)>;
void SetWindowDCProvider(TWindowDCProvider Provider);
