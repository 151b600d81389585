#include "host/ops/OwnVersion.h"
#include "host/image/BT_Types.h"
#include "platform/rtl/SysUtils.h"

#include <optional>
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

namespace {
// The value of each key of VersionKeyNames in the program's block, in that
// order (nullopt for a key the block lacks); empty without a block.
std::vector<std::optional<String>> ProgramVersionValues(Cardinal& BlockSize) {
    const String file = ParamStr(0);
    Cardinal handle = 0;
    BlockSize = GetFileVersionInfoSizeA(file, handle);
    if (BlockSize == 0) return {};
    std::vector<char> block(BlockSize);
    if (!GetFileVersionInfoA(file, handle, BlockSize, block.data())) return {};
    std::vector<std::optional<String>> values;
    for (const char* key : VersionKeyNames) {
        const char* value = nullptr;
        Cardinal len = 0;
        if (VerQueryValueA(block.data(), BlockSize, String("StringFileInfo\\040904E4\\") + key, value, len))
            values.emplace_back(String(value));
        else
            values.emplace_back();
    }
    return values;
}
} // namespace

void ReadOwnVersion(TStrings& List) {
    Cardinal size = 0;
    const auto values = ProgramVersionValues(size);
    if (values.empty()) return;
    List.Add("VersionInfoSize = " + IntToStr(size));
    for (const auto& v : values)
        if (v) List.Add(*v);
}

bool ReadVersionStrings(std::map<String, String>& Values) {
    Cardinal size = 0;
    const auto values = ProgramVersionValues(size);
    if (values.empty()) return false;
    for (std::size_t i = 0; i < values.size(); ++i)
        Values[VersionKeyNames[i]] = values[i].value_or(String());
    return true;
}

std::array<String, 4> SplitFileVersion(const String& Text) {
    std::array<String, 4> parts;
    String rest = Text;
    for (Integer i = 0; i < 3; ++i) {
        const auto dot = rest.find('.');
        parts[i] = rest.substr(0, dot == String::npos ? 0 : dot);
        rest.erase(0, dot == String::npos ? 0 : dot + 1);
    }
    parts[3] = rest;
    return parts;
}

bool DecimalVersionPart(const String& Part) {
    Integer value = 0;
    return DecimalNumber(Part, value);
}

bool ParseFileVersion(const String& Text, THostVersion& Version) {
    const std::array<String, 4> text = SplitFileVersion(Text);
    Integer parts[4] = {};
    for (Integer i = 0; i < 3; ++i)
        if (!DecimalNumber(text[i], parts[i])) return false;
    if (!DecimalNumber(text[3].substr(0, LastPartMaxLength), parts[3])) return false;
    Version = {parts[0], parts[1], parts[2], parts[3]};
    return true;
}

String FileVersionLine(const TStrings& List) {
    return List.Count() > FileVersionLineIndex ? List[FileVersionLineIndex] : String();
}
