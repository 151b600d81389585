#pragma once
// How controls place their text: horizontal alignment, vertical layout and
// the reading order, with their published types.

#include "platform/rtl/TypInfo.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

const TTypeInfo* AlignmentTypeInfo();
const TTypeInfo* TextLayoutTypeInfo();
const TTypeInfo* BiDiModeTypeInfo();
