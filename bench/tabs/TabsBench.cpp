// The page control with 40 pages, in each tab style, multi-line and
// scrolled in one line: the time of a full layout, of a full repaint and
// of a hot-track move across the strip (the move alone, and with the
// repaint it asks for), with the region cache's hit rate. The baseline,
// measured in the same run, is the least a repaint must do: filling a
// bitmap of the control's size and copying it to the window.
// Targets: a repaint under 2 ms and a hot-track move under 0.3 ms. A
// benchmark only prints; it never fails on a time.
#include "controls/tabs/QxPageControl.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/rtl/EventLoop.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

template <class F> double MillisecondsPer(int Count, F Work) {
    const auto start = Clock::now();
    for (int i = 0; i < Count; ++i)
        Work(i);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / Count;
}

const char* StyleName(TQxTabStyle S) {
    static const char* names[] = {"single slant", "double slant", "cut corner", "round corners", "back slant",
                                  "square corners"};
    return names[S];
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InitEventLoop();
    Application->Initialize();

    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 640, 480);
    form->Show();

    // Baseline: fill a bitmap of the control's size and copy it to the window.
    TBitmap scratch(600, 400);
    const double baseline = MillisecondsPer(200, [&](int) {
        scratch.Canvas()->Brush()->SetColor(clBtnFace);
        scratch.Canvas()->FillRect(TRect(0, 0, 600, 400));
        BitBlt(form->Canvas()->Handle(), 0, 0, 600, 400, scratch.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
    std::printf("baseline (fill and copy 600 x 400): %.3f ms\n\n", baseline);
    std::printf("%-15s %-10s %9s %9s %9s %9s %9s %8s\n", "style", "strip", "layout", "repaint", "x base", "move",
                "move+pnt", "hits");

    for (int style = 0; style < 6; ++style)
        for (int multi = 1; multi >= 0; --multi) {
            auto* pc = new TQxPageControl(form);
            pc->SetBounds(0, 0, 600, 400);
            pc->SetParent(form);
            pc->SetTabStyle(static_cast<TQxTabStyle>(style));
            pc->SetMultiLine(multi != 0);
            for (int i = 0; i < 40; ++i) {
                auto* s = new TQxTabSheet(form);
                s->SetCaption("Page " + IntToStr(i + 1));
                s->SetPageControl(pc);
            }
            pc->SetActivePage(pc->Pages(multi ? 25 : 20));
            Application->ProcessMessages();

            const double layout = MillisecondsPer(100, [&](int) {
                pc->SetLayoutNeeded(true);
                pc->LayoutIfNeeded();
            });
            const double repaint = MillisecondsPer(100, [&](int) {
                pc->Invalidate();
                pc->Update();
            });
            // Across the strip's first row, 1,000 moves back and forth.
            const TRect area = pc->TabArea();
            const Integer y = area.Bottom - pc->FixedDimension() / 2;
            auto x = [&](int i) { return 2 + (i * 7) % (area.Width() - 4); };
            pc->RegionCache()->Hits = pc->RegionCache()->Misses = 0;
            const double move = MillisecondsPer(1000, [&](int i) { MouseInput(pc, maMove, mbLeft, {}, {x(i), y}); });
            const double hits = 100.0 * static_cast<double>(pc->RegionCache()->Hits) /
                                static_cast<double>(std::max<Int64>(1, pc->RegionCache()->Hits + pc->RegionCache()->Misses));
            const double movePaint = MillisecondsPer(1000, [&](int i) {
                MouseInput(pc, maMove, mbLeft, {}, {x(i + 3), y});
                pc->Update();
            });
            std::printf("%-15s %-10s %7.3f ms %6.3f ms %8.1f %6.4f ms %6.3f ms %7.1f%%\n",
                        StyleName(static_cast<TQxTabStyle>(style)), multi ? "multi-line" : "scrolled", layout,
                        repaint, repaint / baseline, move, movePaint, hits);
            pc->Free();
            Application->ProcessMessages();
        }
    std::printf("\ntargets: repaint < 2 ms, move < 0.3 ms\n");
    form->Free();
    Application->ProcessMessages();
    return 0;
}
