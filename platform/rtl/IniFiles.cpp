#include "platform/rtl/IniFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

struct TCustomIniFile::TData {
    struct Entry {
        String Key, Value;
    };
    struct Section {
        String Name;
        std::vector<Entry> Entries;
    };
    std::vector<Section> Sections;

    const Section* Find(const String& name) const {
        for (auto& s : Sections)
            if (SameText(s.Name, name)) return &s;
        return nullptr;
    }
    Section* Find(const String& name) {
        return const_cast<Section*>(static_cast<const TData*>(this)->Find(name));
    }
    static const Entry* FindKey(const Section& s, const String& key) {
        for (auto& e : s.Entries)
            if (SameText(e.Key, key)) return &e;
        return nullptr;
    }
};

namespace {

// Writes the text to a new file beside the old one and renames it over the
// old one, so that a failed write (a full disk, a crash) leaves the old file
// whole. A symbolic link is followed to the file it names; the file keeps
// its permissions (a new one is readable by all, writable by its owner).
void ReplaceFileText(const String& FileName, const String& Text) {
    String target = FileName;
    if (char* real = realpath(FileName.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    String temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(errno));
    struct stat old {};
    fchmod(fd, stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    size_t done = 0;
    int error = 0;
    while (done < Text.size() && !error) {
        const ssize_t n = write(fd, Text.data() + done, Text.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
    }
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error && rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        unlink(temp.c_str());
        throw EWriteError("Cannot write file \"" + FileName + "\". " + SysErrorMessage(error) +
                          " The file was left as it was.");
    }
}

String Unquote(const String& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}
} // namespace

TCustomIniFile::TCustomIniFile(const String& FileName) : FData(std::make_unique<TData>()), FFileName(FileName) {
    // A missing or unreadable file reads as empty.
    try {
        SetText(ReadFileText(FileName));
    } catch (const EFOpenError&) {
    }
}

TCustomIniFile::~TCustomIniFile() = default;

void TCustomIniFile::SetText(const String& Text) {
    FData->Sections.clear();
    TStringList lines;
    // A byte-order mark that an editor put before the first section would
    // otherwise hide that section.
    const bool bom = Text.size() >= 3 && Text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    lines.SetText(bom ? Text.substr(3) : Text);
    TData::Section* current = nullptr;
    for (Integer i = 0; i < lines.Count(); ++i) {
        String line = Trim(lines[i]);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            auto close = line.find(']');
            String name = Trim(line.substr(1, close == String::npos ? String::npos : close - 1));
            current = FData->Find(name);
            if (!current) {
                FData->Sections.push_back({name, {}});
                current = &FData->Sections.back();
            }
            continue;
        }
        auto eq = line.find('=');
        if (eq == String::npos || !current) continue;
        String key = Trim(line.substr(0, eq));
        if (key.empty() || TData::FindKey(*current, key)) continue;
        current->Entries.push_back({key, Unquote(Trim(line.substr(eq + 1)))});
    }
}

String TCustomIniFile::GetText() const {
    String out;
    for (auto& s : FData->Sections) {
        out += "[" + s.Name + "]" + sLineBreak;
        for (auto& e : s.Entries) out += e.Key + "=" + e.Value + sLineBreak;
        out += sLineBreak;
    }
    return out;
}

String TCustomIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    const auto* s = FData->Find(Section);
    if (!s) return Default;
    const auto* e = TData::FindKey(*s, Ident);
    return e ? e->Value : Default;
}

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const {
    String v = ReadString(Section, Ident, String());
    if (v.empty()) return Default;
    return StrToIntDef(v, Default);
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default) const {
    double v;
    return TryStrToFloat(ReadString(Section, Ident, String()), v) ? v : Default;
}

void TCustomIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    auto* s = FData->Find(Section);
    if (!s) {
        FData->Sections.push_back({Section, {}});
        s = &FData->Sections.back();
    }
    for (auto& e : s->Entries)
        if (SameText(e.Key, Ident)) {
            e.Value = Value;
            return;
        }
    s->Entries.push_back({Ident, Value});
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value) {
    WriteString(Section, Ident, FloatToStr(Value));
}

bool TCustomIniFile::SectionExists(const String& Section) const { return FData->Find(Section) != nullptr; }

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) const {
    const auto* s = FData->Find(Section);
    return s && TData::FindKey(*s, Ident);
}

void TCustomIniFile::ReadSection(const String& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    if (const auto* s = FData->Find(Section))
        for (auto& e : s->Entries) Strings->Add(e.Key);
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    for (auto& s : FData->Sections) Strings->Add(s.Name);
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    if (const auto* s = FData->Find(Section))
        for (auto& e : s->Entries) Strings->Add(e.Key + "=" + e.Value);
    Strings->EndUpdate();
}

void TCustomIniFile::EraseSection(const String& Section) {
    auto& v = FData->Sections;
    for (auto it = v.begin(); it != v.end(); ++it)
        if (SameText(it->Name, Section)) {
            v.erase(it);
            return;
        }
}

void TCustomIniFile::DeleteKey(const String& Section, const String& Ident) {
    if (auto* s = FData->Find(Section))
        for (auto it = s->Entries.begin(); it != s->Entries.end(); ++it)
            if (SameText(it->Key, Ident)) {
                s->Entries.erase(it);
                return;
            }
}

void TCustomIniFile::UpdateFile() { ReplaceFileText(FFileName, GetText()); }

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    TCustomIniFile::WriteString(Section, Ident, Value);
    UpdateFile();
}

void TIniFile::EraseSection(const String& Section) {
    TCustomIniFile::EraseSection(Section);
    UpdateFile();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
    TCustomIniFile::DeleteKey(Section, Ident);
    UpdateFile();
}
