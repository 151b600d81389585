#pragma once
// The clipboard as controls ask about it: whether it holds text, and its
// text. Whether it holds text is asked on every caret move of a memo, so
// the answer is kept and renewed only when the clipboard changes.

#include "platform/gui/gdi/Gdi.h"

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

// True when the clipboard offers Format (CF_TEXT and CF_UNICODETEXT: text).
BOOL IsClipboardFormatAvailable(UINT Format);
String ClipboardText();
void SetClipboardText(const String& Text);
