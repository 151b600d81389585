// The syntax of text form descriptions.
#include "platform/forms/FormText.h"

#include <gtest/gtest.h>

namespace {

TFormValue ValueOf(const String& Text) {
    TFormObject o = ParseFormText("object A: TA\n  P = " + Text + "\nend\n", "t.dfm");
    EXPECT_EQ(o.Properties.size(), 1u);
    return o.Properties.at(0).Value;
}

String ErrorOf(const String& Text) {
    try {
        ParseFormText(Text, "t.dfm");
    } catch (const EFormError& E) {
        return E.Message;
    }
    return "no error";
}

TEST(FormText, StringsJoinQuotedPartsCharacterCodesAndContinuations) {
    EXPECT_EQ(ValueOf("'it''s'").Str, "it's");
    EXPECT_EQ(ValueOf("'a'#13#10'b'").Str, "a\r\nb");
    EXPECT_EQ(ValueOf("#$41#66'C'").Str, "ABC");
    EXPECT_EQ(ValueOf("'one ' +\n    'two' + #33").Str, "one two!");
    EXPECT_EQ(ValueOf("#8364").Str, "\xE2\x82\xAC"); // code points become UTF-8
    EXPECT_EQ(ValueOf("''").Str, "");
    EXPECT_EQ(ValueOf("''").Type, vaString);
    EXPECT_EQ(ValueOf("'" + String(256, 'x') + "'").Type, vaLString);
}

TEST(FormText, NumbersTakeTheSmallestIntegerKind) {
    EXPECT_EQ(ValueOf("127").Type, vaInt8);
    EXPECT_EQ(ValueOf("-128").Type, vaInt8);
    EXPECT_EQ(ValueOf("128").Type, vaInt16);
    EXPECT_EQ(ValueOf("-40000").Type, vaInt32);
    EXPECT_EQ(ValueOf("2147483648").Type, vaInt64);
    EXPECT_EQ(ValueOf("-9223372036854775808").Int, INT64_MIN);
    EXPECT_EQ(ValueOf("$FF").Int, 255);
    EXPECT_EQ(ValueOf("-$10").Int, -16);
    EXPECT_EQ(ValueOf("1.25").Type, vaExtended);
    EXPECT_DOUBLE_EQ(ValueOf("-2.5E2").Float, -250.0);
    EXPECT_DOUBLE_EQ(ValueOf("3.5s").Float, 3.5);
}

TEST(FormText, CompoundValues) {
    TFormValue set = ValueOf("[fsBold, fsItalic]");
    EXPECT_EQ(set.Type, vaSet);
    EXPECT_EQ(set.Set, (std::vector<String>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(ValueOf("[]").Set.empty());

    TFormValue list = ValueOf("(\n 'a'\n 1\n (x y)\n [])");
    ASSERT_EQ(list.List.size(), 4u);
    EXPECT_EQ(list.List[2].List.size(), 2u);
    EXPECT_EQ(list.List[2].List[1].Str, "y");

    TFormValue coll = ValueOf("<\n item\n  A = 1\n  B.C = 'x'\n end\n item\n end>");
    ASSERT_EQ(coll.Items.size(), 2u);
    EXPECT_EQ(coll.Items[0][1].Name, "B.C");
    EXPECT_EQ(coll.Items[0][1].Line, 5);
    EXPECT_TRUE(coll.Items[1].empty());

    EXPECT_EQ(ValueOf("{0A ff\n 10}").Binary, (TBytes{0x0A, 0xFF, 0x10}));
    EXPECT_EQ(ValueOf("True").Type, vaTrue);
    EXPECT_EQ(ValueOf("nil").Type, vaNil);
    EXPECT_EQ(ValueOf("Form1.Button1").Str, "Form1.Button1");
}

TEST(FormText, ObjectsNestAndRememberTheirLines) {
    TFormObject root = ParseFormText("inherited Main: TMain\n"
                                     "  Left = 1\n"
                                     "  object TTimer\n"
                                     "  end\n"
                                     "  object P: TPanel [2]\n"
                                     "    Font.Style = []\n"
                                     "    inline F: TFrame\n"
                                     "    end\n"
                                     "  end\n"
                                     "end\n",
                                     "m.dfm");
    EXPECT_EQ(root.Kind, TFormObject::fkInherited);
    ASSERT_EQ(root.Children.size(), 2u);
    EXPECT_EQ(root.Children[0].Name, "");
    EXPECT_EQ(root.Children[0].ClassName, "TTimer");
    const TFormObject& p = root.Children[1];
    EXPECT_EQ(p.Line, 5);
    EXPECT_EQ(p.Properties.at(0).Name, "Font.Style");
    EXPECT_EQ(p.Properties.at(0).Line, 6);
    EXPECT_EQ(p.Children.at(0).Kind, TFormObject::fkInline);
}

TEST(FormText, SyntaxErrorsNameTheLine) {
    EXPECT_EQ(ErrorOf("object A: TA\n  P = 'x\nend\n"), "t.dfm, line 2: Unterminated string");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = {0A0}\nend\n"),
              "t.dfm, line 2: Binary data has an odd number of digits");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = {0G}\nend\n"),
              "t.dfm, line 2: Invalid character 'G' in binary data");
    EXPECT_EQ(ErrorOf("object A: TA\n  P 1\nend\n"), "t.dfm, line 2: '=' expected but number found");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = [a b]\nend\n"), "t.dfm, line 2: ',' expected but 'b' found");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = 1\n"), "t.dfm, line 3: 'end' expected for object A");
    EXPECT_EQ(ErrorOf("object A: TA\nend\nend\n"),
              "t.dfm, line 3: End of file expected after the last 'end'");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = 99999999999999999999\nend\n"),
              "t.dfm, line 2: Number too large: 99999999999999999999");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = #1114112\nend\n"),
              "t.dfm, line 2: Invalid character code #1114112");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = 'a' +\nend\n"),
              "t.dfm, line 3: String expected after '+' but 'end' found");
    EXPECT_EQ(ErrorOf("object A: TA\n  P = ;\nend\n"), "t.dfm, line 2: Invalid character ';'");
    EXPECT_EQ(ErrorOf(""), "t.dfm, line 1: 'object' expected but end of file found");
    // Deep nesting is refused instead of exhausting the stack.
    EXPECT_EQ(ErrorOf("object A: TA\n  P = " + String(100000, '(') + "\nend\n"),
              "t.dfm, line 2: Values nested too deeply");
}

} // namespace
