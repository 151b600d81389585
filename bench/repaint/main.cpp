// A full repaint of the main window (every control painted again, as after
// the window was uncovered), offscreen, with the results pane holding 5,000
// lines, against the same repaint of a bare form with one button: the median
// of many repaints of each, and their ratio.
//
//   repaint_bench [repaints, default 200]
//
// Target: the main window's full repaint within 5 ms.
//
// The program's folder is this benchmark's, where Settings.ini and the logo
// are missing: the window shows no logo, which does not change the repaint
// of the results page.

#include "controls/common/QxCommon.h"
#include "host/main/HostWindows.h"
#include "host/ops/OwnVersion.h"
#include "host/ui/dsProgEv4_M.h"
#include "platform/gui/controls/GuiApplication.h"
#include "platform/gui/controls/WindowSurface.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* kBareForm = R"(object BareForm: TForm
  Caption = 'Bare'
  ClientHeight = 120
  ClientWidth = 200
  object Button: TQxButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Caption = 'OK'
  end
end
)";

// Marks Control and every window in it for painting, then paints them.
void RepaintAll(TWinControl* Control) {
    Control->Invalidate();
    for (Integer i = 0; i < Control->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(Control->Controls(i))) RepaintAll(w);
    Control->Update();
}

// Median milliseconds of Count full repaints of Form: every control paints
// again, and the window with the text widgets in it is drawn as shown.
double MedianRepaint(TCustomForm* Form, int Count) {
    std::vector<double> ms;
    for (int i = 0; i < Count; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        RepaintAll(Form);
        GrabWindow(Form);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TGuiApplication gui(argc, argv);
    InitQxCommon();
    Application->Initialize();

    RegisterClass(TQxButton::ClassInfo());
    auto* bare = new TForm(Application);
    bare->InitializeForm(kBareForm, "BareForm.dfm");
    bare->Show();

    // The main window in the full view, on its results page, as the
    // program makes it (without its start-up step: no device is needed).
    SetProgramVersionInfo(&HostVersionInfo());
    CreateHostWindows();
    MainForm->SetOperatingMode(1);
    for (int i = 0; i < 5000; ++i)
        MainForm->AddResultLine(Format("  Line %d: + + + Device[1] with ID = 0x1  has PeerIP = 127.0.0.1. + + +", {i}));
    MainForm->Show();
    Application->ProcessMessages();

    const double b = MedianRepaint(bare, count);
    const double m = MedianRepaint(MainForm, count);
    std::printf("full repaint, median of %d (ms):\n", count);
    std::printf("  bare form                        %8.3f   (baseline)\n", b);
    std::printf("  main window, 5,000 result lines  %8.3f   %6.2f x baseline   (target <= 5 ms)\n", m, m / b);
    return 0;
}
