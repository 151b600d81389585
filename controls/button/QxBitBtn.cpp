// TQxBitBtn: the push button with a glyph or image-list image, and the
// stock kinds.
#include "controls/button/QxButton.h"
#include "controls/common/QxControlLinks.h"

#include "platform/gui/controls/ActnList.h"
#include "platform/gui/controls/Published.h"

#include <array>

namespace {

struct TStockKind {
    const char* Caption;
    TModalResult Result;
    const char* Resource;
};

const std::array<TStockKind, 11>& StockKinds() {
    static const std::array<TStockKind, 11> kinds{{
        {"", mrNone, nullptr},
        {"OK", mrOk, "QXCOMMON_OK"},
        {"Cancel", mrCancel, "QXCOMMON_CANCEL"},
        {"&Help", mrNone, "QXCOMMON_HELP"},
        {"&Yes", mrYes, "QXCOMMON_YES"},
        {"&No", mrNo, "QXCOMMON_NO"},
        {"&Close", mrNone, "QXCOMMON_CLOSE"},
        {"Abort", mrAbort, "QXCOMMON_ABORT"},
        {"&Retry", mrRetry, "QXCOMMON_RETRY"},
        {"&Ignore", mrIgnore, "QXCOMMON_IGNORE"},
        {"&All", mrAll, "QXCOMMON_ALL"},
    }};
    return kinds;
}

bool KindIsDefault(TBitBtnKind Kind) {
    return Kind == bkOK || Kind == bkYes;
}
bool KindIsCancel(TBitBtnKind Kind) {
    return Kind == bkCancel || Kind == bkNo;
}

} // namespace

String BitBtnCaption(TBitBtnKind Kind) {
    return StockKinds()[Kind].Caption;
}

TModalResult BitBtnModalResult(TBitBtnKind Kind) {
    return StockKinds()[Kind].Result;
}

TBitmap* GetStockGlyph(TBitBtnKind Kind) {
    static std::array<std::unique_ptr<TBitmap>, 11> cache;
    if (Kind == bkCustom) return nullptr;
    if (!cache[Kind]) {
        auto glyph = std::make_unique<TBitmap>();
        glyph->LoadFromResourceName(0, StockKinds()[Kind].Resource);
        cache[Kind] = std::move(glyph);
    }
    return cache[Kind].get();
}

// ================================================================ TQxBitBtn

TQxBitBtn::TQxBitBtn(TComponent* AOwner)
    : TQxButton(AOwner), FGlyph(std::make_unique<TBitmap>()), FImageChangeLink(std::make_unique<TChangeLink>()) {
    FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
    FImageChangeLink->OnChange = [this](TObject* Sender) {
        if (Sender == FImages) Repaint();
    };
}

TQxBitBtn::~TQxBitBtn() = default;

void TQxBitBtn::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    FModifiedGlyph = true;
}

void TQxBitBtn::GlyphChanged() {
    if (FGlyph->Height() != 0 && FGlyph->Width() % FGlyph->Height() == 0) {
        Integer n = FGlyph->Width() / FGlyph->Height();
        if (n < 1 || n > 4) n = 1;
        SetNumGlyphs(n);
    }
    Invalidate();
}

TBitBtnKind TQxBitBtn::Kind() {
    if (FKind != bkCustom &&
        (Default() != KindIsDefault(FKind) || Cancel() != KindIsCancel(FKind) ||
         ModalResult() != BitBtnModalResult(FKind) || FModifiedGlyph))
        FKind = bkCustom;
    return FKind;
}

void TQxBitBtn::SetKind(TBitBtnKind Value) {
    if (Value == FKind) return;
    if (Value != bkCustom) {
        SetDefault(KindIsDefault(Value));
        SetCancel(KindIsCancel(Value));
        // While a form is read a caption read before the kind wins, unless
        // it is empty; one read after it replaces the stock caption anyway.
        if (!HasState(csLoading) || Caption().empty()) SetCaption(BitBtnCaption(Value));
        SetModalResult(BitBtnModalResult(Value));
        SetGlyph(GetStockGlyph(Value));
        SetNumGlyphs(2);
        FModifiedGlyph = false;
    }
    FKind = Value;
    Invalidate();
}

void TQxBitBtn::SetLayout(TButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TQxBitBtn::SetMargin(Integer Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TQxBitBtn::SetNumGlyphs(Integer Value) {
    Value = std::clamp<Integer>(Value, 1, 4);
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Invalidate();
}

void TQxBitBtn::SetSpacing(Integer Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Invalidate();
}

void TQxBitBtn::SetImageIndex(Integer Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Invalidate();
}

void TQxBitBtn::SetDisabledIndex(Integer Value) {
    if (Value == FDisabledIndex) return;
    FDisabledIndex = Value;
    Invalidate();
}

void TQxBitBtn::SetImages(TCustomImageList* Value) {
    LinkImageList(this, FImages, Value, FImageChangeLink.get());
    Invalidate();
}

void TQxBitBtn::Notification(TComponent* AComponent, TOperation Operation) {
    TQxButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TQxBitBtn::ActionChange(TObject* Sender, bool CheckDefaults) {
    TQxButton::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(Sender))
        if (!CheckDefaults || FImageIndex == -1) SetImageIndex(action->ImageIndex());
}

void TQxBitBtn::ChangeScale(Integer M, Integer D) {
    TQxButton::ChangeScale(M, D);
    // -1 means "centred with the caption", not a distance: it stays.
    if (FMargin >= 0) SetMargin(MulDiv(FMargin, M, D));
    SetSpacing(MulDiv(FSpacing, M, D));
}

bool TQxBitBtn::ShowsListImage() {
    return Kind() == bkCustom && FImages && FImageIndex != -1;
}

// Right to left, a glyph on the left goes to the right; the other layouts
// stay.
TButtonLayout TQxBitBtn::EffectiveLayout() const {
    return FLayout == blGlyphLeft && UseRightToLeftAlignment() ? blGlyphRight : FLayout;
}

TPoint TQxBitBtn::GetGlyphSize() {
    if (ShowsListImage()) return {FImages->Width(), FImages->Height()};
    return {FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
}

Integer TQxBitBtn::CaptionHeight(const TRect& R) {
    // Measured off screen, so that layout needs no window.
    TRect measure = R;
    TBitmap screen(1, 1);
    screen.Canvas()->Font()->Assign(Font());
    return DrawTextOnCanvas(screen.Canvas(), Caption(), measure, 0x455);
}

// Where the caption goes beside the glyph (w x h), by layout:
//
//   Margin >= 0: the glyph's side loses Margin + w (or h) + Spacing.
//   Margin = -1: left and right as with Margin -1; top and bottom centre
//   glyph, spacing and caption (height t) in the button's Height.
TRect TQxBitBtn::GetCaptionRect() {
    TRect r = TQxButton::GetCaptionRect();
    if (!ShowsListImage() && FGlyph->Empty()) return r;
    const TPoint size = GetGlyphSize();
    const Integer w = size.X, h = size.Y;
    const TButtonLayout layout = EffectiveLayout();
    if (FMargin >= 0 || layout == blGlyphLeft || layout == blGlyphRight) {
        switch (layout) {
        case blGlyphLeft:
            r.Left += FMargin + w + FSpacing;
            break;
        case blGlyphRight:
            r.Right -= FMargin + w + FSpacing;
            break;
        case blGlyphTop:
            r.Top += FMargin + h + FSpacing;
            break;
        case blGlyphBottom:
            r.Bottom -= FMargin + h + FSpacing;
            break;
        }
        return r;
    }
    const Integer t = CaptionHeight(r);
    if (layout == blGlyphTop)
        r.Top = r.Top + h + (Height() - t - h - FSpacing) / 2;
    else
        r.Top = r.Top + (Height() - t - h - FSpacing) / 2;
    r.Bottom = r.Top + t;
    return r;
}

TRect TQxBitBtn::GetGlyphRect() {
    TRect r = TQxButton::GetCaptionRect();
    const bool themed = UseThemes();
    if (FPressedLook) OffsetRect(r, -1, themed ? 0 : -1);
    const TPoint size = GetGlyphSize();
    const Integer w = size.X, h = size.Y;
    const TButtonLayout layout = EffectiveLayout();
    if (FMargin >= 0) {
        switch (layout) {
        case blGlyphLeft:
            r.Left += FMargin;
            break;
        case blGlyphRight:
            r.Left = r.Right - FMargin - w;
            break;
        case blGlyphTop:
            r.Top += FMargin;
            break;
        case blGlyphBottom:
            r.Top = r.Bottom - FMargin - h;
            break;
        }
    } else {
        const Integer t = CaptionHeight(r);
        switch (layout) {
        case blGlyphLeft:
            break;
        case blGlyphRight:
            r.Left = r.Right - w;
            break;
        case blGlyphTop:
            r.Top = (Height() - (h + t + FSpacing)) / 2;
            break;
        case blGlyphBottom:
            r.Top = r.Top + t + (Height() - (h + t + FSpacing)) / 2;
            break;
        }
    }
    if (layout == blGlyphLeft || layout == blGlyphRight)
        r.Top += (r.Bottom - r.Top - h + 1) / 2;
    else
        r.Left += (r.Right - r.Left - w + 1) / 2;
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
    if (FPressedLook) OffsetRect(r, themed ? 2 : 1, themed ? 0 : 1);
    return r;
}

void TQxBitBtn::DrawButtonContent() {
    TQxButton::DrawButtonContent();
    const TRect r = GetGlyphRect();
    if (ShowsListImage())
        DrawImage(r);
    else if (!FGlyph->Empty())
        DrawGlyph(r);
}

void TQxBitBtn::DrawImage(const TRect& R) {
    if (!FImages) return;
    // Indices outside the list draw nothing.
    auto draw = [&](Integer Index, bool Enabled) {
        if (Index >= 0 && Index < FImages->Count()) FImages->Draw(Canvas(), R.Left, R.Top, Index, Enabled);
    };
    if (FDisabledIndex == -1)
        draw(FImageIndex, Enabled());
    else
        draw(Enabled() ? FImageIndex : FDisabledIndex, true);
}

void TQxBitBtn::DrawGlyph(const TRect& R) {
    const Integer w = R.Width(), h = R.Height();
    Integer image = 1;
    if (FNumGlyphs == 4 && Down())
        image = 4;
    else if (FNumGlyphs >= 3 && FPressedLook)
        image = 3;
    else if (FNumGlyphs >= 2 && !Enabled())
        image = 2;
    const Integer gw = FGlyph->Width() / FNumGlyphs;
    const TRect source((image - 1) * gw, 0, image * gw, FGlyph->Height());
    TBitmap part(w, h);
    part.Canvas()->CopyRect(TRect(0, 0, w, h), Canvas(), R);
    PaintBitmapTransparent(part.Canvas(), FGlyph.get(), TRect(0, 0, w, h), FGlyph->TransparentColor(), source);
    Canvas()->Draw(R.Left, R.Top, &part);
}

// ================================================================ published

const TClassInfo& TQxBitBtn::ClassInfo() {
    using T = TQxBitBtn;
    RegisterButtonTypes();
    // Role fields and the glyph belong to a stock kind: stored only for a
    // custom button; the caption only when it is not the kind's own.
    auto custom = [](const T* b) { return const_cast<T*>(b)->Kind() == bkCustom; };
    static const TClassInfo& info =
        TClassBuilder<T>("TQxBitBtn", &TQxButton::ClassInfo())
            .Property("Caption", &T::Caption, &T::SetCaption)
            .Stored([](const T* b) { return b->Caption() != BitBtnCaption(const_cast<T*>(b)->Kind()); })
            .Property("Cancel", &T::Cancel, &T::SetCancel)
            .Default(false)
            .Stored(custom)
            .Property("Default", &T::Default, &T::SetDefault)
            .Default(false)
            .Stored(custom)
            .Property("ModalResult", &T::ModalResult, &T::SetModalResult)
            .Default(0)
            .Stored(custom)
            .Property("Glyph", &T::Glyph, &T::SetGlyph)
            .Stored(custom)
            .Property(
                "Kind", [](const T* b) { return const_cast<T*>(b)->Kind(); }, &T::SetKind)
            .Default(bkCustom)
            .Property("Layout", &T::Layout, &T::SetLayout)
            .Default(blGlyphLeft)
            .Property("Margin", &T::Margin, &T::SetMargin)
            .Default(2)
            .Property("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs)
            .Default(1)
            .Stored(custom)
            .Property("Spacing", &T::Spacing, &T::SetSpacing)
            .Default(4)
            .Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex)
            .Default(-1)
            .Property("DisabledIndex", &T::DisabledIndex, &T::SetDisabledIndex)
            .Default(-1)
            .Property("Images", &T::Images, &T::SetImages)
            .Register();
    return info;
}
