// Pictures, bitmaps and image lists in form descriptions. A graphic's data
// is the binary property "Data" ({..}), read through the graphic's own
// ReadData; an image list's images are the binary property "Bitmap", its
// settings published properties.
#include "platform/forms/Reader.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/graphics/ImgList.h"

void TGraphic::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Data", [this](const TBytes& Data) { ReadData(Data); }, nullptr, !Empty());
}

void TPicture::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Data", [this](const TBytes& Data) { ReadData(Data); }, nullptr, Graphic() != nullptr);
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Bitmap", [this](const TBytes& Data) { ReadData(Data); }, nullptr, Count() > 0);
}

const TClassInfo& TImageList::ClassInfo() {
    using T = TImageList;
    static const TClassInfo& info = []() -> const TClassInfo& {
        RegisterEnumType<TDrawingStyle>("TDrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"});
        RegisterEnumType<TImageType>("TImageType", {"itImage", "itMask"});
        return TClassBuilder<T>("TImageList", &ComponentClassInfo())
            .Property("AllocBy", &T::AllocBy, &T::SetAllocBy)
            .Default(4)
            .Property("BkColor", &T::BkColor, &T::SetBkColor, ColorTypeInfo())
            .Default(clNone)
            .Property("BlendColor", &T::BlendColor, &T::SetBlendColor, ColorTypeInfo())
            .Default(clNone)
            .Property("DrawingStyle", &T::DrawingStyle, &T::SetDrawingStyle)
            .Default(dsNormal)
            .Property("Height", &T::Height, &T::SetHeight)
            .Default(16)
            .Property("ImageType", &T::ImageType, &T::SetImageType)
            .Default(itImage)
            .Property("Masked", &T::Masked, &T::SetMasked)
            .Default(true)
            .Property("ShareImages", &T::ShareImages, &T::SetShareImages)
            .Default(false)
            .Property("Width", &T::Width, &T::SetWidth)
            .Default(16)
            .Event("OnChange", &T::OnChange)
            .Register();
    }();
    return info;
}
