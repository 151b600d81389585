#pragma once
// XXTEA in the encipher direction, the inverse of the host's XxteaDecipher.
// Only the firmware file maker enciphers; the host never does.

#include "host/image/uTeaSet.h"

#include <cstddef>

// Enciphers Count >= 2 words in place as one block with the given number
// of rounds (0: the standard 6 + 52 div Count). Fewer than 2 words are left
// alone.
void XxteaEncipher(Cardinal* Words, std::size_t Count, const TXxteaKey& Key, Integer Rounds = 0);
