#pragma once
// How controls place their text: horizontal alignment (TAlignment, with the
// control tree), vertical layout and the reading order, with their
// published types.

#include "platform/gui/controls/Control.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

const TTypeInfo* AlignmentTypeInfo();
const TTypeInfo* TextLayoutTypeInfo();
const TTypeInfo* BiDiModeTypeInfo();
