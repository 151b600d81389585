#include "tools/devsim/SimTypes.h"

namespace devsim {

Cardinal ParseSimNumber(const String& Text, Cardinal Max, const String& What) {
    auto bad = [&]() -> EDevSimError {
        return EDevSimError(Format("Invalid %s \"%s\": expected a number from 0 to %u (decimal or 0x-hex).",
                                   {What, Text, static_cast<Int64>(Max)}));
    };
    std::size_t i = 0;
    unsigned base = 10;
    if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) {
        base = 16;
        i = 2;
    }
    if (i >= Text.size()) throw bad();
    UInt64 value = 0;
    for (; i < Text.size(); ++i) {
        const char c = Text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            throw bad();
        value = value * base + digit;
        if (value > Max) throw bad();
    }
    return static_cast<Cardinal>(value);
}

String TSimVersion::Text() const {
    return Format("%d.%d.%d.%d", {Major, Minor, Release, Build});
}

TSimVersion ParseSimVersion(const String& Text) {
    Byte parts[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? Text.find('.', start) : Text.size();
        if (dot == String::npos || (i == 3 && Text.find('.', start) != String::npos))
            throw EDevSimError("Invalid version \"" + Text + "\": expected A.B.C.D, each 0 to 255.");
        try {
            parts[i] =
                static_cast<Byte>(ParseSimNumber(Text.substr(start, dot - start), 255, "version part"));
        } catch (const EDevSimError&) {
            throw EDevSimError("Invalid version \"" + Text + "\": expected A.B.C.D, each 0 to 255.");
        }
        start = dot + 1;
    }
    return TSimVersion{parts[0], parts[1], parts[2], parts[3]};
}

String SimAddressText(Cardinal Address) {
    return Format("%d.%d.%d.%d",
                  {Address >> 24, (Address >> 16) & 0xFF, (Address >> 8) & 0xFF, Address & 0xFF});
}

} // namespace devsim
