#include "platform/gui/gdi/Raster.h"
#include "platform/gui/gdi/RasterAccess.h"

#include <algorithm>

void TRaster::Resize(int AWidth, int AHeight, std::uint32_t Fill) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    decltype(FPixels) pixels(static_cast<std::size_t>(AWidth) * AHeight, Fill);
    int w = std::min(AWidth, FWidth);
    int h = std::min(AHeight, FHeight);
    for (int y = 0; y < h; ++y)
        std::copy_n(Row(y), w, pixels.data() + static_cast<std::size_t>(y) * AWidth);
    FPixels.swap(pixels);
    FWidth = AWidth;
    FHeight = AHeight;
}

void TRaster::Fill(std::uint32_t Pixel) { std::fill(FPixels.begin(), FPixels.end(), Pixel); }

QImage RasterImage(TRaster& Raster) {
    return QImage(reinterpret_cast<uchar*>(Raster.Bits()), Raster.Width(), Raster.Height(), Raster.Width() * 4,
                  QImage::Format_RGB32);
}
