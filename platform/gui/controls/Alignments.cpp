#include "platform/gui/controls/Alignments.h"

const TTypeInfo* TextLayoutTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TTextLayout>("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return type;
}

const TTypeInfo* BiDiModeTypeInfo() {
    static const TTypeInfo* type = RegisterEnumType<TBiDiMode>(
        "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    return type;
}
