#pragma once
// Tests of the panel, status, progress and separator controls: a shown,
// borderless form with the test colour table, classic theme services and
// the fixed-metrics test font, on which controls are placed, painted into
// a bitmap and read from form descriptions.

#include "tests/controls/common/PaintTestSupport.h"

#include "platform/forms/Reader.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/WindowServices.h"

// Records what a form asks of the desktop when it is to be sized.
class TRecordingWindowServices : public TWindowServices {
public:
    bool StartSystemResize(TCustomForm* Form, Integer Edge) override {
        Calls.push_back({Form, Edge});
        return true;
    }
    std::vector<std::pair<TCustomForm*, Integer>> Calls;
};

class ControlTest : public PaintTest {
protected:
    void SetUp() override {
        PaintTest::SetUp();
        SetThemeServices(ClassicThemeServices());
        SetWindowServices(&Services);
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, 200);
        Form->SetColor(clBtnFace);
        Form->Font()->SetName(TestBlockFontName);
        Form->Font()->SetHeight(-13); // cells 13 high, characters 6 wide
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
        SetWindowServices(nullptr);
        SetThemeServices(nullptr);
        PaintTest::TearDown();
    }
    template <class T> T* Make(TWinControl* Parent, TRect Bounds) {
        T* c = new T(Form);
        c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        c->SetParent(Parent);
        return c;
    }
    // The control as painted on its parent, into the test bitmap.
    TCanvas* Snapshot(TControl* C) {
        TWinControl* w = dynamic_cast<TWinControl*>(C);
        TCanvas* canvas = NewCanvas(C->Width(), C->Height());
        if (w)
            w->PaintTo(canvas->Handle(), 0, 0);
        else
            C->Parent()->PaintTo(canvas->Handle(), -C->Left(), -C->Top());
        return canvas;
    }
    // Reads components into the form from a description of its children,
    // after the form's own properties (FormLines) when given.
    void Read(const String& Children, const String& FormLines = "") {
        ReadComponentText(Form, "object Form: TForm\n" + FormLines + Children + "end\n", "Test.dfm",
                          &TForm::ClassInfo());
    }
    TForm* Form = nullptr;
    TRecordingWindowServices Services;
};
