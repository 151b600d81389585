#include "host/image/uTeaSet.h"

#include "platform/rtl/SysUtils.h"

void XxteaKeyFromString(const String& Text, TXxteaKeyBytes& Key) {
    Key.fill(' ');
    for (std::size_t i = 0; i < Key.size() && i < Text.size(); ++i) Key[i] = static_cast<Byte>(Text[i]);
}

TXxteaKey XxteaKeyWords(const TXxteaKeyBytes& Key) {
    TXxteaKey k{};
    for (std::size_t i = 0; i < k.size(); ++i)
        k[i] = Cardinal(Key[4 * i]) | Cardinal(Key[4 * i + 1]) << 8 | Cardinal(Key[4 * i + 2]) << 16 |
               Cardinal(Key[4 * i + 3]) << 24;
    return k;
}

TXxteaKey XxteaKeyFromString(const String& Text) {
    TXxteaKeyBytes bytes;
    XxteaKeyFromString(Text, bytes);
    return XxteaKeyWords(bytes);
}

void XxteaDecipher(Cardinal* v, std::size_t Count, const TXxteaKey& k) {
    if (Count == 0) return;
    const std::size_t n = Count;
    const auto mx = [&k](Cardinal sum, Cardinal y, Cardinal z, std::size_t p, Cardinal e) {
        return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((sum ^ y) + (k[(p & 3) ^ e] ^ z));
    };
    const Cardinal rounds = static_cast<Cardinal>(XxteaRounds(static_cast<Integer>(n > 52 ? 53 : n)));
    Cardinal sum = rounds * XxteaDelta;
    Cardinal y = v[0];
    while (sum != 0) {
        const Cardinal e = (sum >> 2) & 3;
        for (std::size_t p = n - 1; p > 0; --p) {
            const Cardinal z = v[p - 1];
            y = v[p] -= mx(sum, y, z, p, e);
        }
        const Cardinal z = v[n - 1];
        y = v[0] -= mx(sum, y, z, 0, e);
        sum -= XxteaDelta;
    }
}

void XxteaDecipher(TDynamicIntArray& Words, const TXxteaKey& Key) {
    static_assert(sizeof(Integer) == sizeof(Cardinal));
    XxteaDecipher(reinterpret_cast<Cardinal*>(Words.data()), Words.size(), Key);
}

String WordsToString(const TDynamicIntArray& Words) {
    String s(Words.size() * 4, '\0');
    for (std::size_t i = 0; i < Words.size(); ++i) {
        const Cardinal w = static_cast<Cardinal>(Words[i]);
        for (std::size_t b = 0; b < 4; ++b) s[4 * i + b] = static_cast<char>((w >> (8 * b)) & 0xFF);
    }
    return Trim(s);
}
