#include "platform/gui/graphics/ImgList.h"

#include "platform/gui/gdi/PaintCore.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <algorithm>

// ---------------------------------------------------------------- TChangeLink

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(FSender);
}

// ---------------------------------------------------------------- TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : FLinks) link->SetSender(nullptr);
}

void TCustomImageList::Assign(TPersistent* Source) {
    auto* list = dynamic_cast<TCustomImageList*>(Source);
    if (!list) {
        TComponent::Assign(Source);
        return;
    }
    if (list == this) return;
    FWidth = list->FWidth;
    FHeight = list->FHeight;
    FBkColor = list->FBkColor;
    FBlendColor = list->FBlendColor;
    FDrawingStyle = list->FDrawingStyle;
    FImageType = list->FImageType;
    FMasked = list->FMasked;
    FAllocBy = list->FAllocBy;
    FShareImages = list->FShareImages;
    FImages.clear();
    for (const TImage& img : list->FImages) FImages.push_back({std::make_shared<TRaster>(*img.Pixels), img.Transparent});
    Change();
}

void TCustomImageList::SetWidth(Integer Value) {
    if (Value < 1 || Value == FWidth) return;
    CheckSizeChange();
    FWidth = Value;
    FImages.clear();
    Change();
}

void TCustomImageList::SetHeight(Integer Value) {
    if (Value < 1 || Value == FHeight) return;
    CheckSizeChange();
    FHeight = Value;
    FImages.clear();
    Change();
}

// A new size empties the list; while a form description is read that would
// silently drop the images just read, so the description is refused instead.
void TCustomImageList::CheckSizeChange() const {
    if (HasState(csLoading) && !FImages.empty())
        throw EInvalidOperation("the image size is given after the images; give Width and Height before Bitmap");
}

template <class V> void TCustomImageList::SetSetting(V& Field, V Value) {
    if (Field == Value) return;
    Field = Value;
    Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
    SetSetting(FBkColor, Value);
}

void TCustomImageList::SetBlendColor(TColor Value) {
    SetSetting(FBlendColor, Value);
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    SetSetting(FDrawingStyle, Value);
}

void TCustomImageList::SetImageType(TImageType Value) {
    SetSetting(FImageType, Value);
}

void TCustomImageList::SetMasked(bool Value) {
    SetSetting(FMasked, Value);
}

void TCustomImageList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

std::vector<TCustomImageList::TImage>
TCustomImageList::Split(TBitmap* Image, const std::function<bool(int X, int Y)>& IsTransparent) const {
    if (!Image || Image->Width() < FWidth) throw EInvalidOperation("Unable to insert an image");
    const TRaster& src = *BitmapRaster(Image);
    std::vector<TImage> out;
    for (int n = 0; n < src.Width() / FWidth; ++n) {
        TImage img{std::make_shared<TRaster>(FWidth, FHeight), std::vector<bool>(FWidth * FHeight, true)};
        for (int y = 0; y < std::min(FHeight, src.Height()); ++y)
            for (int x = 0; x < FWidth; ++x) {
                int sx = n * FWidth + x;
                img.Pixels->At(x, y) = src.At(sx, y);
                img.Transparent[y * FWidth + x] = IsTransparent(sx, y);
            }
        out.push_back(std::move(img));
    }
    return out;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    const TRaster* mask = Mask ? BitmapRaster(Mask).get() : nullptr;
    auto images = Split(Image, [&](int x, int y) {
        return mask && mask->Contains(x, y) && (mask->At(x, y) & 0xFFFFFF) != 0;
    });
    Integer first = Count();
    for (TImage& img : images) FImages.push_back(std::move(img));
    Change();
    return first;
}

std::vector<TCustomImageList::TImage> TCustomImageList::SplitMasked(TBitmap* Image, TColor MaskColor) const {
    if (!Image || Image->Empty()) throw EInvalidOperation("Unable to insert an image");
    const TRaster& src = *BitmapRaster(Image);
    std::uint32_t key = MaskColor == clDefault ? src.At(0, src.Height() - 1)
                                               : TRaster::FromColorRef(ColorToRGB(MaskColor));
    return Split(Image, [&](int x, int y) { return (src.At(x, y) & 0xFFFFFF) == (key & 0xFFFFFF); });
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    auto images = SplitMasked(Image, MaskColor);
    Integer first = Count();
    for (TImage& img : images) FImages.push_back(std::move(img));
    Change();
    return first;
}

void TCustomImageList::ReadData(const std::vector<Byte>& Data) {
    TBitmap strip;
    try {
        strip.ReadData(Data);
    } catch (const EInvalidGraphic& E) {
        throw EInvalidGraphic("the images are not a bitmap file (" + E.Message +
                              "); store them side by side as one BMP file");
    }
    if (strip.Empty() || strip.Height() != FHeight || strip.Width() % FWidth != 0)
        throw EInvalidGraphic("the image strip is " + IntToStr(strip.Width()) + " x " + IntToStr(strip.Height()) +
                              " pixels; images of " + IntToStr(FWidth) + " x " + IntToStr(FHeight) +
                              " need a strip " + IntToStr(FHeight) + " pixels high and a multiple of " +
                              IntToStr(FWidth) + " pixels wide");
    FImages = SplitMasked(&strip, clDefault);
    Change();
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
    CheckIndex(Index);
    const TRaster* mask = Mask ? BitmapRaster(Mask).get() : nullptr;
    auto images = Split(Image, [&](int x, int y) {
        return mask && mask->Contains(x, y) && (mask->At(x, y) & 0xFFFFFF) != 0;
    });
    FImages[Index] = std::move(images.front());
    Change();
}

void TCustomImageList::Delete(Integer Index) {
    CheckIndex(Index);
    FImages.erase(FImages.begin() + Index);
    Change();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

namespace {

// Mixes two pixels, Weight quarters of B.
std::uint32_t Mix(std::uint32_t A, std::uint32_t B, int Weight) {
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        std::uint32_t a = (A >> shift) & 0xFF, b = (B >> shift) & 0xFF;
        out |= ((a * (4 - Weight) + b * Weight) / 4) << shift;
    }
    return out;
}

std::uint32_t PixelOf(TColor Color) {
    return TRaster::FromColorRef(ColorToRGB(Color));
}

} // namespace

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
    if (!Canvas || Index < 0 || Index >= Count()) return;
    TDeviceContext* dc = FindDC(Canvas->Handle());
    if (!dc) return;
    const TImage& img = FImages[Index];
    TRaster& out = dc->Surface();
    // pixelAt(x, y, p): p holds the canvas pixel; answers whether to write p.
    auto paint = [&](int dx, int dy, auto&& pixelAt) {
        for (int y = 0; y < FHeight; ++y) {
            int ry = dc->RY(Y + y + dy);
            int rx0 = dc->RX(X + dx);
            ForVisibleSpans(*dc, ry, rx0, rx0 + FWidth, [&](int a, int b) {
                std::uint32_t* row = out.Row(ry);
                for (int rx = a; rx < b; ++rx)
                    pixelAt(rx - rx0, y, row[rx]);
            });
        }
    };
    if (Enabled) {
        const bool background = FDrawingStyle != dsTransparent && FBkColor != clNone;
        const std::uint32_t bk = background ? PixelOf(FBkColor) : 0;
        const int blend = FDrawingStyle == dsFocus ? 1 : FDrawingStyle == dsSelected ? 2 : 0;
        const bool blendBelow = FBlendColor == clNone;
        const std::uint32_t blendWith = PixelOf(FBlendColor == clDefault ? clHighlight : FBlendColor);
        paint(0, 0, [&](int x, int y, std::uint32_t& p) {
            const bool transparent = FMasked && img.Transparent[y * FWidth + x];
            if (FImageType == itMask)
                p = transparent ? TRaster::White : 0xFF000000u;
            else if (transparent) {
                if (background) p = bk;
            } else
                p = blend ? Mix(img.Pixels->At(x, y), blendBelow ? p : blendWith, blend) : img.Pixels->At(x, y);
        });
        return;
    }
    auto shape = [&](std::uint32_t Color) {
        return [&img, this, Color](int x, int y, std::uint32_t& p) {
            if ((FMasked && img.Transparent[y * FWidth + x]) || (img.Pixels->At(x, y) & 0xFFFFFF) == 0xFFFFFF) return;
            p = Color;
        };
    };
    paint(1, 1, shape(PixelOf(clBtnHighlight)));
    paint(0, 0, shape(PixelOf(clBtnShadow)));
}

void TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
    CheckIndex(Index);
    if (!Image) return;
    Image->SetSize(FWidth, FHeight);
    Draw(Image->Canvas(), 0, 0, Index, true);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (!Value || std::find(FLinks.begin(), FLinks.end(), Value) != FLinks.end()) return;
    Value->SetSender(this);
    FLinks.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    auto it = std::find(FLinks.begin(), FLinks.end(), Value);
    if (it == FLinks.end()) return;
    (*it)->SetSender(nullptr);
    FLinks.erase(it);
}

void TCustomImageList::Change() {
    // A link may unregister itself while told; tell a copy of the list.
    std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
    if (OnChange) OnChange(this);
}
