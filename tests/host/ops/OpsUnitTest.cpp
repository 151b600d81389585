// The own version block and its reading, and the buffer dumps.
#include "host/image/Catalogue.h"
#include "host/ops/MemoryDumps.h"
#include "host/ops/OwnVersion.h"

#include <gtest/gtest.h>

TEST(OwnVersion, TheProgramsBlockIsListedKeyByKey) {
    SetProgramVersionInfo(&HostVersionInfo());
    TStringList list;
    ReadOwnVersion(list);
    ASSERT_EQ(list.Count(), 11);
    EXPECT_EQ(list[0].rfind("VersionInfoSize = ", 0), 0u);
    EXPECT_EQ(list[1], "Veltrin Systems Inc");
    EXPECT_EQ(list[3], "3.2.1.2");
    EXPECT_EQ(FileVersionLine(list), "3.2.1.2");
    THostVersion v;
    ASSERT_TRUE(ParseFileVersion(list[3], v));
    EXPECT_EQ(v.Major, 3);
    EXPECT_EQ(v.Minor, 2);
    EXPECT_EQ(v.Release, 1);
    EXPECT_EQ(v.Build, 2);

    // Only the program file carries the block; a missing key is left out.
    Cardinal handle = 7;
    EXPECT_EQ(GetFileVersionInfoSizeA("/bin/sh", handle), 0u);
    EXPECT_EQ(handle, 0u);
    TVersionInfoBlock partial{"040904E4", {{"CompanyName", "A"}, {"FileVersion", "1.2.3.4"}}};
    SetProgramVersionInfo(&partial);
    list.Clear();
    ReadOwnVersion(list);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(FileVersionLine(list), "");
    SetProgramVersionInfo(nullptr);
    list.Clear();
    ReadOwnVersion(list);
    EXPECT_EQ(list.Count(), 0);
    SetProgramVersionInfo(&HostVersionInfo());
}

TEST(OwnVersion, FileVersionParts) {
    THostVersion v;
    EXPECT_TRUE(ParseFileVersion("10.0.22.4567", v));
    EXPECT_EQ(v.Build, 4567);
    for (const char* bad : {"3.2", "3.2.1", "3.2.1.", "a.2.1.2", "3..1.2", "3.2.1.2x", "", "3.2.1.-2"})
        EXPECT_FALSE(ParseFileVersion(bad, v)) << bad;
    // The last part is read up to 50 characters.
    EXPECT_FALSE(ParseFileVersion("1.2.3." + String(51, '1'), v));
}

TEST(OwnVersion, QueriesStayInsideTheBlock) {
    SetProgramVersionInfo(&HostVersionInfo());
    Cardinal handle = 0;
    const Cardinal size = GetFileVersionInfoSizeA(ParamStr(0), handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(ParamStr(0), handle, size, block.data()));
    const char* value = nullptr;
    Cardinal len = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), size, "StringFileInfo\\040904E4\\ProductVersion", value, len));
    EXPECT_EQ(String(value), "3.2.1.2");
    EXPECT_EQ(len, 8u);
    EXPECT_FALSE(VerQueryValueA(block.data(), size, "StringFileInfo\\040904E4\\Missing", value, len));
    // A block cut short is read only as far as it goes.
    EXPECT_FALSE(VerQueryValueA(block.data(), 40, "StringFileInfo\\040904E4\\Comments", value, len));
}

TEST(MemoryDumps, BlankRunsShowOnceAndConfigurationWordsStepByOne) {
    TDeviceTypeRec t = DefaultDeviceTypeRec();
    TMemoryBuffers b;
    b.Allocate(t);
    b.SetWord(bkProgImage, 0, 0x11111111);
    b.SetWord(bkProgImage, 20, 0x22222222);
    b.SetWord(bkProgImage, 40, 0x33333333);
    b.HighestPhysProgAddress = static_cast<Cardinal>(t.ProgMemPhysicalStartPcu + 41 * t.PcuPerIwu);
    std::vector<String> lines;
    auto sink = [&](const String& l) { lines.push_back(l); };
    DumpBuffer(b, bkProgImage, t, false, sink);
    EXPECT_EQ(lines,
              (std::vector<String>{"", "PIC32 Program memory:", "", "Prog Ctr              (32-bit)    ",
                                   "Byte Addr        Instruction Words", "=========        =================",
                                   "", "0x9D000000:  11111111 FFFFFFFF FFFFFFFF FFFFFFFF", " . . . ",
                                   "0x9D000050:  22222222 FFFFFFFF FFFFFFFF FFFFFFFF", " . . . ",
                                   "0x9D0000A0:  33333333 FFFFFFFF FFFFFFFF FFFFFFFF", "", ""}));
    lines.clear();
    b.SetWord(bkConfigImage, 1, 0x0000ABCD);
    DumpBuffer(b, bkConfigImage, t, false, sink);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], Format("0x%8.8X:  FFFFFFFF 0000ABCD FFFFFFFF FFFFFFFF", {t.ConfigVirtualStartPcu}));
    lines.clear();
    DumpBuffer(b, 6, t, false, sink);
    EXPECT_TRUE(lines.empty());
}
