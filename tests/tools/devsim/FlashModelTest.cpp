// The flash model of the default device (PIC32MX795F512L): address
// translation, factory content, erase blocks, protection of the
// bootloader's window, flash write rules, blank check and HEX output.
#include "tools/devsim/FlashModel.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace devsim;

namespace {

class FlashModel : public ::testing::Test {
protected:
    TSimTarget Target = DefaultSimTarget();
    TFlashModel Flash{Target, DefaultSimWindow(Target)};
};

} // namespace

TEST_F(FlashModel, DefaultWindowIsTheTop64KiBOfProgramFlash) {
    const TSimWindow& w = Flash.Window();
    EXPECT_EQ(w.BootloaderStart, 0x9D070000u);
    EXPECT_EQ(w.BootloaderEnd, 0x9D07FFFFu);
    EXPECT_EQ(w.AppStart, 0x9D000000u);
    EXPECT_EQ(w.AppEnd, 0x9D06FFFFu);
}

TEST_F(FlashModel, AddressesTranslateFromEveryWindowOfTheChip) {
    EXPECT_EQ(Flash.ToPhysical(0x9D000010), 0x1D000010u); // virtual (KSEG0)
    EXPECT_EQ(Flash.ToPhysical(0x1D000010), 0x1D000010u); // physical
    EXPECT_EQ(Flash.ToPhysical(0xBD000010), 0x1D000010u); // KSEG1 alias
    EXPECT_EQ(Flash.ToPhysical(0xBFC00004), 0x1FC00004u);
    EXPECT_EQ(Flash.ToPhysical(0x9D07FFFC), 0x1D07FFFCu);
    EXPECT_FALSE(Flash.ToPhysical(0x9D080000)); // one past program flash
    EXPECT_FALSE(Flash.ToPhysical(0x00000000));
    EXPECT_FALSE(Flash.ToPhysical(0xBFC03000));

    // The configuration words are the top of boot flash, whichever address names them.
    Flash.WriteWord(0xBFC02FF4, 0x12345678);
    EXPECT_EQ(Flash.ReadWord(0x1FC02FF4), 0x12345678u);
    EXPECT_EQ(Flash.Regions().size(), 2u);
}

TEST_F(FlashModel, FactoryImageHoldsBootloaderStubAndItsCopyButNoApplication) {
    InstallFactoryImage(Flash);
    EXPECT_FALSE(Flash.FirstNonBlank(0x9D000000, 0x9D06FFFF));
    EXPECT_NE(Flash.ReadWord(0x9D070000), BlankWord);
    EXPECT_EQ(BootStubCopyAddress(Flash), 0x9D07EC00u);
    for (Cardinal i = 0; i < 0x400; i += 4)
        ASSERT_EQ(Flash.ReadWord(0xBFC00000 + i), Flash.ReadWord(0x9D07EC00 + i)) << i;
    EXPECT_EQ(Flash.ReadWord(0xBFC00000), 0x3C1A9D07u); // loads the bootloader's start address
    for (Cardinal a = 0xBFC02FF0; a <= 0xBFC02FFC; a += 4)
        EXPECT_NE(Flash.ReadWord(a), BlankWord);
}

TEST_F(FlashModel, EraseClearsWholeBlocksFromTheOneHoldingTheAddress) {
    for (Cardinal a : {0x9D000000u, 0x9D001FFCu, 0x9D002000u})
        Flash.WriteWord(a, 0);
    const TEraseResult r = Flash.EraseBlocks(0x9D000010, 2); // inside the first block
    EXPECT_EQ(r.Erased, 2u);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(Flash.ReadWord(0x9D000000), BlankWord);
    EXPECT_EQ(Flash.ReadWord(0x9D001FFC), BlankWord);
    EXPECT_EQ(Flash.ReadWord(0x9D002000), 0u);
}

TEST_F(FlashModel, EraseRefusesTheBootloaderWindowAndWhatLiesBeyondMemory) {
    InstallFactoryImage(Flash);
    const Cardinal code = Flash.ReadWord(0x9D070000);
    Flash.WriteWord(0x9D06F000, 0);
    TEraseResult r = Flash.EraseBlocks(0x9D06F000, 2);
    EXPECT_EQ(r.Erased, 1u);
    EXPECT_EQ(r.Refused, 1u);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(Flash.ReadWord(0x9D06F000), BlankWord);
    EXPECT_EQ(Flash.ReadWord(0x9D070000), code);

    // The host's application erase: 112 blocks from the application start.
    Flash.WriteWord(0x9D06FFFC, 0);
    r = Flash.EraseBlocks(0x9D000000, 112);
    EXPECT_EQ(r.Erased, 112u);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(Flash.ReadWord(0x9D06FFFC), BlankWord);

    r = Flash.EraseBlocks(0xBFC02000, 3); // the last boot block, then nothing
    EXPECT_EQ(r.Erased, 1u);
    EXPECT_EQ(r.Refused, 2u);
    EXPECT_EQ(Flash.EraseBlocks(0x40000000, 1).Refused, 1u);
}

TEST_F(FlashModel, ProgrammingOnlyClearsBitsAndNeverTouchesProtectedOrMissingMemory) {
    EXPECT_EQ(Flash.ProgramWords(0x9D000000, {0x12345678, 0xFFFFFFFF}), prOk);
    EXPECT_EQ(Flash.ReadWords(0x9D000000, 2), (std::vector<Cardinal>{0x12345678, 0xFFFFFFFF}));
    // Over data that was not erased: bits can only be cleared.
    EXPECT_EQ(Flash.ProgramWords(0x9D000000, {0x0F0F0F0F}), prNotErased);
    EXPECT_EQ(Flash.ReadWord(0x9D000000), 0x02040608u);
    // The same data again is fine (a retried write).
    EXPECT_EQ(Flash.ProgramWords(0x9D000000, {0x02040608}), prOk);

    InstallFactoryImage(Flash);
    const Cardinal code = Flash.ReadWord(0x9D070000);
    std::vector<Cardinal> chunk(128, 0);
    EXPECT_EQ(Flash.ProgramWords(0x9D06FFFC, {0, 0}), prProtected); // runs into the window
    EXPECT_EQ(Flash.ReadWord(0x9D06FFFC), BlankWord);               // nothing written
    EXPECT_EQ(Flash.ProgramWords(0x9D070000, chunk), prProtected);
    EXPECT_EQ(Flash.ReadWord(0x9D070000), code);
    EXPECT_EQ(Flash.ProgramWords(0xBFC02FFC, {0, 0}), prNoMemory); // runs past boot flash
    EXPECT_EQ(Flash.ProgramWords(0x40000000, {0}), prNoMemory);
}

TEST_F(FlashModel, ReadsStopAtTheEndOfTheirMemory) {
    EXPECT_EQ(Flash.ReadWords(0xBFC02FF8, 128).size(), 2u);
    EXPECT_TRUE(Flash.ReadWords(0x40000000, 4).empty());
    EXPECT_EQ(Flash.ReadWord(0x40000000), BlankWord);
    EXPECT_THROW(Flash.WriteWord(0x40000000, 0), EDevSimError);
}

TEST_F(FlashModel, FirstNonBlankGivesThePhysicalAddress) {
    EXPECT_FALSE(Flash.FirstNonBlank(0x9D000000, 0x9D06FFFF));
    Flash.WriteWord(0x9D000400, 0x1234);
    Flash.WriteWord(0x9D000800, 0x1234);
    EXPECT_EQ(Flash.FirstNonBlank(0x9D000000, 0x9D06FFFF), 0x1D000400u);
    EXPECT_FALSE(Flash.FirstNonBlank(0x9D000000, 0x9D0003FF));
}

TEST_F(FlashModel, IntelHexHasPhysicalAddressesAndLeavesOutBlankLines) {
    Flash.WriteWord(0x9D000010, 0x11223344);
    Flash.WriteWord(0xBFC00000, 0xAABBCCDD);
    std::ostringstream out;
    Flash.WriteIntelHex(out);
    EXPECT_EQ(out.str(), ":020000041D00DD\n"
                         ":1000100044332211FFFFFFFFFFFFFFFFFFFFFFFF42\n"
                         ":020000041FC01B\n"
                         ":10000000DDCCBBAAFFFFFFFFFFFFFFFFFFFFFFFFEE\n"
                         ":00000001FF\n");
}

TEST(FlashModelTarget, SeparateConfigurationMemoryStartsAtItsBlankValues) {
    // A catalogue entry whose configuration words lie outside both flashes.
    TSimTarget t = DefaultSimTarget();
    t.ConfigPhysicalStartPcu = t.ConfigVirtualStartPcu = 0x300000;
    t.ConfigPhysicalEndPcu = t.ConfigVirtualEndPcu = 0x30000F;
    t.ConfigRegBlank[0] = 0xFF;
    TFlashModel f(t, DefaultSimWindow(t));
    ASSERT_EQ(f.Regions().size(), 3u);
    EXPECT_EQ(f.ReadWord(0x300000), 0xFFu);
    EXPECT_EQ(f.ReadWord(0x300004), BlankWord);
}
