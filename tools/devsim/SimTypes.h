#pragma once
// Small value types of the simulated device and their text forms.

#include "platform/rtl/SysUtils.h"

namespace devsim {

// Raised for anything the simulated device cannot be built from: a bad
// command line, a missing settings file, an unusable catalogue entry, a
// port that cannot be bound.
QUENTA_DECLARE_EXCEPTION(EDevSimError, Exception);

// A number written in decimal or as 0x-hex, between 0 and Max. Raises
// EDevSimError naming What when the text is anything else.
Cardinal ParseSimNumber(const String& Text, Cardinal Max, const String& What);

// The bootloader's version, four bytes: major, minor, release, build.
struct TSimVersion {
    Byte Major = 3, Minor = 2, Release = 1, Build = 2;
    // Bootloaders before version 2 erase without answering.
    bool AnswersErase() const { return Major >= 2; }
    String Text() const; // "3.2.1.2"
};
// "A.B.C.D", each part 0..255. Raises EDevSimError.
TSimVersion ParseSimVersion(const String& Text);

// The device's stored network settings (addresses with the first octet in
// the top byte).
struct TSimIpSettings {
    Cardinal Address = 0xC0A80132; // 192.168.1.50
    Cardinal Dns = 0xC0A80101;     // 192.168.1.1
    Cardinal Mask = 0xFFFFFF00;    // 255.255.255.0
    bool Dhcp = false;
};

// Dotted text of an address whose first octet is the top byte.
String SimAddressText(Cardinal Address);

} // namespace devsim
