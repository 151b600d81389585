// Colour names: the identifiers form descriptions and settings give
// colours (clBtnFace, clMoneyGreen, clNone ...), and the published type of
// colour properties.
#include "platform/gui/graphics/Graphics.h"
#include "platform/rtl/TypInfo.h"

namespace {

struct TColorName {
    TColor Value;
    const char* Name;
};

const TColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

} // namespace

bool ColorToIdent(TColor Color, String& Ident) {
    // clLtGray and clDkGray share values with clSilver and clGray, which win.
    return NameOfValue(kColorNames, Color, Ident);
}

bool IdentToColor(const String& Ident, TColor& Color) {
    return ValueOfName(kColorNames, Ident, Color);
}

String ColorToString(TColor Color) {
    String s;
    if (ColorToIdent(Color, s)) return s;
    return "$" + IntToHex(static_cast<Cardinal>(Color), 8);
}

TColor StringToColor(const String& S) {
    TColor c;
    if (IdentToColor(Trim(S), c)) return c;
    Int64 v = 0;
    if (!TryStrToInt64(S, v) || v < INT32_MIN || v > UINT32_MAX)
        throw EConvertError("'" + S + "' is not a valid colour");
    return static_cast<TColor>(static_cast<Cardinal>(v));
}

const TTypeInfo* ColorTypeInfo() {
    static const TTypeInfo* type = MakeIdentIntegerType(
        "TColor",
        [](const String& Ident, Int64& Value) {
            TColor c;
            if (!IdentToColor(Ident, c)) return false;
            Value = c;
            return true;
        },
        [](Int64 Value, String& Ident) { return ColorToIdent(static_cast<TColor>(Value), Ident); });
    return type;
}
