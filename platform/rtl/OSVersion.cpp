#include "platform/rtl/OSVersion.h"

Integer Win32Platform = VER_PLATFORM_WIN32_NT;
Integer Win32MajorVersion = 10;
Integer Win32MinorVersion = 0;

void SetWin32Version(Integer Platform, Integer Major, Integer Minor) {
    Win32Platform = Platform;
    Win32MajorVersion = Major;
    Win32MinorVersion = Minor;
}
