#pragma once
// The firmware-file cipher: XXTEA (corrected block TEA), decipher direction.

#include "host/image/BT_Types.h"

#include <array>

using TXxteaKeyBytes = std::array<Byte, 16>;
using TXxteaKey = std::array<Cardinal, 4>;

inline constexpr Cardinal XxteaDelta = 0x9E3779B9;

// The number of rounds for a block of n words: 6 + 52 div n.
constexpr Integer XxteaRounds(Integer n) { return 6 + 52 / n; }

// The key bytes: the first 16 bytes of Text, padded with spaces to 16.
void XxteaKeyFromString(const String& Text, TXxteaKeyBytes& Key);
// The four key words, each taken little-endian from four key bytes.
TXxteaKey XxteaKeyWords(const TXxteaKeyBytes& Key);
// Both steps at once.
TXxteaKey XxteaKeyFromString(const String& Text);

// Deciphers the words in place as one XXTEA block. A block of one word runs
// only the last step of every round; an empty block is left alone.
void XxteaDecipher(TDynamicIntArray& Words, const TXxteaKey& Key);
void XxteaDecipher(Cardinal* Words, std::size_t Count, const TXxteaKey& Key);

// The bytes of the words (least significant byte of word 0 first), without
// leading and trailing characters of codes 0..32.
String WordsToString(const TDynamicIntArray& Words);
