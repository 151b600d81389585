#pragma once
// The registry stand-in: the current user's registry keys kept in one INI
// file. Each section of the file is a full key path below the current
// user's root ("Software\Microsoft\Windows\CurrentVersion\ThemeManager"),
// each entry a value of that key.
//
// The file is $XDG_CONFIG_HOME/Quenta/Registry.ini ($HOME/.config when
// XDG_CONFIG_HOME is unset); tests and tools point it elsewhere with
// SetRegistryFileName.

#include "platform/rtl/IniFiles.h"

#include <memory>

// The file that holds the registry.
String RegistryFileName();
// Puts the registry in another file; "" restores the default.
void SetRegistryFileName(const String& FileName);

// One key of the current user's registry, read and written like an INI
// file: a section is a subkey, an ident one of its values. Writes go to the
// file at once. A missing key or value reads as the default.
class TRegIniFile : public TObject {
public:
    // FileName is the key path ("\Software\Microsoft\Windows\CurrentVersion").
    explicit TRegIniFile(const String& FileName);
    ~TRegIniFile() override;

    const String& FileName() const { return FKey; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
    bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    void WriteString(const String& Section, const String& Ident, const String& Value);
    void WriteInteger(const String& Section, const String& Ident, Integer Value);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    bool ValueExists(const String& Section, const String& Ident) const;

private:
    String KeyOf(const String& Section) const;

    String FKey;
    std::unique_ptr<TIniFile> FStore;
};

// ---------------------------------------------------------------- keys by root

// The roots of the registry. The current user's keys are the sections of the
// file as above; the keys of the other roots are sections whose name starts
// with the root's name ("HKEY_LOCAL_MACHINE\Software\X"). The performance
// and dynamic-data roots hold no keys: nothing opens under them.
using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006;

// Access rights: reading values needs KEY_QUERY_VALUE, writing them
// KEY_SET_VALUE, making a missing key KEY_CREATE_SUB_KEY.
inline constexpr Cardinal KEY_QUERY_VALUE = 0x0001;
inline constexpr Cardinal KEY_SET_VALUE = 0x0002;
inline constexpr Cardinal KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr Cardinal KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr Cardinal KEY_NOTIFY = 0x0010;
inline constexpr Cardinal KEY_CREATE_LINK = 0x0020;
inline constexpr Cardinal KEY_READ = 0x20019;
inline constexpr Cardinal KEY_WRITE = 0x20006;
inline constexpr Cardinal KEY_EXECUTE = 0x20019;
inline constexpr Cardinal KEY_ALL_ACCESS = 0xF003F;

QUENTA_DECLARE_EXCEPTION(ERegistryException, Exception);

// One open key at a time under a root, with its values. A value written
// as binary data is kept as "hex:" followed by its bytes in hex.
class TRegistry : public TObject {
public:
    explicit TRegistry(Cardinal Access = KEY_ALL_ACCESS);

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY Value);
    Cardinal Access() const { return FAccess; }
    void SetAccess(Cardinal Value) { FAccess = Value; }

    // Opens Key (from the root when it starts with "\", else below the open
    // key); with CanCreate a missing key is made when the access allows it.
    // False when the key cannot be opened; the open key is then unchanged.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    bool HasCurrentKey() const { return FOpen; }
    // The open key's path below the root, without leading "\".
    const String& CurrentPath() const { return FPath; }
    bool KeyExists(const String& Key) const;
    bool DeleteKey(const String& Key);

    bool ValueExists(const String& Name) const;
    // "" for a missing value.
    String ReadString(const String& Name) const;
    // Raises ERegistryException "Failed to set data for 'Name'" without an
    // open key, without write access or when the registry file cannot be
    // written.
    void WriteString(const String& Name, const String& Value);
    // Copies the value's bytes into Buffer; answers their number (0 for a
    // missing value). Raises ERegistryException "Failed to get data for
    // 'Name'" when the value is longer than BufSize or is not binary data.
    Integer ReadBinaryData(const String& Name, void* Buffer, Integer BufSize) const;
    void WriteBinaryData(const String& Name, const void* Buffer, Integer BufSize);
    bool DeleteValue(const String& Name);

private:
    String SectionOf(const String& Path) const;
    String FullPath(const String& Key) const;
    bool RootHoldsKeys() const;
    void CheckWritable(const String& Name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    Cardinal FAccess;
    bool FOpen = false;
    bool FReadOnly = false;
    String FPath;
};

// A key read and written like an INI file: each section is a subkey of the
// open key, each ident a value of that subkey. The key is opened through
// RegIniFile (root, then OpenKey).
class TRegistryIniFile : public TObject {
public:
    // FileName, when not empty, is opened (and made) below HKEY_CURRENT_USER.
    TRegistryIniFile(const String& FileName, Cardinal Access = KEY_ALL_ACCESS);
    ~TRegistryIniFile() override;

    TRegistry* RegIniFile() const { return FRegistry.get(); }

    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    void WriteString(const String& Section, const String& Ident, const String& Value);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    bool ValueExists(const String& Section, const String& Ident) const;
    void EraseSection(const String& Section);

private:
    String SubKey(const String& Section) const;
    std::unique_ptr<TRegistry> FRegistry;
};
