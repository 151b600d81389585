#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Screen.h"

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

struct TCharsetName {
    Byte Value;
    const char* Name;
};
const TCharsetName kCharsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

} // namespace

bool ColorToIdent(TColor Color, String& Ident) {
    // clLtGray and clDkGray share values with clSilver and clGray, which win.
    for (const auto& c : kColorNames)
        if (c.Value == Color) {
            Ident = c.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& Ident, TColor& Color) {
    for (const auto& c : kColorNames)
        if (SameText(Ident, c.Name)) {
            Color = c.Value;
            return true;
        }
    return false;
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

const TTypeInfo* FontCharsetTypeInfo() {
    static const TTypeInfo* type = MakeIdentIntegerType(
        "TFontCharset",
        [](const String& Ident, Int64& Value) {
            for (const auto& c : kCharsets)
                if (SameText(Ident, c.Name)) {
                    Value = c.Value;
                    return true;
                }
            return false;
        },
        [](Int64 Value, String& Ident) {
            for (const auto& c : kCharsets)
                if (Value == c.Value) {
                    Ident = c.Name;
                    return true;
                }
            return false;
        });
    return type;
}

const TTypeInfo* FontStylesTypeInfo() {
    static const TTypeInfo* type = MakeSetType(
        "TFontStyles",
        RegisterEnumType<TFontStyle>("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    return type;
}

const TTypeInfo* ShiftStateTypeInfo() {
    static const TTypeInfo* type =
        MakeSetType("TShiftState", RegisterEnumType<TShiftStateFlag>("TShiftStateFlag",
                                                                     {"ssShift", "ssAlt", "ssCtrl", "ssLeft",
                                                                      "ssRight", "ssMiddle", "ssDouble"}));
    return type;
}

void RegisterControlTypes() {
    RegisterEnumType<TAlign>("TAlign",
                             {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    RegisterEnumType<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    RegisterEnumType<TFontPitch>("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    RegisterEnumType<TFormBorderStyle>("TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog",
                                                            "bsToolWindow", "bsSizeToolWin"});
    RegisterEnumType<TPosition>("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly",
                                              "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
                                              "poMainFormCenter", "poOwnerFormCenter"});
    RegisterEnumType<TWindowState>("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
    RegisterEnumType<TDragMode>("TDragMode", {"dmManual", "dmAutomatic"});
    RegisterEnumType<TDragKind>("TDragKind", {"dkDrag", "dkDock"});
    FontStylesTypeInfo();
}

const TClassInfo& FontClassInfo() {
    RegisterControlTypes();
    static const TClassInfo& info =
        TClassBuilder<TFont>("TFont", &PersistentClassInfo())
            .Property("Charset", &TFont::Charset, &TFont::SetCharset, FontCharsetTypeInfo())
            .Property("Color", &TFont::Color, &TFont::SetColor, ColorTypeInfo())
            .Property("Height", &TFont::Height, &TFont::SetHeight)
            .Property("Name", &TFont::Name, &TFont::SetName)
            .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
            .Default(fpDefault)
            .Property("Size", &TFont::Size, &TFont::SetSize)
            .Stored([](const TFont*) { return false; })
            .Property("Style", &TFont::Style, &TFont::SetStyle, FontStylesTypeInfo())
            .Register();
    return info;
}
