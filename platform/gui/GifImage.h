#pragma once
// GIF pictures (the first frame), decoded by the platform's image reader.

#include "platform/gui/Graphics.h"

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    ~TGIFImage() override;

    void Assign(TPersistent* Source) override;

    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    bool Empty() const override;

    void LoadFromBytes(const std::vector<Byte>& Data) override;
    std::vector<Byte> SaveToBytes() const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    TGraphic* NewEmpty() const override { return new TGIFImage; }
    void AssignTo(TPersistent* Dest) override;

private:
    TBitmap* FBitmap;
    std::vector<Byte> FData;
};
