#pragma once
// TQxRegIniFile: key/value settings kept either in an INI file or under a
// registry key, with one set of read and write calls for both.
//
// Where the settings lie is worked out from the configured Path when the
// store is first used and again after any property changed:
//   INI file   no Path: the program's file name with ".ini", beside the
//              program; a bare name: in the program's folder, with ".ini";
//              a path with a folder: as it stands. With a SpecialFolder the
//              folder part of Path is made below that folder (every missing
//              level) and the file lies there, named as Path names it (or
//              after the program) with ".ini"; without such a folder on this
//              system the rules above apply.
//   registry   no Path: "\Software\Temp\" and the application's title; the
//              key is opened below RegKey, made when missing.
// Path reads back the resolved place once the store was used; the
// configured value is kept apart, so every later resolution starts from it.
//
// Every write to an INI file is on disk at once (a new file written beside
// the old one and renamed over it). A registry key that cannot be opened
// gives the defaults to every read and makes every write raise
// ERegistryException.

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/TypInfo.h"

#include <memory>

enum TQxPathType { ptIniFile, ptRegistry };
enum TQxRegKey {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TQxRegAccessItem {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
using TQxRegAccess = TSet<TQxRegAccessItem>;
enum TQxSpecialFolder { sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData };
enum TQxIniFileEncoding { feDefault, feUTF8, feUnicode };

// The registry access mask of a set of access items.
Cardinal RegAccessMask(TQxRegAccess Access);

class TQxRegIniFile : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TQxRegIniFile(TComponent* AOwner);
    ~TQxRegIniFile() override;

    // The resolved place once the store was used, else the configured value.
    String Path() const;
    virtual void SetPath(const String& Value);
    // The value Path was last set to.
    const String& ConfiguredPath() const { return FPath; }
    TQxPathType PathType() const { return FPathType; }
    virtual void SetPathType(TQxPathType Value);
    TQxRegKey RegKey() const { return FRegKey; }
    virtual void SetRegKey(TQxRegKey Value);
    TQxRegAccess RegAccess() const { return FRegAccess; }
    virtual void SetRegAccess(TQxRegAccess Value);
    TQxSpecialFolder SpecialFolder() const { return FSpecialFolder; }
    virtual void SetSpecialFolder(TQxSpecialFolder Value);
    // Kept and stored; the INI file is always read and written as UTF-8 text.
    TQxIniFileEncoding FileEncoding() const { return FFileEncoding; }
    virtual void SetFileEncoding(TQxIniFileEncoding Value);

    bool ReadBool(const String& Section, const String& Ident, bool Default);
    String ReadString(const String& Section, const String& Ident, const String& Default);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    void WriteString(const String& Section, const String& Ident, const String& Value);
    void EraseSection(const String& Section);
    // Writes the INI file now; nothing for the registry.
    void FlushIniFile();

    // The special folder of a kind with SubPath below it (made, every missing
    // level), ending with a separator; "" for sfNone or a kind this system
    // has no folder for.
    static String SpecialFolderPath(TQxSpecialFolder Kind, const String& SubPath);

protected:
    // Opens the store for the current properties when they changed since.
    void PrepareStore();

private:
    template <class V> void Store(V& Field, V Value);
    void CheckKeyOpen(const String& Ident) const;

    String FPath;
    TQxPathType FPathType = ptIniFile;
    TQxRegKey FRegKey = hkeyCurrentUser;
    TQxRegAccess FRegAccess{keyAllAccess};
    TQxSpecialFolder FSpecialFolder = sfNone;
    TQxIniFileEncoding FFileEncoding = feDefault;
    bool FReopen = true;
    String FResolvedPath;
    std::unique_ptr<TMemIniFile> FIniFile;
    std::unique_ptr<TRegistryIniFile> FRegistry;
    bool FKeyOpen = false;
};

// Makes TQxRegIniFile known to form descriptions by name.
void RegisterQxRegIniFileClasses();
