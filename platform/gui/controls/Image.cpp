#include "platform/gui/controls/Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    FControlStyle << csReplicatable;
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
}

void TImage::SetStretch(bool Value) {
    if (Value == FStretch) return;
    FStretch = Value;
    Changed();
}

void TImage::SetProportional(bool Value) {
    if (Value == FProportional) return;
    FProportional = Value;
    Changed();
}

void TImage::SetCenter(bool Value) {
    if (Value == FCenter) return;
    FCenter = Value;
    Changed();
}

void TImage::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    PictureChanged(this);
}

TRect TImage::DestRect() const {
    Integer w = FPicture->Width(), h = FPicture->Height();
    const Integer cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // The larger side of the picture meets the control first; the
            // other side follows the picture's shape, truncated.
            const double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<Integer>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<Integer>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<Integer>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<Integer>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r{0, 0, w, h};
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty()) return;
    Canvas()->StretchDraw(DestRect(), graphic);
}

void TImage::Changed() {
    PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* graphic = FPicture->Graphic();
    if (FAutoSize && graphic && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    if (graphic) {
        if (graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
        // A picture that covers the whole control hides what is behind it.
        const TRect d = DestRect();
        const bool covers = d.Left <= 0 && d.Top <= 0 && d.Right >= Width() && d.Bottom >= Height();
        if (!FTransparent && covers)
            FControlStyle << csOpaque;
        else
            FControlStyle >> csOpaque;
    } else {
        FControlStyle >> csOpaque;
    }
    Invalidate();
}

const TClassInfo& TImage::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<TImage> b("TImage", &TGraphicControl::ClassInfo());
        PublishControlProperties(b, {"Align", "Constraints", "Enabled", "ParentShowHint", "ShowHint", "Visible",
                                     "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
        b.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
            .Default(false)
            .Property("Center", &TImage::Center, &TImage::SetCenter)
            .Default(false)
            .Property("Picture", &TImage::Picture, &TImage::SetPicture)
            .Property("Proportional", &TImage::Proportional, &TImage::SetProportional)
            .Default(false)
            .Property("Stretch", &TImage::Stretch, &TImage::SetStretch)
            .Default(false)
            .Property("Transparent", &TImage::Transparent, &TImage::SetTransparent)
            .Default(false);
        return b.Register();
    }();
    return info;
}
