// TFont, TPen and TBrush: descriptions that make their GDI objects on demand.
#include "platform/gui/graphics/Graphics.h"

#include <cstring>
#include <vector>

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TFont

TFont::TFont()
    : FName("MS Sans Serif"), FColor(clWindowText), FCharset(DEFAULT_CHARSET),
      FPixelsPerInch(DisplayFacts().PixelsPerInch) {
    FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont() { ReleaseHandle(); }

void TFont::ReleaseHandle() const {
    if (FHandle) DeleteObject(AsGdiObj(FHandle));
    FHandle = nullptr;
}

void TFont::Modify() {
    ReleaseHandle();
    FEscapement = 0;
    Changed();
}

void TFont::Assign(TPersistent* Source) {
    auto* f = dynamic_cast<TFont*>(Source);
    if (!f) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (f == this) return;
    ReleaseHandle();
    FName = f->FName;
    FHeight = f->FHeight;
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FPixelsPerInch = f->FPixelsPerInch;
    FEscapement = f->FEscapement;
    Changed();
}

void TFont::SetName(const TFontName& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Modify();
}

void TFont::SetHeight(Integer Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    Modify();
}

Integer TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Modify();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FCharset) return;
    FCharset = Value;
    Modify();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    Modify();
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        TLogFont lf;
        lf.lfHeight = FHeight;
        lf.lfEscapement = lf.lfOrientation = FEscapement;
        lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FStyle.Contains(fsItalic);
        lf.lfUnderline = FStyle.Contains(fsUnderline);
        lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
        lf.lfCharSet = FCharset;
        lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
        FHandle = CreateFontIndirect(&lf);
    }
    return FHandle;
}

void TFont::SetHandle(HFONT Value) {
    TLogFont lf;
    if (!Value || GetObject(AsGdiObj(Value), sizeof(lf), &lf) == 0) return;
    if (Value == FHandle) return;
    ReleaseHandle();
    FHandle = Value;
    FName = lf.lfFaceName;
    FHeight = lf.lfHeight;
    FStyle = TFontStyles();
    if (lf.lfWeight >= 600) FStyle << fsBold;
    if (lf.lfItalic) FStyle << fsItalic;
    if (lf.lfUnderline) FStyle << fsUnderline;
    if (lf.lfStrikeOut) FStyle << fsStrikeOut;
    FCharset = lf.lfCharSet;
    Byte pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
    FEscapement = lf.lfEscapement;
    Changed();
}

// ---------------------------------------------------------------- TPen

TPen::~TPen() {
    if (FHandle) DeleteObject(AsGdiObj(FHandle));
}

void TPen::Modify() {
    if (FHandle) DeleteObject(AsGdiObj(FHandle));
    FHandle = nullptr;
    Changed();
}

void TPen::Assign(TPersistent* Source) {
    auto* p = dynamic_cast<TPen*>(Source);
    if (!p) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Modify();
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Modify();
}

void TPen::SetWidth(Integer Value) {
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Modify();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Modify();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    FMode = Value;
    Changed(); // the mode is a state of the device context, not of the pen object
}

HPEN TPen::Handle() const {
    if (!FHandle) {
        static constexpr Integer styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL,
                                             PS_INSIDEFRAME};
        FHandle = CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
    }
    return FHandle;
}

// ---------------------------------------------------------------- TBrush

TBrush::~TBrush() { ReleaseHandle(); }

namespace {

// Handles of plain (solid, clear and hatched) brushes, shared by every
// TBrush of the same style and colour as the framework's resource manager
// shares them. A handle that no brush uses any more is kept for the next
// brush that asks for it, so that a painter switching a canvas's brush
// between a few colours makes no new brush each time; beyond Spare unused
// handles the one unused longest is deleted.
class TBrushHandles {
public:
    static constexpr int Spare = 32;

    HBRUSH Acquire(TBrushStyle Style, COLORREF Color) {
        for (TEntry& e : FEntries)
            if (e.Style == Style && e.Color == Color) {
                ++e.Users;
                e.LastUse = ++FClock;
                return e.Handle;
            }
        HBRUSH h;
        if (Style == bsClear) {
            TLogBrush lb{BS_NULL, 0, 0};
            h = CreateBrushIndirect(&lb);
        } else if (Style == bsSolid) {
            h = CreateSolidBrush(Color);
        } else {
            h = CreateHatchBrush(static_cast<Integer>(Style) - bsHorizontal, Color);
        }
        FEntries.push_back({Style, Color, h, 1, ++FClock});
        return h;
    }

    void Release(HBRUSH Handle) {
        int unused = 0;
        for (TEntry& e : FEntries) {
            if (e.Handle == Handle) --e.Users;
            if (e.Users == 0) ++unused;
        }
        while (unused-- > Spare) {
            auto oldest = FEntries.end();
            for (auto it = FEntries.begin(); it != FEntries.end(); ++it)
                if (it->Users == 0 && (oldest == FEntries.end() || it->LastUse < oldest->LastUse)) oldest = it;
            DeleteObject(AsGdiObj(oldest->Handle));
            FEntries.erase(oldest);
        }
    }

private:
    struct TEntry {
        TBrushStyle Style;
        COLORREF Color;
        HBRUSH Handle;
        int Users;
        unsigned long long LastUse;
    };
    std::vector<TEntry> FEntries;
    unsigned long long FClock = 0;
};

// Lives as long as the process, so that brushes freed during static
// destruction still find it.
TBrushHandles& BrushHandles() {
    static auto* handles = new TBrushHandles;
    return *handles;
}

} // namespace

void TBrush::ReleaseHandle() const {
    if (!FHandle) return;
    if (FSharedHandle)
        BrushHandles().Release(FHandle);
    else
        DeleteObject(AsGdiObj(FHandle));
    FHandle = nullptr;
}

void TBrush::Modify() {
    ReleaseHandle();
    Changed();
}

void TBrush::Assign(TPersistent* Source) {
    auto* b = dynamic_cast<TBrush*>(Source);
    if (!b) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    FBitmap = b->FBitmap;
    Modify();
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid; // as the framework: a colour makes a clear brush solid
    Modify();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Modify();
}

void TBrush::SetBitmap(TBitmap* Value) {
    if (Value == FBitmap) return;
    FBitmap = Value;
    Modify();
}

HBRUSH TBrush::Handle() const {
    if (!FHandle) {
        FSharedHandle = !(FBitmap && !FBitmap->Empty());
        if (FSharedHandle)
            FHandle = BrushHandles().Acquire(FStyle, FStyle == bsClear ? 0 : ColorToRGB(FColor));
        else
            FHandle = CreatePatternBrush(FBitmap->Handle());
    }
    return FHandle;
}
