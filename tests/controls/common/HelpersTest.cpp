// Small shared helpers: captions, sets, fonts, text, system versions and
// the reader of obsolete stored properties.
#include "controls/common/QxCommon.h"

#include "platform/rtl/OSVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(Helpers, StripAccelChars) {
    EXPECT_EQ(StripAccelChars("&File"), "File");
    EXPECT_EQ(StripAccelChars("Save && Exit"), "Save & Exit");
    EXPECT_EQ(StripAccelChars("&&&x"), "&&x");
    EXPECT_EQ(StripAccelChars("End&"), "End&");
    EXPECT_EQ(StripAccelChars("&"), "&");
    EXPECT_EQ(StripAccelChars(""), "");
    EXPECT_EQ(StripAccelChars("a&b&c"), "abc");
}

TEST(Helpers, BitInSetReadsLittleEndianWords) {
    std::array<Byte, 32> set{};
    set[31] = 0x80;
    set[4] = 0x01;
    EXPECT_TRUE(BitInSet(255, set));
    EXPECT_TRUE(BitInSet(32, set));
    EXPECT_FALSE(BitInSet(0, set));
    EXPECT_FALSE(BitInSet(254, set));
    EXPECT_EQ(SmallerInt(-3, 2), -3);
    EXPECT_EQ(LargerInt(-3, 2), 2);
}

struct TVersion {
    Integer Platform, Major, Minor;
    const char* Name;
};

TEST(Helpers, WindowsVersionTests) {
    const TVersion systems[] = {{1, 4, 0, "95"},      {2, 4, 0, "NT 4"},           {1, 4, 10, "98"},
                                {1, 4, 90, "Me"},     {2, 5, 0, "2000"},           {2, 5, 1, "XP"},
                                {2, 5, 2, "2003"},    {2, 6, 0, "Vista"},          {2, 3, 51, "NT 3.51"},
                                {2, 10, 0, "modern"}, {3, 10, 0, "other platform"}};
    // exact[i][case], atLeast[i][case] for cases 0..7
    const char* exact[] = {"10000000", "01000000", "00100000", "00010000", "00001000", "00000100",
                           "00000010", "00000001", "01000000", "00000000", "00000000"};
    const char* atLeast[] = {"10000000", "11000000", "10100000", "10110000", "11111000", "11111100",
                             "11111110", "11111111", "00000000", "11111111", "00000000"};
    for (size_t i = 0; i < std::size(systems); ++i) {
        SetWin32Version(systems[i].Platform, systems[i].Major, systems[i].Minor);
        for (Byte v = 0; v < 8; ++v) {
            EXPECT_EQ(IsWindowsVersion(v), exact[i][v] == '1') << systems[i].Name << " exact " << int(v);
            EXPECT_EQ(IsWindowsAtLeast(v), atLeast[i][v] == '1') << systems[i].Name << " at least " << int(v);
        }
        EXPECT_FALSE(IsWindowsVersion(8));
        EXPECT_FALSE(IsWindowsAtLeast(8));
    }
    SetWin32Version();
    EXPECT_TRUE(IsWindowsAtLeast(7));
}

TEST(Helpers, RotatedFontDescribesTheFontTurned) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    font.SetStyle({fsBold, fsItalic});
    font.SetPitch(fpVariable);
    HFONT h = CreateRotatedFont(&font, 90);
    TLogFont lf;
    ASSERT_GT(GetObject(AsGdiObj(h), sizeof(lf), &lf), 0);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfOrientation, 900);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    DeleteObject(AsGdiObj(h));
}

TEST(Helpers, RotatedFontCutsALongFaceName) {
    TFont font;
    font.SetName(String(40, 'N'));
    HFONT h = CreateRotatedFont(&font, 0);
    TLogFont lf;
    ASSERT_GT(GetObject(AsGdiObj(h), sizeof(lf), &lf), 0);
    EXPECT_EQ(String(lf.lfFaceName), String(31, 'N'));
    DeleteObject(AsGdiObj(h));
    // A cut never splits a character.
    font.SetName(String(30, 'N') + "\xC3\xA9" + "N");
    h = CreateRotatedFont(&font, 0);
    ASSERT_GT(GetObject(AsGdiObj(h), sizeof(lf), &lf), 0);
    EXPECT_EQ(String(lf.lfFaceName), String(30, 'N'));
    DeleteObject(AsGdiObj(h));
}

TEST(Helpers, TrueTypeTest) {
    TFont font;
    font.SetName("MS Sans Serif");
    EXPECT_FALSE(FontIsTrueType(&font));
    font.SetName("Arial");
    EXPECT_TRUE(FontIsTrueType(&font));
}

TEST(Helpers, DrawTextOnCanvasUsesTheCanvasFont) {
    TBitmap* b = new TBitmap(40, 20);
    TCanvas* c = b->Canvas();
    c->Font()->SetName(TestBlockFontName);
    c->Font()->SetHeight(-8);
    TRect r(0, 0, 40, 20);
    EXPECT_EQ(DrawTextOnCanvas(c, "abc", r, DT_CALCRECT | DT_SINGLELINE), 8);
    EXPECT_EQ(r, TRect(0, 0, 12, 8));
    b->Free();
}

// A component that once had three more properties.
class TOldBox : public TComponent {
public:
    using TComponent::TComponent;
    QUENTA_PUBLISHED
    Integer Width() const { return FWidth; }
    void SetWidth(Integer v) { FWidth = v; }
    void DefineProperties(TFiler* Filer) override {
        TComponent::DefineProperties(Filer);
        Filer->DefineProperty("OldFlag", TQxOldPropReader::SkipBoolean, nullptr, false);
        Filer->DefineProperty("OldStyle", TQxOldPropReader::SkipIdent, nullptr, false);
        Filer->DefineProperty("OldSides", TQxOldPropReader::SkipSet, nullptr, false);
    }

private:
    Integer FWidth = 0;
};

const TClassInfo& TOldBox::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TOldBox>("TOldBox", &ComponentClassInfo())
                                        .Property("Width", &TOldBox::Width, &TOldBox::SetWidth)
                                        .Register();
    return info;
}

TEST(Helpers, OldPropertiesAreReadAndDropped) {
    TOldBox* box = new TOldBox(nullptr);
    ReadComponentText(box,
                      "object Box: TOldBox\n"
                      "  OldFlag = True\n"
                      "  OldStyle = fsWhatever\n"
                      "  OldSides = [sdLeft, sdTop]\n"
                      "  Width = 42\n"
                      "  OldSides = []\n"
                      "end\n",
                      "Box.dfm");
    EXPECT_EQ(box->Width(), 42);
    box->Free();

    // A value of the wrong kind is still an error of the form.
    box = new TOldBox(nullptr);
    EXPECT_THROW(ReadComponentText(box, "object Box: TOldBox\n  OldFlag = 12\nend\n", "Box.dfm"), EFormError);
    box->Free();
}

} // namespace
