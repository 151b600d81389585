// The common dialogs answered by a script, the printer and its text file
// printing into PDF files (read back with pdftotext where it is installed),
// the warning beep and the hourglass cursor.
#include "platform/gui/controls/CommonDialogs.h"
#include "platform/gui/controls/Printers.h"
#include "platform/gui/controls/Screen.h"
#include "platform/rtl/Guards.h"
#include "platform/sys/Beep.h"
#include "platform/sys/SysBeep.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace probes;

namespace {

namespace fs = std::filesystem;

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("quenta-printing-" + std::to_string(::getpid()));
        fs::create_directories(Dir);
        Previous = SetPrinter(new TPrinter);
    }
    void TearDown() override {
        delete SetPrinter(Previous);
        if (!std::getenv("KEEP_PDF")) fs::remove_all(Dir);
    }
    String File(const char* Name) const { return (Dir / Name).string(); }

    // The words of a PDF file as pdftotext finds them, in reading order,
    // with their left edges in points; nullopt without pdftotext.
    struct TWord {
        std::string Text;
        double Left;
    };
    static std::optional<std::vector<TWord>> PdfWords(const String& Pdf) {
        if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) return std::nullopt;
        const String out = Pdf + ".html";
        if (std::system(("pdftotext -bbox '" + Pdf + "' '" + out + "'").c_str()) != 0) return std::nullopt;
        std::ifstream in(out);
        std::vector<TWord> words;
        std::string line;
        while (std::getline(in, line)) {
            const size_t x = line.find("xMin=\""), end = line.find("</word>");
            if (x == std::string::npos || end == std::string::npos) continue;
            const size_t text = line.rfind('>', end) + 1;
            words.push_back({line.substr(text, end - text), std::stod(line.substr(x + 6))});
        }
        return words;
    }
    // Pages of a PDF file, counted from its page objects.
    static int PdfPages(const String& Pdf) {
        std::ifstream in(Pdf, std::ios::binary);
        std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (data.rfind("%PDF-", 0) != 0) return -1;
        int pages = 0;
        for (size_t at = data.find("/Type /Page"); at != std::string::npos; at = data.find("/Type /Page", at + 1))
            if (data.compare(at, 12, "/Type /Pages") != 0) ++pages;
        return pages;
    }

    fs::path Dir;
    TPrinter* Previous = nullptr;
};

TEST_F(Printing, FileDialogsAskTheServiceAndAddTheDefaultExtension) {
    TScriptedDialogs dialogs;
    TSaveDialog save(nullptr);
    save.SetTitle("Save Status Report to a File");
    save.SetFilter("Status Report Files|*.txt");
    save.SetFileName("StatusRpt.txt");
    save.SetDefaultExt("txt");
    dialogs.AnswerFile(String("/data/report"));
    dialogs.AnswerFile(String("/data/report.log"));
    dialogs.AnswerFile(std::nullopt);
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), "/data/report.txt");
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), "/data/report.log");
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName(), "/data/report.log");
    EXPECT_FALSE(save.Execute()); // nothing scripted: cancelled

    ASSERT_EQ(dialogs.FileDialogs().size(), 4u);
    const TFileDialogRequest& first = dialogs.FileDialogs()[0];
    EXPECT_EQ(first.Kind, TFileDialogRequest::fdSave);
    EXPECT_EQ(first.Title, "Save Status Report to a File");
    EXPECT_EQ(first.Filter, "Status Report Files|*.txt");
    EXPECT_EQ(first.FileName, "StatusRpt.txt");
    TOpenDialog open(nullptr);
    open.Execute();
    EXPECT_EQ(dialogs.FileDialogs().back().Kind, TFileDialogRequest::fdOpen);
}

TEST_F(Printing, WithoutADisplayTheSystemDialogsAreCancelled) {
    TFileDialogRequest file;
    TPrintDialogRequest print;
    EXPECT_FALSE(SystemDialogService()->ExecuteFileDialog(file));
    EXPECT_FALSE(SystemDialogService()->ExecutePrintDialog(print));
}

TEST_F(Printing, ThePrinterTextFilePrintsLinesIntoTheFileThePrintDialogChose) {
    TScriptedDialogs dialogs;
    TPrintDialog dialog(nullptr);
    dialog.SetOptions({poPrintToFile, poPageNums, poWarning});
    const String pdf = File("results.pdf");
    dialogs.AnswerPrintToFile(pdf);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_TRUE(dialog.PrintToFile());
    EXPECT_EQ(Printer()->OutputFile(), pdf);
    EXPECT_EQ(dialogs.PrintDialogs()[0].Options, (TPrintDialogOptions{poPrintToFile, poPageNums, poWarning}));

    TextFile f;
    AssignPrn(f);
    Rewrite(f);
    Integer blank = 0;
    {
        TScopeExit close([&] { CloseFile(f); });
        Printer()->Canvas()->Font()->SetName("Courier New");
        Printer()->Canvas()->Font()->SetSize(8);
        blank = Printer()->Canvas()->TextWidth(" ");
        Writeln(f, "Plain");
        Writeln(f, "");
        Writeln(f, String(16, ' ') + "Ethernet Quenta:");
    }
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(PdfPages(pdf), 1);
    if (auto words = PdfWords(pdf)) {
        ASSERT_EQ(words->size(), 3u);
        EXPECT_EQ((*words)[0].Text, "Plain");
        EXPECT_EQ((*words)[1].Text, "Ethernet");
        EXPECT_EQ((*words)[2].Text, "Quenta:");
        // Sixteen blanks, in points.
        EXPECT_NEAR((*words)[1].Left - (*words)[0].Left, 16 * blank * 72.0 / 96, 0.5);
    }

    // A long report goes on over as many pages as it needs; an empty one
    // still makes its job, of one empty page.
    const String longPdf = File("long.pdf");
    Printer()->SetOutputFile(longPdf);
    Rewrite(f);
    for (int i = 0; i < 200; ++i) Writeln(f, "line " + IntToStr(i));
    CloseFile(f);
    EXPECT_EQ(PdfPages(longPdf), 3);
    if (auto words = PdfWords(longPdf)) {
        ASSERT_FALSE(words->empty());
        EXPECT_EQ(words->back().Text, "199");
    }
    const String emptyPdf = File("empty.pdf");
    Printer()->SetOutputFile(emptyPdf);
    Rewrite(f);
    CloseFile(f);
    EXPECT_EQ(PdfPages(emptyPdf), 1);
}

TEST_F(Printing, AJobThatCannotStartSaysWhyAndLeavesThePrinterReady) {
    const String bad = File("no-such-folder/out.pdf");
    Printer()->SetOutputFile(bad);
    TextFile f;
    AssignPrn(f);
    try {
        Rewrite(f);
        FAIL() << "the job started";
    } catch (const EPrinter& E) {
        EXPECT_EQ(E.Message,
                  "The file \"" + bad + "\" cannot be written. Choose a file in a folder you may write to.");
    }
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(Printer()->Printing());
    CloseFile(f); // nothing to close
    EXPECT_THROW(Writeln(f, "x"), EInOutError);
    EXPECT_THROW(Printer()->EndDoc(), EPrinter);
    TextFile unassigned;
    EXPECT_THROW(Rewrite(unassigned), EInOutError);

    // The next job, to a good file, prints.
    Printer()->SetOutputFile(File("good.pdf"));
    Rewrite(f);
    Writeln(f, "ok");
    CloseFile(f);
    EXPECT_EQ(PdfPages(File("good.pdf")), 1);
}

TEST_F(Printing, BeepsGoToTheSinkAndTheHourglassShowsAtOnce) {
    std::vector<std::uint32_t> beeps;
    TBeepSink old = SetBeepSink([&](std::uint32_t Type) { beeps.push_back(Type); });
    Beep();
    Beep();
    SetBeepSink(old);
    EXPECT_EQ(beeps, (std::vector<std::uint32_t>{0, 0}));
    // Without a sink of its own, a program with a GUI rings the window
    // system's bell (the GUI application of the test main installed it).
    int rung = 0;
    TWindowBell windowBell = SetWindowBell([&] { ++rung; });
    EXPECT_TRUE(windowBell);
    MessageBeep(MB_ICONHAND);
    Beep();
    SetWindowBell(windowBell);
    EXPECT_EQ(rung, 2);

    Application->Initialize();
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 100, 100);
    auto* box = Make<TWinProbe>(form, "Box", {10, 10, 50, 50});
    box->SetCursor(crHandPoint);
    form->Show();
    MouseInput(form, maMove, mbLeft, {}, {20, 20});
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_HAND);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_WAIT); // without moving the pointer
    Screen->SetCursor(crDefault);
    EXPECT_EQ(CursorIdOf(GetCursor()), IDC_HAND);
    form->Free();
}

} // namespace
