// The colour model, the unit state and the small helpers of QxCommon; the
// painters live in QxFrames.cpp and QxGlyphs.cpp.
#include "controls/common/QxCommon.h"

#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Themes.h"
#include "platform/rtl/OSVersion.h"
#include "platform/rtl/Registry.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool FullColorDisplay = false;
Byte XPColorScheme = 0;

const std::array<std::array<TColor, 6>, 3> XPSchemeColors = {{
    {0x800000, 0xC2EEFF, 0xA0D9FF, 0xFFEFE3, 0xEABB99, 0xBF7F57}, // blue
    {0x385D3F, 0xC2EEFF, 0xA0D9FF, 0xEDFFFF, 0x92C7B8, 0x77A17F}, // olive
    {0x6F4B4B, 0xC2EEFF, 0xA0D9FF, 0xFFF9F9, 0xD0BCBD, 0xB19F9F}, // silver
}};

namespace {

// Rounds to the nearest integer, halves to the even neighbour, and checks
// that the result is a byte.
Byte RoundToByte(double Value) {
    double r = std::nearbyint(Value);
    if (!(r >= 0 && r <= 255)) throw ERangeError("Range check error");
    return static_cast<Byte>(r);
}

} // namespace

void InitQxCommon() {
    static Integer initCount = 0;
    if (initCount++ > 0) return;
    FrameStyleTypeInfo();
    FrameStyleExTypeInfo();
    SidesTypeInfo();
    GradientColorStyleTypeInfo();
    GradientDirectionTypeInfo();
    AlignmentVerticalTypeInfo();
    TextStyleTypeInfo();
    OrientationTypeInfo();
    CheckBoxStateTypeInfo();
    ButtonHotTrackStyleTypeInfo();
    HotTrackColorTypeTypeInfo();
    FramingPreferenceTypeInfo();
    FrameControllerNotificationsTypeInfo();
    RegisterClass(TQxFrameController::ClassInfo());
    FullColorDisplay = DisplayHasFullColor();
    XPColorScheme = DetectXPColorScheme();
}

// ---------------------------------------------------------------- HSL

void ColorToHSLValues(TColor Color, Byte& H, Byte& S, Byte& L) {
    const COLORREF c = ColorToRGB(Color);
    const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0, s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g == mx)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
        if (h < 0) h += 1;
    }
    H = RoundToByte(h * 240);
    S = RoundToByte(s * 240);
    L = RoundToByte(l * 240);
}

Byte ColorHueValue(TColor Color) {
    Byte h, s, l;
    ColorToHSLValues(Color, h, s, l);
    return h;
}

TColor HSLValuesToColor(Byte H, Byte S, Byte L) {
    const double l = L / 240.0, s = S / 240.0;
    const double m2 = l >= 0.5 ? l + s - l * s : l * (1 + s);
    double red = 0, green = 0, blue = 0;
    if (m2 > 0) {
        const double m1 = 2 * l - m2;
        // The divisor is 239: hue 240 (and 239) lands in sector 6, which
        // takes the colours of sector 0.
        const double h = (H / 239.0) * 6;
        const int sector = static_cast<int>(h);
        const double f = h - sector;
        const double x = m2 * ((m2 - m1) / m2) * f;
        const double up = m1 + x, down = m2 - x;
        switch (sector) {
        case 1:
            red = down, green = m2, blue = m1;
            break;
        case 2:
            red = m1, green = m2, blue = up;
            break;
        case 3:
            red = m1, green = down, blue = m2;
            break;
        case 4:
            red = up, green = m1, blue = m2;
            break;
        case 5:
            red = m2, green = m1, blue = down;
            break;
        default:
            red = m2, green = up, blue = m1;
            break;
        }
    }
    // Saturations above 240 with low luminance drive a channel below 0;
    // luminances above 240 one above 1.
    auto channel = [](double v) { return RoundToByte(std::clamp(v, 0.0, 1.0) * 255); };
    return static_cast<TColor>(RGB(channel(red), channel(green), channel(blue)));
}

TColor DarkenColor(TColor Color, Byte Amount) {
    Byte h, s, l;
    ColorToHSLValues(Color, h, s, l);
    return HSLValuesToColor(h, s, static_cast<Byte>(std::max(l - Amount, 0)));
}

TColor LightenColor(TColor Color, Byte Amount) {
    Byte h, s, l;
    ColorToHSLValues(Color, h, s, l);
    return HSLValuesToColor(h, s, static_cast<Byte>(std::min(l + Amount, 255)));
}

TColor AdjustColorLuminance(TColor Color, Integer Amount) {
    if (Amount > 255 || Amount < -255) throw ERangeError("Range check error");
    if (Amount > 0) return LightenColor(Color, static_cast<Byte>(Amount));
    if (Amount < 0) return DarkenColor(Color, static_cast<Byte>(-Amount));
    return Color;
}

TColor BlendColors(TColor Color1, TColor Color2, Byte Weight) {
    const COLORREF c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
    const float w = Weight / 255.0f;
    auto mix = [w](Byte a, Byte b) { return RoundToByte(double(w) * a + (1 - double(w)) * b); };
    return static_cast<TColor>(RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)),
                                   mix(GetBValue(c1), GetBValue(c2))));
}

TColor XorColors(TColor Color1, TColor Color2) {
    return static_cast<TColor>((ColorToRGB(Color1) ^ ColorToRGB(Color2)) & 0xFFFFFF);
}

bool ColorsAreSimilar(TColor Color1, TColor Color2) {
    Byte h1, s1, l1, h2, s2, l2;
    ColorToHSLValues(Color1, h1, s1, l1);
    ColorToHSLValues(Color2, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor ComplementColor(TColor Color, Byte Luminance) {
    Byte h = ColorHueValue(Color);
    h = h < 120 ? static_cast<Byte>(h + 120) : static_cast<Byte>(h - 120);
    return HSLValuesToColor(h, 240, Luminance);
}

// ---------------------------------------------------------------- display and scheme

bool DisplayHasFullColor() {
    HDC dc = GetDC(0);
    Integer colors = GetDeviceCaps(dc, NUMCOLORS);
    ReleaseDC(0, dc);
    return colors == -1;
}

Byte DetectXPColorScheme() {
    TRegIniFile reg("\\Software\\Microsoft\\Windows\\CurrentVersion");
    String name = UpperCase(reg.ReadString("ThemeManager", "ColorName", ""));
    if (name == "HOMESTEAD") return 1;
    if (name == "METALLIC") return 2;
    return 0;
}

namespace {

// The scheme table applies to the office style while visual styles are in
// use and the scheme is a known one; everything else takes the classic
// colours.
bool UseSchemeTable(TQxGradientColorStyle Style) {
    return Style == gcsMSOffice && XPColorScheme <= 2 && ThemeServices()->ThemesEnabled();
}

} // namespace

void GetSchemeSelectionColors(TQxGradientColorStyle Style, TColor& FrameColor, TColor& StartColor,
                              TColor& StopColor) {
    if (UseSchemeTable(Style)) {
        FrameColor = XPSchemeColors[XPColorScheme][0];
        StartColor = XPSchemeColors[XPColorScheme][1];
        StopColor = XPSchemeColors[XPColorScheme][2];
    } else {
        FrameColor = clHighlight;
        StopColor = BlendColors(clHighlight, clWindow, 77);
        StartColor = LightenColor(StopColor, 20);
    }
    if (!FullColorDisplay) StartColor = StopColor;
}

void GetSchemeGradientColors(TQxGradientColorStyle Style, TColor& StartColor, TColor& StopColor) {
    if (UseSchemeTable(Style)) {
        StartColor = XPSchemeColors[XPColorScheme][3];
        StopColor = XPSchemeColors[XPColorScheme][4];
    } else {
        StartColor = clWindow;
        StopColor = DarkenColor(clBtnFace, 10);
    }
}

TColor GetSchemeFrameColor(TQxGradientColorStyle Style) {
    if (Style == gcsMSOffice && ThemeServices()->ThemesEnabled()) {
        if (XPColorScheme > 2) return clBtnShadow;
        return XPSchemeColors[XPColorScheme][5];
    }
    return LightenColor(clBtnShadow, 30);
}

void GetSchemeBarColors(TQxGradientColorStyle Style, TColor& StopColor, TColor& StartColor,
                        TColor& ThirdColor) {
    if (UseSchemeTable(Style)) {
        StopColor = XPSchemeColors[XPColorScheme][4];
        StartColor = XPSchemeColors[XPColorScheme][3];
        ThirdColor = XPSchemeColors[XPColorScheme][4];
    } else {
        StopColor = DarkenColor(clBtnFace, 20);
        StartColor = clWindow;
        ThirdColor = DarkenColor(clBtnFace, 40);
    }
}

TColor GetThemedElementColor(Integer Kind) {
    if (!ThemeServices()->ThemesEnabled()) return clBtnFace;
    constexpr Integer gradientColor1 = 3810; // TMT_GRADIENTCOLOR1
    struct TElementColor {
        bool InStyle; // the platform's visual style has this element
        TThemedElementDetails Details;
        Integer Prop;
    };
    // The explorer bar's group colours (kinds 1 to 5) have no element in the
    // platform's visual style; they answer as without visual styles.
    static constexpr TElementColor elements[] = {
        {true, {teEdit, 0, 2}, TMT_BORDERCOLOR},
        {false, {teWindow, 5, 1}, TMT_TEXTCOLOR},
        {false, {teWindow, 9, 1}, TMT_TEXTCOLOR},
        {false, {teWindow, 5, 1}, TMT_FILLCOLOR},
        {false, {teWindow, 0, 2}, gradientColor1},
        {false, {teWindow, 12, 1}, TMT_FILLCOLOR},
        {true, {teButton, BP_GROUPBOX, GBS_NORMAL}, TMT_TEXTCOLOR},
    };
    if (Kind < 0 || Kind >= static_cast<Integer>(std::size(elements))) return clWhite;
    const TElementColor& e = elements[Kind];
    COLORREF color = 0;
    if (!e.InStyle || !ThemeServices()->GetColor(e.Details, e.Prop, color)) return clBtnFace;
    return static_cast<TColor>(color);
}

// ---------------------------------------------------------------- published types

const TTypeInfo* FrameStyleTypeInfo() {
    static const TTypeInfo* info = RegisterEnumType<TFrameStyleEx>(
        "TFrameStyle", {"fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown", "fsRaised",
                        "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold"});
    return info;
}

const TTypeInfo* FrameStyleExTypeInfo() {
    static const TTypeInfo* info = [] {
        auto* t = new TTypeInfo(*FrameStyleTypeInfo());
        t->Name = "TFrameStyleEx";
        t->Names.push_back("fsFlatRounded");
        return t;
    }();
    return info;
}

const TTypeInfo* SideTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TSide>("TSide", {"sdLeft", "sdTop", "sdRight", "sdBottom"});
    return info;
}

const TTypeInfo* SidesTypeInfo() {
    static const TTypeInfo* info = MakeSetType("TSides", SideTypeInfo());
    return info;
}

const TTypeInfo* AlignmentVerticalTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TAlignmentVertical>("TAlignmentVertical", {"avTop", "avCenter", "avBottom"});
    return info;
}

const TTypeInfo* TextStyleTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TTextStyle>("TTextStyle", {"tsNormal", "tsRaised", "tsRecessed", "tsShadow"});
    return info;
}

const TTypeInfo* OrientationTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TOrientation>("TOrientation", {"orHorizontal", "orVertical"});
    return info;
}

const TTypeInfo* CheckBoxStateTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TCheckBoxState>("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
    return info;
}

const TTypeInfo* HotTrackColorTypeTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TQxHotTrackColorType>("TQxHotTrackColorType", {"htctComplement", "htctActual"});
    return info;
}

const TTypeInfo* ButtonHotTrackStyleTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TQxButtonHotTrackStyle>("TQxButtonHotTrackStyle", {"htsInterior", "htsFrame"});
    return info;
}

const TTypeInfo* GradientColorStyleTypeInfo() {
    static const TTypeInfo* info = RegisterEnumType<TQxGradientColorStyle>(
        "TQxGradientColorStyle", {"gcsSystem", "gcsMSOffice", "gcsCustom"});
    return info;
}

// ---------------------------------------------------------------- fonts and text

HFONT CreateRotatedFont(TFont* Font, Integer Angle) {
    TLogFont lf;
    lf.lfHeight = Font->Height();
    lf.lfWidth = 0;
    lf.lfEscapement = Angle * 10;
    lf.lfOrientation = Angle * 10;
    const TFontStyles style = Font->Style();
    lf.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = style.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = Font->Charset();
    lf.lfPitchAndFamily = Font->Pitch() == fpVariable ? VARIABLE_PITCH
                          : Font->Pitch() == fpFixed  ? FIXED_PITCH
                                                      : DEFAULT_PITCH;
    // The face name holds at most LF_FACESIZE - 1 bytes; a longer name is
    // cut at a character boundary.
    const String& name = Font->Name();
    size_t n = std::min<size_t>(name.size(), LF_FACESIZE - 1);
    while (n > 0 && n < name.size() && (static_cast<Byte>(name[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(lf.lfFaceName, name.data(), n);
    lf.lfFaceName[n] = '\0';
    return CreateFontIndirect(&lf);
}

bool FontIsTrueType(TFont* Font) {
    HDC dc = GetDC(0);
    HGDIOBJ old = SelectObject(dc, AsGdiObj(Font->Handle()));
    TTextMetric tm;
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(0, dc);
    return (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

String StripAccelChars(const String& Caption) {
    String result;
    const size_t n = Caption.size();
    if (n == 0) return result;
    for (size_t i = 0; i + 1 < n; ++i) {
        if (Caption[i] != '&' || Caption[i + 1] == '&') result += Caption[i];
    }
    result += Caption[n - 1];
    return result;
}

Integer DrawTextOnCanvas(TCanvas* Canvas, const String& Text, TRect& R, UINT Format) {
    HDC dc = Canvas->Handle();
    // Text is drawn with the canvas's font, colour and background.
    SelectObject(dc, AsGdiObj(Canvas->Font()->Handle()));
    SetTextColor(dc, ColorToRGB(Canvas->Font()->Color()));
    SetBkColor(dc, ColorToRGB(Canvas->Brush()->Color()));
    SetBkMode(dc, Canvas->Brush()->Style() == bsClear ? TRANSPARENT : OPAQUE);
    return DrawText(dc, Text.c_str(), -1, &R, Format);
}

bool BitInSet(Byte N, const std::array<Byte, 32>& Set) {
    // Bit N mod 32 of the little-endian 32-bit word N div 32.
    const size_t word = N / 32;
    const Cardinal value = Cardinal(Set[word * 4]) | (Cardinal(Set[word * 4 + 1]) << 8) |
                           (Cardinal(Set[word * 4 + 2]) << 16) | (Cardinal(Set[word * 4 + 3]) << 24);
    return ((value >> (N % 32)) & 1) != 0;
}

void NotifyDesignerModified(TComponent* Control) {
    // Only a control being designed has a designer to tell; this program
    // never designs forms, so at run time there is nothing to do.
    if (!Control || !Control->HasState(csDesigning)) return;
}

// ---------------------------------------------------------------- windows

void RedrawWindowFrame(HWND Window, const TRect& R) {
    HDC dc = GetDC(Window);
    if (!dc) return;
    TRect box;
    const Integer kind = GetClipBox(dc, &box);
    ReleaseDC(Window, dc);
    // A window with nothing to show needs no repainting.
    if (kind != ERROR && kind != NULLREGION) InvalidateRect(Window, &R, false);
}

bool TabOnEnterKey(TWinControl* Control, char32_t& Key) {
    if (Key != U'\r') return false;
    Key = 0;
    PostMessage(Control->Handle(), WM_KEYDOWN, VK_TAB, 0);
    return true;
}

bool TabOnEnterPosted(TWinControl* Control, TMessage& Message) {
    if (Message.Msg != WM_KEYDOWN || Message.WParam != VK_TAB || Message.LParam != 0) return false;
    Control->Perform(CN_KEYDOWN, VK_TAB, 0);
    Message.Result = 0;
    return true;
}

void InvalidateTransparentChildren(TWinControl* Container) {
    if (!Container) return;
    for (Integer i = 0; i < Container->ControlCount(); ++i) {
        TControl* child = Container->Controls(i);
        const TPropInfo* info = GetPropInfo(child, "Transparent");
        if (info && info->GetOrd && info->GetOrd(child) == 1) child->Invalidate();
    }
}

// ---------------------------------------------------------------- operating system

bool IsWindowsVersion(Byte Version) {
    const Integer p = Win32Platform, M = Win32MajorVersion, m = Win32MinorVersion;
    switch (Version) {
    case 0:
        return p == VER_PLATFORM_WIN32_WINDOWS && M <= 4 && m == 0;
    case 1:
        return p == VER_PLATFORM_WIN32_NT && M <= 4;
    case 2:
        return p == VER_PLATFORM_WIN32_WINDOWS && M <= 4 && m == 10;
    case 3:
        return p == VER_PLATFORM_WIN32_WINDOWS && M <= 4 && m == 90;
    case 4:
        return p == VER_PLATFORM_WIN32_NT && M == 5 && m == 0;
    case 5:
        return p == VER_PLATFORM_WIN32_NT && M == 5 && m == 1;
    case 6:
        return p == VER_PLATFORM_WIN32_NT && M == 5 && m == 2;
    case 7:
        return p == VER_PLATFORM_WIN32_NT && M == 6 && m == 0;
    default:
        return false;
    }
}

bool IsWindowsAtLeast(Byte Version) {
    const Integer p = Win32Platform, M = Win32MajorVersion, m = Win32MinorVersion;
    const bool windows = p == VER_PLATFORM_WIN32_WINDOWS || p == VER_PLATFORM_WIN32_NT;
    const bool nt = p == VER_PLATFORM_WIN32_NT;
    switch (Version) {
    case 0:
        return windows && M >= 4 && m >= 0;
    case 1:
        return nt && M >= 4;
    case 2:
        return windows && ((M >= 4 && m >= 10) || M >= 5);
    case 3:
        return windows && ((M >= 4 && m >= 90) || M >= 5);
    case 4:
        return nt && M >= 5;
    case 5:
        return nt && ((M == 5 && m >= 1) || M >= 6);
    case 6:
        return nt && ((M >= 5 && m >= 2) || M >= 6);
    case 7:
        return nt && M >= 6;
    default:
        return false;
    }
}
