#include "platform/gui/Jpeg.h"

#include "platform/gui/ImageCodecs.h"
#include "platform/gui/RasterAccess.h"

TJPEGImage::TJPEGImage() : FBitmap(new TBitmap) {}

TJPEGImage::~TJPEGImage() { FBitmap->Free(); }

void TJPEGImage::Assign(TPersistent* Source) {
    if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
        if (j == this) return;
        FBitmap->Assign(j->FBitmap);
        FData = j->FData;
        FQuality = j->FQuality;
        FGrayscale = j->FGrayscale;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        FBitmap->Assign(b);
        FBitmap->SetTransparent(false);
        FData.clear();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
    if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
        b->Assign(FBitmap);
        return;
    }
    TGraphic::AssignTo(Dest);
}

Integer TJPEGImage::Width() const { return FBitmap->Width(); }
Integer TJPEGImage::Height() const { return FBitmap->Height(); }
bool TJPEGImage::Empty() const { return FBitmap->Empty(); }

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
    TRaster pixels = DecodeJpeg(Data);
    *BitmapRaster(FBitmap) = std::move(pixels);
    FData = Data;
    Changed();
}

std::vector<Byte> TJPEGImage::SaveToBytes() const {
    if (!FData.empty()) return FData;
    return EncodeJpeg(*BitmapRaster(FBitmap), FQuality, FGrayscale);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& R) { ACanvas->StretchDraw(R, FBitmap); }
