#pragma once
// JPEG pictures, decoded and encoded with libjpeg.

#include "platform/gui/Graphics.h"

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    // Takes the pixels of a bitmap (or another JPEG image).
    void Assign(TPersistent* Source) override;

    Integer Width() const override;
    Integer Height() const override;
    // A JPEG image keeps its decoded size.
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    bool Empty() const override;

    // 1..100; used when the image is saved.
    Integer CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(Integer Value);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);

    void LoadFromBytes(const std::vector<Byte>& Data) override;
    std::vector<Byte> SaveToBytes() const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    TGraphic* NewEmpty() const override { return new TJPEGImage; }
    void AssignTo(TPersistent* Dest) override;

private:
    TBitmap* FBitmap;       // the decoded pixels
    std::vector<Byte> FData; // the file image as loaded (saved as it is until the pixels change)
    Integer FQuality = 90;
    bool FGrayscale = false;
};
