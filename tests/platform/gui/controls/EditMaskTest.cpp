// The edit mask without a window: texts formatted and read back, typing,
// erasing and the completeness check, each as a table.
#include "platform/gui/controls/EditMask.h"

#include <gtest/gtest.h>

namespace {

// A mask for the trace of a failing case (the masks here are ASCII).
std::string Narrow(std::u32string_view Mask) {
    return std::string(Mask.begin(), Mask.end());
}

TEST(EditMask, FormatsTextsAndReadsThemBack) {
    struct Case {
        const char32_t* Mask;
        const char32_t* Text;
        const char32_t* Edit;   // the edit text showing Text
        const char32_t* Back;   // Text as the edit answers it
    };
    const Case cases[] = {
        {U"!99/99/0000;1;_", U"", U"__/__/____", U"  /  /    "},
        {U"!99/99/0000;1;_", U"12/05/2024", U"12/05/2024", U"12/05/2024"},
        {U"000.000.000.000;0; ", U"192168001010", U"192.168.001.010", U"192168001010"},
        {U"000.000.000.000;0; ", U"1921", U"192.1  .   .   ", U"1921"},
        {U"999;0;_", U"12", U"12_", U"12"},
        {U"!999;0;_", U"12", U"_12", U"12"},       // leading blanks: trimmed at the start
        {U"!999;1;_", U"12", U"12_", U"12 "},
        {U"999;0;_", U"1 2", U"1_2", U"1 2"},      // a blank inside stays a space
        {U">LL<ll;0;*", U"abCD", U"ABcd", U"ABcd"},
        {U">L<>l;0", U"ab", U"Ab", U"Ab"},         // blank defaults to '_'
        {U"\\(000\\)0;1;_", U"", U"(___)_", U"(   ) "},
        {U"\\\\0;0;_", U"7", U"\\7", U"7"},
        {U"00:00;0;_", U"1230", U"12:30", U"1230"},
        {U"#99;1;_", U"-12", U"-12", U"-12"},
        {U"LL;0;_", U"a1", U"a_", U"a"},           // a character the position does not take stays blank
        {U"cc;0;_", U"x", U"x_", U"x"},
        {U"aA;0;_", U"1b", U"1b", U"1b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.Mask));
        const TEditMask mask{std::u32string(c.Mask)};
        const std::u32string edit = mask.Format(c.Text);
        EXPECT_EQ(edit, std::u32string(c.Edit));
        EXPECT_EQ(mask.Unformat(edit), std::u32string(c.Back));
        EXPECT_EQ(mask.Format(edit, true), edit); // an edit text reads back as itself
    }
    EXPECT_TRUE(TEditMask(U"").Empty());
    EXPECT_TRUE(TEditMask(U";1;_").Empty());
    EXPECT_EQ(TEditMask(U"<>!").Size(), 0);
}

TEST(EditMask, TypingTakesFittingCharactersAndSkipsLiterals) {
    struct Case {
        const char32_t* Mask;
        const char32_t* Edit;
        Integer Caret;
        char32_t Char;
        bool Taken;
        const char32_t* After;
        Integer CaretAfter;
    };
    const Case cases[] = {
        {U"!99/99/0000;1;_", U"__/__/____", 0, U'1', true, U"1_/__/____", 1},
        {U"!99/99/0000;1;_", U"1_/__/____", 1, U'2', true, U"12/__/____", 3},  // over the literal
        {U"!99/99/0000;1;_", U"12/__/____", 2, U'5', true, U"12/5_/____", 4},  // from a literal
        {U"!99/99/0000;1;_", U"12/__/____", 2, U'/', true, U"12/__/____", 3},  // the literal typed over
        {U"!99/99/0000;1;_", U"__/__/____", 0, U'a', false, U"__/__/____", 0},
        {U"!99/99/0000;1;_", U"12/05/2024", 10, U'1', false, U"12/05/2024", 10}, // no room
        {U"999.999;0;_", U"1__.___", 1, U'.', true, U"1__.___", 4},            // separator typed early
        {U"000.000;0;_", U"1__.___", 1, U'.', false, U"1__.___", 1},           // not over required ones
        {U">L;0;_", U"_", 0, U'a', true, U"A", 1},
        {U"<L;0;_", U"_", 0, U'Q', true, U"q", 1},
        {U"#;0;_", U"_", 0, U'+', true, U"+", 1},
        {U"0;0;_", U"_", 0, U'+', false, U"_", 0},
        {U"9;0;_", U"5", 0, U' ', true, U"_", 1},                               // a space blanks an optional one
        {U"0;0;_", U"5", 0, U' ', false, U"5", 0},
        {U"C;0;_", U"_", 0, U'%', true, U"%", 1},
        {U"l;0;_", U"_", 0, U'7', false, U"_", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.Mask) + " caret " +
                     std::to_string(c.Caret));
        const TEditMask mask{std::u32string(c.Mask)};
        std::u32string edit = c.Edit;
        Integer caret = c.Caret;
        EXPECT_EQ(mask.Type(edit, caret, c.Char), c.Taken);
        EXPECT_EQ(edit, std::u32string(c.After));
        EXPECT_EQ(caret, c.CaretAfter);
    }
}

TEST(EditMask, ErasingKeepsLiteralsAndCompletenessFindsTheFirstGap) {
    const TEditMask date{U"!99/99/0000;1;_"};
    std::u32string edit = U"12/05/2024";
    date.Erase(edit, 1, 4);
    EXPECT_EQ(edit, U"1_/_5/2024");
    date.Erase(edit, 9, 20);
    EXPECT_EQ(edit, U"1_/_5/202_");
    EXPECT_EQ(date.PreviousInput(3), 1);
    EXPECT_EQ(date.PreviousInput(0), -1);
    EXPECT_EQ(date.NextInput(5), 6);

    struct Case {
        const char32_t* Mask;
        const char32_t* Edit;
        Integer Missing;
    };
    const Case cases[] = {
        {U"!99/99/0000;1;_", U"__/__/____", 6}, {U"!99/99/0000;1;_", U"__/__/2024", -1},
        {U"!99/99/0000;1;_", U"12/05/20_4", 8}, {U"L0l9;1;_", U"a___", 1},
        {U"AaCc;1;*", U"x*y*", -1},             {U"000;1; ", U"12 ", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TEditMask(c.Mask).FirstMissing(c.Edit), c.Missing);
}

} // namespace
