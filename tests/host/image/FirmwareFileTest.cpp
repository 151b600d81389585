#include "ImageTestSupport.h"

#include "host/image/FirmwareFile.h"

#include <gtest/gtest.h>

TEST(Xxtea, PublishedVectorsOfTheReferenceAlgorithm) {
    TDynamicIntArray v = {0x053704AB, 0x575D8C80};
    XxteaDecipher(v, TXxteaKey{0, 0, 0, 0});
    EXPECT_EQ(v, (TDynamicIntArray{0, 0}));

    v = {0x34354989, static_cast<Integer>(0xDD7D1A7Au)};
    XxteaDecipher(v, TXxteaKey{0x00112233, 0x44556677, 0x8899AABB, 0xCCDDEEFF});
    EXPECT_EQ(static_cast<Cardinal>(v[0]), 0x01234567u);
    EXPECT_EQ(static_cast<Cardinal>(v[1]), 0x89ABCDEFu);
}

TEST(Xxtea, BlocksOfOneWordAndNone) {
    TDynamicIntArray none;
    XxteaDecipher(none, TXxteaKey{1, 2, 3, 4}); // nothing to do, nothing touched
    TDynamicIntArray one = {0x12345678};
    XxteaDecipher(one, TXxteaKey{1, 2, 3, 4});
    EXPECT_NE(one[0], 0x12345678);
    TDynamicIntArray again = {0x12345678};
    XxteaDecipher(again, TXxteaKey{1, 2, 3, 4});
    EXPECT_EQ(one, again);
    EXPECT_EQ(XxteaRounds(1), 58);
}

TEST(Xxtea, KeyFromString) {
    TXxteaKeyBytes k;
    XxteaKeyFromString("abcde", k);
    EXPECT_EQ(String(k.begin(), k.end()), "abcde           ");
    XxteaKeyFromString("0123456789ABCDEFGHIJ", k);
    EXPECT_EQ(String(k.begin(), k.end()), "0123456789ABCDEF");
    const TXxteaKey w = XxteaKeyFromString(FirmwareKeyString);
    EXPECT_EQ(w[0], 0x76726F4Eu); // "Norv", least significant byte first
    EXPECT_EQ(w[3], 0x2E706F6Fu); // "oop."
}

TEST(Xxtea, WordsToStringTrimsBothEnds) {
    const TDynamicIntArray words = {0x3A202020, 0x00004241, 0x20000000};
    EXPECT_EQ(WordsToString(words), ":AB");
    EXPECT_EQ(WordsToString({}), "");
}

namespace {
struct TFirmwareFixture : ::testing::Test {
    TFirmwareFixture() {
        Target = imagetest::Pic32Target();
        Image.Buffers.Allocate(Target);
        Image.Events.OnResultLine = [this](const String& l) { Results.push_back(l); };
        Image.Events.OnMessageBox = [this](const String& t, TImageBoxKind k) {
            Boxes.push_back(t);
            Kinds.push_back(k);
        };
        Image.Lines.Add(":00000001FF");
        Image.Loaded = true;
    }
    TDeviceTypeRec Target;
    THexImage Image;
    imagetest::TTempDir Dir;
    std::vector<String> Results, Boxes;
    std::vector<TImageBoxKind> Kinds;
};
} // namespace

TEST_F(TFirmwareFixture, AMissingOrShortFileChangesNothing) {
    const TXxteaKey key = XxteaKeyFromString(FirmwareKeyString);
    EXPECT_FALSE(LoadFirmwareFile(Image, Dir / "none.pfw", key, Target));
    EXPECT_EQ(Boxes, std::vector<String>{"Cannot find firmware file " + (Dir / "none.pfw")});

    imagetest::WriteFile(Dir / "short.pfw", String(259, 'x'));
    EXPECT_FALSE(LoadFirmwareFile(Image, Dir / "short.pfw", key, Target));
    EXPECT_EQ(Boxes.back(),
              "Cannot read firmware file " + (Dir / "short.pfw") + ": it is too short to hold any firmware.");
    EXPECT_EQ(Kinds, std::vector<TImageBoxKind>(2, TImageBoxKind::Error));
    EXPECT_TRUE(Results.empty());
    EXPECT_EQ(Image.Lines.Count(), 1);
    EXPECT_TRUE(Image.Loaded);
}

TEST_F(TFirmwareFixture, AFileOf260BytesHasABodyOfOneWord) {
    // One body word cannot hold an image: the file is read, deciphered and
    // found invalid by the after-load step. Bytes past the last whole word
    // are ignored.
    imagetest::WriteFile(Dir / "one.pfw", String(260, '\x11') + "\x22\x33");
    EXPECT_FALSE(LoadFirmwareFile(Image, Dir / "one.pfw", XxteaKeyFromString(FirmwareKeyString), Target));
    ASSERT_GE(Results.size(), 3u);
    EXPECT_EQ(Results[0], "");
    EXPECT_EQ(Results[1], "Reading firmware file: " + (Dir / "one.pfw") + " ...");
    EXPECT_EQ(Results[2], "  There was a problem with the firmware file format!\r\nPlease try another file...");
    EXPECT_FALSE(Image.Loaded);
    EXPECT_EQ(FirmwareFileText(String(260, '\x11'), XxteaKeyFromString("k")),
              FirmwareFileText(String(260, '\x11') + "\x22\x33", XxteaKeyFromString("k")));
}
