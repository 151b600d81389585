#include "platform/rtl/Registry.h"

#include <cstdlib>

namespace {

String& RegistryOverride() {
    static String name;
    return name;
}

// "\Software\X\" -> "Software\X"
String TrimKey(const String& Key) {
    size_t a = Key.find_first_not_of('\\');
    if (a == String::npos) return "";
    size_t b = Key.find_last_not_of('\\');
    return Key.substr(a, b - a + 1);
}

} // namespace

String RegistryFileName() {
    if (!RegistryOverride().empty()) return RegistryOverride();
    String base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = String(home) + "/.config";
    else
        base = ".";
    return base + "/Quenta/Registry.ini";
}

void SetRegistryFileName(const String& FileName) {
    RegistryOverride() = FileName;
}

TRegIniFile::TRegIniFile(const String& FileName)
    : FKey(FileName), FStore(std::make_unique<TIniFile>(RegistryFileName())) {}

TRegIniFile::~TRegIniFile() = default;

String TRegIniFile::KeyOf(const String& Section) const {
    String key = TrimKey(FKey);
    String sub = TrimKey(Section);
    if (key.empty()) return sub;
    return sub.empty() ? key : key + "\\" + sub;
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    return FStore->ReadString(KeyOf(Section), Ident, Default);
}

Integer TRegIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const {
    return FStore->ReadInteger(KeyOf(Section), Ident, Default);
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
    return FStore->ReadBool(KeyOf(Section), Ident, Default);
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    ForceDirectories(ExtractFilePath(FStore->FileName()));
    FStore->WriteString(KeyOf(Section), Ident, Value);
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

bool TRegIniFile::ValueExists(const String& Section, const String& Ident) const {
    return FStore->ValueExists(KeyOf(Section), Ident);
}
