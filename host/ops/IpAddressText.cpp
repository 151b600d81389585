#include "host/ops/IpAddressText.h"
#include "platform/rtl/SysUtils.h"

#include <vector>

bool IpAddressInvalid(const String& Text) {
    for (char c : Text)
        if (c != '.' && (c < '0' || c > '9')) return true;
    std::vector<String> parts(1);
    for (char c : Text) {
        if (c == '.')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4) return true;
    for (std::size_t i = 0; i < 4; ++i) {
        const String& p = parts[i];
        if (p.empty() || (i < 3 && p.size() > 3)) return true;
        // Value of the part, stopping once it is out of range (long parts).
        Integer value = 0;
        for (char c : p) {
            value = value * 10 + (c - '0');
            if (value > 255) return true;
        }
        if (p[0] == '0' && (i == 0 || value != 0)) return true;
    }
    return false;
}

String DottedAddress(Cardinal Address) {
    return Format("%d.%d.%d.%d",
                  {(Address >> 24) & 0xFF, (Address >> 16) & 0xFF, (Address >> 8) & 0xFF, Address & 0xFF});
}
