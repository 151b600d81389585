#pragma once
// GIF pictures (the first frame), decoded by the platform's image reader.

#include "platform/gui/graphics/DecodedGraphic.h"

class TGIFImage : public TDecodedGraphic {
public:
    void Assign(TPersistent* Source) override;

    void LoadFromBytes(const std::vector<Byte>& Data) override;
    // The file image as loaded; a GIF image is never encoded here.
    std::vector<Byte> SaveToBytes() const override;

protected:
    TGraphic* NewEmpty() const override { return new TGIFImage; }
};
