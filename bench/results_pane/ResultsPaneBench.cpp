// The results pane's load: 50,000 lines of 80 characters appended to a
// framed memo one line at a time, as the results pane adds them, then a
// scroll to the end; against the same appends to a bare QPlainTextEdit in
// the same run, once without the event loop running and once with it run
// every 100 lines. Prints the time per line at 10k, 25k and 50k lines
// (growth must stay linear) and the ratio memo / bare widget (target: at
// most 1.5, and the whole load under a second).
#include "controls/edit/QxEdit.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/Forms.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLines = 50000;
constexpr int kMarks[] = {10000, 25000, 50000};

String LineText(int I) {
    char head[32];
    std::snprintf(head, sizeof head, "%6d: ", I);
    String s = head;
    s.resize(80, static_cast<char>('a' + I % 26));
    return s;
}

struct TRun {
    double Marks[3] = {0, 0, 0}; // seconds after each mark
    double Total = 0;            // with the scroll to the end
};

// At each mark the view scrolls to the end, so every line so far is in the
// document and laid out. With PumpEvery the event loop runs after that many
// lines, as it does between the steps of an operation that reports them.
template <class Append, class ScrollToEnd> TRun Measure(Append&& Add, ScrollToEnd&& End, int PumpEvery) {
    TRun run;
    const auto start = Clock::now();
    int mark = 0;
    for (int i = 1; i <= kLines; ++i) {
        Add(LineText(i));
        if (PumpEvery && i % PumpEvery == 0) QApplication::processEvents();
        if (i == kMarks[mark]) {
            End();
            run.Marks[mark++] = std::chrono::duration<double>(Clock::now() - start).count();
        }
    }
    QApplication::processEvents();
    run.Total = std::chrono::duration<double>(Clock::now() - start).count();
    return run;
}

TRun BareWidget(int PumpEvery) {
    QWidget window;
    window.resize(600, 400);
    auto* edit = new QPlainTextEdit(&window);
    edit->setGeometry(0, 0, 600, 400);
    edit->setReadOnly(true);
    window.show();
    return Measure([&](const String& S) { edit->appendPlainText(QString::fromStdString(S)); },
                   [&] { edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum()); }, PumpEvery);
}

TRun FramedMemo(int PumpEvery) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 600, 400);
    auto* memo = new TQxMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 600, 400);
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssBoth);
    memo->SetFrameVisible(true);
    form->Show();
    TRun run = Measure([&](const String& S) { memo->Lines()->Add(S); },
                       [&] { memo->Perform(EM_LINESCROLL, 0, memo->Lines()->Count()); }, PumpEvery);
    form->Free();
    return run;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    Application->Initialize();
    std::printf("results pane: %d lines of 80 characters, appended one at a time\n", kLines);
    std::printf("%-34s %12s %12s %12s %10s\n", "", "10k lines", "25k lines", "50k lines", "total");
    auto row = [](const char* Name, const TRun& R) {
        std::printf("%-34s", Name);
        for (int i = 0; i < 3; ++i) std::printf(" %9.2f us", R.Marks[i] * 1e6 / kMarks[i]);
        std::printf(" %8.3f s\n", R.Total);
    };
    // Alternate the two, three rounds each, and keep each one's best.
    for (int pump : {0, 100}) {
        TRun bare, memo;
        bare.Total = memo.Total = 1e9;
        for (int round = 0; round < 3; ++round) {
            TRun b = BareWidget(pump), m = FramedMemo(pump);
            if (b.Total < bare.Total) bare = b;
            if (m.Total < memo.Total) memo = m;
        }
        std::printf("%s\n", pump ? "event loop run every 100 lines:" : "no event loop while appending:");
        row("  bare QPlainTextEdit", bare);
        row("  TQxMemo Lines.Add", memo);
        std::printf("  ratio TQxMemo / bare: %.2f (target at most 1.5); TQxMemo total %.3f s (target under 1 s)\n",
                    memo.Total / bare.Total, memo.Total);
        std::printf("  per-line growth 10k -> 50k: bare %.2f, TQxMemo %.2f (1.0 is linear)\n",
                    (bare.Marks[2] / kMarks[2]) / (bare.Marks[0] / kMarks[0]),
                    (memo.Marks[2] / kMarks[2]) / (memo.Marks[0] / kMarks[0]));
    }
    return 0;
}
