// The colour model: HSL conversions, luminance steps, blending, similarity,
// and the display and scheme facts.
#include "controls/common/QxCommon.h"

#include "platform/rtl/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace {

struct THsl {
    int H, S, L;
    bool operator==(const THsl&) const = default;
};
std::ostream& operator<<(std::ostream& os, const THsl& v) {
    return os << v.H << "," << v.S << "," << v.L;
}

THsl Hsl(TColor C) {
    Byte h, s, l;
    ColorToHSLValues(C, h, s, l);
    return {h, s, l};
}

TEST(ColourModel, RgbToHsl) {
    EXPECT_EQ(Hsl(clRed), (THsl{0, 240, 120}));
    EXPECT_EQ(Hsl(clWhite), (THsl{0, 0, 240}));
    EXPECT_EQ(Hsl(clBlack), (THsl{0, 0, 0}));
    EXPECT_EQ(Hsl(clBlue), (THsl{160, 240, 120}));
    EXPECT_EQ(Hsl(clLime), (THsl{80, 240, 120}));
    // A system colour is resolved first.
    EXPECT_EQ(Hsl(clBtnFace), Hsl(static_cast<TColor>(ColorToRGB(clBtnFace))));
    EXPECT_EQ(ColorHueValue(clBlue), 160);
}

TEST(ColourModel, HslToRgbDividesTheHueBy239) {
    EXPECT_EQ(HSLValuesToColor(0, 0, 120), static_cast<TColor>(RGB(128, 128, 128)));
    EXPECT_EQ(HSLValuesToColor(0, 240, 120), clRed);
    EXPECT_EQ(HSLValuesToColor(120, 240, 120), static_cast<TColor>(RGB(0, 252, 255)));
    EXPECT_EQ(HSLValuesToColor(160, 240, 120), static_cast<TColor>(RGB(4, 0, 255)));
    // Hues 239 and 240 land in sector 6, which mixes like sector 0.
    EXPECT_EQ(HSLValuesToColor(239, 240, 120), clRed);
    EXPECT_EQ(HSLValuesToColor(240, 240, 120), static_cast<TColor>(RGB(255, 6, 0)));
    EXPECT_EQ(HSLValuesToColor(0, 0, 0), clBlack);
    // Luminances above 240 give white.
    EXPECT_EQ(HSLValuesToColor(40, 200, 255), clWhite);
}

TEST(ColourModel, HslToRgbClampsChannelsBelowZero) {
    // Saturation above 240 with a low luminance drives a channel negative.
    TColor c = 0;
    ASSERT_NO_THROW(c = HSLValuesToColor(0, 255, 60));
    EXPECT_EQ(GetGValue(c), 0);
    EXPECT_EQ(GetBValue(c), 0);
    EXPECT_GT(GetRValue(c), 0);
    for (int h = 0; h <= 255; h += 15)
        for (int s = 0; s <= 255; s += 15)
            for (int l = 0; l <= 255; l += 15)
                ASSERT_NO_THROW(HSLValuesToColor(h, s, l)) << h << "," << s << "," << l;
}

TEST(ColourModel, LuminanceSteps) {
    EXPECT_EQ(LightenColor(clWhite, 100), clWhite);
    EXPECT_EQ(DarkenColor(clBlack, 100), clBlack);
    EXPECT_EQ(Hsl(DarkenColor(clRed, 40)), (THsl{0, 240, 80}));
    // Lightening caps at 255, not 240: anything past 240 is white.
    EXPECT_EQ(LightenColor(clRed, 130), clWhite);
    EXPECT_EQ(Hsl(LightenColor(clRed, 60)).L, 180);

    EXPECT_EQ(AdjustColorLuminance(clBtnFace, 0), clBtnFace);
    EXPECT_EQ(AdjustColorLuminance(clRed, 40), LightenColor(clRed, 40));
    EXPECT_EQ(AdjustColorLuminance(clRed, -40), DarkenColor(clRed, 40));
    EXPECT_EQ(AdjustColorLuminance(clRed, 255), LightenColor(clRed, 255));
    EXPECT_THROW(AdjustColorLuminance(clRed, 256), ERangeError);
    EXPECT_THROW(AdjustColorLuminance(clRed, -256), ERangeError);
}

TEST(ColourModel, BlendXorComplement) {
    EXPECT_EQ(BlendColors(clWhite, clBlack, 128), static_cast<TColor>(RGB(128, 128, 128)));
    EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 255), 0x123456);
    EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 0), 0xABCDEF);
    EXPECT_EQ(BlendColors(clBtnFace, clBtnFace, 77), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(XorColors(0x0F0F0F, 0xFF00FF), 0xF00FF0);
    EXPECT_EQ(XorColors(clBtnFace, clBtnFace), 0);
    EXPECT_EQ(ComplementColor(clRed, 120), static_cast<TColor>(RGB(0, 252, 255)));
}

TEST(ColourModel, SimilarityComparesHueWithoutWrapping) {
    EXPECT_TRUE(ColorsAreSimilar(0x336699, 0x336699));
    EXPECT_FALSE(ColorsAreSimilar(clBlack, RGB(64, 64, 64))); // luminances 0 and 60
    EXPECT_TRUE(ColorsAreSimilar(clBlack, RGB(63, 63, 63)));
    EXPECT_FALSE(ColorsAreSimilar(HSLValuesToColor(5, 240, 120), HSLValuesToColor(235, 240, 120)));
    EXPECT_TRUE(ColorsAreSimilar(HSLValuesToColor(100, 240, 120), HSLValuesToColor(115, 100, 120)));
}

class SchemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFile = std::filesystem::temp_directory_path() /
                ("quenta-registry-" + std::to_string(::getpid()) + ".ini");
        std::filesystem::remove(FFile);
        SetRegistryFileName(FFile.string());
        FSavedScheme = XPColorScheme;
        FSavedFull = FullColorDisplay;
    }
    void TearDown() override {
        SetRegistryFileName("");
        std::filesystem::remove(FFile);
        XPColorScheme = FSavedScheme;
        FullColorDisplay = FSavedFull;
    }
    void SetColorName(const String& Name) {
        TRegIniFile reg("\\Software\\Microsoft\\Windows\\CurrentVersion");
        reg.WriteString("ThemeManager", "ColorName", Name);
    }

    std::filesystem::path FFile;
    Byte FSavedScheme = 0;
    bool FSavedFull = true;
};

TEST_F(SchemeTest, DetectsTheSchemeFromTheColourName) {
    EXPECT_EQ(DetectXPColorScheme(), 0); // no value at all
    SetColorName("homestead");
    EXPECT_EQ(DetectXPColorScheme(), 1);
    SetColorName("Metallic");
    EXPECT_EQ(DetectXPColorScheme(), 2);
    SetColorName("NormalColor");
    EXPECT_EQ(DetectXPColorScheme(), 0);
    // The value lives under the current user's key, section by section.
    TRegIniFile other("\\Software\\Microsoft\\Windows");
    EXPECT_EQ(other.ReadString("CurrentVersion\\ThemeManager", "ColorName", ""), "NormalColor");
}

TEST_F(SchemeTest, ClassicColoursWithoutVisualStyles) {
    // Without visual styles even the office style takes the classic colours.
    FullColorDisplay = true;
    TColor frame, start, stop, third;
    GetSchemeSelectionColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(frame, clHighlight);
    EXPECT_EQ(stop, BlendColors(clHighlight, clWindow, 77));
    EXPECT_EQ(start, LightenColor(stop, 20));
    FullColorDisplay = false;
    GetSchemeSelectionColors(gcsSystem, frame, start, stop);
    EXPECT_EQ(start, stop);

    GetSchemeGradientColors(gcsMSOffice, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 10));
    EXPECT_EQ(GetSchemeFrameColor(gcsSystem), LightenColor(clBtnShadow, 30));
    GetSchemeBarColors(gcsCustom, stop, start, third);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 20));
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(third, DarkenColor(clBtnFace, 40));
    EXPECT_EQ(GetThemedElementColor(0), clBtnFace);
}

TEST_F(SchemeTest, AnUnknownSchemeValueGivesTheClassicColours) {
    XPColorScheme = 7;
    TColor frame = clNone, start = clNone, stop = clNone, third = clNone;
    GetSchemeSelectionColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(frame, clHighlight);
    GetSchemeGradientColors(gcsMSOffice, start, stop);
    EXPECT_EQ(start, clWindow);
    GetSchemeBarColors(gcsMSOffice, stop, start, third);
    EXPECT_EQ(third, DarkenColor(clBtnFace, 40));
}

TEST(ColourModel, TheSchemeTableHoldsThreeSchemes) {
    EXPECT_EQ(XPSchemeColors[0][5], 0xBF7F57);
    EXPECT_EQ(XPSchemeColors[1][0], 0x385D3F);
    EXPECT_EQ(XPSchemeColors[2][4], 0xD0BCBD);
}

TEST(ColourModel, FullColourFollowsTheDisplayDepth) {
    TDisplayFacts saved = DisplayFacts();
    TDisplayFacts facts = saved;
    facts.BitsPerPixel = 8;
    SetDisplayFacts(facts);
    EXPECT_FALSE(DisplayHasFullColor());
    facts.BitsPerPixel = 24;
    SetDisplayFacts(facts);
    EXPECT_TRUE(DisplayHasFullColor());
    SetDisplayFacts(saved);
}

} // namespace
