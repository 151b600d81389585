#include "platform/rtl/IniFiles.h"

#include <cstdio>
#include <gtest/gtest.h>

TEST(IniFile, ReadsWithTheFrameworksRules) {
    TMemIniFile ini("/nonexistent/Settings.ini");
    ini.SetText("; comment\n[General]\nFormCaption = \"My Tool\" \nP1=0x10\nP2=$1F\n"
                "Bad=12x\nEmpty=\n[known devices]\nNumDevices=3\nNumDevices=9\n");
    EXPECT_EQ(ini.ReadString("general", "formcaption", "d"), "My Tool");
    EXPECT_EQ(ini.ReadInteger("GENERAL", "P1", 0), 16);
    EXPECT_EQ(ini.ReadInteger("General", "P2", 0), 31);
    EXPECT_EQ(ini.ReadInteger("General", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("General", "Empty", 7), 7);
    EXPECT_EQ(ini.ReadString("General", "Empty", "d"), "");
    EXPECT_EQ(ini.ReadInteger("General", "Missing", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Known Devices", "NumDevices", 2), 3); // first one wins
    EXPECT_TRUE(ini.ReadBool("General", "P1", false));
    EXPECT_FALSE(ini.ReadBool("Known Devices", "Nothing", false));
    EXPECT_EQ(ini.ReadInteger("Nowhere", "X", -1), -1);
}

TEST(IniFile, AMissingFileGivesDefaultsAndWritesPersist) {
    char name[] = "/tmp/quenta_ini_XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    {
        TIniFile ini(name);
        EXPECT_EQ(ini.ReadString("A", "B", "def"), "def");
        ini.WriteInteger("A", "B", 42);
        ini.WriteBool("A", "C", true);
    }
    TIniFile again(name);
    EXPECT_EQ(again.ReadInteger("a", "b", 0), 42);
    EXPECT_TRUE(again.ReadBool("A", "C", false));
    TStringList keys;
    again.ReadSection("A", &keys);
    EXPECT_EQ(keys.Count(), 2);
    std::remove(name);
}

TEST(IniFile, AHundredThousandLinesReadAsFewDo) {
    // Many sections, repeated in turn, with many keys each; keys repeated
    // (in another case) keep their first value, erased entries leave the
    // rest findable.
    String text;
    for (Integer i = 0; i < 100000; ++i) {
        if (i % 1000 == 0) text += Format("[Section%d]\n", {i / 1000 % 50});
        text += Format("Key%d=%d\n", {i, i});
        if (i % 10000 == 0) text += Format("KEY%d=repeat\n", {i});
    }
    TMemIniFile ini("/nonexistent/Settings.ini");
    ini.SetText(text);
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Count(), 50);
    EXPECT_EQ(ini.ReadInteger("section7", "key57123", -1), 57123);
    EXPECT_EQ(ini.ReadString("Section0", "key50000", ""), "50000");
    EXPECT_EQ(ini.ReadString("Section49", "Key99999", ""), "99999");
    EXPECT_FALSE(ini.ValueExists("Section48", "Key99999"));
    EXPECT_EQ(ini.ReadString("Section10", "key10000", ""), "10000"); // not "repeat"
    ini.EraseSection("Section3");
    ini.DeleteKey("Section49", "Key49000");
    EXPECT_FALSE(ini.SectionExists("SECTION3"));
    EXPECT_EQ(ini.ReadString("Section49", "Key99999", ""), "99999");
    EXPECT_FALSE(ini.ValueExists("Section49", "Key49000"));
    ini.WriteString("Section49", "key99999", "new");
    EXPECT_EQ(ini.ReadString("Section49", "Key99999", ""), "new");
}
