#pragma once
// Enciphered firmware files (.pfw): a header of 64 words that the host does
// not interpret, then the body, one XXTEA block that deciphers to Intel HEX
// text. Words are little-endian; bytes after the last whole word are ignored.

#include "host/image/HexImage.h"
#include "host/image/uTeaSet.h"

// The key string of the host's firmware files.
inline constexpr const char* FirmwareKeyString = "NorvelBrackHoop.";
inline constexpr Integer FirmwareHeaderWords = 64;
// The smallest file that holds a body word: the header and one word.
inline constexpr Integer FirmwareMinFileSize = 4 * FirmwareHeaderWords + 4;

// The text of a firmware file's bytes (at least FirmwareMinFileSize of
// them): the body deciphered, its bytes trimmed of codes 0..32 at both ends,
// and "\r\n" appended. The bytes are let go as soon as the body words are
// taken from them, so a file passed in by move is not held twice.
String FirmwareFileText(String FileBytes, const TXxteaKey& Key);

// Reads a firmware file into the image and runs the after-load step; returns
// its verdict. A missing file ("Cannot find firmware file <name>") or one too
// short to hold a body word gets an error box and changes nothing else. A
// file that cannot be read raises EInOutError after the image lines are
// cleared.
bool LoadFirmwareFile(THexImage& Image, const String& FileName, const TXxteaKey& Key,
                      const TDeviceTypeRec& Target);
