// The picture decoders on any bytes: bitmap, JPEG and GIF files (the logo
// and the about picture are files a user puts beside the program) and the
// picture data a form description stores. Each decoder either refuses the
// bytes with EInvalidGraphic and stays empty, or gives a picture within the
// size limit whose file image is the bytes read, and which can be drawn
// stretched, as the main window shows its logo.

#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Jpeg.h"
#include "platform/gui/graphics/PictureLimits.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void Finding(const char* What, const char* Decoder) {
    std::fprintf(stderr, "%s: %s\n", Decoder, What);
    std::abort();
}

void Check(TGraphic& Graphic, const char* Decoder, const std::vector<Byte>& Data, TCanvas* Canvas) {
    try {
        Graphic.LoadFromBytes(Data);
    } catch (const EInvalidGraphic&) {
        if (!Graphic.Empty() || Graphic.Width() != 0) Finding("a refused picture left pixels behind", Decoder);
        return;
    }
    if (Graphic.Width() <= 0 || Graphic.Height() <= 0) return;
    if (PictureTooLarge(Graphic.Width(), Graphic.Height())) Finding("a picture over the size limit was decoded", Decoder);
    // Pictures decoded from a compressed file keep that file image as it was.
    if (!dynamic_cast<TBitmap*>(&Graphic) && Graphic.SaveToBytes() != Data)
        Finding("the saved file image is not the one loaded", Decoder);
    Canvas->StretchDraw(TRect(0, 0, 40, 20), &Graphic);
    Canvas->StretchDraw(TRect(40, 20, 0, 0), &Graphic); // mirrored both ways
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static TBitmap* target = new TBitmap(40, 20);
    const std::vector<Byte> bytes(Data, Data + Size);
    {
        TBitmap bitmap;
        Check(bitmap, "bitmap", bytes, target->Canvas());
    }
    {
        TJPEGImage jpeg;
        Check(jpeg, "JPEG", bytes, target->Canvas());
    }
    {
        TGIFImage gif;
        Check(gif, "GIF", bytes, target->Canvas());
    }
    // As a form description stores it: class name, then the graphic's data.
    TPicture picture;
    try {
        picture.ReadData(bytes);
    } catch (const EInvalidGraphic&) {
        if (picture.Graphic()) Finding("refused picture data left a graphic behind", "picture data");
    }
    return 0;
}
