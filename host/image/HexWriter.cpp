#include "host/image/HexWriter.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

const char LowerDigits[] = "0123456789abcdef";

void AppendByte(String& S, unsigned B) {
    S += LowerDigits[(B >> 4) & 0xF];
    S += LowerDigits[B & 0xF];
}
} // namespace

void AppendChecksum(String& Line) {
    unsigned sum = 0;
    for (std::size_t i = 1; i + 1 < Line.size(); i += 2) sum += HexDigit(Line[i]) << 4 | HexDigit(Line[i + 1]);
    AppendByte(Line, (0x100 - (sum & 0xFF)) & 0xFF);
}

void TrimTrailingBlanks(String& Line) {
    static const String blank = "ffffff00";
    const Integer most = (static_cast<Integer>(Line.size()) - 9) / 8;
    for (Integer n = 0; n < most && SameText(Line.substr(Line.size() - 8), blank); ++n) {
        Line.resize(Line.size() - 8);
        const Integer count = (HexDigit(Line[1]) << 4 | HexDigit(Line[2])) - 4;
        const String field = Format("%2.2x", {count & 0xFF});
        Line.replace(1, 2, field);
    }
}

void AddUpperAddressPair(TStrings& Lines, Cardinal Upper, bool UpperCaseDigits) {
    Lines.Add(HexUpperAddressReset);
    String line = Format(UpperCaseDigits ? ":02000004%4.4X" : ":02000004%4.4x", {Upper & 0xFFFF});
    AppendChecksum(line);
    Lines.Add(line);
}

void AddConfigWordLines(TStrings& Lines, Cardinal ConfigPhysicalStart, Integer Index, Cardinal Value) {
    const Cardinal address = ConfigPhysicalStart + 4 * static_cast<Cardinal>(Index);
    AddUpperAddressPair(Lines, address >> 16, true);
    String line = Format(":%2.2X%4.4X00", {4, address & 0xFFFF});
    for (int b = 0; b < 4; ++b) line += Format("%2.2X", {(Value >> (8 * b)) & 0xFF});
    AppendChecksum(line);
    Lines.Add(line);
}

bool THexLineWriter::WritePayloadLine(TStrings& Lines, const Byte* Payload, Integer Count, Cardinal PhysAddress,
                                      const TDeviceTypeRec& Target) {
    if (Count <= 0 || std::all_of(Payload, Payload + Count, [](Byte b) { return b == 0xFF; })) return true;
    const Integer active = Target.ActiveBytesPerIwu, perIwu = Target.BytesPerIwu;
    const Integer inactive = active > 0 && perIwu > active && perIwu <= 4 ? perIwu - active : 0;
    const Integer recordBytes = Count + (inactive ? Count / active * inactive : 0);
    if (recordBytes > 255) return false;

    if (PhysAddress > 0xFFFF && (PhysAddress >> 16) != LastUpperAddress) {
        AddUpperAddressPair(Lines, PhysAddress >> 16, false);
        LastUpperAddress = PhysAddress >> 16;
    }
    String line = Format(":%2.2x%4.4x00", {recordBytes, PhysAddress & 0xFFFF});
    line.reserve(line.size() + 2 * static_cast<std::size_t>(recordBytes) + 2);
    for (Integer i = 0; i < Count; ++i) {
        AppendByte(line, Payload[i]);
        if (inactive && i % active == active - 1)
            for (Integer z = 0; z < inactive; ++z) AppendByte(line, 0);
    }
    if (active == 3 && perIwu == 4) TrimTrailingBlanks(line);
    AppendChecksum(line);
    Lines.Add(line);
    return true;
}
