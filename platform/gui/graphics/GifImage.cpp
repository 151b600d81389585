#include "platform/gui/graphics/GifImage.h"

#include "platform/gui/graphics/ImageCodecs.h"
#include "platform/gui/graphics/PictureLimits.h"
#include "platform/gui/gdi/RasterAccess.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <unordered_set>

namespace {

// The sizes the file states before any pixel: its logical screen and its
// first frame. The decoder allocates the screen, or the frame when the
// screen is empty. A file that ends before its first frame states only the
// screen (the decoder reports what is missing).
std::vector<TSize> StatedSizes(const std::vector<Byte>& Data) {
    auto u16 = [&Data](std::size_t At) { return Data[At] | (Data[At + 1] << 8); };
    std::vector<TSize> sizes;
    if (Data.size() < 13) return sizes;
    sizes.push_back({u16(6), u16(8)});
    std::size_t at = 13;
    if (Data[10] & 0x80) at += std::size_t{3} << ((Data[10] & 7) + 1); // global colour table
    while (at < Data.size() && Data[at] == 0x21) { // extensions: introducer, label, sub-blocks
        at += 2;
        while (at < Data.size() && Data[at] != 0) at += Data[at] + std::size_t{1};
        ++at;
    }
    if (at + 9 <= Data.size() && Data[at] == 0x2C) sizes.push_back({u16(at + 5), u16(at + 7)});
    return sizes;
}

} // namespace

TRaster DecodeGif(const std::vector<Byte>& Data, bool& HasTransparency, std::uint32_t& TransparentKey) {
    if (Data.size() < 6 || (std::memcmp(Data.data(), "GIF87a", 6) != 0 && std::memcmp(Data.data(), "GIF89a", 6) != 0))
        throw EInvalidGraphic("GIF image is not valid: no GIF file header");
    for (const TSize& stated : StatedSizes(Data))
        if (PictureTooLarge(stated.cx, stated.cy))
            throw EInvalidGraphic("GIF image is not valid: " + PictureTooLargeText(stated.cx, stated.cy));
    QByteArray bytes(reinterpret_cast<const char*>(Data.data()), static_cast<qsizetype>(Data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw EInvalidGraphic("GIF image is not valid: " + reader.errorString().toStdString());
    image = image.convertToFormat(QImage::Format_ARGB32);
    TRaster out(image.width(), image.height());
    HasTransparency = false;
    std::unordered_set<std::uint32_t> used;
    for (int y = 0; y < image.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(src[x]) < 128)
                HasTransparency = true;
            else
                used.insert(src[x] | 0xFF000000u);
        }
    }
    // A key colour the picture does not use.
    TransparentKey = 0xFFFF00FFu;
    while (used.count(TransparentKey)) TransparentKey = 0xFF000000u | ((TransparentKey + 0x010203u) & 0xFFFFFFu);
    for (int y = 0; y < image.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::uint32_t* dst = out.Row(y);
        for (int x = 0; x < image.width(); ++x) dst[x] = qAlpha(src[x]) < 128 ? TransparentKey : (src[x] | 0xFF000000u);
    }
    return out;
}

void TGIFImage::Assign(TPersistent* Source) {
    if (auto* g = dynamic_cast<TGIFImage*>(Source)) {
        if (g == this) return;
        AssignDecoded(*g);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TGIFImage::LoadFromBytes(const std::vector<Byte>& Data) {
    bool transparent = false;
    std::uint32_t key = 0;
    TRaster pixels = DecodeGif(Data, transparent, key);
    SetDecoded(std::move(pixels), Data);
    FBitmap->SetTransparent(transparent);
    FBitmap->SetTransparentColor(transparent ? static_cast<TColor>(TRaster::ToColorRef(key)) : clDefault);
    SetTransparent(transparent);
    Changed();
}

std::vector<Byte> TGIFImage::SaveToBytes() const {
    if (FData.empty()) throw EInvalidGraphicOperation("Cannot save a GIF image that was not loaded from a GIF file");
    return FData;
}
