#pragma once
// Building firmware files (.pfw) from Intel HEX text, and writing them.

#include "host/image/uTeaSet.h"

// The bytes of a firmware file holding Text: a header of 64 zero words, then
// the text padded with zero bytes to whole words (at least two) and
// enciphered as one block with the key.
String MakeFirmwareFile(const String& Text, const TXxteaKey& Key);

// Writes Bytes to a new temporary file in FileName's folder and renames it
// to FileName, so FileName is either replaced whole or left as it was. The
// new file gets the usual mode (0666 less the umask). Raises EFCreateError
// when the temporary file cannot be made and EWriteError when writing or
// renaming fails; the temporary file is gone either way.
void WriteFileAtomically(const String& FileName, const String& Bytes);
