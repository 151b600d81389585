#pragma once
// The host's own version: its version-information block and how the main
// window reads it at creation.

#include "platform/rtl/Classes.h"
#include "platform/rtl/VersionInfo.h"

#include <array>
#include <map>

// The program's block: the ten keys, FileVersion "3.2.1.2".
const TVersionInfoBlock& HostVersionInfo();

// The maker's addresses: technical support's e-mail address (the about
// box's link caption; its URL is "mailto:" + the address + the subject) and
// the web site that the Help menu opens.
inline constexpr const char* SupportEmailAddress = "support@veltrin.example.com";
inline constexpr const char* MakerWebAddress = "https://www.veltrin.example.com/";

// Fills List from the program file's version information: "VersionInfoSize
// = " + the block's size, then the value of each key of VersionKeyNames that
// the block holds, in that order. Nothing when the program has no block.
void ReadOwnVersion(TStrings& List);

// The value of each of the ten keys of VersionKeyNames in the program
// file's version information ("" for a key it lacks); false, and Values
// unchanged, when the program has no block.
bool ReadVersionStrings(std::map<String, String>& Values);

// A file version's four parts as the framework's string calls cut them:
// three parts each ended by "." (a part without its "." is empty and
// leaves the rest), then the rest. "3.2" gives "3", "", "", "2".
std::array<String, 4> SplitFileVersion(const String& Text);
// A part of a file version that is a decimal number (1 to 9 digits).
bool DecimalVersionPart(const String& Part);

// The four numbers of a file version "a.b.c.d": three parts each ended by
// ".", then the rest (at most 50 characters). False when a part is not a
// decimal number.
struct THostVersion {
    Integer Major = 0, Minor = 0, Release = 0, Build = 0;
};
bool ParseFileVersion(const String& Text, THostVersion& Version);

// The own-version list's file version line (line 3); empty when the list
// has no such line.
String FileVersionLine(const TStrings& List);
