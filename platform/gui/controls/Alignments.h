#pragma once
// How controls place their text: vertical layout and the reading order,
// with their published types (TAlignment is in Control.h).

#include "platform/rtl/TypInfo.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

const TTypeInfo* TextLayoutTypeInfo();
const TTypeInfo* BiDiModeTypeInfo();
