#include "host/image/ImageTestSupport.h"

#include "host/image/FirmwareFile.h"
#include "platform/rtl/SysUtils.h"
#include "tools/mkpfw/PfwWriter.h"
#include "tools/mkpfw/XxteaEncipher.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace imagetest;

TEST(XxteaEncipher, PublishedVectorsOfTheReferenceAlgorithm) {
    Cardinal v[2] = {0, 0};
    XxteaEncipher(v, 2, TXxteaKey{0, 0, 0, 0});
    EXPECT_EQ(v[0], 0x053704ABu);
    EXPECT_EQ(v[1], 0x575D8C80u);
    Cardinal w[2] = {0x01234567, 0x89ABCDEF};
    XxteaEncipher(w, 2, TXxteaKey{0x00112233, 0x44556677, 0x8899AABB, 0xCCDDEEFF});
    EXPECT_EQ(w[0], 0x34354989u);
    EXPECT_EQ(w[1], 0xDD7D1A7Au);
}

TEST(XxteaEncipher, TheHostDeciphersWithTheRoundCountOfTheBlockSize) {
    const TXxteaKey key = XxteaKeyFromString("round counts");
    // 2 words: 32 rounds; 52 words: 7; 53 and more: 6. A block enciphered
    // with one round more or less does not decipher.
    for (auto [n, rounds] : {std::pair{2, 32}, {3, 23}, {52, 7}, {53, 6}, {400, 6}}) {
        TDynamicIntArray plain(static_cast<std::size_t>(n));
        for (Integer i = 0; i < n; ++i) plain[i] = static_cast<Integer>(Cardinal(i) * 0x01010101u + 7);
        for (Integer r : {rounds - 1, rounds, rounds + 1}) {
            TDynamicIntArray v = plain;
            XxteaEncipher(reinterpret_cast<Cardinal*>(v.data()), v.size(), key, r);
            XxteaDecipher(v, key);
            EXPECT_EQ(v == plain, r == rounds) << n << " words, " << r << " rounds";
        }
    }
}

TEST(FirmwareFiles, TheBodyIsTrimmedAndEndsInALineBreak) {
    const TXxteaKey key = XxteaKeyFromString(FirmwareKeyString);
    const String file = MakeFirmwareFile("\r\n:00000001FF   \n\n ", key);
    EXPECT_EQ(file.size(), 256u + 20u);
    EXPECT_EQ(file.substr(0, 256), String(256, '\0'));
    EXPECT_EQ(FirmwareFileText(file, key), ":00000001FF\r\n");
    // A short text is padded to a block of two words.
    EXPECT_EQ(FirmwareFileText(MakeFirmwareFile(":", key), key), ":\r\n");
    EXPECT_EQ(MakeFirmwareFile(":", key).size(), 264u);
}

namespace {
struct Mkpfw : ::testing::Test {
    void SetUp() override {
        if (!HaveTool("objcopy")) GTEST_SKIP() << "objcopy is needed (scripts/deps installs it)";
        WriteFile(Dir / "app.bin", SampleBytes(9000, 4));
        ASSERT_TRUE(RunQuietly("objcopy -I binary -O ihex --change-addresses 0x1D000100 " + (Dir / "app.bin") +
                               " " + (Dir / "app.hex")));
        Image.Buffers.Allocate(Target);
        Image.Events.OnResultLine = [this](const String& l) { Results.push_back(l); };
    }
    bool Mk(const String& Args) { return RunQuietly(String(MKPFW_PROGRAM) + " " + Args); }

    TTempDir Dir;
    TDeviceTypeRec Target = Pic32Target();
    THexImage Image;
    std::vector<String> Results;
};
} // namespace

TEST_F(Mkpfw, AFirmwareFileLoadsAsItsHexFileDoes) {
    ASSERT_TRUE(Mk(Dir / "app.hex" + " " + (Dir / "app.pfw")));
    ASSERT_TRUE(LoadFirmwareFile(Image, Dir / "app.pfw", XxteaKeyFromString(FirmwareKeyString), Target));
    EXPECT_EQ(Results[1], "Reading firmware file: " + (Dir / "app.pfw") + " ...");
    EXPECT_EQ(Results[2], "  Done! firmware file format is valid.");
    EXPECT_EQ(Results[4], "    Highest Physical program address = 0x1d002428");

    THexImage fromHex;
    fromHex.Buffers.Allocate(Target);
    ASSERT_TRUE(fromHex.LoadHexFile(Dir / "app.hex", Target));
    EXPECT_EQ(Image.Buffers.ProgImage, fromHex.Buffers.ProgImage);
    EXPECT_EQ(Image.Buffers.HighestPhysProgAddress, fromHex.Buffers.HighestPhysProgAddress);
    EXPECT_EQ(BufferBytes(Image.Buffers.ProgImage, 0x40, 9000), ReadFile(Dir / "app.bin"));
}

TEST_F(Mkpfw, AnotherKeyGivesAFileTheHostCannotRead) {
    ASSERT_TRUE(Mk("--key OtherKey " + (Dir / "app.hex") + " " + (Dir / "other.pfw")));
    EXPECT_FALSE(LoadFirmwareFile(Image, Dir / "other.pfw", XxteaKeyFromString(FirmwareKeyString), Target));
    EXPECT_TRUE(LoadFirmwareFile(Image, Dir / "other.pfw", XxteaKeyFromString("OtherKey"), Target));
}

TEST_F(Mkpfw, BadInputIsRefused) {
    String hex = ReadFile(Dir / "app.hex");
    hex[hex.size() / 2] = hex[hex.size() / 2] == '0' ? '1' : '0'; // a checksum no longer matches
    WriteFile(Dir / "bad.hex", hex);
    EXPECT_FALSE(Mk(Dir / "bad.hex" + " " + (Dir / "bad.pfw")));
    EXPECT_FALSE(FileExists(Dir / "bad.pfw"));
    EXPECT_FALSE(Mk(Dir / "missing.hex" + " " + (Dir / "x.pfw")));
    EXPECT_FALSE(Mk(Dir / "app.hex"));
    EXPECT_FALSE(Mk("--key"));
}

namespace {
// Runs mkpfw through the shell with Args; its exit code, and what it wrote
// to stdout and stderr.
struct TRun {
    int Code = -1;
    String Output;
};
TRun RunMkpfw(const String& Args, const String& Before = "") {
    TRun r;
    FILE* p = popen((Before + String(MKPFW_PROGRAM) + " " + Args + " 2>&1").c_str(), "r");
    char buf[512];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.Output.append(buf, n);
    const int status = pclose(p);
    r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::vector<String> FolderNames(const String& Folder) {
    std::vector<String> names;
    for (const auto& e : std::filesystem::directory_iterator(Folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST_F(Mkpfw, RefusalsNameTheProblemAndWriteNothing) {
    String hex = ReadFile(Dir / "app.hex");
    const std::size_t line7 = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 6; ++i) at = hex.find('\n', at) + 1;
        return at;
    }();
    String badSum = hex, badChar = hex;
    badSum[line7 + 9] = badSum[line7 + 9] == '0' ? '1' : '0';
    badChar[line7 + 9] = 'x';
    WriteFile(Dir / "sum.hex", badSum);
    WriteFile(Dir / "char.hex", badChar);
    WriteFile(Dir / "nodata.hex", ":020000041D00DD\n:00000001FF\n");
    WriteFile(Dir / "empty.hex", "");
    std::filesystem::create_symlink(Dir / "app.hex", Dir / "link.pfw");
    std::filesystem::create_hard_link(Dir / "app.hex", Dir / "hard.pfw");

    const struct {
        String Args, Says;
    } cases[] = {
        {"sum.hex out.pfw", "sum.hex, line 7: the record has a wrong checksum."},
        {"char.hex out.pfw", "char.hex, line 7: the record holds a character that is not a hexadecimal digit."},
        {"nodata.hex out.pfw", "nodata.hex holds no data records"},
        {"empty.hex out.pfw", "empty.hex is empty"},
        {"missing.hex out.pfw", "Cannot open file"},
        {"app.hex app.hex", "app.hex is the input file"},
        {"app.hex ./../" + Dir.Path.substr(Dir.Path.rfind('/') + 1) + "/app.hex", "is the input file"},
        {"app.hex link.pfw", "link.pfw is the input file"},
        {"app.hex hard.pfw", "hard.pfw is the input file"},
    };
    const String hexBefore = ReadFile(Dir / "app.hex");
    for (const auto& c : cases) {
        const TRun r = RunMkpfw(c.Args, "cd " + Dir.Path + " && ");
        EXPECT_EQ(r.Code, 1) << c.Args;
        EXPECT_EQ(r.Output.rfind("mkpfw: ", 0), 0u) << r.Output;
        EXPECT_NE(r.Output.find(c.Says), String::npos) << c.Args << ": " << r.Output;
        EXPECT_NE(r.Output.find("othing written"), String::npos) << r.Output;
    }
    EXPECT_FALSE(FileExists(Dir / "out.pfw"));
    EXPECT_EQ(ReadFile(Dir / "app.hex"), hexBefore);
}

TEST_F(Mkpfw, AFailedWriteLeavesTheOlderOutputAndNoTemporaryFile) {
    WriteFile(Dir / "out.pfw", "older");
    const std::vector<String> before = FolderNames(Dir.Path);
    // A file size limit of a few blocks makes the write fail part way.
    TRun r = RunMkpfw(Dir / "app.hex" + " " + (Dir / "out.pfw"), "ulimit -f 4; ");
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Output.find("Cannot write \"" + (Dir / "out.pfw") + "\""), String::npos) << r.Output;
    // An output that is a folder cannot be replaced.
    std::filesystem::create_directory(Dir / "folder.pfw");
    r = RunMkpfw(Dir / "app.hex" + " " + (Dir / "folder.pfw"));
    EXPECT_EQ(r.Code, 1) << r.Output;
    std::filesystem::remove(Dir / "folder.pfw");
    EXPECT_EQ(FolderNames(Dir.Path), before);
    EXPECT_EQ(ReadFile(Dir / "out.pfw"), "older");

    // A good run replaces it whole, with the usual file mode.
    r = RunMkpfw(Dir / "app.hex" + " " + (Dir / "out.pfw"));
    EXPECT_EQ(r.Code, 0) << r.Output;
    EXPECT_EQ(r.Output, "");
    EXPECT_TRUE(LoadFirmwareFile(Image, Dir / "out.pfw", XxteaKeyFromString(FirmwareKeyString), Target));
    EXPECT_EQ(FolderNames(Dir.Path), before);
}

TEST_F(Mkpfw, HelpPrintsTheUsageAndEndsWith0) {
    const TRun r = RunMkpfw("--help");
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Output.rfind("usage: mkpfw [--key TEXT] INPUT.hex OUTPUT.pfw\n", 0), 0u) << r.Output;
    EXPECT_EQ(RunMkpfw("--frobnicate").Code, 2);
}
