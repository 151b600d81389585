#pragma once
// Decoders and encoders of picture files into rasters. Private to
// platform/gui. Decoders raise EInvalidGraphic with what is wrong.

#include "platform/gui/gdi/Raster.h"
#include "platform/rtl/System.h"

#include <vector>

// BitsPerPixel (may be null) receives the file's pixel depth.
TRaster DecodeBmp(const std::vector<Byte>& Data, int* BitsPerPixel = nullptr);
// 24 or 32 bits per pixel, bottom-up rows.
std::vector<Byte> EncodeBmp(const TRaster& Raster, int BitsPerPixel);

TRaster DecodeJpeg(const std::vector<Byte>& Data);
std::vector<Byte> EncodeJpeg(const TRaster& Raster, int Quality, bool Grayscale);

// The first frame of a GIF image; transparent pixels take a colour that
// the image does not use otherwise, returned in TransparentKey, and
// HasTransparency is set.
TRaster DecodeGif(const std::vector<Byte>& Data, bool& HasTransparency, std::uint32_t& TransparentKey);
