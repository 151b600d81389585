#include "platform/gui/graphics/DecodedGraphic.h"

#include "platform/gui/graphics/GraphicsAccess.h"

TDecodedGraphic::TDecodedGraphic() : FBitmap(new TBitmap) {}

TDecodedGraphic::~TDecodedGraphic() { FBitmap->Free(); }

Integer TDecodedGraphic::Width() const { return FBitmap->Width(); }
Integer TDecodedGraphic::Height() const { return FBitmap->Height(); }
bool TDecodedGraphic::Empty() const { return FBitmap->Empty(); }

void TDecodedGraphic::Draw(TCanvas* ACanvas, const TRect& R) { ACanvas->StretchDraw(R, FBitmap); }

void TDecodedGraphic::AssignTo(TPersistent* Dest) {
    if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
        b->Assign(FBitmap);
        return;
    }
    TGraphic::AssignTo(Dest);
}

void TDecodedGraphic::AssignDecoded(const TDecodedGraphic& Source) {
    FBitmap->Assign(Source.FBitmap);
    FData = Source.FData;
    if (Transparent() != Source.Transparent()) SetTransparent(Source.Transparent());
}

void TDecodedGraphic::SetDecoded(TRaster Pixels, std::vector<Byte> FileImage) {
    *BitmapRaster(FBitmap) = std::move(Pixels);
    FData = std::move(FileImage);
}
