// Bitmap files: every layout the format defines for 1, 4, 8, 16, 24 and 32
// bits per pixel, uncompressed, run-length encoded or with bit fields.
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/graphics/ImageCodecs.h"
#include "platform/gui/graphics/PictureLimits.h"

#include <bit>
#include <cstring>

namespace {

constexpr int MaxSide = 32768;

[[noreturn]] void Bad(const String& Why) { throw EInvalidGraphic("Bitmap image is not valid: " + Why); }

struct TReader {
    const std::vector<Byte>& D;
    std::uint32_t U32(std::size_t At) const {
        if (At + 4 > D.size()) Bad("the file is truncated");
        return D[At] | (D[At + 1] << 8) | (D[At + 2] << 16) | (static_cast<std::uint32_t>(D[At + 3]) << 24);
    }
    std::uint16_t U16(std::size_t At) const {
        if (At + 2 > D.size()) Bad("the file is truncated");
        return static_cast<std::uint16_t>(D[At] | (D[At + 1] << 8));
    }
};

// One channel from a bit-field mask, scaled to 8 bits.
struct TField {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TField(std::uint32_t M = 0) : Mask(M) {
        if (!M) return;
        Shift = std::countr_zero(M);
        Bits = std::popcount(M);
    }
    std::uint32_t Get(std::uint32_t V) const {
        if (!Mask) return 0;
        std::uint32_t c = (V & Mask) >> Shift;
        if (Bits >= 8) return c >> (Bits - 8);
        // Widen by repeating the bits (so that full scale stays full scale).
        std::uint32_t out = 0;
        int have = 0;
        while (have < 8) {
            out = (out << Bits) | c;
            have += Bits;
        }
        return out >> (have - 8);
    }
};

std::uint32_t Pixel(std::uint32_t R, std::uint32_t G, std::uint32_t B) { return 0xFF000000u | (R << 16) | (G << 8) | B; }

} // namespace

TRaster DecodeBmp(const std::vector<Byte>& Data, int* BitsPerPixel) {
    TReader rd{Data};
    if (Data.size() < 26 || Data[0] != 'B' || Data[1] != 'M') Bad("no bitmap file header");
    std::uint32_t offBits = rd.U32(10);
    std::uint32_t headerSize = rd.U32(14);
    // The sizes as the file states them, in 64 bits: a height of -2^31
    // (top-down) has no 32-bit magnitude.
    std::int64_t fileWidth, fileHeight;
    int bpp;
    std::uint32_t compression = 0, clrUsed = 0;
    bool core = headerSize == 12;
    if (core) {
        fileWidth = rd.U16(18);
        fileHeight = static_cast<std::int16_t>(rd.U16(20));
        bpp = rd.U16(24);
    } else if (headerSize >= 40 && headerSize <= 124) {
        fileWidth = static_cast<std::int32_t>(rd.U32(18));
        fileHeight = static_cast<std::int32_t>(rd.U32(22));
        bpp = rd.U16(28);
        compression = rd.U32(30);
        clrUsed = rd.U32(46);
    } else {
        Bad("unknown header size " + IntToStr(headerSize));
    }
    const bool topDown = fileHeight < 0;
    if (topDown) fileHeight = -fileHeight;
    if (fileWidth <= 0 || fileHeight <= 0) Bad("the image has no pixels");
    if (PictureTooLarge(fileWidth, fileHeight)) Bad(PictureTooLargeText(fileWidth, fileHeight));
    if (fileWidth > MaxSide || fileHeight > MaxSide)
        Bad(Format("the image is too large: %d x %d pixels, wider or higher than %d", {fileWidth, fileHeight, MaxSide}));
    const int width = static_cast<int>(fileWidth), height = static_cast<int>(fileHeight);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        Bad(IntToStr(bpp) + " bits per pixel are not supported");
    const std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
    bool fields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
    if (compression == BI_RLE8 && bpp != 8) Bad("run-length encoding needs 8 bits per pixel");
    if (compression == BI_RLE4 && bpp != 4) Bad("run-length encoding needs 4 bits per pixel");
    if (fields && bpp != 16 && bpp != 32) Bad("bit fields need 16 or 32 bits per pixel");
    if (compression != BI_RGB && compression != BI_RLE8 && compression != BI_RLE4 && !fields)
        Bad("compression " + IntToStr(compression) + " is not supported");
    if (topDown && (compression == BI_RLE8 || compression == BI_RLE4)) Bad("a top-down image cannot be run-length encoded");
    if (BitsPerPixel) *BitsPerPixel = bpp;

    // Bit fields follow a 40-byte header, or are part of a larger one.
    TField red, green, blue;
    std::size_t afterHeader = 14 + headerSize;
    if (fields) {
        std::size_t at = headerSize == 40 ? afterHeader : 14 + 40;
        red = TField(rd.U32(at));
        green = TField(rd.U32(at + 4));
        blue = TField(rd.U32(at + 8));
        if (headerSize == 40) afterHeader += compression == BI_ALPHABITFIELDS ? 16 : 12;
    } else if (bpp == 16) {
        red = TField(0x7C00);
        green = TField(0x03E0);
        blue = TField(0x001F);
    } else if (bpp == 32 || bpp == 24) {
        red = TField(0xFF0000);
        green = TField(0x00FF00);
        blue = TField(0x0000FF);
    }

    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        std::uint32_t count = clrUsed ? clrUsed : (1u << bpp);
        if (count > 256) Bad("the colour table is too large");
        int entry = core ? 3 : 4;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::size_t at = afterHeader + i * entry;
            if (at + 3 > Data.size()) Bad("the colour table is truncated");
            palette.push_back(Pixel(Data[at + 2], Data[at + 1], Data[at]));
        }
    }
    auto fromPalette = [&](unsigned Index) { return Index < palette.size() ? palette[Index] : 0xFF000000u; };
    if (offBits >= Data.size()) Bad("the pixel data is missing");

    bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    if (!rle && offBits + stride * (height - 1) + (static_cast<std::size_t>(width) * bpp + 7) / 8 > Data.size())
        Bad("the pixel data is truncated");

    TRaster out(width, height, 0xFF000000u);
    auto rowOf = [&](int FileRow) { return topDown ? FileRow : height - 1 - FileRow; };

    if (rle) {
        // Runs and escapes; pixels not covered stay black.
        // A long file of runs and deltas can carry x past the range of an
        // int, so the position counts in 64 bits.
        std::size_t at = offBits;
        std::int64_t x = 0, fileRow = 0;
        auto put = [&](unsigned Index) {
            if (x < width && fileRow < height)
                out.At(static_cast<int>(x), rowOf(static_cast<int>(fileRow))) = fromPalette(Index);
            ++x;
        };
        while (fileRow < height) {
            if (at + 2 > Data.size()) Bad("the run-length data is truncated");
            Byte count = Data[at], value = Data[at + 1];
            at += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    put(compression == BI_RLE8 ? value : (i % 2 == 0 ? value >> 4 : value & 15));
                continue;
            }
            if (value == 0) { // end of line
                x = 0;
                ++fileRow;
            } else if (value == 1) { // end of bitmap
                break;
            } else if (value == 2) { // delta
                if (at + 2 > Data.size()) Bad("the run-length data is truncated");
                x += Data[at];
                fileRow += Data[at + 1];
                at += 2;
            } else { // literal run of 'value' pixels, padded to 16 bits
                std::size_t bytes = compression == BI_RLE8 ? value : (value + 1u) / 2;
                if (at + bytes > Data.size()) Bad("the run-length data is truncated");
                for (int i = 0; i < value; ++i)
                    put(compression == BI_RLE8 ? Data[at + i] : (i % 2 == 0 ? Data[at + i / 2] >> 4 : Data[at + i / 2] & 15));
                at += (bytes + 1) & ~std::size_t{1};
            }
        }
        return out;
    }

    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const Byte* src = Data.data() + offBits + stride * fileRow;
        std::uint32_t* dst = out.Row(rowOf(fileRow));
        for (int x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: dst[x] = fromPalette((src[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: dst[x] = fromPalette(x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 15); break;
            case 8: dst[x] = fromPalette(src[x]); break;
            case 16: {
                std::uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = Pixel(red.Get(v), green.Get(v), blue.Get(v));
                break;
            }
            case 24: dst[x] = Pixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            case 32: {
                std::uint32_t v = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                  (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
                dst[x] = Pixel(red.Get(v), green.Get(v), blue.Get(v));
                break;
            }
            }
        }
    }
    // A two-colour black and white image is monochrome.
    out.Monochrome = bpp == 1 && palette.size() == 2 &&
                     ((palette[0] == 0xFF000000u && palette[1] == TRaster::White) ||
                      (palette[1] == 0xFF000000u && palette[0] == TRaster::White));
    return out;
}

std::vector<Byte> EncodeBmp(const TRaster& Raster, int BitsPerPixel) {
    int bpp = BitsPerPixel == 32 ? 32 : 24;
    std::size_t w = Raster.Width(), h = Raster.Height();
    std::size_t stride = ((w * bpp + 31) / 32) * 4;
    std::size_t offBits = 14 + 40;
    std::vector<Byte> out(offBits + stride * h, 0);
    auto put32 = [&](std::size_t At, std::uint32_t V) {
        for (int i = 0; i < 4; ++i) out[At + i] = static_cast<Byte>(V >> (8 * i));
    };
    auto put16 = [&](std::size_t At, std::uint32_t V) {
        out[At] = static_cast<Byte>(V);
        out[At + 1] = static_cast<Byte>(V >> 8);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(10, static_cast<std::uint32_t>(offBits));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    put16(26, 1);
    put16(28, static_cast<std::uint32_t>(bpp));
    put32(34, static_cast<std::uint32_t>(stride * h));
    put32(38, 3780); // 96 dpi
    put32(42, 3780);
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint32_t* src = Raster.Row(static_cast<int>(h - 1 - y));
        Byte* dst = out.data() + offBits + stride * y;
        for (std::size_t x = 0; x < w; ++x) {
            std::uint32_t p = src[x];
            Byte* d = dst + x * (bpp / 8);
            d[0] = static_cast<Byte>(p);
            d[1] = static_cast<Byte>(p >> 8);
            d[2] = static_cast<Byte>(p >> 16);
            if (bpp == 32) d[3] = 0;
        }
    }
    return out;
}
