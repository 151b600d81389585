#pragma once
// Pixel tests of the library's painters: a bitmap to paint on, a system-
// colour table in which every colour the painters use is distinct, and
// pixel maps as text with one letter per colour.

#include "controls/common/QxCommon.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/Themes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// The background every test bitmap starts with; no painter uses it.
inline constexpr TColor Paper = 0x123456;

// Colours of the test system-colour table.
inline constexpr COLORREF TestWindow = RGB(250, 250, 250);
inline constexpr COLORREF TestDkShadow = RGB(10, 10, 10);
inline constexpr COLORREF TestShadow = RGB(100, 100, 100);
inline constexpr COLORREF TestHighlight = RGB(240, 240, 240);
inline constexpr COLORREF TestLight = RGB(200, 200, 200);
inline constexpr COLORREF TestBtnText = RGB(20, 0, 0);
inline constexpr COLORREF TestBtnFace = RGB(192, 192, 192);

using TLegend = std::vector<std::pair<TColor, char>>;

// The legend of the frame maps: '.' paper and one letter per system colour.
inline TLegend FrameLegend() {
    return {{Paper, '.'},          {clWindow, 'w'},  {cl3DDkShadow, 'D'}, {clBtnShadow, 'S'},
            {clBtnHighlight, 'H'}, {cl3DLight, 'L'}, {clBtnText, 'T'},    {clBtnFace, 'F'}};
}

// The legend's letter for a pixel; '?' for a colour it does not name.
inline char LetterOf(COLORREF Pixel, const TLegend& Legend) {
    for (auto& [color, letter] : Legend)
        if (ColorToRGB(color) == Pixel) return letter;
    return '?';
}

// The pixels of the rectangle (0,0,W,H) as rows of letters.
inline std::string PixelMap(TCanvas* Canvas, int W, int H, const TLegend& Legend) {
    std::string s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) s += LetterOf(static_cast<COLORREF>(Canvas->Pixels(x, y)), Legend);
        s += '\n';
    }
    return s;
}

template <class TLines> std::string JoinRows(const TLines& Lines) {
    std::string s;
    for (const char* l : Lines) {
        s += l;
        s += '\n';
    }
    return s;
}
inline std::string Rows(std::initializer_list<const char*> Lines) { return JoinRows(Lines); }
inline std::string Rows(const std::vector<const char*>& Lines) { return JoinRows(Lines); }

// Installs the test colour table, in which every colour the painters use
// is distinct.
inline void InstallTestColors() {
    TSysColorTable t = DefaultSysColors();
    t[COLOR_WINDOW] = TestWindow;
    t[COLOR_3DDKSHADOW] = TestDkShadow;
    t[COLOR_BTNSHADOW] = TestShadow;
    t[COLOR_BTNHIGHLIGHT] = TestHighlight;
    t[COLOR_3DLIGHT] = TestLight;
    t[COLOR_BTNTEXT] = TestBtnText;
    t[COLOR_BTNFACE] = TestBtnFace;
    SetSysColors(t);
}

// Installs the test colour table and a full-colour display; gives a bitmap
// filled with Paper.
class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTestColors();
        FullColorDisplay = true;
        XPColorScheme = 0;
    }
    void TearDown() override {
        ResetSysColors();
        if (FBitmap) FBitmap->Free();
    }

    TCanvas* NewCanvas(int W, int H, TColor Fill = Paper) {
        if (FBitmap) FBitmap->Free();
        FBitmap = new TBitmap(W, H);
        FW = W;
        FH = H;
        TCanvas* c = FBitmap->Canvas();
        c->Brush()->SetColor(Fill);
        c->FillRect(TRect(0, 0, W, H));
        return c;
    }
    TCanvas* Canvas() { return FBitmap->Canvas(); }
    std::string Map(const TLegend& Legend) { return PixelMap(Canvas(), FW, FH, Legend); }
    std::string Map() { return Map(FrameLegend()); }
    COLORREF At(int X, int Y) { return static_cast<COLORREF>(Canvas()->Pixels(X, Y)); }

    TBitmap* FBitmap = nullptr;
    int FW = 0, FH = 0;
};

// Theme services that are on and draw nothing: no elements, no text, no
// colours, no text extent, no frame; a test double overrides what it needs.
class TTestThemes : public TThemeServices {
public:
    bool ThemesAvailable() const override { return true; }
    bool ThemesEnabled() const override { return true; }
    void DrawElement(HDC, const TThemedElementDetails&, const TRect&, const TRect*) override {}
    void DrawText(HDC, const TThemedElementDetails&, const String&, TRect, Cardinal) override {}
    TRect GetTextExtent(HDC, const TThemedElementDetails&, const String&, Cardinal, const TRect*) override {
        return {};
    }
    bool GetColor(const TThemedElementDetails&, Integer, COLORREF&) override { return false; }
    TRect ContentRect(HDC, const TThemedElementDetails&, const TRect& R) override { return R; }
};

// A PaintTest with a borderless 100 x 60 form in clBtnFace to place
// controls on; the form goes after each test.
class FormPaintTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 100, 60);
        Form->SetColor(clBtnFace);
    }
    void TearDown() override {
        Form->Free();
        PaintTest::TearDown();
    }

    TForm* Form = nullptr;
};
