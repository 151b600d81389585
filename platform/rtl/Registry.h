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
