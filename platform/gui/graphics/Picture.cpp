#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/graphics/Jpeg.h"

namespace {

std::unique_ptr<TGraphic> GraphicForExtension(const String& FileName) {
    String ext = LowerCase(ExtractFileExt(FileName));
    if (ext == ".bmp" || ext == ".dib") return std::make_unique<TBitmap>();
    if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif") return std::make_unique<TJPEGImage>();
    if (ext == ".gif") return std::make_unique<TGIFImage>();
    throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", {ext.empty() ? ext : ext.substr(1)}));
}

std::unique_ptr<TGraphic> GraphicForClass(const String& ClassName) {
    if (ClassName == "TBitmap") return std::make_unique<TBitmap>();
    if (ClassName == "TJPEGImage") return std::make_unique<TJPEGImage>();
    if (ClassName == "TGIFImage") return std::make_unique<TGIFImage>();
    throw EInvalidGraphic(Format("Unknown picture class %s", {ClassName}));
}

} // namespace

TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::SetNewGraphic(std::unique_ptr<TGraphic> Graphic) {
    FGraphic = std::move(Graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (!Value) {
        SetNewGraphic(nullptr);
        return;
    }
    if (Value == FGraphic.get()) return;
    std::unique_ptr<TGraphic> copy(Value->NewEmpty());
    copy->Assign(Value);
    SetNewGraphic(std::move(copy));
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(p->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) SetNewGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& FileName) {
    std::unique_ptr<TGraphic> g = GraphicForExtension(FileName);
    g->LoadFromFile(FileName);
    SetNewGraphic(std::move(g));
}

void TPicture::SaveToFile(const String& FileName) const {
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::ReadData(const std::vector<Byte>& Data) {
    if (Data.empty()) {
        SetNewGraphic(nullptr);
        return;
    }
    std::size_t len = Data[0];
    if (1 + len > Data.size()) throw EInvalidGraphic("Picture data is not valid: the class name is truncated");
    String className(Data.begin() + 1, Data.begin() + 1 + static_cast<std::ptrdiff_t>(len));
    if (className.empty()) {
        SetNewGraphic(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> g = GraphicForClass(className);
    g->ReadData(std::vector<Byte>(Data.begin() + 1 + static_cast<std::ptrdiff_t>(len), Data.end()));
    SetNewGraphic(std::move(g));
}
