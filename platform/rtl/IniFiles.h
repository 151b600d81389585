#pragma once
// INI files with the framework's reading rules.

#include "platform/rtl/Classes.h"

#include <memory>

// Sections and keys are matched without regard to case; values are trimmed
// and lose one pair of enclosing quotes; lines starting with ';' are
// comments. A file that is missing or unreadable reads as empty, so every
// value takes its default. The first of two equal keys wins.
class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName);
    ~TCustomIniFile() override;

    const String& FileName() const { return FFileName; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    // Decimal, or hex written "0x..." or "$..."; anything unreadable gives Default.
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
    // An integer: 0 is false, anything else true.
    bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    double ReadFloat(const String& Section, const String& Ident, double Default) const;

    virtual void WriteString(const String& Section, const String& Ident, const String& Value);
    void WriteInteger(const String& Section, const String& Ident, Integer Value);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    void WriteFloat(const String& Section, const String& Ident, double Value);

    bool SectionExists(const String& Section) const;
    bool ValueExists(const String& Section, const String& Ident) const;
    void ReadSection(const String& Section, TStrings* Strings) const;      // the keys
    void ReadSections(TStrings* Strings) const;                            // the section names
    void ReadSectionValues(const String& Section, TStrings* Strings) const; // "key=value" lines
    virtual void EraseSection(const String& Section);
    virtual void DeleteKey(const String& Section, const String& Ident);

    // Writes the contents back to the file: a new file is written beside it
    // and takes its place, so a failed write leaves the old file whole.
    // Raises EFCreateError or EWriteError on failure.
    void UpdateFile();
    // Parses INI text (what the constructor does with the file's contents).
    void SetText(const String& Text);
    String GetText() const;

protected:
    struct TData;
    std::unique_ptr<TData> FData;
    String FFileName;
};

// Every write goes to the file at once, as the framework's TIniFile does.
class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
};

// Keeps changes in memory until UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
};
