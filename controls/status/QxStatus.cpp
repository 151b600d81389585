#include "controls/status/QxStatus.h"
#include "controls/status/QxStatusBar.h"
#include "platform/gui/controls/GuiGuards.h"
#include "platform/gui/controls/Themes.h"

#include <cstdlib>

namespace {

// The status bar's themed background, placed so that the part under the
// pane lands on the pane's canvas.
void DrawBarBackgroundUnder(TControl* Pane, TQxStatusBar* Bar, HDC DC, const TRect& Clip) {
    TSavedDC saved(DC);
    IntersectClipRect(DC, Clip.Left, Clip.Top, Clip.Right, Clip.Bottom);
    ThemeServices()->DrawElement(
        DC, {teStatus, SP_BACKGROUND, 0},
        {-Pane->Left(), -Pane->Top(), Bar->Width() - Pane->Left(), Bar->Height() - Pane->Top()});
}

} // namespace

// ================================================================ TQxCustomStatusPane

TQxCustomStatusPane::TQxCustomStatusPane(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle >> csOpaque;
    SetBounds(Left(), Top(), 100, 20);
    SetParentColor(true);
    FFillColor = Color();
    FSavedColor = Font()->Color();
    FCurrentColor = FSavedColor;
    FLinks.JoinBlinkList();
}

TQxCustomStatusPane::~TQxCustomStatusPane() = default;

TQxStatusBar* TQxCustomStatusPane::StatusBar() const {
    return dynamic_cast<TQxStatusBar*>(Parent());
}

bool TQxCustomStatusPane::Themed() const {
    TQxStatusBar* bar = StatusBar();
    return bar && bar->VisualStyle() == vsWinXP && ThemeServices()->ThemesEnabled();
}

Integer TQxCustomStatusPane::FrameInset() const {
    switch (FFrameStyle) {
    case fsNone:
    case fsFlatRounded:
        return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return 1;
    default:
        return 2;
    }
}

void TQxCustomStatusPane::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}
void TQxCustomStatusPane::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    AdjustSize();
}
void TQxCustomStatusPane::SetDefaultWidth(Integer Value) {
    if (Value == FDefaultWidth) return;
    FDefaultWidth = Value;
    AdjustSize();
}
void TQxCustomStatusPane::SetBlinkColor(TColor Value) {
    if (Value == FBlinkColor) return;
    FBlinkColor = Value;
    Invalidate();
}
void TQxCustomStatusPane::SetBlinking(bool Value) {
    if (Value == FBlinking) return;
    FBlinking = Value;
    if (!Value) {
        FCurrentColor = FSavedColor;
        Repaint();
    }
}
void TQxCustomStatusPane::SetBorderWidth(Integer Value) {
    if (Value == FBorderWidth) return;
    FBorderWidth = Value;
    Invalidate();
}
void TQxCustomStatusPane::SetCaption(const String& Value) {
    SetText(Value); // CM_TEXTCHANGED when the text differs
}
void TQxCustomStatusPane::SetCaptionOffset(Integer Value) {
    if (Value == FCaptionOffset) return;
    FCaptionOffset = Value;
    Invalidate();
    AdjustSize();
}
void TQxCustomStatusPane::SetFillColor(TColor Value) {
    if (Value == FFillColor) return;
    FFillColor = Value;
    FParentFillColor = false;
    Invalidate();
}
void TQxCustomStatusPane::SetParentFillColor(bool Value) {
    if (Value == FParentFillColor) return;
    FParentFillColor = Value;
    if (Parent() && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED);
}
void TQxCustomStatusPane::SetFlatColor(TColor Value) {
    if (Value == FFlatColor) return;
    FFlatColor = Value;
    Invalidate();
}
void TQxCustomStatusPane::SetFlatColorAdjustment(Integer Value) {
    if (Value == FFlatColorAdjustment) return;
    FFlatColorAdjustment = Value;
    Invalidate();
}
void TQxCustomStatusPane::SetFrameStyle(TFrameStyle Value) {
    if (Value == FFrameStyle) return;
    FFrameStyle = Value;
    Invalidate();
}
void TQxCustomStatusPane::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    if (Value)
        FControlStyle >> csOpaque;
    else
        FControlStyle << csOpaque;
    Invalidate();
}

Integer TQxCustomStatusPane::GetAutoWidth() {
    const String text = Caption();
    if (text.empty()) return FDefaultWidth;
    TRect r{0, 0, 0, 0};
    TCanvas* c = MeasureCanvas(Font());
    DrawTextOnCanvas(c, text, r, DT_EXPANDTABS | DT_CALCRECT | DT_NOPREFIX);
    return r.Width() + 2 * FBorderWidth + FCaptionOffset + 6;
}

void TQxCustomStatusPane::AdjustSize() {
    if (HasState(csLoading) || HasState(csReading) || !FAutoSize) return;
    SetWidth(GetAutoWidth());
}

void TQxCustomStatusPane::GetInteriorRect(TRect& Rect) {
    Rect = ClientRect();
    const Integer inset = FBorderWidth + FrameInset();
    InflateRect(Rect, -inset, -inset);
}

// The frame: the themed pane, a separator on a gradient bar (not before
// the first pane), a style frame, or flat lines with open corners.
void TQxCustomStatusPane::DrawFrame() {
    TCanvas* c = Canvas();
    if (Themed()) {
        ThemeServices()->DrawElement(c->Handle(), {teStatus, SP_PANE, 0}, ClientRect());
        return;
    }
    TRect r{0, 0, Width(), Height()};
    if (!FTransparent) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    c->Pen()->SetWidth(1);
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    auto line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    if (TQxStatusBar* bar = StatusBar(); bar && bar->VisualStyle() == vsGradient) {
        TRect area = bar->ClientRect();
        bar->AdjustClientRect(area);
        if (Left() <= area.Left) return; // the first pane, at the left of the bar's client area
        TColor first, second, third;
        GetSchemeBarColors(bar->GradientColorStyle(), first, second, third);
        c->Pen()->SetColor(third);
        line(r.Left, r.Top + 1, r.Left, r.Bottom - 1);
        return;
    }
    if (FFrameStyle != fsFlat) {
        PaintStyleFrame(c, r, FFrameStyle);
        return;
    }
    c->Pen()->SetColor(AdjustColorLuminance(FFlatColor, FFlatColorAdjustment));
    line(r.Left, r.Top + 1, r.Left, r.Bottom - 1);
    line(r.Left + 1, r.Top, r.Right - 1, r.Top);
    line(r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    line(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
}

void TQxCustomStatusPane::DrawCaption(const String& Text) {
    TCanvas* c = Canvas();
    c->SetFont(Font());
    c->Font()->SetColor(FCurrentColor);
    TRect r;
    GetInteriorRect(r);
    TAlignment align = FAlignment;
    if (UseRightToLeftAlignment() && align != taCenter)
        align = align == taLeftJustify ? taRightJustify : taLeftJustify;
    Integer x;
    switch (align) {
    case taLeftJustify:
        SetTextAlign(c->Handle(), TA_LEFT);
        x = r.Left + FCaptionOffset + 1;
        break;
    case taRightJustify:
        SetTextAlign(c->Handle(), TA_RIGHT);
        x = r.Right - FCaptionOffset - 1;
        break;
    default:
        SetTextAlign(c->Handle(), TA_CENTER);
        x = r.Left + r.Width() / 2;
        break;
    }
    const Integer y = r.Top + (r.Height() - c->TextHeight("Pp")) / 2;
    if (Themed()) {
        DrawBarBackgroundUnder(this, StatusBar(), c->Handle(), r);
        c->Brush()->SetStyle(bsClear);
    } else if (FTransparent) {
        c->Brush()->SetStyle(bsClear);
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FFillColor);
    }
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    c->TextRect(r, x, y, Text);
    SetTextAlign(c->Handle(), TA_LEFT);
    c->Brush()->SetStyle(bsSolid);
}

void TQxCustomStatusPane::Paint() {
    DrawFrame();
    DrawCaption(Caption());
}

void TQxCustomStatusPane::FrameControllerChanged() {
    TQxFrameController* fc = FrameController();
    if (!fc || !fc->FrameVisible()) return;
    if (FLinks.Accepts(fcpFrameStyle)) SetFrameStyle(fc->FrameStyle());
    if (FLinks.Accepts(fcpFrameColor)) {
        FFlatColor = fc->FrameColor();
        FFlatColorAdjustment = 0;
    }
    if (FLinks.Accepts(fcpColor)) SetFillColor(fc->Color());
    if (FLinks.Accepts(fcpParentColor)) SetParentColor(fc->ParentColor());
    Invalidate();
}

void TQxCustomStatusPane::Blink(bool State) {
    FCurrentColor = State ? FBlinkColor : FSavedColor;
    Refresh();
}

bool TQxCustomStatusPane::IsUnderSizeGrip(const TRect& Rect) {
    TQxStatusBar* bar = StatusBar();
    if (!bar || !bar->ShowSizeGrip() || !bar->SizeGripUsable()) return false;
    // In the bar's coordinates: the pane's right edge reaches the grip.
    return Left() + Rect.Right > bar->SizeGripRect().Left;
}

bool TQxCustomStatusPane::ExecuteHint(const String& HintText) {
    if (!FAutoHint) return false;
    SetCaption(HintText);
    return true;
}

bool TQxCustomStatusPane::ExecuteAction(TBasicAction* Action) {
    if (auto* hint = dynamic_cast<THintAction*>(Action); hint && ExecuteHint(hint->Hint())) return true;
    return TGraphicControl::ExecuteAction(Action);
}

void TQxCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    if (!ParentColor()) SetTransparent(false);
    FSavedColor = Font()->Color();
    FCurrentColor = FSavedColor;
    AdjustSize();
}

void TQxCustomStatusPane::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    FLinks.Notification(AComponent, Operation);
}

void TQxCustomStatusPane::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case QM_GETBLINKING:
        Message.Result = FBlinking ? 1 : 0;
        return;
    case QM_BLINK:
        if (FBlinking) Blink(Message.WParam != 0);
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(Message);
        Invalidate();
        AdjustSize();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(Message);
        if (!HasState(csLoading)) {
            FSavedColor = Font()->Color();
            if (!FBlinking) FCurrentColor = FSavedColor;
            AdjustSize();
        }
        return;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        TGraphicControl::Dispatch(Message);
        if (FParentFillColor) FFillColor = Color();
        Invalidate();
        return;
    case CM_MOUSEENTER:
        TGraphicControl::Dispatch(Message);
        if (!HasState(csDesigning) && OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::Dispatch(Message);
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case CM_HITTEST: {
        TGraphicControl::Dispatch(Message);
        // Over a status bar's usable grip the press is the bar's: the bar's
        // own hit test (in its coordinates) decides.
        const TPoint p = LParamToPoint(Message.LParam);
        TQxStatusBar* bar = StatusBar();
        if (bar && IsUnderSizeGrip(ClientRect())) {
            const TPoint inBar{p.X + Left(), p.Y + Top()};
            if (bar->Perform(WM_NCHITTEST, 0, PointToLParam(inBar)) == HTBOTTOMRIGHT) Message.Result = HTNOWHERE;
        }
        return;
    }
    default:
        TGraphicControl::Dispatch(Message);
        return;
    }
}

// ================================================================ TQxCustomGlyphStatus

const TTypeInfo* GlyphAlignmentTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TGlyphAlignment>("TGlyphAlignment", {"gaLeft", "gaRight"});
    return type;
}

TQxCustomGlyphStatus::TQxCustomGlyphStatus(TComponent* AOwner)
    : TQxCustomStatusPane(AOwner), FGlyph(std::make_unique<TBitmap>()), FImageChangeLink(std::make_unique<TChangeLink>()) {
    FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
    FImageChangeLink->OnChange = [this](TObject* Sender) {
        if (Sender == FImages) Repaint(); // at once, as a bitmap button does
    };
}

TQxCustomGlyphStatus::~TQxCustomGlyphStatus() = default;

void TQxCustomGlyphStatus::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
}

void TQxCustomGlyphStatus::GlyphChanged() {
    if (FGlyph->Height() != 0 && FGlyph->Width() % FGlyph->Height() == 0) {
        Integer n = FGlyph->Width() / FGlyph->Height();
        if (n < 1 || n > 4) n = 1;
        FNumGlyphs = n;
    }
    Invalidate();
    AdjustSize();
}

void TQxCustomGlyphStatus::SetGlyphAlignment(TGlyphAlignment Value) {
    if (Value == FGlyphAlignment) return;
    FGlyphAlignment = Value;
    Invalidate();
}
void TQxCustomGlyphStatus::SetGlyphOffset(Integer Value) {
    if (Value == FGlyphOffset) return;
    FGlyphOffset = Value;
    Invalidate();
    AdjustSize();
}
void TQxCustomGlyphStatus::SetNumGlyphs(Integer Value) {
    if (Value < 1) Value = 1;
    if (Value > 4) Value = 4;
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Invalidate();
}
void TQxCustomGlyphStatus::SetShowGlyph(bool Value) {
    if (Value == FShowGlyph) return;
    FShowGlyph = Value;
    Invalidate();
    AdjustSize();
}
void TQxCustomGlyphStatus::SetImageIndex(Integer Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Invalidate();
}
void TQxCustomGlyphStatus::SetDisabledIndex(Integer Value) {
    if (Value == FDisabledIndex) return;
    FDisabledIndex = Value;
    Invalidate();
}
void TQxCustomGlyphStatus::SetImages(TCustomImageList* Value) {
    LinkImageList(this, FImages, Value, FImageChangeLink.get());
    Invalidate();
}

void TQxCustomGlyphStatus::Notification(TComponent* AComponent, TOperation Operation) {
    TQxCustomStatusPane::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

TGlyphAlignment TQxCustomGlyphStatus::EffectiveAlignment() const {
    if (!UseRightToLeftAlignment()) return FGlyphAlignment;
    return FGlyphAlignment == gaLeft ? gaRight : gaLeft;
}

TSize TQxCustomGlyphStatus::PictureSize() const {
    if (FImages && FImageIndex != -1) return {FImages->Width(), FImages->Height()};
    return {FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
}

void TQxCustomGlyphStatus::GetInteriorRect(TRect& Rect) {
    TQxCustomStatusPane::GetInteriorRect(Rect);
    if (!FShowGlyph) return;
    const Integer take = PictureSize().cx + FGlyphOffset;
    if (EffectiveAlignment() == gaLeft)
        Rect.Left += take;
    else
        Rect.Right -= take;
}

Integer TQxCustomGlyphStatus::GetAutoWidth() {
    Integer w = TQxCustomStatusPane::GetAutoWidth() + FGlyphOffset;
    if (FShowGlyph) w += PictureSize().cx;
    return w;
}

// The picture sits GlyphOffset inside the frame, on either side, and is cut
// (never squashed) to the interior's height:
//
//   gaLeft:  |frame|GlyphOffset|picture|text ...              |frame|
//   gaRight: |frame|              ... text|picture|GlyphOffset|frame|
TRect TQxCustomGlyphStatus::PictureRect() {
    TRect interior;
    GetInteriorRect(interior);
    const TSize size = PictureSize();
    const Integer gh = std::min<Integer>(size.cy, interior.Height());
    const Integer k = FrameInset();
    const Integer x = EffectiveAlignment() == gaLeft ? FGlyphOffset + BorderWidth() + k
                                                     : Width() - BorderWidth() - k - FGlyphOffset - size.cx;
    const Integer y = BorderWidth() + std::abs(Height() - gh - BorderWidth() - 1) / 2;
    return {x, y, x + size.cx, y + gh};
}

void TQxCustomGlyphStatus::Paint() {
    TQxCustomStatusPane::Paint();
    if (!FShowGlyph) return;
    TCanvas* c = Canvas();
    c->SetFont(Font());
    TRect interior, whole;
    GetInteriorRect(interior);
    TQxCustomStatusPane::GetInteriorRect(whole);
    const TRect p = PictureRect();
    if (!Themed() && !Transparent()) {
        // The picture's side of the interior takes the fill colour.
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FillColor());
        if (EffectiveAlignment() == gaLeft)
            c->FillRect({whole.Left, whole.Top, interior.Left, whole.Bottom});
        else
            c->FillRect({interior.Right, whole.Top, whole.Right, whole.Bottom});
    }
    if (FImages && FImageIndex != -1)
        DrawImage(p);
    else if (!FGlyph->Empty())
        DrawGlyph(p);
}

void TQxCustomGlyphStatus::DrawGlyph(const TRect& P) {
    if (P.IsEmpty()) return;
    const Integer index = FNumGlyphs >= 2 && !Enabled() ? 1 : 0;
    const Integer w = P.Width(), h = P.Height();
    TBitmap buffer(w, h);
    buffer.Canvas()->Brush()->SetColor(FillColor());
    buffer.Canvas()->FillRect({0, 0, w, h});
    buffer.Canvas()->CopyRect({0, 0, w, h}, Canvas(), P);
    // The top of the image, cut to the height there is.
    PaintBitmapTransparent(buffer.Canvas(), FGlyph.get(), {0, 0, w, h}, FGlyph->TransparentColor(),
                           {index * w, 0, index * w + w, h});
    Canvas()->Draw(P.Left, P.Top, &buffer);
}

void TQxCustomGlyphStatus::DrawImage(const TRect& P) {
    if (!FImages) return;
    if (FDisabledIndex == -1) {
        if (FImageIndex != -1) FImages->Draw(Canvas(), P.Left, P.Top, FImageIndex, Enabled());
        return;
    }
    const Integer index = Enabled() ? FImageIndex : FDisabledIndex;
    if (index != -1) FImages->Draw(Canvas(), P.Left, P.Top, index, true);
}

// ================================================================ published

namespace {

template <class T> void PublishPaneProperties(TClassBuilder<T>& b) {
    RegisterControlTypes();
    b.Property("Alignment", &T::Alignment, &T::SetAlignment)
        .Default(taLeftJustify)
        .Property("AutoSize", &T::AutoSize, &T::SetAutoSize)
        .Default(false)
        .Property("AutoHint", &T::AutoHint, &T::SetAutoHint)
        .Default(false)
        .Property("DefaultWidth", &T::DefaultWidth, &T::SetDefaultWidth)
        .Default(40)
        .Property("BlinkColor", &T::BlinkColor, &T::SetBlinkColor, ColorTypeInfo())
        .Default(clHighlight)
        .Property("Blinking", &T::Blinking, &T::SetBlinking)
        .Default(false)
        .Property("BorderWidth", &T::BorderWidth, &T::SetBorderWidth)
        .Default(1)
        .Property("Caption", &T::Caption, &T::SetCaption)
        .Property("CaptionOffset", &T::CaptionOffset, &T::SetCaptionOffset)
        .Default(2)
        .Property("FillColor", &T::FillColor, &T::SetFillColor, ColorTypeInfo())
        .Stored([](const T* c) { return !c->ParentFillColor() && !FrameControllerGoverns(c, fcpColor); })
        .Property("ParentFillColor", &T::ParentFillColor, &T::SetParentFillColor)
        .Default(true)
        .Property("FlatColor", &T::FlatColor, &T::SetFlatColor, ColorTypeInfo())
        .Default(clBtnShadow)
        .Stored(StoredUnlessGoverned<T>(fcpFrameColor))
        .Property("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment)
        .Default(30)
        .Stored(StoredUnlessGoverned<T>(fcpFrameColor))
        .Property("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, FrameStyleTypeInfo())
        .Default(fsFlat)
        .Stored(StoredUnlessGoverned<T>(fcpFrameStyle))
        .Property("Transparent", &T::Transparent, &T::SetTransparent)
        .Default(true)
        .Event("OnMouseEnter", &T::OnMouseEnter)
        .Event("OnMouseLeave", &T::OnMouseLeave);
    PublishFrameController(b);
    PublishBlinkIntervals(b);
    PublishControlProperties(b, {"Align", "Anchors", "Color", "Constraints", "DragCursor", "DragKind",
                                 "DragMode", "Enabled", "Font", "ParentColor", "ParentFont", "ParentShowHint",
                                 "PopupMenu", "ShowHint", "Visible", "OnClick", "OnContextPopup", "OnDblClick",
                                 "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnMouseDown",
                                 "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"});
    b.Qualify("ParentColor").Default(true).Stored(StoredUnlessGoverned<T>(fcpParentColor));
}

} // namespace

const TClassInfo& TQxCustomStatusPane::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomStatusPane>("TQxCustomStatusPane", &TGraphicControl::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxStatusPane::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        TClassBuilder<TQxStatusPane> b("TQxStatusPane", &TQxCustomStatusPane::ClassInfo());
        PublishPaneProperties(b);
        return b.Register();
    }();
    return info;
}

const TClassInfo& TQxCustomGlyphStatus::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxCustomGlyphStatus>("TQxCustomGlyphStatus", &TQxCustomStatusPane::ClassInfo()).Register();
    return info;
}

const TClassInfo& TQxGlyphStatus::ClassInfo() {
    static const TClassInfo& info = [&]() -> const TClassInfo& {
        using T = TQxGlyphStatus;
        TClassBuilder<T> b("TQxGlyphStatus", &TQxCustomGlyphStatus::ClassInfo());
        PublishPaneProperties(b);
        b.Property("Glyph", &T::Glyph, nullptr)
            .Property("GlyphAlignment", &T::GlyphAlignment, &T::SetGlyphAlignment, GlyphAlignmentTypeInfo())
            .Default(gaLeft)
            .Property("GlyphOffset", &T::GlyphOffset, &T::SetGlyphOffset)
            .Default(2)
            .Property("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs)
            .Default(1)
            .Property("ShowGlyph", &T::ShowGlyph, &T::SetShowGlyph)
            .Default(true)
            .Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex)
            .Default(-1)
            .Property("DisabledIndex", &T::DisabledIndex, &T::SetDisabledIndex)
            .Default(-1)
            .Property("Images", &T::Images, &T::SetImages);
        return b.Register();
    }();
    return info;
}
