#include "platform/gui/graphics/Jpeg.h"

#include "platform/gui/graphics/ImageCodecs.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <algorithm>

void TJPEGImage::Assign(TPersistent* Source) {
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        if (j == this) return;
        AssignDecoded(*j);
        FQuality = j->FQuality;
        FGrayscale = j->FGrayscale;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        SetDecoded(TRaster(*BitmapRaster(b)), {});
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::SetCompressionQuality(Integer Value) {
    Value = std::clamp(Value, 1, 100);
    if (Value == FQuality) return;
    FQuality = Value;
    FData.clear(); // the next save encodes again
}

void TJPEGImage::SetGrayscale(bool Value) {
    if (Value == FGrayscale) return;
    FGrayscale = Value;
    FData.clear();
    Changed();
}

void TJPEGImage::LoadFromBytes(const std::vector<Byte>& Data) {
    SetDecoded(DecodeJpeg(Data), Data);
    Changed();
}

std::vector<Byte> TJPEGImage::SaveToBytes() const {
    if (!FData.empty()) return FData;
    return EncodeJpeg(*BitmapRaster(FBitmap), FQuality, FGrayscale);
}
