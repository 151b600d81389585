// Our loader and writer against outside tools: the bytes our loader places
// must equal those that objcopy extracts from the same file, and what our
// writer writes must read back unchanged through srecord.
#include "ImageTestSupport.h"

#include "host/image/HexWriter.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

using namespace imagetest;

namespace {

struct HexOracle : ::testing::Test {
    void SetUp() override {
        if (!HaveTool("objcopy") || !HaveTool("srec_cat") || !HaveTool("srec_info"))
            GTEST_SKIP() << "objcopy and srecord are needed (scripts/deps installs them)";
    }

    // Loads a HEX file for the target and returns Size bytes of its program
    // region from physical address Start.
    String Placed(const String& HexFile, const TDeviceTypeRec& Target, Cardinal Start, std::size_t Size) {
        THexImage image;
        image.Buffers.Allocate(Target);
        image.Lines.LoadFromFile(HexFile);
        EXPECT_TRUE(image.ImageLoaded(Target)) << HexFile;
        const String all = BufferBytes(image.Buffers.ProgImage, 0, 4 * Target.ProgMemSizeIwu);
        return all.substr(Start - static_cast<Cardinal>(Target.ProgMemPhysicalStartPcu), Size);
    }

    // The bytes objcopy extracts from a HEX file, gaps filled with 0xFF.
    String Extracted(const String& HexFile) {
        const String bin = Dir / "extracted.bin";
        EXPECT_TRUE(RunQuietly("objcopy -I ihex -O binary --gap-fill 0xff " + HexFile + " " + bin));
        return ReadFile(bin);
    }

    TTempDir Dir;
};

} // namespace

TEST_F(HexOracle, FilesMadeByObjcopy) {
    const String sample = SampleBytes(20000, 1), bin = Dir / "sample.bin", hex = Dir / "sample.hex";
    WriteFile(bin, sample);
    ASSERT_TRUE(RunQuietly("objcopy -I binary -O ihex --change-addresses 0x1D000000 " + bin + " " + hex));
    const String placed = Placed(hex, Pic32Target(), 0x1D000000, sample.size());
    EXPECT_EQ(placed, Extracted(hex));
    EXPECT_EQ(placed, sample);
}

TEST_F(HexOracle, FilesMadeBySrecCatWithLinearAndSegmentAddresses) {
    const String sample = SampleBytes(70001, 2), bin = Dir / "sample.bin";
    WriteFile(bin, sample);
    struct {
        const char* Addressing;
        Cardinal Start;
        TDeviceTypeRec Target;
    } layouts[] = {{"--address-length=4", 0x1D000000, Pic32Target()},
                   {"--address-length=4", 0x1D000003, Pic32Target()},
                   {"--address-length=3", 0x00008000, FlatTarget(0, 0x40000)},
                   {"--address-length=3", 0x00008001, FlatTarget(0, 0x40000)}};
    for (const auto& layout : layouts)
        for (int length : {1, 7, 16, 32, 255}) {
            const String hex = Dir / Format("s%d.hex", {length});
            ASSERT_TRUE(RunQuietly(Format("srec_cat %s -binary -offset 0x%x -o %s -intel %s -obs=%d",
                                   {bin, layout.Start, hex, layout.Addressing, length})));
            const String placed = Placed(hex, layout.Target, layout.Start, sample.size());
            EXPECT_EQ(placed, Extracted(hex)) << layout.Addressing << " at " << layout.Start << ", " << length;
            EXPECT_EQ(placed, sample) << layout.Addressing << " at " << layout.Start << ", " << length;
        }
}

TEST_F(HexOracle, WrittenLinesReadBackThroughSrecord) {
    const TDeviceTypeRec t = Pic32Target();
    // Two 64 KiB pages of program memory with blank stretches and words that
    // end in a zero byte after three 0xFF bytes.
    String image = SampleBytes(0x20000, 3);
    for (std::size_t i = 12; i + 4 <= image.size(); i += 1000) image.replace(i, 4, "\xFF\xFF\xFF\x00", 4);
    image.replace(0x8000, 0x1000, 0x1000, '\xFF');
    const Cardinal start = 0x1D00F000;

    TStringList lines;
    THexLineWriter w;
    for (std::size_t at = 0; at < image.size(); at += 16)
        w.WritePayloadLine(lines, reinterpret_cast<const Byte*>(image.data()) + at, 16,
                           start + static_cast<Cardinal>(at), t);
    const Cardinal config[4] = {0x00FFFFFF, 0xFFFFFFFF, 0x12345678, 0x0000FFFF};
    for (Integer j = 0; j < 4; ++j) AddConfigWordLines(lines, 0x1FC02FF0, j, config[j]);
    lines.Add(HexEndOfFile);
    const String hex = Dir / "written.hex";
    lines.SaveToFile(hex);

    ASSERT_TRUE(RunQuietly("srec_info " + hex + " -intel"));
    const String bin = Dir / "back.bin", cfg = Dir / "config.bin";
    ASSERT_TRUE(RunQuietly(Format("srec_cat %s -intel -crop 0x%x 0x%x -fill 0xFF 0x%x 0x%x -offset -0x%x -o %s -binary",
                           {hex, start, start + 0x20000, start, start + 0x20000, start, bin})));
    EXPECT_EQ(ReadFile(bin), image);
    ASSERT_TRUE(RunQuietly("srec_cat " + hex + " -intel -crop 0x1FC02FF0 0x1FC03000 -offset -0x1FC02FF0 -o " + cfg +
                    " -binary"));
    EXPECT_EQ(ReadFile(cfg), String("\xFF\xFF\xFF\x00\xFF\xFF\xFF\xFF\x78\x56\x34\x12\xFF\xFF\x00\x00", 16));

    // And through our own loader.
    THexImage back;
    back.Buffers.Allocate(t);
    back.Lines.Assign(&lines);
    ASSERT_TRUE(back.ImageLoaded(t));
    EXPECT_EQ(BufferBytes(back.Buffers.ProgImage, (start - 0x1D000000) / 4, image.size()), image);
    EXPECT_EQ(static_cast<Cardinal>(back.Buffers.BootImage.at(0xBFC)), 0x00FFFFFFu); // inside boot flash
}
