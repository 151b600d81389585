#include "controls/common/QxRegIniFile.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/Published.h"
#include "platform/rtl/SpecialFolders.h"

Cardinal RegAccessMask(TQxRegAccess Access) {
    static constexpr Cardinal masks[] = {
        KEY_QUERY_VALUE, KEY_SET_VALUE,   KEY_CREATE_SUB_KEY, KEY_ENUMERATE_SUB_KEYS,
        KEY_NOTIFY,      KEY_CREATE_LINK, KEY_READ,           KEY_WRITE,
        KEY_EXECUTE,     KEY_ALL_ACCESS};
    Cardinal mask = 0;
    for (Integer i = keyQueryValue; i <= keyAllAccess; ++i)
        if (Access.Contains(static_cast<TQxRegAccessItem>(i))) mask |= masks[i];
    return mask;
}

namespace {

HKEY RootKeyOf(TQxRegKey Key) {
    return HKEY_CLASSES_ROOT + static_cast<HKEY>(Key);
}

Integer CsidlOf(TQxSpecialFolder Kind) {
    switch (Kind) {
    case sfUserAppDataRoaming:
        return CSIDL_APPDATA;
    case sfUserAppDataLocal:
        return CSIDL_LOCAL_APPDATA;
    case sfUserDocuments:
        return CSIDL_PERSONAL;
    case sfProgramData:
        return CSIDL_COMMON_APPDATA;
    default:
        return -1;
    }
}

const char* RootName(TQxRegKey Key) {
    static const char* names[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
                                  "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                                  "HKEY_DYN_DATA"};
    return names[Key];
}

} // namespace

TQxRegIniFile::TQxRegIniFile(TComponent* AOwner) : TComponent(AOwner) {}

TQxRegIniFile::~TQxRegIniFile() = default;

// ================================================================ properties

template <class V> void TQxRegIniFile::Store(V& Field, V Value) {
    if (Field == Value) return;
    Field = Value;
    FReopen = true;
}

String TQxRegIniFile::Path() const {
    return FResolvedPath.empty() ? FPath : FResolvedPath;
}

void TQxRegIniFile::SetPath(const String& Value) {
    Store(FPath, Value);
}
void TQxRegIniFile::SetPathType(TQxPathType Value) {
    Store(FPathType, Value);
}
void TQxRegIniFile::SetRegKey(TQxRegKey Value) {
    Store(FRegKey, Value);
}
void TQxRegIniFile::SetRegAccess(TQxRegAccess Value) {
    Store(FRegAccess, Value);
}
void TQxRegIniFile::SetSpecialFolder(TQxSpecialFolder Value) {
    Store(FSpecialFolder, Value);
}
void TQxRegIniFile::SetFileEncoding(TQxIniFileEncoding Value) {
    Store(FFileEncoding, Value);
}

// ================================================================ the store

String TQxRegIniFile::SpecialFolderPath(TQxSpecialFolder Kind, const String& SubPath) {
    const Integer csidl = CsidlOf(Kind);
    if (csidl < 0) return String();
    String folder = ::SpecialFolderPath(csidl);
    if (folder.empty()) return String();
    String sub = SubPath;
    while (!sub.empty() && sub.front() == PathDelim)
        sub.erase(0, 1);
    folder = IncludeTrailingPathDelimiter(folder + sub);
    ForceDirectories(folder);
    return folder;
}

void TQxRegIniFile::PrepareStore() {
    if (!FReopen) return;
    FIniFile.reset();
    FRegistry.reset();
    FKeyOpen = false;
    String p = FPath; // always the configured value, never an earlier result
    if (FPathType == ptIniFile) {
        const String program = ParamStr(0);
        if (FSpecialFolder != sfNone) {
            const String folder = SpecialFolderPath(FSpecialFolder, ExtractFilePath(p));
            if (!folder.empty())
                p = folder + ChangeFileExt(p.empty() ? ExtractFileName(program) : ExtractFileName(p), ".ini");
        }
        if (p.empty())
            p = ChangeFileExt(program, ".ini");
        else if (ExtractFilePath(p).empty())
            p = ProgramFolder() + ChangeFileExt(p, ".ini");
        FIniFile = std::make_unique<TMemIniFile>(p);
    } else {
        if (p.empty()) {
            String title = Application ? Application->Title() : String();
            if (title.empty()) title = ChangeFileExt(ExtractFileName(ParamStr(0)), "");
            p = "\\Software\\Temp\\" + title;
        }
        FRegistry = std::make_unique<TRegistryIniFile>(String(), RegAccessMask(FRegAccess));
        FRegistry->RegIniFile()->SetRootKey(RootKeyOf(FRegKey));
        FKeyOpen = FRegistry->RegIniFile()->OpenKey(p, true);
    }
    FResolvedPath = p;
    FReopen = false;
}

void TQxRegIniFile::CheckKeyOpen(const String& Ident) const {
    if (!FKeyOpen)
        throw ERegistryException("Cannot write '" + Ident + "': the registry key \"" + FResolvedPath +
                                 "\" under " + RootName(FRegKey) +
                                 " cannot be opened or made. Check Path, RegKey and RegAccess.");
}

// ================================================================ reading and writing

bool TQxRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    PrepareStore();
    if (FIniFile) return FIniFile->ReadBool(Section, Ident, Default);
    return FKeyOpen ? FRegistry->ReadBool(Section, Ident, Default) : Default;
}

String TQxRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    PrepareStore();
    if (FIniFile) return FIniFile->ReadString(Section, Ident, Default);
    return FKeyOpen ? FRegistry->ReadString(Section, Ident, Default) : Default;
}

void TQxRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0"); // both stores write Booleans so
}

void TQxRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    PrepareStore();
    if (FIniFile) {
        FIniFile->WriteString(Section, Ident, Value);
        FlushIniFile();
        return;
    }
    CheckKeyOpen(Ident);
    FRegistry->WriteString(Section, Ident, Value);
}

void TQxRegIniFile::EraseSection(const String& Section) {
    PrepareStore();
    if (FIniFile) {
        FIniFile->EraseSection(Section);
        FlushIniFile();
        return;
    }
    CheckKeyOpen(Section);
    FRegistry->EraseSection(Section);
}

void TQxRegIniFile::FlushIniFile() {
    if (FIniFile) FIniFile->UpdateFile();
}

// ================================================================ published

const TClassInfo& TQxRegIniFile::ClassInfo() {
    using T = TQxRegIniFile;
    static const TClassInfo& info = []() -> const TClassInfo& {
        RegisterEnumType<TQxPathType>("TQxPathType", {"ptIniFile", "ptRegistry"});
        RegisterEnumType<TQxRegKey>("TQxRegKey",
                                    {"hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers",
                                     "hkeyPerformanceData", "hkeyCurrentConfig", "hkeyDynData"});
        const TTypeInfo* access = MakeSetType(
            "TQxRegAccess", RegisterEnumType<TQxRegAccessItem>(
                                "TQxRegAccessItem", {"keyQueryValue", "keySetValue", "keyCreateSubKey",
                                                     "keyEnumerateSubKeys", "keyNotify", "keyCreateLink",
                                                     "keyRead", "keyWrite", "keyExecute", "keyAllAccess"}));
        RegisterEnumType<TQxSpecialFolder>(
            "TQxSpecialFolder",
            {"sfNone", "sfUserAppDataRoaming", "sfUserAppDataLocal", "sfUserDocuments", "sfProgramData"});
        RegisterEnumType<TQxIniFileEncoding>("TQxIniFileEncoding", {"feDefault", "feUTF8", "feUnicode"});
        TClassBuilder<T> b("TQxRegIniFile", &ComponentClassInfo());
        b.Property("FileEncoding", &T::FileEncoding, &T::SetFileEncoding)
            .Default(feDefault)
            .Property("Path", &T::ConfiguredPath, &T::SetPath)
            .Property("PathType", &T::PathType, &T::SetPathType)
            .Default(ptIniFile)
            .Property("RegAccess", &T::RegAccess, &T::SetRegAccess, access)
            .Default(TQxRegAccess{keyAllAccess}.ToInt())
            .Property("RegKey", &T::RegKey, &T::SetRegKey)
            .Default(hkeyCurrentUser)
            .Property("SpecialFolder", &T::SpecialFolder, &T::SetSpecialFolder)
            .Default(sfNone);
        return PublishDesignPlace(b).Register();
    }();
    return info;
}

void RegisterQxRegIniFileClasses() {
    RegisterClasses({&TQxRegIniFile::ClassInfo()});
}
