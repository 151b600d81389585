#include "host/ops/OwnVersion.h"
#include "host/image/BT_Types.h"
#include "platform/rtl/SysUtils.h"

#include <vector>

namespace {
constexpr Integer FileVersionLineIndex = 3;
constexpr Integer LastPartMaxLength = 50;

bool DecimalNumber(const String& Text, Integer& Value) {
    if (Text.empty() || Text.size() > 9) return false;
    Value = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') return false;
        Value = Value * 10 + (c - '0');
    }
    return true;
}
} // namespace

const TVersionInfoBlock& HostVersionInfo() {
    static const TVersionInfoBlock block{
        "040904E4",
        {{"CompanyName", "Veltrin Systems Inc"},
         {"FileDescription", "Ethernet Quenta PIC32 Bootloader Host"},
         {"FileVersion", "3.2.1.2"},
         {"InternalName", "Bravik_PIC32E_F512_ENC28J60"},
         {"LegalCopyright", "Copyright (C) Veltrin Systems Inc. All rights reserved."},
         {"LegalTradeMarks", "Quenta is a trademark of Veltrin Systems Inc"},
         {"OriginalFileName", "Bravik_PIC32E_F512_ENC28J60"},
         {"ProductName", "Ethernet Quenta PIC32 Bootloader"},
         {"ProductVersion", "3.2.1.2"},
         {"Comments", "Upgrades the firmware of PIC32 devices over Ethernet."}}};
    return block;
}

void ReadOwnVersion(TStrings& List) {
    const String file = ParamStr(0);
    Cardinal handle = 0;
    const Cardinal size = GetFileVersionInfoSizeA(file, handle);
    if (size == 0) return;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(file, handle, size, block.data())) return;
    List.Add("VersionInfoSize = " + IntToStr(size));
    for (const char* key : VersionKeyNames) {
        const char* value = nullptr;
        Cardinal len = 0;
        if (VerQueryValueA(block.data(), size, String("StringFileInfo\\040904E4\\") + key, value, len))
            List.Add(String(value));
    }
}

bool ParseFileVersion(const String& Text, THostVersion& Version) {
    Integer parts[4] = {};
    String rest = Text;
    for (Integer i = 0; i < 3; ++i) {
        const auto dot = rest.find('.');
        if (dot == String::npos || !DecimalNumber(rest.substr(0, dot), parts[i])) return false;
        rest.erase(0, dot + 1);
    }
    if (!DecimalNumber(rest.substr(0, LastPartMaxLength), parts[3])) return false;
    Version = {parts[0], parts[1], parts[2], parts[3]};
    return true;
}

String FileVersionLine(const TStrings& List) {
    return List.Count() > FileVersionLineIndex ? List[FileVersionLineIndex] : String();
}
