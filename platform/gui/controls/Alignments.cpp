#include "platform/gui/controls/Alignments.h"
#include "platform/gui/controls/Published.h"

const TTypeInfo* AlignmentTypeInfo() {
    RegisterControlTypes();
    return EnumTypeInfo<TAlignment>();
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
