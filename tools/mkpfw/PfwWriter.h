#pragma once
// Building firmware files (.pfw) from Intel HEX text; they are written
// with WriteFileAtomically (SysUtils.h).

#include "host/image/uTeaSet.h"

// The bytes of a firmware file holding Text: a header of 64 zero words, then
// the text padded with zero bytes to whole words (at least two) and
// enciphered as one block with the key.
String MakeFirmwareFile(const String& Text, const TXxteaKey& Key);
