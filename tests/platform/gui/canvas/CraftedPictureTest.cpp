// Picture files crafted to ask for absurd sizes in a few bytes: each is
// refused through the ordinary loading path with a clear error, before any
// pixel memory is taken.
#include "PixelTestSupport.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

namespace {

void Put16(std::vector<Byte>& F, std::size_t At, std::uint32_t V) {
    F[At] = static_cast<Byte>(V);
    F[At + 1] = static_cast<Byte>(V >> 8);
}

// A 58-byte bitmap file: 40-byte header, 24 bits per pixel, four bytes of pixels.
std::vector<Byte> Bmp(std::int32_t W, std::int32_t H) {
    std::vector<Byte> f(58, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put16(f, 2, 58);
    Put16(f, 10, 54);
    Put16(f, 14, 40);
    const auto w = static_cast<std::uint32_t>(W), h = static_cast<std::uint32_t>(H);
    Put16(f, 18, w);
    Put16(f, 20, w >> 16);
    Put16(f, 22, h);
    Put16(f, 24, h >> 16);
    f[26] = 1;
    f[28] = 24;
    return f;
}

// A GIF file with a logical screen of SW x SH and one frame of FW x FH whose
// data is a single pixel.
std::vector<Byte> Gif(int SW, int SH, int FW, int FH) {
    std::vector<Byte> f = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF,
                           0x21, 0xF9, 4, 0, 0, 0, 0, 0, // a graphic control extension
                           0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
    Put16(f, 6, SW);
    Put16(f, 8, SH);
    Put16(f, 32, FW);
    Put16(f, 34, FH);
    return f;
}

struct TCrafted {
    const char* What;
    const char* Extension;
    std::vector<Byte> File;
    String Error;
};

} // namespace

TEST(CraftedPictures, AbsurdSizesAreRefusedWithAClearError) {
    const String bmp = "Bitmap image is not valid: ";
    const String gif = "GIF image is not valid: ";
    const String tooLarge = "the image is too large: ";
    const String cap = " pixels, more than the 67108864 a picture may have";
    const TCrafted cases[] = {
        {"top-down height -2^31", "bmp", Bmp(1, INT_MIN), bmp + tooLarge + "1 x 2147483648" + cap},
        {"width -2^31", "bmp", Bmp(INT_MIN, 1), bmp + "the image has no pixels"},
        {"both -2^31", "bmp", Bmp(INT_MIN, INT_MIN), bmp + "the image has no pixels"},
        {"widest int", "bmp", Bmp(INT_MAX, 1), bmp + tooLarge + "2147483647 x 1" + cap},
        {"one pixel over the cap", "bmp", Bmp(8193, 8192), bmp + tooLarge + "8193 x 8192" + cap},
        {"wider than a side may be", "bmp", Bmp(32769, 2),
         bmp + tooLarge + "32769 x 2 pixels, wider or higher than 32768"},
        {"screen over the cap", "gif", Gif(8193, 8192, 1, 1), gif + tooLarge + "8193 x 8192" + cap},
        {"largest screen", "gif", Gif(65535, 65535, 1, 1), gif + tooLarge + "65535 x 65535" + cap},
        {"empty screen, frame over the cap", "gif", Gif(0, 0, 65535, 65535),
         gif + tooLarge + "65535 x 65535" + cap},
    };
    const auto dir = std::filesystem::temp_directory_path() / ("crafted_pictures_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto write = [&dir](const char* Extension, const std::vector<Byte>& File) {
        const auto file = dir / (String("crafted.") + Extension);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(File.data()), File.size());
        return file.string();
    };
    // The same files with sane sizes load: only the size is refused.
    TPicture sane;
    sane.LoadFromFile(write("bmp", Bmp(1, -1)));
    EXPECT_EQ(sane.Width(), 1);
    sane.LoadFromFile(write("gif", Gif(3, 2, 1, 1)));
    EXPECT_EQ(sane.Width(), 3);
    for (const TCrafted& c : cases) {
        const String file = write(c.Extension, c.File);
        TPicture picture;
        try {
            picture.LoadFromFile(file);
            ADD_FAILURE() << c.What << ": loaded as " << picture.Width() << " x " << picture.Height();
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(String(e.what()), ExtractFileName(file) + ": " + c.Error) << c.What;
        }
        EXPECT_EQ(picture.Graphic(), nullptr) << c.What;
    }
    std::filesystem::remove_all(dir);
}

// A picture file that cannot be decoded is named in the error, before the
// decoder's own message; the picture keeps what it held.
TEST(CraftedPictures, AFileThatCannotBeDecodedIsNamedInTheError) {
    const auto dir = std::filesystem::temp_directory_path() / ("undecodable_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::pair<const char*, const char*> cases[] = {
        {"Logo.bmp", "Logo.bmp: Bitmap image is not valid: "},
        {"Logo.jpg", "Logo.jpg: JPEG image is not valid: "},
        {"Logo.gif", "Logo.gif: GIF image is not valid: "},
    };
    const std::vector<Byte> sane = Bmp(1, -1);
    std::ofstream(dir / "sane.bmp", std::ios::binary).write(reinterpret_cast<const char*>(sane.data()), sane.size());
    for (const auto& [name, start] : cases) {
        std::ofstream(dir / name, std::ios::binary) << "BM\xFF\xD8GIF89a this is no picture";
        TPicture picture;
        picture.LoadFromFile((dir / "sane.bmp").string());
        try {
            picture.LoadFromFile((dir / name).string());
            ADD_FAILURE() << name << " loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(String(e.what()).starts_with(start)) << e.what();
        }
        EXPECT_EQ(picture.Width(), 1) << name;
    }
    std::filesystem::remove_all(dir);
}
