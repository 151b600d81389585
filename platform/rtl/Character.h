#pragma once
// Characters of UTF-8 text: a caption's accelerator, for one, is a
// character, which may take several bytes.

#include "platform/rtl/System.h"

// The character that starts at byte Index of S and, in CharLength, its
// length in bytes (a byte that starts no whole character stands for itself,
// one byte long).
char32_t ConvertToUtf32(const String& S, size_t Index, Integer& CharLength);

// The upper-case form of a character, the character itself when it has none.
char32_t ToUpper(char32_t C);
