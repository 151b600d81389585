#pragma once
// Dotted IPv4 address texts as the host reads and writes them.

#include "platform/rtl/System.h"

// True when Text is not a dotted IPv4 address the host accepts: digits and
// exactly three dots; the first three parts 1 to 3 digits, the last not
// empty; the first part not starting with "0"; the others starting with "0"
// only when their value is 0; every part at most 255.
bool IpAddressInvalid(const String& Text);

// "a.b.c.d" of an address whose first octet is the top byte.
String DottedAddress(Cardinal Address);
