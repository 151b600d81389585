#include "ImageTestSupport.h"

#include <gtest/gtest.h>

using imagetest::Pic32Target;

TEST(MemoryBuffers, SizesComeFromTheTargetWithFourSpareWords) {
    TMemoryBuffers b;
    const TDeviceTypeRec t = Pic32Target();
    b.Allocate(t);
    EXPECT_EQ(b.ProgImage.size(), 0x20000u + 4);
    EXPECT_EQ(b.ProgReadBack.size(), 0x20000u + 4);
    EXPECT_EQ(b.BootImage.size(), 0xC00u + 4);
    EXPECT_EQ(b.BootReadBack.size(), 0xC00u + 4);
    EXPECT_EQ(b.Scratch.size(), 1024u + 4);
    EXPECT_EQ(b.ConfigImage.size(), 4u + 4);
    EXPECT_EQ(b.ConfigReadBack.size(), 4u + 4);
    EXPECT_EQ(b.WordsInUse(bkBootImage), 0xC00);
    EXPECT_EQ(b.WordsInUse(6), 0);
    for (Integer kind : {0, 1, 4, 5, 8, 9, 10}) {
        const TDynamicIntArray& buf = *b.Buffer(kind);
        const std::size_t used = buf.size() - 4;
        EXPECT_EQ(static_cast<Cardinal>(buf[0]), BlankWord) << kind;
        EXPECT_EQ(static_cast<Cardinal>(buf[used - 1]), BlankWord) << kind;
        for (std::size_t i = used; i < buf.size(); ++i) EXPECT_EQ(buf[i], 0) << kind;
    }
    EXPECT_EQ(b.Buffer(2), nullptr);
}

TEST(MemoryBuffers, ClearingBlanksOnlyTheWordsInUse) {
    TMemoryBuffers b;
    b.Allocate(Pic32Target());
    for (auto& w : b.BootImage) w = 0x12345678;
    b.ProgImage[5] = 0;
    b.ClearBuffer(bkBootImage);
    const std::size_t used = b.BootImage.size() - 4;
    EXPECT_EQ(static_cast<Cardinal>(b.BootImage[used - 1]), BlankWord);
    EXPECT_EQ(b.BootImage[used], 0x12345678); // spare words are never cleared
    b.ClearBuffer(6);                          // names no buffer: nothing changes
    EXPECT_EQ(b.ProgImage[5], 0);
}

TEST(MemoryBuffers, WordAccessIsBoundedByTheWordsInUse) {
    TMemoryBuffers b;
    b.Allocate(Pic32Target());
    const Integer used = b.WordsInUse(bkConfigImage);
    EXPECT_TRUE(b.SetWord(bkConfigImage, used - 1, 0xA5A5A5A5));
    EXPECT_EQ(b.GetWord(bkConfigImage, used - 1), 0xA5A5A5A5u);
    // The spare words are out of reach: blank to a read, untouched by a write.
    EXPECT_FALSE(b.SetWord(bkConfigImage, used, 1));
    EXPECT_EQ(b.ConfigImage[static_cast<std::size_t>(used)], 0);
    EXPECT_EQ(b.GetWord(bkConfigImage, used), BlankWord);
    EXPECT_FALSE(b.SetWord(bkConfigImage, -1, 1));
    EXPECT_FALSE(b.SetWord(7, 0, 1));
    EXPECT_EQ(b.GetWord(3, 0), BlankWord);
}

TEST(MemoryBuffers, SizesOutsideTheHostsRangeAreBounded) {
    TDeviceTypeRec t = Pic32Target();
    t.ProgMemSizeIwu = -5;
    t.BootMemSizeIwu = 0x7FFFFFFF;
    TMemoryBuffers b;
    b.Allocate(t);
    EXPECT_EQ(b.ProgImage.size(), 4u);
    EXPECT_EQ(b.BootImage.size(), static_cast<std::size_t>(MaxBufferWords) + 4);
}

TEST(MemoryBuffers, AddressConversions) {
    EXPECT_EQ(VirtToPhys(0x9D000000), 0x1D000000u);
    EXPECT_EQ(VirtToPhys(0xBFC02FF0), 0x1FC02FF0u);
    EXPECT_EQ(PhysToKseg0(0x1D000000), 0x9D000000u);
    EXPECT_EQ(PhysToKseg1(0x1FC00000), 0xBFC00000u);
}

TEST(MemoryBuffers, TransferSkipTest) {
    for (bool progMem : {true, false}) {
        EXPECT_EQ(TransferSkipped(bkProgImage, progMem), !progMem);
        EXPECT_EQ(TransferSkipped(bkBootImage, progMem), !progMem);
        EXPECT_FALSE(TransferSkipped(bkConfigImage, progMem));
        EXPECT_FALSE(TransferSkipped(bkScratch, progMem));
        for (Integer kind : {2, 4, 5, 9, 11, -1}) EXPECT_TRUE(TransferSkipped(kind, progMem));
    }
}
