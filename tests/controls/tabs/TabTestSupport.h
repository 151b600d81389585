#pragma once
// Tab control tests: a shown form with the test colours and the test font
// ("Quenta Test Block", 8 pixels high: every character 4 x 8), a manual
// clock for the timers, and pixel maps of what a control painted.

#include "controls/tabs/QxPageControl.h"
#include "controls/tabs/QxTabButtons.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/rtl/Clock.h"
#include "tests/controls/common/PaintTestSupport.h"

#include <gtest/gtest.h>

class TabTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        ResetKeyboardState();
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 320, 200);
        Form->Font()->SetName(std::getenv("QUENTA_LOOK") ? "Sans" : TestBlockFontName);
        Form->Font()->SetHeight(-8);
    }
    void TearDown() override {
        if (Form) Form->Free();
        Application->ProcessMessages();
        PaintTest::TearDown();
    }
    // A tab control on the form with the given captions.
    TQxTabControl* NewTabs(std::initializer_list<const char*> Captions, TRect Bounds = {0, 0, 300, 100}) {
        auto* t = new TQxTabControl(Form);
        t->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        t->SetParent(Form);
        for (const char* c : Captions) {
            auto* d = new TQxTabData;
            d->Caption = c;
            t->Tabs()->Add(d);
        }
        t->RequestLayout();
        return t;
    }
    void Show() {
        Form->Show();
        Application->ProcessMessages();
    }
    void Run(Cardinal Ms) {
        Clock.Advance(Ms);
        Application->ProcessMessages();
    }
    // Paints the control now; its paint buffer holds the picture.
    static void PaintNow(TQxCustomTabControl* C) {
        C->Invalidate();
        C->Update();
    }
    // The pixels of the control's paint buffer, one letter per colour.
    static std::string BufferMap(TQxCustomTabControl* C, const TLegend& Legend, TRect R) {
        std::string s;
        TCanvas* c = C->PaintBuffer()->Canvas();
        for (int y = R.Top; y < R.Bottom; ++y) {
            for (int x = R.Left; x < R.Right; ++x) {
                const COLORREF p = static_cast<COLORREF>(c->Pixels(x, y));
                char ch = '?';
                for (auto& [color, letter] : Legend)
                    if (ColorToRGB(color) == p) {
                        ch = letter;
                        break;
                    }
                s += ch;
            }
            s += '\n';
        }
        return s;
    }
    // The user moves, presses or releases the mouse over a control.
    void Mouse(TWinControl* W, TMouseAction A, TPoint P, TShiftState Shift = {}, TMouseButton B = mbLeft) {
        MouseInput(W, A, B, Shift, P);
    }
    void Click(TWinControl* W, TPoint P) {
        Mouse(W, maMove, P);
        Mouse(W, maDown, P);
        Mouse(W, maUp, P);
    }
    void Key(Word VK, TShiftState Shift = {}, const String& Text = String()) {
        KeyInput(kaDown, VK, Shift, Text);
        KeyInput(kaUp, VK, Shift);
    }

    TManualClock Clock{1000};
    TScopedClock Scope{&Clock};
    TForm* Form = nullptr;
};
