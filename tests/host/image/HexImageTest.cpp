#include "ImageTestSupport.h"

#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

using imagetest::Pic32Target;

namespace {

bool Valid(const String& Text) {
    TStringList lines;
    lines.SetText(Text);
    return ValidateHexLines(lines);
}

const char* const Upper1D00 = ":020000041D00DD\n";
const char* const Data16 = ":10000000000102030405060708090A0B0C0D0E0F78\n";
const char* const Eof = ":00000001FF\n";

struct TLoadFixture : ::testing::Test {
    TLoadFixture() {
        Target = Pic32Target();
        Image.Buffers.Allocate(Target);
        Image.Events.OnResultLine = [this](const String& l) { Results.push_back(l); };
        Image.Events.OnMessageBox = [this](const String& t, TImageBoxKind k) {
            Boxes.push_back(t);
            BoxKinds.push_back(k);
        };
    }
    bool Load(const String& Text) {
        Image.Lines.SetText(Text);
        return Image.ImageLoaded(Target);
    }
    Cardinal Prog(std::size_t i) const { return static_cast<Cardinal>(Image.Buffers.ProgImage.at(i)); }
    Cardinal Boot(std::size_t i) const { return static_cast<Cardinal>(Image.Buffers.BootImage.at(i)); }

    TDeviceTypeRec Target;
    THexImage Image;
    std::vector<String> Results, Boxes;
    std::vector<TImageBoxKind> BoxKinds;
};

} // namespace

TEST(HexValidate, TheRecordsBeforeTheFirstDataRecord) {
    EXPECT_FALSE(Valid(""));
    EXPECT_TRUE(Valid(String(Upper1D00) + Data16 + Eof));
    EXPECT_TRUE(Valid(String(Upper1D00) + Data16)); // no end-of-file record
    EXPECT_TRUE(Valid(":10000000000102030405060708090a0b0c0d0e0f78\n")); // lower-case digits
    EXPECT_FALSE(Valid(String(Upper1D00) + ":10000000000102030405060708090A0B0C0D0E0F77\n"));
    EXPECT_FALSE(Valid(String("\n") + Upper1D00 + Data16));  // a blank line first
    EXPECT_FALSE(Valid(String(" ") + Upper1D00 + Data16));   // no ":" first
    EXPECT_FALSE(Valid(":0400000508000000EF\n" + String(Data16))); // type 5 before data
    EXPECT_FALSE(Valid(":0100000400FB\n" + String(Data16)));        // type 4 must hold 2 bytes
    EXPECT_FALSE(Valid(":10000000000102030405060708090A0B0C0D0E0F\n")); // checksum missing
    EXPECT_FALSE(Valid(":1000000000010203040506070809GA0B0C0D0E0F78\n"));
}

TEST(HexValidate, EveryRecordUpToTheEndIsChecked) {
    // A damaged record after a good data record makes the whole file invalid.
    EXPECT_FALSE(Valid(String(Data16) + ":10001000101112131415161718191A1B1C1D1E1F67\n" + Eof));
    EXPECT_FALSE(Valid(String(Data16) + ":1000100010111213141516171819ZZ1B1C1D1E1F68\n"));
    EXPECT_FALSE(Valid(String(Data16) + "10001000101112131415161718191A1B1C1D1E1F68\n"));
    EXPECT_TRUE(Valid(String(Data16) + ":10001000101112131415161718191A1B1C1D1E1F68\n" + Eof));
    // After the first data record: start records and unknown types are allowed,
    // blank lines are skipped, and lines after the end-of-file record ignored.
    EXPECT_TRUE(Valid(String(Data16) + "\n   \n:0400000508000000EF\n:0100000742B6\n" + Eof + "garbage\n"));
    EXPECT_FALSE(Valid(String(Data16) + ":0400000508000000EE\n" + Eof));
}

TEST_F(TLoadFixture, ADataRecordFillsWordsAndRaisesTheHighestAddress) {
    ASSERT_TRUE(Load(String(Upper1D00) + Data16 + Eof));
    EXPECT_EQ(Prog(0), 0x03020100u);
    EXPECT_EQ(Prog(3), 0x0F0E0D0Cu);
    EXPECT_EQ(Prog(4), BlankWord);
    EXPECT_EQ(Image.Buffers.HighestPhysProgAddress, 0x1D000010u);
    EXPECT_EQ(Image.Buffers.LowestPhysProgAddress, 0x1D000000u);
    EXPECT_TRUE(Image.Loaded);
    EXPECT_EQ(Results, (std::vector<String>{"  Done! firmware file format is valid.", "Loading buffers...",
                                            "    Highest Physical program address = 0x1d000010",
                                            "    Highest Virtual program address = 0x9d000010", ""}));
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(TLoadFixture, TheHighestAddressIsTheEndOfTheRecordThatEndsHighest) {
    // Overlapping: the second record starts inside the first and ends beyond it.
    ASSERT_TRUE(Load(String(Upper1D00) + ":080100000000000000000000F7\n" + // 0x100..0x108
                     ":080104000000000000000000F3\n" +                     // 0x104..0x10C
                     ":0200800000007E\n" + Eof));
    EXPECT_EQ(Image.Buffers.HighestPhysProgAddress, 0x1D00010Cu);
    EXPECT_EQ(Image.Buffers.LowestPhysProgAddress, 0x1D000080u);
    // Contiguous, as tools write them: the last record counts although it
    // starts exactly where the one before ended.
    ASSERT_TRUE(Load(String(Upper1D00) + ":080100000000000000000000F7\n" + // 0x100..0x108
                     ":080108000000000000000000EF\n" + Eof));               // 0x108..0x110
    EXPECT_EQ(Image.Buffers.HighestPhysProgAddress, 0x1D000110u);
}

TEST_F(TLoadFixture, BytesGoToTheirOwnAddressInsideTheirWords) {
    // Three bytes at 0x1D000006 and one odd byte at 0x1D000010.
    ASSERT_TRUE(Load(String(Upper1D00) + ":03000600AABBCCC6\n" + ":0100100055" + "9A\n" + Eof));
    EXPECT_EQ(Prog(0), BlankWord);
    EXPECT_EQ(Prog(1), 0xBBAAFFFFu);
    EXPECT_EQ(Prog(2), 0xFFFFFFCCu);
    EXPECT_EQ(Prog(4), 0xFFFFFF55u);
    // A later record fills the rest of a word that is already loaded.
    ASSERT_TRUE(Load(String(Upper1D00) + ":03000600AABBCCC6\n" + ":020004001122C7\n" + Eof));
    EXPECT_EQ(Prog(1), 0xBBAA2211u);
}

TEST_F(TLoadFixture, RecordsAreCutAtTheEndOfTheirBuffer) {
    // 16 bytes from the last word of program flash (0x1D07FFFC).
    ASSERT_TRUE(Load(":020000041D07D6\n:10FFFC00000102030405060708090A0B0C0D0E0F7D\n" + String(Eof)));
    EXPECT_EQ(Prog(0x1FFFF), 0x03020100u);
    for (std::size_t i = 0x20000; i < Image.Buffers.ProgImage.size(); ++i) EXPECT_EQ(Prog(i), 0u);
    EXPECT_EQ(Image.Buffers.HighestPhysProgAddress, 0x1D08000Cu);

    // A target selected later with larger regions than the buffers were made
    // for: nothing goes past the buffers, and an image with data there is
    // refused rather than programmed without it.
    Target.ProgMemSizePcu = 0x100000;
    DeriveDeviceFields(Target);
    Results.clear();
    EXPECT_FALSE(Load(":020000041D07D6\n:10FFFC00000102030405060708090A0B0C0D0E0F7D\n"
                      ":020000041D0FCE\n:04000000DEADBEEFC4\n" +
                      String(Eof)));
    EXPECT_EQ(Image.Buffers.ProgImage.size(), 0x20004u);
    for (std::size_t i = 0x20000; i < Image.Buffers.ProgImage.size(); ++i) EXPECT_EQ(Prog(i), 0u);
    const String text = "  The firmware file holds data at physical address 0x1d080000, beyond the memory the program "
                        "set aside for the processor selected at start.\r\nPlease make this processor the TargetID "
                        "in Settings.ini, restart the program and open the file again.";
    EXPECT_EQ(Results, (std::vector<String>{"  Done! firmware file format is valid.", "Loading buffers...", text, ""}));
    EXPECT_EQ(Boxes.back(), text);
    EXPECT_EQ(Prog(0x1FFFF), BlankWord);
}

TEST_F(TLoadFixture, RegionsAndAddressing) {
    // Boot flash, a virtual (top bit set) address that lands nowhere, and a
    // segment address record, which is no upper address word.
    ASSERT_TRUE(Load(":020000041FC01B\n:0400100001020304E2\n"
                     ":020000049D005D\n:040000001122334452\n"
                     ":02000002F0000C\n:04000000A1A2A3A472\n" +
                     String(Eof)));
    EXPECT_EQ(Boot(4), 0x04030201u);
    EXPECT_EQ(Image.Buffers.HighestBootAddress, 0x1FC00014u);
    EXPECT_EQ(Prog(0), BlankWord);
    EXPECT_EQ(Image.Buffers.HighestPhysProgAddress, 0u);

    // Segment addressing (type 2) places data at segment x 16 + offset.
    TDeviceTypeRec low = imagetest::FlatTarget(0, 0x20000);
    Image.Buffers.Allocate(low);
    Image.Lines.SetText(":020000021000EC\n:04000000A1A2A3A472\n:00000001FF\n");
    ASSERT_TRUE(Image.ImageLoaded(low));
    EXPECT_EQ(static_cast<Cardinal>(Image.Buffers.ProgImage[0x10000 / 4]), 0xA4A3A2A1u);
}

TEST_F(TLoadFixture, TheBootImageSurvivesTheNextLoad) {
    ASSERT_TRUE(Load(":020000041FC01B\n:0400100001020304E2\n" + String(Upper1D00) + Data16 + Eof));
    ASSERT_TRUE(Load(String(Upper1D00) + ":04002000AABBCCDDCE\n" + Eof));
    EXPECT_EQ(Boot(4), 0x04030201u);
    EXPECT_EQ(Prog(0), BlankWord); // the program image is cleared before every load
    EXPECT_EQ(Prog(8), 0xDDCCBBAAu);
}

TEST_F(TLoadFixture, ConfigurationWordsOfTheDefaultTarget) {
    Target = DefaultDeviceTypeRec();
    Image.Buffers.Allocate(Target);
    ASSERT_TRUE(Load(":020000040030CA\n:0400040078563412E4\n" + String(Eof)));
    EXPECT_EQ(static_cast<Cardinal>(Image.Buffers.ConfigImage[1]), 0x12345678u);
}

TEST_F(TLoadFixture, AnInvalidImageIsReportedAndLeavesTheImageCleared) {
    ASSERT_TRUE(Load(String(Upper1D00) + Data16 + Eof));
    Results.clear();
    Image.Buffers.ConfigImage[0] = 0;
    EXPECT_FALSE(Load(String(Upper1D00) + ":10000000000102030405060708090A0B0C0D0E0F00\n"));
    EXPECT_FALSE(Image.Loaded);
    const String text = "  There was a problem with the firmware file format!\r\nPlease try another file...";
    EXPECT_EQ(Results, (std::vector<String>{text, ""}));
    EXPECT_EQ(Boxes, std::vector<String>{text});
    EXPECT_EQ(BoxKinds[0], TImageBoxKind::Warning);
    EXPECT_EQ(Prog(0), BlankWord);
    EXPECT_EQ(static_cast<Cardinal>(Image.Buffers.ConfigImage[0]), BlankWord);
}

TEST_F(TLoadFixture, TheValidImageHookRunsBeforeTheClosingLine) {
    Image.Events.OnValidImage = [this] { Results.push_back("fit check"); };
    ASSERT_TRUE(Load(String(Data16)));
    ASSERT_GE(Results.size(), 2u);
    EXPECT_EQ(Results[Results.size() - 2], "fit check");
    EXPECT_EQ(Results.back(), "");
}

TEST_F(TLoadFixture, LoadingHexFiles) {
    imagetest::TTempDir dir;
    imagetest::WriteFile(dir / "a.hex", String(Upper1D00) + Data16 + Eof);
    ASSERT_TRUE(Image.LoadHexFile(dir / "a.hex", Target));
    EXPECT_EQ(Results[0], "");
    EXPECT_EQ(Results[1], "Reading hex file: " + (dir / "a.hex") + " ...");
    EXPECT_EQ(Prog(0), 0x03020100u);

    Image.ReadBackLines.Add(Eof);
    EXPECT_THROW(Image.LoadHexFile(dir / "missing.hex", Target), EFOpenError);
    EXPECT_EQ(Image.Lines.Count(), 0);
    EXPECT_TRUE(Image.Loaded); // unchanged: the after-load step did not run
    Image.Lines.Add(Eof);
    Image.NewImage();
    EXPECT_EQ(Image.Lines.Count(), 0);
    EXPECT_EQ(Image.ReadBackLines.Count(), 0);
    EXPECT_EQ(Prog(0), 0x03020100u); // buffers are not touched
}

TEST(HexParse, RecordFields) {
    THexRecord r;
    ASSERT_TRUE(ParseHexLine(":020000041D00DD", r));
    EXPECT_EQ(r.RecType, 4);
    EXPECT_EQ(r.Address, 0x1D00u);
    ASSERT_TRUE(ParseHexLine(":0400100001020304E2", r));
    EXPECT_EQ(r.RecType, 0);
    EXPECT_EQ(r.Address, 0x0010u);
    EXPECT_EQ(r.ByteCount, 4);
    EXPECT_EQ(r.DataCount, 4);
    EXPECT_EQ(r.Data[3], 4);
    ASSERT_TRUE(ParseHexLine(":04001000010203", r)); // reading stops where the pairs end
    EXPECT_EQ(r.DataCount, 3);
    ASSERT_TRUE(ParseHexLine(":0400100001zz0304E2", r));
    EXPECT_EQ(r.DataCount, 1);
    EXPECT_FALSE(ParseHexLine("", r));
    EXPECT_FALSE(ParseHexLine(":04001", r));
    EXPECT_FALSE(ParseHexLine("04001000", r));
}
