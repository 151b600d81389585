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
