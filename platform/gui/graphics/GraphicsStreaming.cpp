// Pictures and bitmaps in form descriptions: their data is the binary
// property "Data" ({..}), read through the graphic's own ReadData.
#include "platform/forms/Reader.h"
#include "platform/gui/graphics/Graphics.h"

void TGraphic::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Data", [this](const TBytes& Data) { ReadData(Data); }, nullptr, !Empty());
}

void TPicture::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Data", [this](const TBytes& Data) { ReadData(Data); }, nullptr, Graphic() != nullptr);
}
