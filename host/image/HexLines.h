#pragma once
// The image lines held as one block of text.
//
// An Intel HEX image of a few megabytes is a few hundred thousand short
// lines. Held as one string each, the lines cost several times the file in
// memory, and every line was copied out again to be validated and placed.
// THexLines keeps the text as read in one string and, per line, where the
// line starts and how long it is (line breaks are not part of a line). It
// offers the string-list interface the rest of the host uses, plus Line(),
// a view of one line that the HEX reader parses without copying.
//
// Lines changed through the list interface (Add, Insert, Put) are appended
// to the text block; their old text stays until the next SetText or Clear.

#include "platform/rtl/Classes.h"

#include <string_view>
#include <vector>

class THexLines : public TStrings {
public:
    Integer Count() const override { return static_cast<Integer>(FLines.size()); }
    String Get(Integer Index) const override { return String(Line(Index)); }
    void Put(Integer Index, const String& S) override;
    void Insert(Integer Index, const String& S) override;
    void Delete(Integer Index) override;
    void Clear() override;

    // Splits at CR LF, LF or CR, as every string list does. The second form
    // keeps the string itself as the text block.
    void SetText(const String& Value) override { SetText(String(Value)); }
    void SetText(String&& Value);
    // The lines of a file, read in one piece. A file that cannot be opened
    // raises EFOpenError and leaves the list empty.
    void LoadFromFile(const String& FileName);

    // Line Index without its line break; raises EStringListError when Index
    // is out of range. The view is valid until the list changes.
    std::string_view Line(Integer Index) const;

private:
    struct TSpan {
        std::size_t Start;
        std::size_t Length;
    };
    std::size_t Append(const String& S);
    void CheckIndex(Integer Index, Integer Limit) const;

    String FText;
    std::vector<TSpan> FLines;
};
