// TGraphic and TBitmap.
#include "platform/gui/gdi/GdiObjects.h"
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/graphics/ImageCodecs.h"
#include "platform/gui/graphics/GraphicsAccess.h"
#include "platform/rtl/SysUtils.h"
#include "platform/sys/Win32.h"

#include <cerrno>
#include <fstream>
#include <iterator>

// ---------------------------------------------------------------- TGraphic

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SetModified(bool Value) {
    if (Value) {
        Changed();
        return;
    }
    FModified = false;
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
    std::ifstream in(FileName, std::ios::binary);
    if (!in) throw EFOpenError(Format("Cannot open file \"%s\". %s", {FileName, SysErrorMessage(errno)}));
    std::vector<Byte> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EReadError(Format("Cannot read file \"%s\"", {FileName}));
    // A picture that cannot be decoded names its file: it is one the user
    // put there (the logo), and the decoder's message alone does not say which.
    try {
        LoadFromBytes(data);
    } catch (const EInvalidGraphic& E) {
        throw EInvalidGraphic(ExtractFileName(FileName) + ": " + E.Message);
    }
}

void TGraphic::SaveToFile(const String& FileName) const {
    std::vector<Byte> data = SaveToBytes();
    std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EFCreateError(Format("Cannot create file \"%s\". %s", {FileName, SysErrorMessage(errno)}));
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw EWriteError(Format("Cannot write file \"%s\"", {FileName}));
}

void TGraphic::ReadData(const std::vector<Byte>& Data) {
    if (Data.size() >= 4) {
        std::size_t size = Data[0] | (Data[1] << 8) | (Data[2] << 16) | (static_cast<std::size_t>(Data[3]) << 24);
        if (size == Data.size() - 4) {
            LoadFromBytes(std::vector<Byte>(Data.begin() + 4, Data.end()));
            return;
        }
    }
    LoadFromBytes(Data);
}

// ---------------------------------------------------------------- TBitmap

namespace {

// Bitmap resources linked into the program (type RT_BITMAP) hold the
// bitmap's file image.
bool LoadLinkedBitmap(const String& ResName, std::vector<Byte>& Data) {
    HRSRC res = FindResourceW(nullptr, ResName, RT_BITMAP);
    if (!res) return false;
    const auto* bytes = static_cast<const Byte*>(LockResource(LoadResource(nullptr, res)));
    Data.assign(bytes, bytes + SizeofResource(nullptr, res));
    return true;
}

TBitmapResourceLoader& ResourceLoader() {
    static TBitmapResourceLoader loader = LoadLinkedBitmap;
    return loader;
}

} // namespace

void SetBitmapResourceLoader(TBitmapResourceLoader Loader) {
    ResourceLoader() = Loader ? std::move(Loader) : TBitmapResourceLoader(LoadLinkedBitmap);
}

// The canvas of a bitmap: a memory device context on the bitmap's raster.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override {
        HDC dc = CurrentHandle();
        SetHandle(nullptr);
        if (dc) DeleteDC(dc);
    }

protected:
    void CreateHandle() override { SetHandle(CreateRasterDC(FBitmap->FRaster)); }
    void Changed() override {
        FBitmap->Changed();
        TCanvas::Changed();
    }

private:
    TBitmap* FBitmap;
};

TBitmap::TBitmap() : FRaster(std::make_shared<TRaster>(0, 0)) {}

TBitmap::TBitmap(Integer AWidth, Integer AHeight) : TBitmap() { FRaster->Resize(AWidth, AHeight); }

TBitmap::~TBitmap() {
    FCanvas.reset();
    if (FHandle) DeleteObject(AsGdiObj(FHandle));
}

const std::shared_ptr<TRaster>& BitmapRaster(const TBitmap* Bitmap) { return Bitmap->FRaster; }

void TBitmap::Assign(TPersistent* Source) {
    if (!Source) {
        Resize(0, 0);
        return;
    }
    auto* b = dynamic_cast<TBitmap*>(Source);
    if (!b) {
        TGraphic::Assign(Source);
        return;
    }
    if (b == this) return;
    *FRaster = *b->FRaster; // pixels and monochrome state
    FPixelFormat = b->FPixelFormat;
    FTransparentMode = b->FTransparentMode;
    FTransparentColor = b->FTransparentColor;
    if (Transparent() != b->Transparent()) SetTransparent(b->Transparent());
    Changed();
}

Integer TBitmap::Width() const { return FRaster->Width(); }
Integer TBitmap::Height() const { return FRaster->Height(); }
bool TBitmap::Empty() const { return FRaster->Width() == 0 || FRaster->Height() == 0; }
void TBitmap::SetWidth(Integer Value) { Resize(Value, Height()); }
void TBitmap::SetHeight(Integer Value) { Resize(Width(), Value); }
void TBitmap::SetSize(Integer AWidth, Integer AHeight) { Resize(AWidth, AHeight); }

void TBitmap::Resize(Integer AWidth, Integer AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == Width() && AHeight == Height()) return;
    FRaster->Resize(AWidth, AHeight);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat) return;
    FPixelFormat = Value;
    if (Value == pf1bit)
        SetMonochrome(true);
    else
        FRaster->Monochrome = false;
    Changed();
}

bool TBitmap::Monochrome() const { return FRaster->Monochrome; }

void TBitmap::SetMonochrome(bool Value) {
    if (Value == FRaster->Monochrome) return;
    FRaster->Monochrome = Value;
    if (Value) {
        for (int y = 0; y < Height(); ++y) {
            std::uint32_t* row = FRaster->Row(y);
            for (int x = 0; x < Width(); ++x) row[x] = row[x] == TRaster::White ? TRaster::White : 0xFF000000u;
        }
        FPixelFormat = pf1bit;
    } else if (FPixelFormat == pf1bit) {
        FPixelFormat = pfDevice;
    }
    Changed();
}

void TransparentStretchBlt(HDC DstDC, Integer DstX, Integer DstY, Integer DstW, Integer DstH, HDC SrcDC,
                           Integer SrcX, Integer SrcY, Integer SrcW, Integer SrcH, HDC MaskDC, Integer MaskX,
                           Integer MaskY) {
    MaskBlt(DstDC, DstX, DstY, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, MaskDC, MaskX, MaskY);
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
    return FCanvas.get();
}

HBITMAP TBitmap::Handle() const {
    if (!FHandle) {
        auto obj = std::make_shared<TBitmapObject>();
        obj->Raster = FRaster;
        FHandle = reinterpret_cast<HBITMAP>(RegisterGdiObject(obj));
    }
    return FHandle;
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    return static_cast<TColor>(TRaster::ToColorRef(FRaster->At(0, Height() - 1)));
}

void TBitmap::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == FTransparentMode) return;
    if (Value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(TransparentColor());
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R) {
    HDC dst = ACanvas->Handle();
    HDC src = Canvas()->Handle();
    if (Transparent()) {
        TransparentBlt(dst, R.Left, R.Top, R.Width(), R.Height(), src, 0, 0, Width(), Height(),
                       ColorToRGB(TransparentColor()));
    } else {
        ACanvas->RequiredState(TCanvas::csBrushValid);
        StretchBlt(dst, R.Left, R.Top, R.Width(), R.Height(), src, 0, 0, Width(), Height(),
                   static_cast<DWORD>(ACanvas->CopyMode()));
    }
}

void TBitmap::LoadFromBytes(const std::vector<Byte>& Data) {
    int bpp = 0;
    TRaster r = DecodeBmp(Data, &bpp);
    *FRaster = std::move(r);
    switch (bpp) {
    case 1: FPixelFormat = FRaster->Monochrome ? pf1bit : pfDevice; break;
    case 4: FPixelFormat = pf4bit; break;
    case 8: FPixelFormat = pf8bit; break;
    case 16: FPixelFormat = pf16bit; break;
    case 32: FPixelFormat = pf32bit; break;
    default: FPixelFormat = pf24bit; break;
    }
    Changed();
}

std::vector<Byte> TBitmap::SaveToBytes() const { return EncodeBmp(*FRaster, FPixelFormat == pf32bit ? 32 : 24); }

void TBitmap::LoadFromResourceName(std::uintptr_t, const String& ResName) {
    std::vector<Byte> data;
    if (!ResourceLoader() || !ResourceLoader()(ResName, data))
        throw EResNotFound(Format("Resource %s not found", {ResName}));
    LoadFromBytes(data);
}
