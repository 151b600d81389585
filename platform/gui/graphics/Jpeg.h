#pragma once
// JPEG pictures, decoded and encoded with libjpeg.

#include "platform/gui/graphics/DecodedGraphic.h"

class TJPEGImage : public TDecodedGraphic {
public:
    // Takes the pixels of a bitmap (or another JPEG image).
    void Assign(TPersistent* Source) override;

    // 1..100; used when the image is encoded again.
    Integer CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(Integer Value);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);

    void LoadFromBytes(const std::vector<Byte>& Data) override;
    // The file image as loaded, or the pixels encoded anew.
    std::vector<Byte> SaveToBytes() const override;

protected:
    TGraphic* NewEmpty() const override { return new TJPEGImage; }

private:
    Integer FQuality = 90;
    bool FGrayscale = false;
};
