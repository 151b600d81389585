#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Guards.h"

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
    TUpdateLock update(Strings);
    Strings->Clear();
    if (const auto* s = FData->Find(Section))
        for (auto& e : s->Entries) Strings->Add(e.Key);
}

void TCustomIniFile::ReadSections(TStrings* Strings) const {
    TUpdateLock update(Strings);
    Strings->Clear();
    for (auto& s : FData->Sections) Strings->Add(s.Name);
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
    TUpdateLock update(Strings);
    Strings->Clear();
    if (const auto* s = FData->Find(Section))
        for (auto& e : s->Entries) Strings->Add(e.Key + "=" + e.Value);
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

void TCustomIniFile::UpdateFile() { WriteFileText(FFileName, GetText()); }

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
