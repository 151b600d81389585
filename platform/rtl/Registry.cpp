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

// ================================================================ keys by root

namespace {

String RootPrefix(HKEY Root) {
    switch (Root) {
    case HKEY_CURRENT_USER:
        return String();
    case HKEY_CLASSES_ROOT:
        return "HKEY_CLASSES_ROOT\\";
    case HKEY_LOCAL_MACHINE:
        return "HKEY_LOCAL_MACHINE\\";
    case HKEY_USERS:
        return "HKEY_USERS\\";
    case HKEY_CURRENT_CONFIG:
        return "HKEY_CURRENT_CONFIG\\";
    default:
        return String();
    }
}

bool StartsWithText(const String& S, const String& Prefix) {
    return S.size() >= Prefix.size() && SameText(S.substr(0, Prefix.size()), Prefix);
}

// Saves the store, making its folder first.
void SaveStore(TMemIniFile& Store) {
    ForceDirectories(ExtractFilePath(Store.FileName()));
    Store.UpdateFile();
}

constexpr const char* HexMark = "hex:";

} // namespace

TRegistry::TRegistry(Cardinal Access) : FAccess(Access) {}

void TRegistry::SetRootKey(HKEY Value) {
    CloseKey();
    FRootKey = Value;
}

bool TRegistry::RootHoldsKeys() const {
    return FRootKey >= HKEY_CLASSES_ROOT && FRootKey <= HKEY_DYN_DATA && FRootKey != HKEY_PERFORMANCE_DATA &&
           FRootKey != HKEY_DYN_DATA;
}

String TRegistry::FullPath(const String& Key) const {
    const String key = TrimKey(Key);
    if ((!Key.empty() && Key[0] == '\\') || !FOpen || FPath.empty()) return key;
    return key.empty() ? FPath : FPath + "\\" + key;
}

String TRegistry::SectionOf(const String& Path) const {
    return RootPrefix(FRootKey) + Path;
}

bool TRegistry::KeyExists(const String& Key) const {
    if (!RootHoldsKeys()) return false;
    const String section = SectionOf(FullPath(Key));
    if (TrimKey(section).empty()) return true;
    TStringList sections;
    TMemIniFile(RegistryFileName()).ReadSections(&sections);
    for (Integer i = 0; i < sections.Count(); ++i)
        if (SameText(sections[i], section) || StartsWithText(sections[i], section + "\\")) return true;
    return false;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
    if (!RootHoldsKeys()) return false;
    const String path = FullPath(Key);
    if (!KeyExists("\\" + path)) {
        if (!CanCreate || (FAccess & KEY_CREATE_SUB_KEY) != KEY_CREATE_SUB_KEY) return false;
        try {
            TMemIniFile store(RegistryFileName());
            store.WriteString(SectionOf(path), "-", "");
            store.DeleteKey(SectionOf(path), "-");
            SaveStore(store);
        } catch (const Exception&) {
            return false;
        }
    }
    FOpen = true;
    FReadOnly = false;
    FPath = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
    const Cardinal access = FAccess;
    FAccess = KEY_READ;
    const bool opened = OpenKey(Key, false);
    FAccess = access;
    if (opened) FReadOnly = true;
    return opened;
}

void TRegistry::CloseKey() {
    FOpen = false;
    FReadOnly = false;
    FPath.clear();
}

bool TRegistry::DeleteKey(const String& Key) {
    if (!RootHoldsKeys() || !KeyExists(Key)) return false;
    const String section = SectionOf(FullPath(Key));
    TMemIniFile store(RegistryFileName());
    TStringList sections;
    store.ReadSections(&sections);
    for (Integer i = 0; i < sections.Count(); ++i)
        if (SameText(sections[i], section) || StartsWithText(sections[i], section + "\\"))
            store.EraseSection(sections[i]);
    try {
        SaveStore(store);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

bool TRegistry::ValueExists(const String& Name) const {
    return FOpen && TMemIniFile(RegistryFileName()).ValueExists(SectionOf(FPath), Name);
}

String TRegistry::ReadString(const String& Name) const {
    if (!FOpen) return String();
    return TMemIniFile(RegistryFileName()).ReadString(SectionOf(FPath), Name, String());
}

void TRegistry::CheckWritable(const String& Name) const {
    if (!FOpen || FReadOnly || (FAccess & KEY_SET_VALUE) != KEY_SET_VALUE)
        throw ERegistryException(
            "Failed to set data for '" + Name +
            "': no registry key is open for writing; open the key with write access first");
}

void TRegistry::WriteString(const String& Name, const String& Value) {
    CheckWritable(Name);
    try {
        TMemIniFile store(RegistryFileName());
        store.WriteString(SectionOf(FPath), Name, Value);
        SaveStore(store);
    } catch (const EStreamError& E) {
        throw ERegistryException("Failed to set data for '" + Name + "': " + E.Message);
    }
}

Integer TRegistry::ReadBinaryData(const String& Name, void* Buffer, Integer BufSize) const {
    if (!ValueExists(Name)) return 0;
    const String text = ReadString(Name);
    if (!StartsWithText(text, HexMark))
        throw ERegistryException("Failed to get data for '" + Name + "': the value is not binary data");
    std::vector<Byte> bytes;
    TStringList parts;
    parts.SetCommaText(text.substr(std::char_traits<char>::length(HexMark)));
    for (Integer i = 0; i < parts.Count(); ++i) {
        Integer v = 0;
        if (!TryStrToInt("$" + parts[i], v) || v < 0 || v > 255)
            throw ERegistryException("Failed to get data for '" + Name + "': the value is not binary data");
        bytes.push_back(static_cast<Byte>(v));
    }
    if (static_cast<Integer>(bytes.size()) > BufSize)
        throw ERegistryException("Failed to get data for '" + Name + "': the value is longer than " +
                                 IntToStr(BufSize) + " bytes");
    std::copy(bytes.begin(), bytes.end(), static_cast<Byte*>(Buffer));
    return static_cast<Integer>(bytes.size());
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, Integer BufSize) {
    String text = HexMark;
    for (Integer i = 0; i < BufSize; ++i)
        text += (i ? "," : "") + IntToHex(static_cast<const Byte*>(Buffer)[i], 2);
    WriteString(Name, text);
}

bool TRegistry::DeleteValue(const String& Name) {
    if (!ValueExists(Name)) return false;
    CheckWritable(Name);
    TMemIniFile store(RegistryFileName());
    store.DeleteKey(SectionOf(FPath), Name);
    SaveStore(store);
    return true;
}

// ---------------------------------------------------------------- TRegistryIniFile

TRegistryIniFile::TRegistryIniFile(const String& FileName, Cardinal Access)
    : FRegistry(std::make_unique<TRegistry>(Access)) {
    if (!FileName.empty()) FRegistry->OpenKey(FileName, true);
}

TRegistryIniFile::~TRegistryIniFile() = default;

String TRegistryIniFile::SubKey(const String& Section) const {
    const String open = FRegistry->CurrentPath();
    const String sub = TrimKey(Section);
    if (open.empty()) return "\\" + sub;
    return "\\" + (sub.empty() ? open : open + "\\" + sub);
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    TRegistry key(FRegistry->Access());
    key.SetRootKey(FRegistry->RootKey());
    if (!key.OpenKeyReadOnly(SubKey(Section)) || !key.ValueExists(Ident)) return Default;
    return key.ReadString(Ident);
}

bool TRegistryIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
    return StrToIntDef(ReadString(Section, Ident, Default ? "1" : "0"), Default ? 1 : 0) != 0;
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    TRegistry key(FRegistry->Access());
    key.SetRootKey(FRegistry->RootKey());
    if (!key.OpenKey(SubKey(Section), true))
        throw ERegistryException("Failed to set data for '" + Ident + "': the key \"" + SubKey(Section) +
                                 "\" cannot be opened or made; check the key path and the access rights");
    key.WriteString(Ident, Value);
}

void TRegistryIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident) const {
    TRegistry key(FRegistry->Access());
    key.SetRootKey(FRegistry->RootKey());
    return key.OpenKeyReadOnly(SubKey(Section)) && key.ValueExists(Ident);
}

void TRegistryIniFile::EraseSection(const String& Section) {
    TRegistry key(FRegistry->Access());
    key.SetRootKey(FRegistry->RootKey());
    key.DeleteKey(SubKey(Section));
}
