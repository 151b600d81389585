// 10,000 Percent changes 0 -> 100 repeated on a progress bar, each followed
// by the immediate repaint the host's progress window does, on a shown
// offscreen form; and 10,000 status pane caption changes, each repainted at
// once as the host does before a long step. Both against filling the same
// rectangle of the form's window with one FillRect, measured in the same run.
//
//   progress_bench
//
// Targets: one progress update under 100 us, one caption change with its
// repaint under 200 us on this machine.

#include "controls/progress/QxPrgres.h"
#include "controls/status/QxStatus.h"
#include "controls/status/QxStatusBar.h"
#include "platform/gui/controls/Forms.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr int Updates = 10000;

// The best of a few runs, in microseconds per update.
template <class F> double BestUsPerUpdate(F&& Work) {
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto t0 = SteadyClock::now();
        for (int i = 0; i < Updates; ++i)
            Work(i);
        const double us = std::chrono::duration<double, std::micro>(SteadyClock::now() - t0).count();
        best = std::min(best, us / Updates);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Application->Initialize();

    TForm* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 420, 120);
    auto* bar = new TQxProgressBar(form);
    bar->SetBounds(10, 40, 400, 24);
    bar->SetParent(form);
    auto* status = new TQxStatusBar(form);
    status->SetParent(form);
    auto* pane = new TQxStatusPane(status);
    pane->SetBounds(0, 0, 300, 19);
    pane->SetParent(status);
    form->Show();
    Application->ProcessMessages();

    HDC dc = GetDC(form->Handle());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnFace));
    const TRect barRect = bar->BoundsRect();
    const double fill = BestUsPerUpdate([&](int) { FillRect(dc, &barRect, brush); });
    const double progress = BestUsPerUpdate([&](int i) {
        bar->SetPercent(static_cast<Word>(i % 101));
        bar->Update();
    });
    const String captions[2] = {"Programming block 0x9D001000 ...", "Verifying block 0x9D001000 ..."};
    const double caption = BestUsPerUpdate([&](int i) {
        pane->SetCaption(captions[i % 2]);
        pane->Update();
    });
    DeleteObject(AsGdiObj(brush));
    ReleaseDC(form->Handle(), dc);
    form->Free();

    std::printf("progress bar, %d updates (Percent 0..100 repeated, repainted at once)\n", Updates);
    std::printf("  FillRect of the bar's rectangle   %8.2f us\n", fill);
    std::printf("  Percent change and repaint        %8.2f us   %6.1fx FillRect   (target < 100 us)\n", progress,
                progress / fill);
    std::printf("  status caption change and repaint %8.2f us   %6.1fx FillRect   (target < 200 us)\n", caption,
                caption / fill);
    return 0;
}
