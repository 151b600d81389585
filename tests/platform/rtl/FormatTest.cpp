#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

TEST(Format, IntegersWithWidthAndPrecision) {
    EXPECT_EQ(Format("%d", {42}), "42");
    EXPECT_EQ(Format("%5d|%-5d|", {42, 42}), "   42|42   |");
    EXPECT_EQ(Format("%3.3d.%3.3d.%3.3d.%3.3d", {192, 168, 0, 1}), "192.168.000.001");
    EXPECT_EQ(Format("%.3d", {-5}), "-005");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%d", {0xFFFFFFFFu}), "4294967295");
    EXPECT_EQ(Format("%*d", {4, 7}), "   7");
}

TEST(Format, HexCaseFollowsTheSpecifier) {
    EXPECT_EQ(Format("%x", {255}), "ff");
    EXPECT_EQ(Format("%X", {255}), "FF");
    EXPECT_EQ(Format("0x%4.4x ", {0xFFFF}), "0xffff ");
    EXPECT_EQ(Format("%8.8X", {0x1D000400}), "1D000400");
    EXPECT_EQ(Format("%2.2x ", {0x0A}), "0a ");
    EXPECT_EQ(Format("0x%6.6X: ", {16}), "0x000010: ");
    EXPECT_EQ(Format("%6.6X", {0x1D000400}), "1D000400"); // precision is a minimum
}

TEST(Format, NegativeHexIsTheThirtyTwoBitPattern) {
    EXPECT_EQ(Format("%x", {-1}), "ffffffff");
    EXPECT_EQ(Format("%8.8X", {static_cast<Integer>(0x9D000000u)}), "9D000000");
    EXPECT_EQ(Format("%X", {static_cast<Int64>(-1)}), "FFFFFFFF"); // fits an Integer
    EXPECT_EQ(Format("%X", {static_cast<Int64>(1) << 40}), "10000000000");
}

TEST(Format, StringsAndIndexes) {
    EXPECT_EQ(Format("%s-%s", {"a", String("b")}), "a-b");
    EXPECT_EQ(Format("%.2s", {"abcdef"}), "ab");
    EXPECT_EQ(Format("%-4s|", {"ab"}), "ab  |");
    EXPECT_EQ(Format("%1:s %0:s %s", {"x", "y", "z"}), "y x y");
    EXPECT_EQ(Format("100%%", {}), "100%");
}

TEST(Format, Floats) {
    EXPECT_EQ(Format("%.2f", {3.14159}), "3.14");
    EXPECT_EQ(Format("%f", {2.5}), "2.50");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%g", {0.5}), "0.5");
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
}

TEST(Format, BadFormatsRaiseConvertErrors) {
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%s", {5}), EConvertError);
    EXPECT_THROW(Format("%d %d", {5}), EConvertError);
    EXPECT_THROW(Format("%q", {5}), EConvertError);
    EXPECT_THROW(Format("abc%", {}), EConvertError);
    try {
        Format("%d", {});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "No argument for format '%d'");
    }
}

TEST(Numbers, ConversionsAcceptDecimalAndHex) {
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt(" -7"), -7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1d000000"), 0x1D000000);
    EXPECT_EQ(StrToInt("0xFFFFFFFF"), -1);
    EXPECT_EQ(StrToIntDef("12a", 9), 9);
    EXPECT_EQ(StrToIntDef("", 9), 9);
    EXPECT_EQ(StrToIntDef("4294967296", 9), 9);
    EXPECT_THROW(StrToInt("x"), EConvertError);
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToStr(-12), "-12");
}

TEST(Strings, TrimAndCase) {
    EXPECT_EQ(Trim(String("\x01 ab \r\n", 7)), "ab");
    EXPECT_EQ(TrimRight("ab  "), "ab");
    EXPECT_EQ(UpperCase("aBc1"), "ABC1");
    EXPECT_TRUE(SameText("Targets", "TARGETS"));
    EXPECT_EQ(Pos("lo", "hello"), 4);
    EXPECT_EQ(Pos("x", "hello"), 0);
    EXPECT_EQ(Copy("hello", 2, 3), "ell");
    EXPECT_EQ(Copy("hello", 4, 100), "lo");
    EXPECT_EQ(Copy("hello", 9, 1), "");
    EXPECT_EQ(StringReplace("a.b.c", ".", "--", rfReplaceAll), "a--b--c");
    EXPECT_EQ(StringReplace("aXbx", "x", "_", rfIgnoreCase), "a_bx");
}

TEST(Strings, FileNames) {
    EXPECT_EQ(ExtractFilePath("/opt/app/Settings.ini"), "/opt/app/");
    EXPECT_EQ(ExtractFileName("/opt/app/Settings.ini"), "Settings.ini");
    EXPECT_EQ(ExtractFileExt("/opt/app.d/Logo"), "");
    EXPECT_EQ(ExtractFileExt("Logo.JPG"), ".JPG");
    EXPECT_EQ(ChangeFileExt("/a/b.hex", ".pfw"), "/a/b.pfw");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
}

TEST(DateTime, DefaultTextIsShortDateAndLongTime) {
    TDateTime t = EncodeDate(2026, 12, 8) + EncodeTime(19, 5, 7, 0);
    EXPECT_EQ(DateTimeToStr(t), "12/8/2026 7:05:07 PM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 1, 2)), "1/2/2026");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", t + EncodeTime(0, 0, 0, 45)), "2026-12-08 19:05:07.045");
    EXPECT_EQ(FormatDateTime("dddd d mmm", t), "Tuesday 8 Dec");
    EXPECT_EQ(FormatDateTime("h:mm", EncodeTime(0, 30, 0, 0)), "0:30");
    Word y, m, d;
    DecodeDate(EncodeDate(2000, 2, 29), y, m, d);
    EXPECT_EQ(y, 2000);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
}
