#include "ImageTestSupport.h"

#include "host/image/FirmwareFile.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

using namespace imagetest;

// The folder the build lays out beside the program holds what the program
// needs to start, and its firmware file loads with its settings.
TEST(Dist, TheShippedFilesWorkTogether) {
    const String dist = String(std::getenv("QUENTA_BINARY_DIR")) + "/dist/";
    ASSERT_TRUE(FileExists(dist + "Settings.ini"));
    EXPECT_EQ(ReadFile(dist + "Logo.bmp").substr(0, 2), "BM");

    const TSettings s = LoadSettings(dist, nullptr);
    ASSERT_TRUE(FileExists(dist + s.DefaultFirmwareFile));
    THexImage image;
    image.Buffers.Allocate(s.CurrentTarget);
    ASSERT_TRUE(LoadFirmwareFile(image, dist + s.DefaultFirmwareFile, XxteaKeyFromString(FirmwareKeyString),
                                 s.CurrentTarget));
    const String app = ReadFile(dist + "sample/Sample.bin");
    EXPECT_EQ(image.Buffers.HighestPhysProgAddress, 0x1D000000u + app.size());
    EXPECT_LT(image.Buffers.HighestPhysProgAddress, 0x1D070000u); // below the bootloader
    EXPECT_EQ(BufferBytes(image.Buffers.ProgImage, 0, app.size()), app);
}
