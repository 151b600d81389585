// Bitmaps and pictures: sizes, files of every kind, damaged files, resources.
#include "PixelTestSupport.h"

#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Jpeg.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// A bitmap file image: header, optional colour table, raw pixel rows.
std::vector<Byte> BmpFile(int W, int H, int Bpp, const std::vector<Byte>& Palette, const std::vector<Byte>& Pixels,
                          std::uint32_t Compression = 0, const std::vector<Byte>& Masks = {}) {
    std::vector<Byte> f(14 + 40);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = static_cast<Byte>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(W));
    put32(22, static_cast<std::uint32_t>(H));
    f[26] = 1;
    f[28] = static_cast<Byte>(Bpp);
    put32(30, Compression);
    put32(46, static_cast<std::uint32_t>(Palette.size() / 4));
    f.insert(f.end(), Masks.begin(), Masks.end());
    f.insert(f.end(), Palette.begin(), Palette.end());
    put32(10, static_cast<std::uint32_t>(f.size()));
    f.insert(f.end(), Pixels.begin(), Pixels.end());
    put32(2, static_cast<std::uint32_t>(f.size()));
    return f;
}

std::string Colours(TBitmap* B) {
    std::string s;
    for (int y = 0; y < B->Height(); ++y) {
        for (int x = 0; x < B->Width(); ++x) {
            TColor c = B->Canvas()->Pixels(x, y);
            s += c == clRed ? 'r' : c == clBlue ? 'b' : c == clLime ? 'g' : c == clWhite ? '.' : c == clBlack ? '#' : '?';
        }
        s += '\n';
    }
    return s;
}

// Red, blue, green and black quadrants.
TBitmapPtr Quadrants(int W, int H) {
    auto b = NewBitmap(W, H);
    TCanvas* c = b->Canvas();
    const TColor colours[] = {clRed, clBlue, clLime, clBlack};
    for (int i = 0; i < 4; ++i) {
        c->Brush()->SetColor(colours[i]);
        c->FillRect(Rect((i % 2) * W / 2, (i / 2) * H / 2, (i % 2 + 1) * W / 2, (i / 2 + 1) * H / 2));
    }
    return b;
}

std::filesystem::path TempDir() {
    auto dir = std::filesystem::temp_directory_path() / ("canvas_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

// Two pixels: red, then transparent.
const std::vector<Byte> TinyGif = {'G', 'I', 'F', '8', '9', 'a', 2,    0,    1,    0,    0x80, 0, 0,
                                   0xFF, 0,   0,   0,   0,   0xFF, 0x21, 0xF9, 4,    1,    0,    0, 1,
                                   0,    0x2C, 0,  0,   0,   0,   2,    0,    1,    0,    0,    2, 2,
                                   0x44, 0x0A, 0,  0x3B};

} // namespace

TEST(Bitmaps, NewAndResizedAreasAreWhiteAndOldPixelsStay) {
    auto b = NewBitmap(2, 2);
    EXPECT_EQ(b->PixelFormat(), pfDevice);
    b->Canvas()->SetPixels(1, 1, clBlack);
    b->SetSize(3, 3);
    EXPECT_EQ(Colours(b.get()), Rows({"...", ".#.", "..."}));
    b->SetWidth(1);
    EXPECT_EQ(Colours(b.get()), Rows({".", ".", "."}));
    b->SetHeight(0);
    EXPECT_TRUE(b->Empty());
    EXPECT_EQ(b->TransparentColor(), clDefault);
}

TEST(Bitmaps, AssignCopiesPixelsAndSettings) {
    auto a = Quadrants(4, 4);
    a->SetTransparent(true);
    a->SetTransparentColor(clBlue);
    auto b = NewBitmap(1, 1);
    int changes = 0;
    b->OnChange = [&](TObject*) { ++changes; };
    b->Assign(a.get());
    EXPECT_GE(changes, 1);
    EXPECT_EQ(Colours(b.get()), Colours(a.get()));
    EXPECT_TRUE(b->Transparent());
    EXPECT_EQ(b->TransparentColor(), clBlue);
    a->Canvas()->SetPixels(0, 0, clWhite); // a copy, not a share
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clRed);
}

TEST(Bitmaps, BmpFilesRoundTripExactly) {
    auto a = Quadrants(5, 3); // odd width: padded rows
    a->Canvas()->SetPixels(4, 2, 0x123456);
    for (TPixelFormat pf : {pf24bit, pf32bit}) {
        a->SetPixelFormat(pf);
        std::vector<Byte> data = a->SaveToBytes();
        auto b = NewBitmap(0, 0);
        b->LoadFromBytes(data);
        ASSERT_EQ(b->Width(), 5);
        ASSERT_EQ(b->Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(b->Canvas()->Pixels(x, y), a->Canvas()->Pixels(x, y));
    }
    auto file = TempDir() / "round.bmp";
    a->SaveToFile(file.string());
    auto c = NewBitmap(0, 0);
    c->LoadFromFile(file.string());
    EXPECT_EQ(Colours(c.get()), Colours(a.get()));
    EXPECT_THROW(c->LoadFromFile((TempDir() / "missing.bmp").string()), EFOpenError);
}

TEST(Bitmaps, ReadsPalettedPackedAndBitFieldLayouts) {
    const std::vector<Byte> redBlue = {0, 0, 255, 0, 255, 0, 0, 0}; // entry 0 red, 1 blue (B, G, R, 0)
    auto b = NewBitmap(0, 0);
    // 8 bits, bottom-up, 3 x 2, rows padded to 4 bytes.
    b->LoadFromBytes(BmpFile(3, 2, 8, redBlue, {1, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(Colours(b.get()), Rows({"rrb", "brb"}));
    // 1 bit, top-down (negative height).
    b->LoadFromBytes(BmpFile(3, -2, 1, redBlue, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}));
    EXPECT_EQ(Colours(b.get()), Rows({"brb", "rbr"}));
    // 4 bits, run-length encoded: a run of three alternating pixels, end of
    // line, a literal run of three, end of picture.
    b->LoadFromBytes(BmpFile(3, 2, 4, redBlue, {3, 0x01, 0, 0, 0, 3, 0x10, 0x10, 0, 1}, 2));
    EXPECT_EQ(Colours(b.get()), Rows({"brb", "rbr"}));
    // A run that ends the picture early leaves the rest black.
    b->LoadFromBytes(BmpFile(3, 2, 4, redBlue, {2, 0x11, 0, 1}, 2));
    EXPECT_EQ(Colours(b.get()), Rows({"###", "bb#"}));
    // 16 bits with 5-6-5 bit fields: pure red and pure green.
    std::vector<Byte> masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    b->LoadFromBytes(BmpFile(2, 1, 16, {}, {0x00, 0xF8, 0xE0, 0x07}, 3, masks));
    EXPECT_EQ(Colours(b.get()), Rows({"rg"}));
}

TEST(Bitmaps, DamagedBmpFilesRaiseAndLeaveTheBitmapAsItWas) {
    auto good = Quadrants(6, 4)->SaveToBytes();
    auto b = Quadrants(2, 2);
    for (std::size_t n = 0; n + 2 < good.size(); ++n) { // (the last row's padding may be missing)
        std::vector<Byte> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_THROW(b->LoadFromBytes(cut), EInvalidGraphic) << n << " bytes";
    }
    EXPECT_EQ(b->Width(), 2);
    auto bad = good;
    bad[28] = 7; // bits per pixel
    EXPECT_THROW(b->LoadFromBytes(bad), EInvalidGraphic);
    bad = good;
    bad[22] = bad[23] = bad[24] = 0x7F; // an absurd height
    EXPECT_THROW(b->LoadFromBytes(bad), EInvalidGraphic);
    bad = good;
    bad[18] = bad[19] = bad[20] = bad[21] = 0; // no width
    EXPECT_THROW(b->LoadFromBytes(bad), EInvalidGraphic);
    try {
        b->LoadFromBytes({'B', 'M'});
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(String(e.what()), "Bitmap image is not valid: no bitmap file header");
    }
    // Runs that jump outside the picture are ignored, not written.
    b->LoadFromBytes(BmpFile(2, 2, 8, {0, 0, 255, 0}, {0, 2, 200, 200, 5, 0, 0, 1}, 1));
    EXPECT_EQ(b->Width(), 2);
}

TEST(Bitmaps, JpegImagesRoundTripThroughTheCodec) {
    auto src = Quadrants(32, 16);
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    jpeg.SetCompressionQuality(95);
    std::vector<Byte> data = jpeg.SaveToBytes();
    ASSERT_GT(data.size(), 100u);
    TJPEGImage back;
    back.LoadFromBytes(data);
    ASSERT_EQ(back.Width(), 32);
    ASSERT_EQ(back.Height(), 16);
    auto shown = NewBitmap(32, 16);
    shown->Canvas()->Draw(0, 0, &back);
    auto near = [](TColor a, TColor b) {
        for (int s = 0; s < 24; s += 8)
            if (std::abs(((a >> s) & 255) - ((b >> s) & 255)) > 24) return false;
        return true;
    };
    for (auto [x, y] : {std::pair{4, 4}, {28, 4}, {4, 12}, {28, 12}})
        EXPECT_TRUE(near(shown->Canvas()->Pixels(x, y), src->Canvas()->Pixels(x, y))) << x << "," << y;
    auto bmp = NewBitmap(0, 0);
    bmp->Assign(&back); // a JPEG image gives its pixels to a bitmap
    EXPECT_EQ(bmp->Width(), 32);
}

TEST(Bitmaps, DamagedJpegFilesRaiseClearly) {
    auto src = Quadrants(16, 16);
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    std::vector<Byte> good = jpeg.SaveToBytes();
    TJPEGImage j;
    for (std::size_t n : {std::size_t{0}, std::size_t{3}, std::size_t{20}, good.size() / 2, good.size() - 3}) {
        std::vector<Byte> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_THROW(j.LoadFromBytes(cut), EInvalidGraphic) << n << " bytes";
    }
    std::vector<Byte> noise = good;
    for (std::size_t i = 30; i < noise.size(); i += 7) noise[i] ^= 0x5A;
    try {
        j.LoadFromBytes(noise);
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(String(e.what()).rfind("JPEG image is not valid: ", 0), 0u);
    }
    EXPECT_TRUE(j.Empty());
}

TEST(Bitmaps, GifImagesKeepTheirTransparency) {
    TGIFImage gif;
    gif.LoadFromBytes(TinyGif);
    ASSERT_EQ(gif.Width(), 2);
    EXPECT_TRUE(gif.Transparent());
    auto dst = NewBitmap(2, 1);
    dst->Canvas()->Draw(0, 0, &gif);
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(dst->Canvas()->Pixels(1, 0), clWhite); // left as it was
    EXPECT_EQ(gif.SaveToBytes(), TinyGif);
    std::vector<Byte> cut(TinyGif.begin(), TinyGif.begin() + 20);
    EXPECT_THROW(gif.LoadFromBytes(cut), EInvalidGraphic);
    EXPECT_THROW(gif.LoadFromBytes({'G', 'I', 'F'}), EInvalidGraphic);
}

TEST(Bitmaps, PicturesChooseTheirKindByExtensionOrStoredClass) {
    auto dir = TempDir();
    auto src = Quadrants(8, 8);
    src->SaveToFile((dir / "logo.bmp").string());
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    jpeg.SaveToFile((dir / "logo.jpg").string());
    std::ofstream((dir / "logo.gif"), std::ios::binary).write(reinterpret_cast<const char*>(TinyGif.data()), TinyGif.size());
    TPicture pic;
    int changes = 0;
    pic.OnChange = [&](TObject*) { ++changes; };
    pic.LoadFromFile((dir / "logo.bmp").string());
    EXPECT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
    pic.LoadFromFile((dir / "logo.jpg").string());
    EXPECT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Width(), 8);
    pic.LoadFromFile((dir / "logo.gif").string());
    EXPECT_NE(dynamic_cast<TGIFImage*>(pic.Graphic()), nullptr);
    EXPECT_EQ(changes, 3);
    try {
        pic.LoadFromFile((dir / "logo.png").string());
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(String(e.what()), "Unknown picture file extension (.png)");
    }
    EXPECT_NE(dynamic_cast<TGIFImage*>(pic.Graphic()), nullptr); // unchanged after the failure
    // The stored form: class name, then the bitmap's length and file image.
    std::vector<Byte> bmp = src->SaveToBytes();
    std::vector<Byte> data = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    std::uint32_t n = static_cast<std::uint32_t>(bmp.size());
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<Byte>(n >> (8 * i)));
    data.insert(data.end(), bmp.begin(), bmp.end());
    pic.ReadData(data);
    ASSERT_NE(pic.Bitmap(), nullptr);
    EXPECT_EQ(Colours(pic.Bitmap()), Colours(src.get()));
    data[1] = 'X';
    EXPECT_THROW(pic.ReadData(data), EInvalidGraphic);
    std::filesystem::remove_all(dir);
}

TEST(Bitmaps, NamedResourcesComeThroughTheLoader) {
    auto src = Quadrants(4, 4);
    std::vector<Byte> file = src->SaveToBytes();
    SetBitmapResourceLoader([&](const String& Name, std::vector<Byte>& Data) {
        if (Name != "QXCOMMON_OK") return false;
        Data = file;
        return true;
    });
    auto b = NewBitmap(0, 0);
    b->LoadFromResourceName(0, "QXCOMMON_OK");
    EXPECT_EQ(Colours(b.get()), Colours(src.get()));
    try {
        b->LoadFromResourceName(0, "NOPE");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(String(e.what()), "Resource NOPE not found");
    }
    SetBitmapResourceLoader(nullptr);
    EXPECT_THROW(b->LoadFromResourceName(0, "QXCOMMON_OK"), EResNotFound);
}
