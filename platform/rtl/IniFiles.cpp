#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Guards.h"

#include <unordered_map>
#include <vector>

// Sections and their keys in file order, each with an index by name (names
// compare without regard to case), so that reading a file and looking a
// value up cost the same whatever the file's size.
struct TCustomIniFile::TData {
    struct Entry {
        String Key, Value;
    };
    struct Section {
        String Name;
        std::vector<Entry> Entries;
        std::unordered_map<String, std::size_t> Index; // by LowerCase(Key)
    };
    std::vector<Section> Sections;
    std::unordered_map<String, std::size_t> Index; // by LowerCase(Name)

    const Section* Find(const String& name) const {
        const auto it = Index.find(LowerCase(name));
        return it == Index.end() ? nullptr : &Sections[it->second];
    }
    Section* Find(const String& name) {
        return const_cast<Section*>(static_cast<const TData*>(this)->Find(name));
    }
    Section& FindOrAdd(const String& name) {
        const auto [it, added] = Index.emplace(LowerCase(name), Sections.size());
        if (added) Sections.push_back({name, {}, {}});
        return Sections[it->second];
    }
    static const Entry* FindKey(const Section& s, const String& key) {
        const auto it = s.Index.find(LowerCase(key));
        return it == s.Index.end() ? nullptr : &s.Entries[it->second];
    }
    static Entry* FindKey(Section& s, const String& key) {
        return const_cast<Entry*>(FindKey(static_cast<const Section&>(s), key));
    }
    // Adds a key that the section does not hold yet.
    static void AddKey(Section& s, const String& key, const String& value) {
        s.Index.emplace(LowerCase(key), s.Entries.size());
        s.Entries.push_back({key, value});
    }
    // After an erase the positions behind it moved.
    void Reindex() {
        Index.clear();
        for (std::size_t i = 0; i < Sections.size(); ++i)
            Index.emplace(LowerCase(Sections[i].Name), i);
    }
    static void Reindex(Section& s) {
        s.Index.clear();
        for (std::size_t i = 0; i < s.Entries.size(); ++i)
            s.Index.emplace(LowerCase(s.Entries[i].Key), i);
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
    FData->Index.clear();
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
            current = &FData->FindOrAdd(Trim(line.substr(1, close == String::npos ? String::npos : close - 1)));
            continue;
        }
        auto eq = line.find('=');
        if (eq == String::npos || !current) continue;
        String key = Trim(line.substr(0, eq));
        if (key.empty() || TData::FindKey(*current, key)) continue;
        TData::AddKey(*current, key, Unquote(Trim(line.substr(eq + 1))));
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
    auto& s = FData->FindOrAdd(Section);
    if (auto* e = TData::FindKey(s, Ident))
        e->Value = Value;
    else
        TData::AddKey(s, Ident, Value);
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
            FData->Reindex();
            return;
        }
}

void TCustomIniFile::DeleteKey(const String& Section, const String& Ident) {
    if (auto* s = FData->Find(Section))
        for (auto it = s->Entries.begin(); it != s->Entries.end(); ++it)
            if (SameText(it->Key, Ident)) {
                s->Entries.erase(it);
                TData::Reindex(*s);
                return;
            }
}

void TCustomIniFile::UpdateFile() { WriteFileAtomically(FFileName, GetText()); }

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
