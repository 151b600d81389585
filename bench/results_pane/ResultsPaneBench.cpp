// The results pane's load, timed to the screen: lines of 80 characters
// appended to a framed memo one at a time, as the results pane adds them, in
// batches; each batch ends with one pass of the event loop, after which the
// document must hold every line so far (the pass has inserted and painted
// them). The baseline is a bare QPlainTextEdit doing the same in the same
// run, with the memo's font (the text drawn is the same). Prints the time per line for each batch size and the ratio memo /
// bare widget with "met" or "missed" (target: at most 1.5).
#include "controls/edit/QxEdit.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/EventLoop.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTarget = 1.5;

String LineText(int I) {
    char head[32];
    std::snprintf(head, sizeof head, "%6d: ", I);
    String s = head;
    s.resize(80, static_cast<char>('a' + I % 26));
    return s;
}

struct TLoad {
    int Lines;
    int Batch; // lines between two passes of the event loop
};

// Seconds for the load; negative when a pass left lines out of the document.
template <class Append, class Blocks> double Measure(const TLoad& Load, Append&& Add, Blocks&& InDocument) {
    const auto start = Clock::now();
    for (int i = 1; i <= Load.Lines; ++i) {
        Add(LineText(i));
        if (i % Load.Batch != 0 && i != Load.Lines) continue;
        ProcessMessages();
        if (InDocument() < i) return -1;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The font the memo's text is drawn with: the baseline draws with it too.
QFont MemoFont;

double BareWidget(const TLoad& Load) {
    QWidget window;
    window.resize(600, 400);
    auto* edit = new QPlainTextEdit(&window);
    edit->setGeometry(0, 0, 600, 400);
    edit->setReadOnly(true);
    edit->setFont(MemoFont);
    window.show();
    ProcessMessages();
    return Measure(
        Load,
        [&](const String& S) { edit->appendPlainText(QString::fromStdString(S)); },
        [&] { return edit->document()->blockCount(); });
}

double FramedMemo(const TLoad& Load) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 600, 400);
    auto* memo = new TQxMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 600, 400);
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssBoth);
    memo->SetFrameVisible(true);
    form->Show();
    ProcessMessages();
    // The document as the text widget holds it, looked at without asking the
    // memo (which would take the held lines in).
    QPlainTextEdit* edit = TWindowAccess::Widget(memo)->findChild<QPlainTextEdit*>();
    if (edit) MemoFont = edit->font();
    const double seconds =
        Measure(Load, [&](const String& S) { memo->Lines()->Add(S); },
                [&] { return edit ? edit->document()->blockCount() : 0; });
    form->Free();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    Application->Initialize();
    std::printf("results pane: lines of 80 characters appended one at a time, the event loop run after\n"
                "each batch and the lines in the document and painted when it has run\n");
    std::printf("%-26s %14s %14s %8s\n", "", "bare widget", "TQxMemo", "ratio");
    bool met = true;
    for (const TLoad load : {TLoad{2000, 1}, TLoad{10000, 10}, TLoad{50000, 100}}) {
        // Alternate the two, three rounds each, and keep each one's best.
        double bare = 1e9, memo = 1e9;
        bool held = false;
        for (int round = 0; round < 3; ++round) {
            const double m = FramedMemo(load), b = BareWidget(load);
            held = held || m < 0;
            if (b >= 0 && b < bare) bare = b;
            if (m >= 0 && m < memo) memo = m;
        }
        char name[40];
        std::snprintf(name, sizeof name, "%d lines, batches of %d", load.Lines, load.Batch);
        if (held) {
            std::printf("%-26s %11.2f us %14s %8s\n", name, bare * 1e6 / load.Lines, "lines held", "-");
            met = false;
            continue;
        }
        const double ratio = memo / bare;
        met = met && ratio <= kTarget;
        std::printf("%-26s %11.2f us %11.2f us %8.2f\n", name, bare * 1e6 / load.Lines, memo * 1e6 / load.Lines,
                    ratio);
    }
    std::printf("ratio TQxMemo / bare widget at most %.1f: %s\n", kTarget, met ? "met" : "missed");
    return 0;
}
