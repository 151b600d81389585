#include "controls/label/QxLabel.h"

#include "platform/gui/controls/Screen.h"
#include "platform/sys/Shell.h"
#include "platform/rtl/Guards.h"

#include <cmath>
#include <numbers>

namespace {

// To the nearest integer, halves to even.
Integer Nearest(double X) {
    return static_cast<Integer>(std::nearbyint(X));
}

void ShrinkRectBySides(TRect& R, TSides Sides, Integer Amount) {
    if (Sides.Contains(sdLeft)) R.Left += Amount;
    if (Sides.Contains(sdTop)) R.Top += Amount;
    if (Sides.Contains(sdRight)) R.Right -= Amount;
    if (Sides.Contains(sdBottom)) R.Bottom -= Amount;
}

void GrowRectBySides(TRect& S, TSides Sides, Integer Amount) {
    if (Sides.Contains(sdLeft)) S.Right += Amount;
    if (Sides.Contains(sdRight)) S.Right += Amount;
    if (Sides.Contains(sdTop)) S.Bottom += Amount;
    if (Sides.Contains(sdBottom)) S.Bottom += Amount;
}

// The characters of a UTF-8 caption, one string each.
std::vector<String> Characters(const String& Text) {
    std::vector<String> out;
    for (size_t i = 0; i < Text.size();) {
        const unsigned char c = static_cast<unsigned char>(Text[i]);
        size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        n = std::min(n, Text.size() - i);
        out.push_back(Text.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace

const TTypeInfo* RotationTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TRotation>("TRotation", {"roNone", "roFlat", "roCurve"});
    return type;
}

const TTypeInfo* CenterPointTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TCenterPoint>(
        "TCenterPoint", {"cpUpperLeft", "cpUpperCenter", "cpUpperRight", "cpLeftCenter", "cpCenter",
                         "cpRightCenter", "cpLowerLeft", "cpLowerCenter", "cpLowerRight"});
    return type;
}

const TTypeInfo* CondenseCaptionTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TQxCondenseCaption>("TQxCondenseCaption", {"ccNone", "ccAtEnd", "ccWithinPath"});
    return type;
}

TSize RotatedBounds(Integer Width, Integer Height, Integer Angle) {
    Integer a = Angle % 360;
    if (a < 0) a += 360;
    const double t = a * std::numbers::pi / 180.0;
    const double c = std::fabs(std::cos(t)), s = std::fabs(std::sin(t));
    return {std::max(0, Nearest(c * Width + s * Height)), std::max(0, Nearest(s * Width + c * Height))};
}

// ================================================================ construction

TQxLabel::TQxLabel(TComponent* AOwner) : TLabel(AOwner) {
    FControlStyle << csOpaque;
    SetLayout(tlTop);
    FLinks.JoinBlinkList();
    TRestoreOnExit<bool> init(FColorInit, true);
    SetColor(clBtnFace);
    SetParentColor(true);
}

TQxLabel::~TQxLabel() {
    FLinks.Leave();
}

void TQxLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TLabel::Notification(AComponent, Operation);
    FLinks.Notification(AComponent, Operation);
}

void TQxLabel::DefineProperties(TFiler* Filer) {
    TLabel::DefineProperties(Filer);
    Filer->DefineProperty("FrameSides", TQxOldPropReader::SkipSet, nullptr, false);
}

void TQxLabel::UseVerdanaWhenNotScalable() {
    // A bitmap font cannot be turned: the label takes a scalable one.
    if (!HasState(csLoading) && !FontIsTrueType(Font())) Font()->SetName("Verdana");
}

// ================================================================ setters

void TQxLabel::SetAngle(Integer Value) {
    const Integer stored = Value < 0 ? 360 + Value : Value % 360;
    if (stored == FAngle) return;
    FAngle = stored;
    if (FAngle != 0) UseVerdanaWhenNotScalable();
    if (FAngle != 0 && FRotation == roNone) FRotation = roFlat;
    AdjustBounds();
    Repaint();
}

void TQxLabel::SetRotation(TRotation Value) {
    if (Value == FRotation) return;
    if (Value != roNone) UseVerdanaWhenNotScalable();
    FRotation = Value;
    if (Value == roNone) FAngle = 0;
    if (Value == roFlat) {
        FAngle = 0;
        FCenterPoint = cpCenter;
    }
    Invalidate();
}

#define QX_LABEL_INVALIDATING_SETTER(Name, Type, Field)                                                            \
    void TQxLabel::Set##Name(Type Value) {                                                                         \
        if (Value == Field) return;                                                                                \
        Field = Value;                                                                                             \
        Invalidate();                                                                                              \
    }
#define QX_LABEL_SIZING_SETTER(Name, Type, Field)                                                                  \
    void TQxLabel::Set##Name(Type Value) {                                                                         \
        if (Value == Field) return;                                                                                \
        Field = Value;                                                                                             \
        AdjustBounds();                                                                                            \
        Invalidate();                                                                                              \
    }

QX_LABEL_INVALIDATING_SETTER(CenterPoint, TCenterPoint, FCenterPoint)
QX_LABEL_INVALIDATING_SETTER(TextStyle, TTextStyle, FTextStyle)
QX_LABEL_INVALIDATING_SETTER(LightTextStyle, bool, FLightTextStyle)
QX_LABEL_INVALIDATING_SETTER(HighlightColor, TColor, FHighlightColor)
QX_LABEL_INVALIDATING_SETTER(ShadowColor, TColor, FShadowColor)
QX_LABEL_INVALIDATING_SETTER(ShadowDepth, Integer, FShadowDepth)
QX_LABEL_INVALIDATING_SETTER(TextMargin, Integer, FTextMargin)
QX_LABEL_INVALIDATING_SETTER(BorderColor, TColor, FBorderColor)
QX_LABEL_INVALIDATING_SETTER(BorderHighlight, TColor, FBorderHighlight)
QX_LABEL_INVALIDATING_SETTER(BorderShadow, TColor, FBorderShadow)
QX_LABEL_INVALIDATING_SETTER(FlatColor, TColor, FFlatColor)
QX_LABEL_INVALIDATING_SETTER(FlatColorAdjustment, Integer, FFlatColorAdjustment)
QX_LABEL_INVALIDATING_SETTER(FlyByColor, TColor, FFlyByColor)
QX_LABEL_INVALIDATING_SETTER(BlinkColor, TColor, FBlinkColor)
QX_LABEL_SIZING_SETTER(BorderOuter, TFrameStyleEx, FBorderOuter)
QX_LABEL_SIZING_SETTER(BorderInner, TFrameStyleEx, FBorderInner)
QX_LABEL_SIZING_SETTER(BorderSides, TSides, FBorderSides)
QX_LABEL_SIZING_SETTER(BorderWidth, Integer, FBorderWidth)
QX_LABEL_SIZING_SETTER(BevelWidth, Integer, FBevelWidth)

#undef QX_LABEL_INVALIDATING_SETTER
#undef QX_LABEL_SIZING_SETTER

void TQxLabel::SetCondenseCaption(TQxCondenseCaption Value) {
    if (Value == FCondenseCaption) return;
    FCondenseCaption = Value;
    if (Value != ccNone) SetAutoSize(false);
    Invalidate();
}

void TQxLabel::SetFlyByEnabled(bool Value) {
    if (Value == FFlyByEnabled) return;
    FFlyByEnabled = Value;
    // The font gets back the colour fly-by took from it, if it took one.
    if (!Value && FFlyByApplied) {
        FFlyByApplied = false;
        Font()->SetColor(FFlyBySaved);
    }
    Invalidate();
}

void TQxLabel::SetBlinking(bool Value) {
    if (Value == FBlinking) return;
    FBlinking = Value;
    if (!Value) {
        FBlinkOn = false;
        FCurrentColor = FFontColor;
    }
    Repaint();
}

void TQxLabel::SetBlinkState(bool On) {
    FBlinkOn = On;
    FCurrentColor = On ? FBlinkColor : FFontColor;
    Refresh();
}

UINT TQxLabel::CondenseFlag() const {
    switch (FCondenseCaption) {
    case ccAtEnd: return DT_END_ELLIPSIS;
    case ccWithinPath: return DT_PATH_ELLIPSIS;
    default: return 0;
    }
}

String TQxLabel::GetLabelText() {
    return Caption();
}

// ================================================================ frame controller

void TQxLabel::FrameControllerChanged() {
    TQxFrameController* c = FrameController();
    if (!c || !c->FrameVisible()) return;
    const TQxFrameControllerNotifications n = FrameControllerNotifications();
    if (n.Contains(fcpFrameStyle)) FBorderOuter = c->FrameStyle();
    if (n.Contains(fcpFrameSides)) FBorderSides = c->FrameSides();
    if (n.Contains(fcpFrameColor)) {
        FFlatColor = c->FrameColor();
        FFlatColorAdjustment = 0;
    }
    if (n.Contains(fcpColor)) SetColor(c->Color());
    if (n.Contains(fcpParentColor)) SetParentColor(c->ParentColor());
    if (n.Contains(fcpColor)) {
        FBorderHighlight = LightenColor(Color(), 100);
        FBorderShadow = DarkenColor(Color(), 50);
    }
    Invalidate();
}

// ================================================================ geometry

Integer TQxLabel::BorderAmount(TFrameStyleEx Style) const {
    switch (Style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return FBevelWidth;
    default: return 2;
    }
}

void TQxLabel::AdjustTextRect(TRect& R, bool IncludeBorderWidth) {
    if (IncludeBorderWidth) InflateRect(R, -FBorderWidth, -FBorderWidth);
    ShrinkRectBySides(R, FBorderSides, BorderAmount(FBorderOuter));
    ShrinkRectBySides(R, FBorderSides, BorderAmount(FBorderInner));
}

void TQxLabel::ExtendTextBounds(TRect& S) {
    GrowRectBySides(S, FBorderSides, BorderAmount(FBorderOuter));
    GrowRectBySides(S, FBorderSides, FBorderWidth);
    GrowRectBySides(S, AllSides, FTextMargin);
    GrowRectBySides(S, FBorderSides, BorderAmount(FBorderInner));
    if (FRotation == roNone && FTextStyle == tsShadow) {
        S.Right += FShadowDepth;
        S.Bottom += FShadowDepth;
    } else if (FRotation == roFlat && FAngle != 0 && FAngle != 180) {
        if (FTextStyle == tsShadow) {
            S.Right += FShadowDepth / 2;
            S.Bottom += FShadowDepth / 2;
        }
        const TSize turned = RotatedBounds(S.Right - S.Left, S.Bottom - S.Top, FAngle);
        S.Right = S.Left + turned.cx;
        S.Bottom = S.Top + turned.cy;
    }
}

TPoint TQxLabel::GetRotationCenter() const {
    const Integer b = FBorderWidth, w = Width(), h = Height();
    if (FRotation == roFlat) return {w / 2, h / 2};
    switch (FCenterPoint) {
    case cpUpperLeft: return {b, b};
    case cpUpperCenter: return {w / 2, b};
    case cpUpperRight: return {w - b, b};
    case cpLeftCenter: return {b, h / 2};
    case cpRightCenter: return {w - b, h / 2};
    case cpLowerLeft: return {b, h - b};
    case cpLowerCenter: return {w / 2, h - b};
    case cpLowerRight: return {w - b, h - b};
    default: return {w / 2, h / 2};
    }
}

TPoint TQxLabel::GetArcRadius() const {
    const Integer d = 2 * FBorderWidth, w = Width(), h = Height();
    switch (FCenterPoint) {
    case cpUpperCenter:
    case cpLowerCenter: return {w / 2 - d, h - d};
    case cpLeftCenter:
    case cpRightCenter: return {w - d, h / 2 - d};
    case cpCenter: return {w / 2 - d, h / 2 - d};
    default: return {w - d, h - d};
    }
}

void TQxLabel::AdjustBounds() {
    if (HasState(csReading) || HasState(csLoading) || !AutoSize()) return;
    TRect r = ClientRect();
    AdjustTextRect(r, true);
    OffsetRect(r, -r.Left, -r.Top);
    HDC dc = CreateCompatibleDC(nullptr);
    {
        TScopeExit release([&] {
            Canvas()->SetHandle(nullptr);
            DeleteDC(dc);
        });
        Canvas()->SetHandle(dc);
        DoDrawText(r, static_cast<Integer>((WordWrap() ? DT_WORDBREAK : 0) | DT_EXPANDTABS | DT_CALCRECT |
                                           CondenseFlag()));
    }
    ExtendTextBounds(r);
    TAlignment alignment = Alignment();
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    const Integer left = alignment == taRightJustify ? Left() + Width() - r.Right : Left();
    SetBounds(left, Top(), r.Right, r.Bottom);
}

// ================================================================ painting

void TQxLabel::Paint() {
    TCanvas* canvas = Canvas();
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    const TRect inner = PaintInnerOuterFrame(canvas, TRect(0, 0, Width(), Height()), FBorderOuter, false,
                                             Transparent(), parentColor, Color(), FFlatColorAdjustment, FFlatColor,
                                             FBorderShadow, FBorderHighlight, FBorderColor, FBevelWidth,
                                             FBorderSides, FBorderWidth, FBorderInner);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    if (!Transparent()) canvas->FillRect(inner);
    canvas->Brush()->SetStyle(bsClear);
    if (FRotation == roCurve)
        PaintCurvedText();
    else
        PaintFlatText();
}

void TQxLabel::ApplyLayoutOffset(Integer Flags, TRect& R) {
    if (Layout() != tlTop) {
        TRect measured = R;
        DrawTextOnCanvas(Canvas(), GetLabelText(), measured, static_cast<UINT>(Flags) | DT_CALCRECT | CondenseFlag());
        const Integer room = R.Height() - measured.Height();
        OffsetRect(R, 0, Layout() == tlBottom ? room : room / 2);
    }
    if ((Flags & DT_RIGHT) && FTextStyle == tsShadow) OffsetRect(R, -FShadowDepth, 0);
    if (Layout() == tlBottom && FTextStyle == tsShadow) OffsetRect(R, 0, -FShadowDepth);
}

// One copy of the caption in Color: turned at P within Clip, or straight in
// TextR with Flags.
void TQxLabel::DrawCopy(const TRect& Clip, TPoint P, TColor Color, const TRect& TextR, Integer Flags, bool Rotated) {
    TCanvas* canvas = Canvas();
    canvas->Font()->SetColor(Color);
    if (Rotated) {
        canvas->TextRect(Clip, P.X, P.Y, Caption());
    } else {
        TRect r = TextR;
        DrawTextOnCanvas(canvas, GetLabelText(), r, static_cast<UINT>(Flags) | CondenseFlag());
    }
}

void TQxLabel::PaintFlatText() {
    TCanvas* canvas = Canvas();
    const Integer s2 = FShadowDepth / 2;
    TRect r = ClientRect();
    AdjustTextRect(r, true);
    InflateRect(r, -FTextMargin, -FTextMargin);
    TAlignment alignment = Alignment();
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    static const Integer alignFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    Integer flags = alignFlags[alignment] | DT_EXPANDTABS;
    if (UseRightToLeftAlignment()) flags |= DT_RTLREADING;
    if (WordWrap()) flags |= DT_WORDBREAK;
    if (!ShowAccelChar()) flags |= DT_NOPREFIX;
    canvas->SetFont(Font());
    TPoint p = GetRotationCenter();
    const bool rotated = FRotation == roFlat;
    if (rotated) {
        HDC dc = canvas->Handle();
        const double t = (FAngle + 90) * std::numbers::pi / 180.0;
        const double q = canvas->TextHeight("Pp") / 4.0;
        const Integer e = FTextStyle == tsShadow ? s2 : 0;
        const Integer w = canvas->TextWidth(Caption()) + e, h = canvas->TextHeight("Pp") + e;
        switch (FAngle) {
        case 0:
        case 360:
            if (flags & DT_CENTER)
                SetTextAlign(dc, TA_CENTER);
            else if (flags & DT_RIGHT)
                p.X = r.Right - w - e;
            else
                p.X = r.Left + e;
            p.Y -= h / 2;
            break;
        case 90:
            p.X -= Nearest(std::cos(t) * q);
            p.Y = (flags & DT_CENTER) ? r.Bottom - (r.Bottom - w) / 2 : (flags & DT_RIGHT) ? r.Top + w + e : r.Bottom - e;
            SetTextAlign(dc, TA_BASELINE);
            break;
        case 180:
            p.X = (flags & DT_CENTER) ? r.Right - (r.Right - w) / 2 : (flags & DT_RIGHT) ? r.Left + w : r.Right - e;
            p.Y -= h / 4;
            SetTextAlign(dc, TA_BASELINE);
            break;
        case 270:
            p.X -= Nearest(std::cos(t) * q);
            p.Y = (flags & DT_CENTER) ? (r.Bottom - w) / 2 : (flags & DT_RIGHT) ? r.Bottom - w - e : r.Top + e;
            SetTextAlign(dc, TA_BASELINE);
            break;
        default:
            p.X -= Nearest(std::cos(t) * q);
            p.Y += Nearest(std::sin(t) * q);
            SetTextAlign(dc, TA_BASELINE | TA_CENTER);
            break;
        }
        canvas->Font()->SetHandle(CreateRotatedFont(Font(), FAngle));
    }
    TRect textR = r;
    if (!rotated) ApplyLayoutOffset(flags, textR);
    auto copy = [&](Integer dx, Integer dy, TColor color) {
        TRect clip = r, moved = textR;
        OffsetRect(clip, dx, dy);
        OffsetRect(moved, dx, dy);
        DrawCopy(clip, {p.X + dx, p.Y + dy}, color, moved, flags, rotated);
    };
    if (!Enabled()) {
        copy(0, 0, clGrayText);
        return;
    }
    switch (FTextStyle) {
    case tsRaised:
        if (!FLightTextStyle) copy(1, 1, FShadowColor);
        copy(-1, -1, FHighlightColor);
        break;
    case tsRecessed:
        copy(1, 1, FHighlightColor);
        if (!FLightTextStyle) copy(-1, -1, FShadowColor);
        break;
    case tsShadow:
        if (rotated)
            copy(s2, s2, FShadowColor);
        else
            copy(FShadowDepth, FShadowDepth, FShadowColor);
        break;
    default:
        break;
    }
    if (rotated && FTextStyle == tsShadow)
        copy(-s2, -s2, FCurrentColor);
    else
        copy(0, 0, FCurrentColor);
}

void TQxLabel::PaintCurvedText() {
    const TPoint c = GetRotationCenter();
    const TPoint radius = GetArcRadius();
    // A label too small for its arc has no room for curved text.
    if (radius.X <= 0 || radius.Y <= 0) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    double a = FAngle * std::numbers::pi / 180.0;
    HDC dc = canvas->Handle();
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    TLogFont log;
    GetObject(AsGdiObj(canvas->Font()->Handle()), sizeof log, &log);
    auto put = [&](const String& ch, Integer x, Integer y, TColor color) {
        canvas->Font()->SetColor(color);
        canvas->TextOut(x, y, ch);
    };
    for (const String& ch : Characters(Caption())) {
        const Integer h = canvas->TextHeight("Yy");
        const Integer x = c.X - Nearest(std::sin(a) * (radius.X - h));
        const Integer y = c.Y - Nearest(std::cos(a) * (radius.Y - h));
        log.lfEscapement = Nearest(a * 1800 / std::numbers::pi);
        canvas->Font()->SetHandle(CreateFontIndirect(&log));
        SetTextAlign(canvas->Handle(), TA_BASELINE | TA_CENTER);
        switch (FTextStyle) {
        case tsRaised:
            if (!FLightTextStyle) put(ch, x + 1, y + 1, FShadowColor);
            put(ch, x - 1, y - 1, FHighlightColor);
            break;
        case tsRecessed:
            put(ch, x + 1, y + 1, FHighlightColor);
            if (!FLightTextStyle) put(ch, x - 1, y - 1, FShadowColor);
            break;
        case tsShadow:
            put(ch, x + FShadowDepth, y + FShadowDepth, FShadowColor);
            break;
        default:
            break;
        }
        if (!Enabled()) {
            put(ch, x + 1, y + 1, clBtnHighlight);
            put(ch, x, y, clBtnShadow);
        } else {
            put(ch, x, y, FCurrentColor);
        }
        a -= (canvas->TextWidth("w") + 2) / static_cast<double>(radius.X);
    }
}

// ================================================================ messages

void TQxLabel::Loaded() {
    TLabel::Loaded();
    if (FRotation == roNone && FAngle != 0) FRotation = roFlat;
    if (FRotation != roNone && !FontIsTrueType(Font())) Font()->SetName("Verdana");
    FFontColor = FCurrentColor = Font()->Color();
    if (HasState(csDesigning)) Repaint();
}

void TQxLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case QM_GETBLINKING:
        DefaultHandler(Message);
        Message.Result = FBlinking ? 1 : 0;
        return;
    case QM_BLINK:
        DefaultHandler(Message);
        if (FBlinking) SetBlinkState(Message.WParam == 1);
        return;
    case CM_FONTCHANGED:
        TLabel::Dispatch(Message);
        if (HasState(csLoading)) return;
        if (!FBlinking) FFontColor = FCurrentColor = Font()->Color();
        if (FAngle != 0 && !FontIsTrueType(Font())) FAngle = 0;
        return;
    case CM_TEXTCHANGED:
        TLabel::Dispatch(Message);
        Repaint();
        return;
    case CM_MOUSEENTER:
        if (HasState(csDesigning)) return;
        if (FFlyByEnabled) {
            FFlyBySaved = Font()->Color();
            FFlyByApplied = true;
            Font()->SetColor(FFlyByColor);
        }
        TLabel::Dispatch(Message);
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        // Only a colour that fly-by took is given back, and only once.
        if (FFlyByEnabled && FFlyByApplied) {
            FFlyByApplied = false;
            Font()->SetColor(FFlyBySaved);
        }
        TLabel::Dispatch(Message);
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case CM_PARENTCOLORCHANGED:
        if (FColorInit) return;
        TLabel::Dispatch(Message);
        return;
    default:
        TLabel::Dispatch(Message);
        return;
    }
}

// ================================================================ TQxURLLabel

TQxURLLabel::TQxURLLabel(TComponent* AOwner) : TQxLabel(AOwner) {
    // Older systems had no stock hand; the program's own one stood in.
    Screen->SetCursors(crQxHandPoint, LoadCursor(0, IDC_HAND));
    SetCursor(crQxHandPoint);
    SetTextStyle(tsNormal);
    Font()->SetColor(clHighlight);
    Font()->SetStyle(TFontStyles{fsUnderline});
}

void TQxURLLabel::UpdateLinkColor() {
    Font()->SetColor(FVisited ? FVisitedColor : FUnvisitedColor);
}

void TQxURLLabel::SetVisited(bool Value) {
    if (Value == FVisited) return;
    FVisited = Value;
    UpdateLinkColor();
    Invalidate();
}

void TQxURLLabel::SetUnvisitedColor(TColor Value) {
    if (Value == FUnvisitedColor) return;
    FUnvisitedColor = Value;
    UpdateLinkColor();
    Invalidate();
}

void TQxURLLabel::SetVisitedColor(TColor Value) {
    if (Value == FVisitedColor) return;
    FVisitedColor = Value;
    UpdateLinkColor();
    Invalidate();
}

void TQxURLLabel::Click() {
    TQxLabel::Click();
    const String target = Trim(URL).empty() ? Caption() : URL;
    FLastOpenError.clear();
    if (Trim(target).empty()) return;
    if (ShellOpener()->Open(target, FLastOpenError)) {
        SetVisited(true);
        return;
    }
    // A page whose own kind has no program goes to the program of .htm pages.
    if (UpperCase(ExtractFileExt(target)) == ".HTM") {
        String error;
        if (ShellOpener()->OpenWithHtmHandler(target, error)) return;
        FLastOpenError += " " + error;
    }
}

// ================================================================ published

const TClassInfo& TQxLabel::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        using T = TQxLabel;
        RotationTypeInfo();
        CenterPointTypeInfo();
        CondenseCaptionTypeInfo();
        TClassBuilder<T> b("TQxLabel", &TLabel::ClassInfo());
        b.Property("Angle", &T::Angle, [](T* c, Integer v) { c->SetAngle(v); }).Default(0);
        b.Property("Rotation", &T::Rotation, [](T* c, TRotation v) { c->SetRotation(v); }).Default(roNone);
        b.Property("CenterPoint", &T::CenterPoint, [](T* c, TCenterPoint v) { c->SetCenterPoint(v); }).Default(cpCenter);
        b.Property("TextStyle", &T::TextStyle, [](T* c, TTextStyle v) { c->SetTextStyle(v); }, TextStyleTypeInfo())
            .Default(tsNormal);
        b.Property("LightTextStyle", &T::LightTextStyle, [](T* c, bool v) { c->SetLightTextStyle(v); }).Default(false);
        b.Property("HighlightColor", &T::HighlightColor, [](T* c, TColor v) { c->SetHighlightColor(v); }, ColorTypeInfo())
            .Default(clBtnHighlight);
        b.Property("ShadowColor", &T::ShadowColor, [](T* c, TColor v) { c->SetShadowColor(v); }, ColorTypeInfo())
            .Default(clBtnShadow);
        b.Property("ShadowDepth", &T::ShadowDepth, [](T* c, Integer v) { c->SetShadowDepth(v); }).Default(2);
        b.Property("TextMargin", &T::TextMargin, [](T* c, Integer v) { c->SetTextMargin(v); }).Default(0);
        b.Property("BorderOuter", &T::BorderOuter, [](T* c, TFrameStyleEx v) { c->SetBorderOuter(v); },
                   FrameStyleExTypeInfo())
            .Default(fsNone);
        b.Property("BorderInner", &T::BorderInner, [](T* c, TFrameStyleEx v) { c->SetBorderInner(v); },
                   FrameStyleExTypeInfo())
            .Default(fsNone);
        b.Property("BorderSides", &T::BorderSides, [](T* c, TSides v) { c->SetBorderSides(v); }, SidesTypeInfo())
            .Default(AllSides.ToInt());
        b.Property("BorderWidth", &T::BorderWidth, [](T* c, Integer v) { c->SetBorderWidth(v); }).Default(0);
        b.Property("BevelWidth", &T::BevelWidth, [](T* c, Integer v) { c->SetBevelWidth(v); }).Default(1);
        b.Property("BorderColor", &T::BorderColor, [](T* c, TColor v) { c->SetBorderColor(v); }, ColorTypeInfo())
            .Default(clBtnFace);
        b.Property("BorderHighlight", &T::BorderHighlight, [](T* c, TColor v) { c->SetBorderHighlight(v); },
                   ColorTypeInfo())
            .Default(clBtnHighlight);
        b.Property("BorderShadow", &T::BorderShadow, [](T* c, TColor v) { c->SetBorderShadow(v); }, ColorTypeInfo())
            .Default(clBtnShadow);
        b.Property("FlatColor", &T::FlatColor, [](T* c, TColor v) { c->SetFlatColor(v); }, ColorTypeInfo())
            .Default(clBtnShadow);
        b.Property("FlatColorAdjustment", &T::FlatColorAdjustment, [](T* c, Integer v) { c->SetFlatColorAdjustment(v); })
            .Default(30);
        b.Property("CondenseCaption", &T::CondenseCaption, [](T* c, TQxCondenseCaption v) { c->SetCondenseCaption(v); })
            .Default(ccNone);
        b.Property("FlyByEnabled", &T::FlyByEnabled, [](T* c, bool v) { c->SetFlyByEnabled(v); }).Default(false);
        b.Property("FlyByColor", &T::FlyByColor, [](T* c, TColor v) { c->SetFlyByColor(v); }, ColorTypeInfo())
            .Default(clHighlight);
        b.Property("Blinking", &T::Blinking, [](T* c, bool v) { c->SetBlinking(v); }).Default(false);
        b.Property("BlinkColor", &T::BlinkColor, [](T* c, TColor v) { c->SetBlinkColor(v); }, ColorTypeInfo())
            .Default(clHighlight);
        PublishBlinkIntervals(b);
        PublishFrameController(b);
        b.Property("Color", &T::Color, [](T* c, TColor v) { c->SetColor(v); }, ColorTypeInfo())
            .Default(clBtnFace)
            .Stored([](const T* c) { return !c->ParentColor(); });
        // ParentColor too is written by the pull: declared again to be governed.
        PublishControlProperties(b, {"ParentColor"});
        StoreUnlessGoverned(b, {{"BorderOuter", fcpFrameStyle},
                                {"BorderSides", fcpFrameSides},
                                {"FlatColor", fcpFrameColor},
                                {"FlatColorAdjustment", fcpFrameColor},
                                {"Color", fcpColor},
                                {"BorderHighlight", fcpColor},
                                {"BorderShadow", fcpColor},
                                {"ParentColor", fcpParentColor}});
        b.Event("OnMouseEnter", &T::OnMouseEnter);
        b.Event("OnMouseLeave", &T::OnMouseLeave);
        return b.Register();
    }();
    return info;
}

const TClassInfo& TQxURLLabel::ClassInfo() {
    static const TClassInfo& info = []() -> const TClassInfo& {
        using T = TQxURLLabel;
        TClassBuilder<T> b("TQxURLLabel", &TQxLabel::ClassInfo());
        b.Property("URL", [](const T* c) { return c->URL; }, [](T* c, const String& v) { c->URL = v; });
        b.Property("Visited", &T::Visited, [](T* c, bool v) { c->SetVisited(v); }).Default(false);
        b.Property("UnvisitedColor", &T::UnvisitedColor, [](T* c, TColor v) { c->SetUnvisitedColor(v); },
                   ColorTypeInfo())
            .Default(clHighlight);
        b.Property("VisitedColor", &T::VisitedColor, [](T* c, TColor v) { c->SetVisitedColor(v); }, ColorTypeInfo())
            .Default(0x800080);
        b.Property("Cursor", &T::Cursor, &T::SetCursor, CursorTypeInfo()).Default(crQxHandPoint);
        // The link's colour and underline are the label's own font.
        PublishControlProperties(b, {"ParentFont"});
        b.Qualify("ParentFont").Default(false);
        return b.Register();
    }();
    return info;
}

void RegisterQxLabelClasses() {
    InitQxCommon();
    RegisterClasses({&TLabel::ClassInfo(), &TQxLabel::ClassInfo(), &TQxURLLabel::ClassInfo()});
}
