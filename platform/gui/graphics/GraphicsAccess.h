#pragma once
// Pixel access to bitmaps and canvases for platform/gui only (never for the
// system's code): lets a window present what its canvas or a bitmap holds
// without copying.

#include "platform/gui/gdi/RasterAccess.h"
#include "platform/gui/graphics/Graphics.h"

#include <memory>

// The raster a bitmap draws into (never null).
const std::shared_ptr<TRaster>& BitmapRaster(const TBitmap* Bitmap);
// The raster that the canvas's device context draws into, or nullptr when
// the canvas has no handle.
TRaster* CanvasRaster(TCanvas* Canvas);
