#include "platform/rtl/Character.h"

#include <QChar>

char32_t ConvertToUtf32(const String& S, size_t Index, Integer& CharLength) {
    const auto byte = [&](size_t I) { return static_cast<unsigned char>(S[I]); };
    const unsigned char lead = byte(Index);
    const Integer n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    CharLength = 1;
    if (n == 1 || Index + static_cast<size_t>(n) > S.size()) return lead;
    char32_t c = lead & (0x7F >> n);
    for (Integer k = 1; k < n; ++k) {
        const unsigned char b = byte(Index + static_cast<size_t>(k));
        if ((b & 0xC0) != 0x80) return lead;
        c = (c << 6) | (b & 0x3F);
    }
    CharLength = n;
    return c;
}

char32_t ToUpper(char32_t C) {
    return QChar::toUpper(C);
}
