#pragma once
// The program's own version-information block: string values under
// "StringFileInfo\<language and code page>\<key>", and the three calls that
// read it (the program file's block; any other file has none).
//
// The program installs its block once at start (SetProgramVersionInfo);
// tests install one of their own. Without an installed block the program
// file carries no version information.

#include "platform/rtl/System.h"

#include <utility>
#include <vector>

struct TVersionInfoBlock {
    String LangCodePage = "040904E4";
    std::vector<std::pair<String, String>> Strings; // key, value; in order
};

// Installs a copy of Block as the program file's version information;
// nullptr removes it.
void SetProgramVersionInfo(const TVersionInfoBlock* Block);

// Bytes of the program file's version-information block, 0 when FileName
// names another file or the program has no block. Handle is set to 0.
Cardinal GetFileVersionInfoSizeA(const String& FileName, Cardinal& Handle);
// Copies at most Len bytes of the block into Data; false when there is no
// block for FileName.
bool GetFileVersionInfoA(const String& FileName, Cardinal Handle, Cardinal Len, void* Data);
// Looks SubBlock ("StringFileInfo\040904E4\FileVersion") up in a block of
// BlockLen bytes read by GetFileVersionInfoA. On success Buffer points at the
// value inside the block (zero-terminated) and Len holds its length with the
// terminator.
bool VerQueryValueA(const void* Block, Cardinal BlockLen, const String& SubBlock, const char*& Buffer,
                    Cardinal& Len);
