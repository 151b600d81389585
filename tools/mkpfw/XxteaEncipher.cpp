#include "tools/mkpfw/XxteaEncipher.h"

void XxteaEncipher(Cardinal* v, std::size_t n, const TXxteaKey& k, Integer Rounds) {
    if (n < 2) return;
    const auto mx = [&k](Cardinal sum, Cardinal y, Cardinal z, std::size_t p, Cardinal e) {
        return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((sum ^ y) + (k[(p & 3) ^ e] ^ z));
    };
    Cardinal rounds = Rounds > 0 ? static_cast<Cardinal>(Rounds)
                                 : static_cast<Cardinal>(XxteaRounds(static_cast<Integer>(n > 53 ? 53 : n)));
    Cardinal sum = 0;
    Cardinal z = v[n - 1];
    while (rounds-- > 0) {
        sum += XxteaDelta;
        const Cardinal e = (sum >> 2) & 3;
        std::size_t p = 0;
        for (; p < n - 1; ++p) {
            const Cardinal y = v[p + 1];
            z = v[p] += mx(sum, y, z, p, e);
        }
        const Cardinal y = v[0];
        z = v[n - 1] += mx(sum, y, z, p, e);
    }
}
