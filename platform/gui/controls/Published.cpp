#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/Screen.h"

namespace {

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

const TTypeInfo* FontCharsetTypeInfo() {
    static const TTypeInfo* type = MakeIdentIntegerType("TFontCharset", kCharsets);
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

const TTypeInfo* BevelCutTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TBevelCut>("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return type;
}

const TTypeInfo* BevelEdgesTypeInfo() {
    static const TTypeInfo* type = MakeSetType(
        "TBevelEdges", RegisterEnumType<TBevelEdge>("TBevelEdge", {"beLeft", "beTop", "beRight", "beBottom"}));
    return type;
}

const TTypeInfo* BevelKindTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TBevelKind>("TBevelKind", {"bkNone", "bkTile", "bkSoft", "bkFlat"});
    return type;
}

const TTypeInfo* ImeModeTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TImeMode>(
        "TImeMode", {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata",
                     "imKata", "imChinese", "imSHanguel", "imHanguel"});
    return type;
}

void RegisterControlTypes() {
    RegisterEnumType<TAlign>("TAlign",
                             {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    RegisterEnumType<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    RegisterEnumType<TLeftRight>("TLeftRight", {"taLeftJustify", "taRightJustify"});
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
    AnchorsTypeInfo();
    BiDiModeTypeInfo();
    BevelCutTypeInfo();
    BevelEdgesTypeInfo();
    BevelKindTypeInfo();
    ImeModeTypeInfo();
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
