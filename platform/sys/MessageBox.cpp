#include "platform/sys/Win32.h"

#include <cstdio>

Integer MessageBoxW(HWND Wnd, const String& Text, const String& Caption, UINT Type) {
    const String line = Caption + ": " + Text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return IDOK;
}
