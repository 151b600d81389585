#pragma once
// TImage: a picture on its parent's surface (a graphic control), at its
// own size from the top-left corner, or fitted to the control:
//
//   Stretch          fills the control (the picture's shape is lost)
//   Proportional     scales the picture to the largest size that fits and
//                    keeps its shape (with Stretch, also upwards; without,
//                    only a picture larger than the control shrinks)
//   Center           puts the picture (fitted or not) in the middle; the
//                    odd pixel goes right and down of the middle
//
// Widths and heights are truncated: a 400 x 200 picture proportional in a
// 150 x 100 control is drawn 150 x 75 at (0, 0), at (0, 12) when centred.
// Where the picture does not cover the control, the parent shows through.
// AutoSize makes the control the picture's size whenever it changes.

#include "platform/gui/controls/GraphicControl.h"
#include "platform/gui/controls/Published.h"

class TImage : public TGraphicControl {
public:
    QUENTA_PUBLISHED
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // Where the picture is drawn, in the control's client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);
    void Changed();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FAutoSize = false;
    bool FTransparent = false;
};
