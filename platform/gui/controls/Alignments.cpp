#include "platform/gui/controls/Alignments.h"

const TTypeInfo* AlignmentTypeInfo() {
    static const TTypeInfo* type =
        RegisterEnumType<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return type;
}

const TTypeInfo* TextLayoutTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TTextLayout>("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return type;
}

const TTypeInfo* BiDiModeTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TBiDiMode>(
        "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    return type;
}
