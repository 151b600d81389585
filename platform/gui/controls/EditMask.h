#pragma once
// The edit mask of a masked edit, free of windows: what each position of
// the edit's text takes, and the edits a user makes there.
//
// A mask string has up to three fields, "mask;save-literals;blank":
//
//   "!99/99/0000;1;_"   positions  9 9 / 9 9 / 0 0 0 0   (10 positions)
//                       edit text  _ _ / _ _ / _ _ _ _
//
// Each character of the mask field is one position of the text - an input
// position (L/l letter, A/a alphanumeric, C/c any character, 0/9 digit:
// the first of each pair required, the second optional; # an optional digit
// or sign) or a literal
// (any other character, or the one after '\'; ':' and '/' are the time and
// date separators) - or a directive that takes no position: '>' makes the
// following letters upper case and '<' lower case until the other one,
// "<>" ends the conversion, '!' shows optional characters as leading
// blanks (Text trims blanks at the start instead of the end).
//
// The edit text always has one character per position: a literal, or the
// input's character, or the blank character where nothing was typed. Text
// is the edit text without the blank characters: with save-literals (the
// default, any second field but '0') the literals stay and every blank is a
// space; without, the literals are left out and the blanks at the end (at
// the start under '!') are trimmed, the others becoming spaces.
//
// Texts are sequences of characters (char32_t), so a position is an index.

#include "platform/rtl/System.h"

#include <string>
#include <vector>

class TEditMask {
public:
    enum TKind { mkLiteral, mkLetter, mkAlphaNumeric, mkAnyChar, mkDigit, mkDigitOrSign };
    enum TCase { mcNone, mcUpper, mcLower };
    struct TPosition {
        TKind Kind = mkLiteral;
        bool Required = false;
        char32_t Literal = 0;
        TCase Case = mcNone;
    };

    TEditMask() = default;
    explicit TEditMask(const std::u32string& Mask);

    bool Empty() const { return FPositions.empty(); }
    Integer Size() const { return static_cast<Integer>(FPositions.size()); }
    const TPosition& Position(Integer Index) const { return FPositions[static_cast<size_t>(Index)]; }
    bool SaveLiterals() const { return FSaveLiterals; }
    char32_t Blank() const { return FBlank; }
    bool LeadingBlanks() const { return FLeadingBlanks; }

    bool IsInput(Integer Index) const { return Index >= 0 && Index < Size() && Position(Index).Kind != mkLiteral; }
    // The first input position at or after Index; Size() when there is none.
    Integer NextInput(Integer Index) const;
    // The last input position before Index; -1 when there is none.
    Integer PreviousInput(Integer Index) const;
    // Char as the input position Index takes it (case applied); 0 when the
    // position does not take it.
    char32_t Fit(Integer Index, char32_t Char) const;

    // The edit text that shows Text: with save-literals Text's characters
    // stand at their positions (literals shown whatever Text has there),
    // without they fill the input positions in order (the last ones under
    // '!'). A space, and a character that the position does not take, stay
    // blank. WithLiterals chooses the positional reading whatever the mask
    // says (an edit text reads back as itself).
    std::u32string Format(const std::u32string& Text) const { return Format(Text, FSaveLiterals); }
    std::u32string Format(const std::u32string& Text, bool WithLiterals) const;
    // Text of an edit text, as the header describes.
    std::u32string Unformat(const std::u32string& EditText) const;

    // Types Char at Caret of EditText: onto the first input position from
    // the caret, the caret then standing on the next input position. A
    // character the position does not take but that a literal ahead spells
    // (only optional positions between) moves the caret past that literal.
    // False, with nothing changed, when the character is refused.
    bool Type(std::u32string& EditText, Integer& Caret, char32_t Char) const;
    // Blanks the input positions in [Start, End); literals stay.
    void Erase(std::u32string& EditText, Integer Start, Integer End) const;
    // The first required input position left blank; -1 when the edit text
    // is complete.
    Integer FirstMissing(const std::u32string& EditText) const;

private:
    std::vector<TPosition> FPositions;
    bool FSaveLiterals = true;
    char32_t FBlank = U'_';
    bool FLeadingBlanks = false;
};
