#pragma once
// The painters' view of the visual style: whether it is in use, its colours
// and its element drawing, through the platform's theme services. Part,
// state and property numbers are the visual style's own.

#include "platform/gui/Gdi.h"

enum TQxThemeClass { tcEdit, tcExplorerBar, tcButton, tcComboBox, tcProgress };

inline constexpr Integer TMT_BORDERCOLOR = 3801;
inline constexpr Integer TMT_FILLCOLOR = 3802;
inline constexpr Integer TMT_TEXTCOLOR = 3803;
inline constexpr Integer TMT_GRADIENTCOLOR1 = 3810;

inline constexpr Integer CP_DROPDOWNBUTTON = 1;
inline constexpr Integer CBXS_NORMAL = 1;
inline constexpr Integer PP_CHUNK = 3;
inline constexpr Integer PP_CHUNKVERT = 4;

// True when the running application paints with the visual style.
bool QxThemesEnabled();
// The colour of a property of an element; false when the style has none.
bool QxGetThemeColor(TQxThemeClass Class, Integer Part, Integer State, Integer PropId, TColor& Color);
// Draws an element of the visual style into R.
void QxDrawThemeElement(HDC DC, TQxThemeClass Class, Integer Part, Integer State, const TRect& R);
