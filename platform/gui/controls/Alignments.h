#pragma once
// How controls place their text: vertical layout and the reading order,
// with their published types, and the published type of the horizontal
// alignment (TAlignment itself is in Control.h).

#include "platform/rtl/TypInfo.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

const TTypeInfo* AlignmentTypeInfo();
const TTypeInfo* TextLayoutTypeInfo();
const TTypeInfo* BiDiModeTypeInfo();
