#pragma once
// The largest picture the decoders accept. A picture file states its size in
// a few header bytes, so a file of a few dozen bytes can ask for gigabytes
// of pixels; every decoder checks the stated size (in 64-bit arithmetic, as
// the file may state anything) before it makes the raster.

#include "platform/rtl/SysUtils.h"

#include <cstdint>

// 64 Mi pixels: 256 MiB as 32-bit pixels, e.g. 8192 x 8192.
inline constexpr std::int64_t MaxPicturePixels = std::int64_t{1} << 26;

// True when Width x Height pixels (both positive) are more than a picture
// may have.
constexpr bool PictureTooLarge(std::int64_t Width, std::int64_t Height) {
    return Width > MaxPicturePixels || Height > MaxPicturePixels || Width * Height > MaxPicturePixels;
}

// What a decoder says after "... image is not valid: " for such a picture.
inline String PictureTooLargeText(std::int64_t Width, std::int64_t Height) {
    return Format("the image is too large: %d x %d pixels, more than the %d a picture may have",
                  {Width, Height, MaxPicturePixels});
}
