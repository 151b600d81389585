#pragma once
// Base of pictures kept in a compressed file format: the decoded pixels in
// a bitmap, and the file image as loaded, which saving gives back as it is.

#include "platform/gui/graphics/Graphics.h"

class TDecodedGraphic : public TGraphic {
public:
    TDecodedGraphic();
    ~TDecodedGraphic() override;

    Integer Width() const override;
    Integer Height() const override;
    // The size is the decoded picture's.
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    bool Empty() const override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // Gives the decoded pixels to a bitmap.
    void AssignTo(TPersistent* Dest) override;
    // Copies pixels, file image and transparency of another picture of the class.
    void AssignDecoded(const TDecodedGraphic& Source);
    // Takes new pixels with their file image (empty when made from pixels).
    void SetDecoded(TRaster Pixels, std::vector<Byte> FileImage);

    TBitmap* FBitmap;
    std::vector<Byte> FData;
};
