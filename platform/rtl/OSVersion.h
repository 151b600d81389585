#pragma once
// The version of the running operating system as the framework reports it:
// the platform id (1 the Windows 9x family, 2 the NT family) and the major
// and minor version. This system reports a modern NT version (10.0); tests
// set other values to exercise code that depends on the version.

#include "platform/rtl/System.h"

inline constexpr Integer VER_PLATFORM_WIN32s = 0;
inline constexpr Integer VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr Integer VER_PLATFORM_WIN32_NT = 2;

extern Integer Win32Platform;
extern Integer Win32MajorVersion;
extern Integer Win32MinorVersion;

// Sets all three at once (tests); SetWin32Version() restores the default.
void SetWin32Version(Integer Platform = VER_PLATFORM_WIN32_NT, Integer Major = 10, Integer Minor = 0);
