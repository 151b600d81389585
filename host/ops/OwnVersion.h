#pragma once
// The host's own version: its version-information block and how the main
// window reads it at creation.

#include "platform/rtl/Classes.h"
#include "platform/rtl/VersionInfo.h"

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
