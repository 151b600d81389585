#include "tools/devsim/SimTypes.h"

namespace devsim {

Cardinal ParseSimNumber(const String& Text, Cardinal Max, const String& What) {
    // Plain digits or 0x-hex only: no blanks, signs or "$" that the run-time
    // reader would also take.
    Int64 value = -1;
    if (Text.empty() || Text[0] < '0' || Text[0] > '9' || !TryStrToInt64(Text, value) || value < 0 ||
        static_cast<UInt64>(value) > Max)
        throw EDevSimError(Format("Invalid %s \"%s\": expected a number from 0 to %u (decimal or 0x-hex).",
                                  {What, Text, static_cast<Int64>(Max)}));
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
