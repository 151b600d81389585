#include "platform/gui/controls/EditMask.h"

#include <cwctype>

namespace {

bool IsDigit(char32_t C) {
    return C >= U'0' && C <= U'9';
}

bool IsLetter(char32_t C) {
    return std::iswalpha(static_cast<std::wint_t>(C)) != 0;
}

} // namespace

TEditMask::TEditMask(const std::u32string& Mask) {
    TCase letterCase = mcNone;
    size_t i = 0;
    for (; i < Mask.size() && Mask[i] != U';'; ++i) {
        const char32_t c = Mask[i];
        TPosition p;
        p.Case = letterCase;
        switch (c) {
        case U'>':
            letterCase = mcUpper;
            continue;
        case U'<':
            if (i + 1 < Mask.size() && Mask[i + 1] == U'>') {
                ++i;
                letterCase = mcNone;
            } else
                letterCase = mcLower;
            continue;
        case U'!':
            FLeadingBlanks = true;
            continue;
        case U'\\':
            if (++i == Mask.size()) continue; // a '\' that ends the mask escapes nothing
            p.Literal = Mask[i];
            break;
        case U'L': p.Kind = mkLetter; p.Required = true; break;
        case U'l': p.Kind = mkLetter; break;
        case U'A': p.Kind = mkAlphaNumeric; p.Required = true; break;
        case U'a': p.Kind = mkAlphaNumeric; break;
        case U'C': p.Kind = mkAnyChar; p.Required = true; break;
        case U'c': p.Kind = mkAnyChar; break;
        case U'0': p.Kind = mkDigit; p.Required = true; break;
        case U'9': p.Kind = mkDigit; break;
        case U'#': p.Kind = mkDigitOrSign; break;
        default: p.Literal = c; break; // ':' and '/' included: the separators are themselves here
        }
        FPositions.push_back(p);
    }
    if (FPositions.empty()) return;
    // The fields after the mask: save-literals, then the blank character.
    const size_t save = i + 1;
    if (save < Mask.size() && Mask[save] == U'0') FSaveLiterals = false;
    const size_t sep = save < Mask.size() ? Mask.find(U';', save) : std::u32string::npos;
    if (sep != std::u32string::npos && sep + 1 < Mask.size()) FBlank = Mask[sep + 1];
}

Integer TEditMask::NextInput(Integer Index) const {
    Index = std::max(Index, 0);
    while (Index < Size() && !IsInput(Index))
        ++Index;
    return std::min(Index, Size());
}

Integer TEditMask::PreviousInput(Integer Index) const {
    Index = std::min(Index, Size()) - 1;
    while (Index >= 0 && !IsInput(Index))
        --Index;
    return Index;
}

char32_t TEditMask::Fit(Integer Index, char32_t Char) const {
    if (!IsInput(Index)) return 0;
    const TPosition& p = Position(Index);
    bool fits = false;
    switch (p.Kind) {
    case mkLetter: fits = IsLetter(Char); break;
    case mkAlphaNumeric: fits = IsLetter(Char) || IsDigit(Char); break;
    case mkAnyChar: fits = Char >= 0x20 && Char != 0x7F; break;
    case mkDigit: fits = IsDigit(Char); break;
    case mkDigitOrSign: fits = IsDigit(Char) || Char == U'+' || Char == U'-'; break;
    case mkLiteral: break;
    }
    if (!fits) return 0;
    if (p.Case == mcUpper) return static_cast<char32_t>(std::towupper(static_cast<std::wint_t>(Char)));
    if (p.Case == mcLower) return static_cast<char32_t>(std::towlower(static_cast<std::wint_t>(Char)));
    return Char;
}

std::u32string TEditMask::Format(const std::u32string& Text, bool WithLiterals) const {
    std::u32string edit(FPositions.size(), FBlank);
    // Which character of Text lands on position i (-1 none).
    Integer inputs = 0;
    for (Integer i = 0; i < Size(); ++i)
        if (IsInput(i)) ++inputs;
    const Integer length = static_cast<Integer>(Text.size());
    Integer next = !WithLiterals && FLeadingBlanks && length < inputs ? length - inputs : 0;
    for (Integer i = 0; i < Size(); ++i) {
        const TPosition& p = Position(i);
        if (!IsInput(i)) {
            edit[static_cast<size_t>(i)] = p.Literal;
            continue;
        }
        const Integer from = WithLiterals ? i : next++;
        if (from < 0 || from >= length) continue;
        if (const char32_t c = Fit(i, Text[static_cast<size_t>(from)]); c && Text[static_cast<size_t>(from)] != U' ')
            edit[static_cast<size_t>(i)] = c;
    }
    return edit;
}

std::u32string TEditMask::Unformat(const std::u32string& EditText) const {
    std::u32string text;
    for (Integer i = 0; i < Size() && i < static_cast<Integer>(EditText.size()); ++i)
        if (FSaveLiterals || IsInput(i)) text += IsInput(i) ? EditText[static_cast<size_t>(i)] : Position(i).Literal;
    if (!FSaveLiterals) {
        if (FLeadingBlanks)
            text.erase(0, std::min(text.find_first_not_of(FBlank), text.size()));
        else
            text.erase(text.find_last_not_of(FBlank) + 1);
    }
    for (Integer i = 0; i < static_cast<Integer>(text.size()); ++i)
        if (text[static_cast<size_t>(i)] == FBlank && (!FSaveLiterals || IsInput(i))) text[static_cast<size_t>(i)] = U' ';
    return text;
}

bool TEditMask::Type(std::u32string& EditText, Integer& Caret, char32_t Char) const {
    if (EditText.size() != FPositions.size()) EditText = Format(EditText, true);
    // The literal under the caret, typed over.
    if (Caret >= 0 && Caret < Size() && !IsInput(Caret) && Position(Caret).Literal == Char) {
        Caret = NextInput(Caret + 1);
        return true;
    }
    const Integer at = NextInput(Caret);
    if (at < Size()) {
        const char32_t c = Char == U' ' && !Position(at).Required ? FBlank : Fit(at, Char);
        if (c) {
            EditText[static_cast<size_t>(at)] = c;
            Caret = NextInput(at + 1);
            return true;
        }
    }
    // A separator typed early: over the optional positions to its literal.
    for (Integer i = std::max(Caret, 0); i < Size(); ++i) {
        const TPosition& p = Position(i);
        if (IsInput(i) && p.Required) break;
        if (!IsInput(i) && p.Literal == Char) {
            Caret = NextInput(i + 1);
            return true;
        }
    }
    return false;
}

void TEditMask::Erase(std::u32string& EditText, Integer Start, Integer End) const {
    if (EditText.size() != FPositions.size()) EditText = Format(EditText, true);
    for (Integer i = std::max(Start, 0); i < End && i < Size(); ++i)
        if (IsInput(i)) EditText[static_cast<size_t>(i)] = FBlank;
}

Integer TEditMask::FirstMissing(const std::u32string& EditText) const {
    for (Integer i = 0; i < Size(); ++i) {
        if (!IsInput(i) || !Position(i).Required) continue;
        if (i >= static_cast<Integer>(EditText.size()) || EditText[static_cast<size_t>(i)] == FBlank) return i;
    }
    return -1;
}
