#include "host/image/HexLines.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>

void THexLines::CheckIndex(Integer Index, Integer Limit) const {
    if (Index < 0 || Index > Limit) Error("List index out of bounds (%d)", Index);
}

std::size_t THexLines::Append(const String& S) {
    const std::size_t start = FText.size();
    FText += S;
    return start;
}

void THexLines::Put(Integer Index, const String& S) {
    CheckIndex(Index, Count() - 1);
    FLines[static_cast<std::size_t>(Index)] = {Append(S), S.size()};
}

void THexLines::Insert(Integer Index, const String& S) {
    CheckIndex(Index, Count());
    FLines.insert(FLines.begin() + Index, TSpan{Append(S), S.size()});
}

void THexLines::Delete(Integer Index) {
    CheckIndex(Index, Count() - 1);
    FLines.erase(FLines.begin() + Index);
}

void THexLines::Clear() {
    String().swap(FText);
    std::vector<TSpan>().swap(FLines);
}

void THexLines::SetText(String&& Value) {
    Clear();
    FText = std::move(Value);
    const char* const text = FText.data();
    const std::size_t n = FText.size();
    // One line per LF, plus one when the text does not end in a line break.
    FLines.reserve(static_cast<std::size_t>(std::count(FText.begin(), FText.end(), '\n')) + 1);
    std::size_t i = 0;
    while (i < n) {
        const auto* lf = static_cast<const char*>(std::memchr(text + i, '\n', n - i));
        const std::size_t lineEnd = lf ? static_cast<std::size_t>(lf - text) : n;
        const auto* cr = static_cast<const char*>(std::memchr(text + i, '\r', lineEnd - i));
        const std::size_t end = cr ? static_cast<std::size_t>(cr - text) : lineEnd;
        FLines.push_back({i, end - i});
        i = end;
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
    }
}

void THexLines::LoadFromFile(const String& FileName) {
    Clear();
    SetText(ReadFileText(FileName));
}

std::string_view THexLines::Line(Integer Index) const {
    CheckIndex(Index, Count() - 1);
    const TSpan& s = FLines[static_cast<std::size_t>(Index)];
    return std::string_view(FText).substr(s.Start, s.Length);
}
