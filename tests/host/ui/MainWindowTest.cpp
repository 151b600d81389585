// The main window in-process, offscreen, with its real controls, against a
// simulated device on loopback (manual clock: the bootloader's pauses cost
// nothing): start-up, the two views, the logo, resizing, the results pane's
// clear, save and print and its lines on screen, the hidden Test menu, the
// options, the IP settings dialog, and the main road driven by mouse events.
#include "host/image/FirmwareFile.h"
#include "host/ops/OwnVersion.h"
#include "host/ui/BLAbout.h"
#include "host/ui/IpDlg.h"
#include "host/ui/Prog.h"
#include "host/ui/dsProgEv4_M.h"
#include "platform/gui/controls/Printers.h"
#include "platform/gui/graphics/Jpeg.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Guards.h"
#include "platform/sys/Shell.h"
#include "tools/devsim/DevSim.h"
#include "tools/devsim/SimDatagram.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The build's dist folder (Settings.ini, logo, sample firmware).
String Dist() { return String(std::getenv("QUENTA_BINARY_DIR")) + "/dist/"; }
constexpr const char* FullViewSettings = "P1=1370582946\nP2=1629047315\nOperatingMode=1\n";

// The bytes of an Intel HEX file by physical address.
std::map<Cardinal, Byte> HexBytes(const String& File) {
    std::map<Cardinal, Byte> bytes;
    std::ifstream in(File);
    Cardinal base = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 11 || line[0] != ':') continue;
        auto byte = [&](size_t i) { return static_cast<Byte>(std::stoul(line.substr(1 + 2 * i, 2), nullptr, 16)); };
        const Byte count = byte(0), type = byte(3);
        const Cardinal address = (byte(1) << 8) | byte(2);
        if (type == 0)
            for (Byte i = 0; i < count; ++i) bytes[base + address + i] = byte(4 + i);
        else if (type == 4)
            base = ((byte(4) << 8) | byte(5)) << 16;
        else if (type == 1)
            break;
    }
    return bytes;
}

// What the screen shows of a control now: its part of its window's picture
// as last painted (nothing is painted for the picture).
QImage Shown(TWinControl* Control) {
    QWidget* w = TWindowAccess::Widget(Control);
    if (!w) return QImage();
    const QPixmap window = QGuiApplication::primaryScreen()->grabWindow(w->window()->winId());
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return window.toImage().copy(QRect(at, w->size()));
}

// The lines of text a memo shows, top to bottom, as the runs of rows that
// hold dark pixels inside its frame and scroll bars; each run with the width
// from the left of the text to its rightmost dark pixel.
struct TInkBand {
    int Top, Bottom, Width;
    bool operator==(const TInkBand&) const = default;
};
std::vector<TInkBand> InkBands(const QImage& Memo) {
    std::vector<TInkBand> bands;
    const int margin = 4, bars = 20;
    for (int y = margin; y < Memo.height() - bars; ++y) {
        int right = -1;
        for (int x = margin; x < Memo.width() - bars; ++x)
            if (qGray(Memo.pixel(x, y)) < 128) right = x;
        if (right < 0) continue;
        if (bands.empty() || bands.back().Bottom != y)
            bands.push_back({y, y + 1, right});
        else
            bands.back() = {bands.back().Top, y + 1, std::max(bands.back().Width, right)};
    }
    return bands;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitEventLoop();
        Application->Initialize();
        SetManualClockGrace(250);
        SetProgramVersionInfo(&HostVersionInfo());
        Folder = fs::temp_directory_path() /
                 ("quenta-main-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        for (const char* f : {"Settings.ini", "Logo.bmp", "Sample.pfw"})
            fs::copy_file(Dist() + f, Folder / f);
        SetProgramFileName((Folder / "Bravik_PIC32E_F512_ENC28J60").string());
        TDevSimOptions o;
        o.BindAddress = "127.0.0.1";
        o.Port = 0;
        o.Quiet = true;
        Sim = std::make_unique<TDevSim>(o);
        Sim->OnDatagram = [this](const Byte* Data, std::size_t Count) {
            std::lock_guard<std::mutex> g(Lock);
            Datagrams.emplace_back(Data, Data + Count);
        };
        Sim->Start();
    }
    void TearDown() override {
        // The windows go as the application frees them: the last made first,
        // so the report agent before the main window.
        if (DataModule1) DataModule1->Close();
        for (TComponent* c : {static_cast<TComponent*>(AboutBox), static_cast<TComponent*>(IpAddrDlg),
                              static_cast<TComponent*>(ProgressForm), static_cast<TComponent*>(DataModule1)})
            if (c) c->Free();
        if (MainForm) MainForm->Free();
        MainForm = nullptr;
        AboutBox = nullptr;
        IpAddrDlg = nullptr;
        ProgressForm = nullptr;
        Sim->Stop();
        SetProgramFileName("");
        SetProgramVersionInfo(nullptr);
        SetManualClockGrace(20);
        std::error_code ec;
        fs::remove_all(Folder, ec);
    }
    // Settings.ini with lines added to [General].
    void General(const String& Lines) {
        std::ifstream in(Folder / "Settings.ini");
        std::stringstream text;
        text << in.rdbuf();
        String s = text.str();
        const auto at = s.find("[General]");
        s.insert(s.find('\n', at) + 1, Lines);
        std::ofstream(Folder / "Settings.ini", std::ios::trunc) << s;
    }
    // Settings.ini with lines added to [Known Devices] (NumDevices replaced).
    void KnownDevices(Integer Count, const String& Lines) {
        std::ifstream in(Folder / "Settings.ini");
        std::stringstream text;
        text << in.rdbuf();
        String s = text.str();
        const auto at = s.find("NumDevices=");
        s.replace(at, s.find('\n', at) - at, "NumDevices=" + IntToStr(Count) + "\n" + Lines);
        std::ofstream(Folder / "Settings.ini", std::ios::trunc) << s;
    }
    // The windows in the program's order, aimed at the simulated device.
    void Make() {
        MainForm = new TMainForm(nullptr);
        DataModule1 = new TDataModule1(nullptr);
        ProgressForm = new TProgressForm(nullptr);
        IpAddrDlg = new TIpAddrDlg(nullptr);
        AboutBox = new TAboutBox(nullptr);
        MainForm->DiscoveryIP = "127.0.0.1";
        MainForm->DiscoveryPort = Sim->Port();
    }
    void Start() {
        Make();
        MainForm->StartUp();
        MainForm->Show();
        ProcessMessages();
    }
    // Runs the event loop until nothing is left to paint: no paint is on its
    // way when the next lines come.
    static void Idle() {
        for (int i = 0; i < 5; ++i)
            ProcessMessages();
    }
    // A click of the left button in the middle of a control, as the user makes it.
    static void Click(TControl* Control) {
        TWinControl* window = dynamic_cast<TWinControl*>(Control) ? static_cast<TWinControl*>(Control)
                                                                   : Control->Parent();
        const TRect r = Control->ClientRect();
        TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        if (window != Control) p = {Control->Left() + p.X, Control->Top() + p.Y};
        MouseInput(window, maDown, mbLeft, {}, p);
        MouseInput(window, maUp, mbLeft, {}, p);
    }
    std::vector<String> Lines() const {
        std::vector<String> v;
        for (Integer i = 0; i < MainForm->ResultsMemo->Lines()->Count(); ++i)
            v.push_back((*MainForm->ResultsMemo->Lines())[i]);
        return v;
    }
    std::vector<std::vector<Byte>> Sent(Byte Command) {
        std::lock_guard<std::mutex> g(Lock);
        std::vector<std::vector<Byte>> out;
        for (const auto& d : Datagrams) {
            devsim::TSimDatagram decoded;
            if (devsim::DecodeDatagram(d.data(), d.size(), decoded) && decoded.Command == Command) out.push_back(d);
        }
        return out;
    }

    TManualClock Clock{100000};
    TScopedClock ScopedClock{&Clock};
    TScriptedMessageBoxes Boxes;
    fs::path Folder;
    std::unique_ptr<TDevSim> Sim;
    std::mutex Lock;
    std::vector<std::vector<Byte>> Datagrams;
};

TEST_F(MainWindowTest, StartUpFindsTheDeviceInTheSimpleView) {
    Start();
    TMainForm* f = MainForm;
    EXPECT_EQ(f->Caption(), "Ethernet Quenta PIC32 Bootloader");
    // The description's client area, widened to the minimum window width.
    EXPECT_EQ(f->ClientHeight(), 527);
    EXPECT_EQ(f->Width(), 593);
    EXPECT_EQ(f->OperatingMode(), 0);
    ASSERT_EQ(f->DeviceIDCombo->Items()->Count(), 1);
    EXPECT_EQ((*f->DeviceIDCombo->Items())[0], "127.0.0.1");
    EXPECT_EQ(f->DeviceIDCombo->ItemIndex(), 0);
    EXPECT_TRUE(f->UpgradeBtn->Enabled());
    // "Upgrade Now" and "Connect" show the upgrade picture, the list's last.
    EXPECT_EQ(f->ImageList1->Count(), 19);
    for (TQxBitBtn* b : {f->UpgradeBtn, f->FixedIP_Btn}) {
        EXPECT_EQ(b->Images(), f->ImageList1) << b->Name();
        EXPECT_EQ(b->ImageIndex(), 18) << b->Name();
    }
    EXPECT_TRUE(f->Menu_Prog->Enabled());
    EXPECT_EQ(f->ResultsMemo->Color(), clWindow);
    EXPECT_EQ(f->ProcessorCombo->Text(), "PIC32MX795F512L");
    EXPECT_TRUE(Boxes.Shown().empty());
    // The simple view: pages without tabs, only File Exit and Program / Run Program.
    for (TQxTabSheet* s : {f->AboutSheet, f->ResultsSheet, f->ROMSheet})
        EXPECT_FALSE(s->TabVisible()) << s->Name();
    EXPECT_EQ(f->MainPageControl->ActivePage(), f->AboutSheet);
    for (TMenuItem* i : {f->File_New, f->File_OpenHex, f->File_OpenFW, f->FileDumpBuffers, f->File_SaveHex,
                         f->File_Print, f->Menu_Options, f->MenuTest, f->Menu_Help, f->Prog_Verify, f->Prog_Read,
                         f->Prog_BlankCheck, f->Prog_Erase, f->Prog_GetTargetInfo, f->Prog_GetBLVersion,
                         f->Prod_MakeProductImage, f->Prog_DumpBuffers})
        EXPECT_FALSE(i->Visible()) << i->Name();
    for (TMenuItem* i : {f->File_Exit, f->Prog_Program, f->Prog_RunCode})
        EXPECT_TRUE(i->Visible()) << i->Name();
}

TEST_F(MainWindowTest, TheFullViewNeedsBothAccessValuesAndIsSetOnce) {
    General(FullViewSettings);
    Start();
    TMainForm* f = MainForm;
    EXPECT_EQ(f->OperatingMode(), 1);
    EXPECT_TRUE(f->AboutSheet->TabVisible());
    EXPECT_TRUE(f->ResultsSheet->TabVisible());
    EXPECT_FALSE(f->ROMSheet->TabVisible());
    EXPECT_EQ(f->MainPageControl->ActivePage(), f->ResultsSheet);
    for (TMenuItem* i : {f->File_New, f->File_OpenHex, f->File_OpenFW, f->File_SaveHex, f->File_Print,
                         f->Menu_Options, f->Menu_Help, f->Prog_Verify, f->Prog_Read, f->Prog_Erase})
        EXPECT_TRUE(i->Visible()) << i->Name();
    EXPECT_FALSE(f->MenuTest->Visible());
    // A second call with the same mode does nothing.
    f->MainPageControl->SetActivePage(f->AboutSheet);
    f->SetOperatingMode(1);
    EXPECT_EQ(f->MainPageControl->ActivePage(), f->AboutSheet);
    // Back to the simple view hides again what the full view showed.
    f->SetOperatingMode(0);
    EXPECT_FALSE(f->ResultsSheet->TabVisible());
    EXPECT_FALSE(f->Menu_Options->Visible());
    EXPECT_FALSE(f->File_OpenHex->Visible());
}

TEST_F(MainWindowTest, OneAccessValueAloneGivesTheSimpleView) {
    General("P1=1370582946\nOperatingMode=1\n");
    Start();
    EXPECT_EQ(MainForm->OperatingMode(), 0);
}

TEST_F(MainWindowTest, TheLogoIsTheBitmapBeforeTheJpegFromTheProgramFolder) {
    const fs::path elsewhere = Folder / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path previous = fs::current_path();
    TScopeExit back([&] { fs::current_path(previous); });
    fs::current_path(elsewhere);
    fs::copy_file(Dist() + "About.jpg", Folder / "Logo.jpg");
    Make();
    EXPECT_NE(dynamic_cast<TBitmap*>(MainForm->Image1->Picture()->Graphic()), nullptr);
    MainForm->Free();
    MainForm = nullptr;
    fs::remove(Folder / "Logo.bmp");
    MainForm = new TMainForm(nullptr);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(MainForm->Image1->Picture()->Graphic()), nullptr);
    EXPECT_EQ(MainForm->Image1->Picture()->Width(), 400);
}

TEST_F(MainWindowTest, ACorruptLogoIsReportedAndTheWindowIsStillBuilt) {
    std::ofstream(Folder / "Logo.bmp", std::ios::trunc) << "BM this is not a bitmap";
    Make();
    ASSERT_EQ(Boxes.Shown().size(), 1u);
    const String text = Boxes.Shown()[0].Text;
    EXPECT_TRUE(text.starts_with("Logo.bmp: Bitmap image is not valid: ")) << text;
    // The rest of FormCreate ran: the results pane's header and the sizes.
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Lines()[0].rfind("Ethernet Quenta:  ", 0), 0u);
    EXPECT_EQ(MainForm->InitialSizes.ResultsWidth, 579);
    MainForm->StartUp();
    EXPECT_EQ(MainForm->DeviceIDCombo->Items()->Count(), 1);
}

// A catalogue entry that cannot be used is told at start in either view,
// naming the entry, the key and the values taken instead.
TEST_F(MainWindowTest, ARejectedCatalogueEntryIsToldInABoxAtStart) {
    KnownDevices(1, "PcuPerIwu00=0\n");
    Start();
    ASSERT_EQ(Boxes.Shown().size(), 1u);
    EXPECT_EQ(Boxes.Shown()[0].DlgType, mtError);
    EXPECT_EQ(Boxes.Shown()[0].Text,
              "Settings.ini, device entry 00 (\"PIC32MX795F512L\"): PcuPerIwu00 = 0 is not a positive number. The "
              "entry is rejected and takes the default values instead (DeviceName \"PIC32MX795F512L\", DeviceID "
              "255).");
}

TEST_F(MainWindowTest, EnlargingTheWindowEnlargesThePagesAndBothMemos) {
    Start();
    TMainForm* f = MainForm;
    const TMainForm::TInitialSizes s = f->InitialSizes;
    f->SetBounds(f->Left(), f->Top(), f->Width() + 40, f->Height() + 30);
    EXPECT_EQ(f->MainPageControl->Width(), s.PageWidth + 40);
    EXPECT_EQ(f->MainPageControl->Height(), s.PageHeight + 30);
    EXPECT_EQ(f->ResultsMemo->Width(), s.ResultsWidth + 40);
    EXPECT_EQ(f->ResultsMemo->Height(), s.ResultsHeight + 30);
    EXPECT_EQ(f->RomMemo->Width(), s.RomWidth + 40);
    EXPECT_EQ(f->RomMemo->Height(), s.RomHeight + 30);
    // As described (569 x 388), widened with the pages to the minimum window width.
    EXPECT_EQ(s.ResultsWidth, 579);
    EXPECT_EQ(s.ResultsHeight, 388);
}

TEST_F(MainWindowTest, ThePagesFillTheClientAreaInEveryView) {
    General(FullViewSettings);
    Start();
    TMainForm* f = MainForm;
    struct TView {
        const char* Name;
        Byte Mode;
        TQxTabSheet* Page;
    };
    const TView views[] = {{"full view, Results", 1, f->ResultsSheet},
                           {"full view, About", 1, f->AboutSheet},
                           {"simple view", 0, f->AboutSheet}};
    for (const TView& v : views) {
        SCOPED_TRACE(v.Name);
        f->SetOperatingMode(v.Mode);
        f->MainPageControl->SetActivePage(v.Page);
        Idle();
        const TRect page = f->MainPageControl->BoundsRect();
        EXPECT_EQ(page, TRect(0, f->Panel1->Height(), f->ClientWidth(), f->QxStatusBar1->Top()));
        // The window's right edge shows the page control's own right edge,
        // below the tabs.
        const QImage window = Shown(f), own = GrabWindow(f->MainPageControl);
        ASSERT_EQ(own.width(), page.Width());
        const int client = TWindowAccess::Widget(f)->height() - f->ClientHeight();
        for (int y = 25; y < page.Height() - 1; y += 7)
            for (int x = 1; x <= 10; ++x)
                ASSERT_EQ(window.pixel(f->ClientWidth() - x, client + page.Top + y), own.pixel(own.width() - x, y))
                    << x << " from the right, " << y << " down the pages";
    }
}

TEST_F(MainWindowTest, ClearSaveAndPrintTheResults) {
    Start();
    TMainForm* f = MainForm;
    f->ClearBtnClick(nullptr);
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Lines()[1], "");
    EXPECT_EQ(Lines()[2], "");
    f->AddResultLine("first line\r\n     indented");
    const std::vector<String> before = Lines();

    TScriptedDialogs dialogs;
    const String report = (Folder / "StatusRpt.txt").string();
    dialogs.AnswerFile(report);
    f->SaveBtnClick(nullptr);
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].Title, "Save Status Report to a File");
    std::ifstream in(report, std::ios::binary);
    std::stringstream saved;
    saved << in.rdbuf();
    String expected;
    for (const String& l : before)
        expected += l + "\n";
    EXPECT_EQ(saved.str(), expected);

    // Printed to a PDF file: every line after sixteen blanks.
    const String pdf = (Folder / "results.pdf").string();
    dialogs.AnswerPrintToFile(pdf);
    f->PrintBtnClick(nullptr);
    EXPECT_FALSE(Printer()->Printing());
    if (std::system("command -v pdftotext >/dev/null 2>&1") == 0) {
        ASSERT_EQ(std::system(("pdftotext -bbox '" + pdf + "' '" + pdf + ".html'").c_str()), 0);
        std::ifstream html(pdf + ".html");
        std::map<std::string, double> left;
        for (std::string line; std::getline(html, line);) {
            const size_t x = line.find("xMin=\""), end = line.find("</word>");
            if (x == std::string::npos || end == std::string::npos) continue;
            const size_t text = line.rfind('>', end) + 1;
            left.emplace(line.substr(text, end - text), std::stod(line.substr(x + 6)));
        }
        ASSERT_TRUE(left.count("first") && left.count("indented") && left.count("line"));
        const double blank = (left["line"] - left["first"]) / 6; // "first " is six characters
        EXPECT_NEAR(left["indented"] - left["first"], 5 * blank, 0.5);
        // The page's left margin: a job printed without blanks.
        const String plain = (Folder / "plain.pdf").string();
        Printer()->SetOutputFile(plain);
        TextFile t;
        AssignPrn(t);
        Rewrite(t);
        Printer()->Canvas()->SetFont(f->ResultsMemo->Font());
        Writeln(t, "first");
        CloseFile(t);
        ASSERT_EQ(std::system(("pdftotext -bbox '" + plain + "' '" + plain + ".html'").c_str()), 0);
        std::ifstream plainHtml(plain + ".html");
        std::string all((std::istreambuf_iterator<char>(plainHtml)), std::istreambuf_iterator<char>());
        const size_t x = all.find("xMin=\"");
        ASSERT_NE(x, std::string::npos);
        EXPECT_NEAR(left["first"] - std::stod(all.substr(x + 6)), 16 * blank, 0.5);
    }
    EXPECT_EQ(Lines(), before);
}

TEST_F(MainWindowTest, ResultLinesAreOnScreenOnceTheEventLoopRan) {
    General(FullViewSettings);
    Start();
    TMainForm* f = MainForm;
    f->ClearBtnClick(nullptr);
    Idle();
    ASSERT_EQ(InkBands(Shown(f->ResultsMemo)).size(), 1u) << "the header line";
    for (int i = 1; i <= 4; ++i)
        f->AddResultLine(String(6 * i, 'W'));
    ProcessMessages();
    const std::vector<TInkBand> bands = InkBands(Shown(f->ResultsMemo));
    ASSERT_EQ(bands.size(), 5u);
    for (std::size_t i = 2; i < bands.size(); ++i)
        EXPECT_GT(bands[i].Width, bands[i - 1].Width) << "line " << i;
}

// Lines arrive while the pane cannot be seen (the window not shown yet, the
// About page in front) and while the user reads further up; each batch ends
// with a line wider than any other, so the widest line shown tells where
// the view is.
TEST_F(MainWindowTest, TheResultsPaneFollowsItsLastLineUnlessTheUserScrolledAway) {
    General(FullViewSettings);
    Make();
    TMainForm* f = MainForm;
    f->StartUp();
    auto add = [&](int Count, int LastWidth) {
        for (int i = 0; i < Count; ++i)
            f->AddResultLine(String(1 + i % 5, 'W'));
        f->AddResultLine(String(LastWidth, 'W'));
    };
    // The last line is the lowest one shown and the widest by far.
    auto lastLineShown = [&] {
        const std::vector<TInkBand> bands = InkBands(Shown(f->ResultsMemo));
        if (bands.size() < 2) return false;
        for (std::size_t i = 0; i + 1 < bands.size(); ++i)
            if (bands[i].Width * 3 > bands.back().Width) return false;
        return true;
    };
    auto showPage = [&](TQxTabSheet* Page) {
        f->MainPageControl->SetActivePage(Page);
        Idle();
    };
    const TPoint middle{f->ResultsMemo->Width() / 2, f->ResultsMemo->Height() / 2};

    add(300, 40);
    f->Show();
    Idle();
    ASSERT_EQ(f->MainPageControl->ActivePage(), f->ResultsSheet);
    EXPECT_TRUE(lastLineShown()) << "lines added before the window was first shown";

    showPage(f->AboutSheet);
    add(300, 50);
    Idle();
    showPage(f->ResultsSheet);
    EXPECT_TRUE(lastLineShown()) << "lines added while the About page was in front";

    f->ResultsMemo->SetFocus(); // the wheel turns the focused control
    MouseWheelInput(f->ResultsMemo, {}, 5 * 120, middle);
    Idle();
    const std::vector<TInkBand> read = InkBands(Shown(f->ResultsMemo));
    ASSERT_FALSE(lastLineShown()) << "the wheel scrolled up";
    add(300, 60);
    Idle();
    EXPECT_EQ(InkBands(Shown(f->ResultsMemo)), read) << "the view stays where the user put it";
    showPage(f->AboutSheet);
    add(300, 60);
    Idle();
    showPage(f->ResultsSheet);
    EXPECT_EQ(InkBands(Shown(f->ResultsMemo)), read) << "also after lines came while the pane was hidden";

    f->ResultsMemo->SetFocus(); // the other page took it
    KeyInput(kaDown, VK_END, {ssCtrl});
    KeyInput(kaUp, VK_END, {ssCtrl});
    Idle();
    add(300, 45);
    Idle();
    EXPECT_TRUE(lastLineShown()) << "back at the end, the pane follows again";
}

TEST_F(MainWindowTest, BlankCheckLinesAreOnScreenOnceTheEventLoopRan) {
    General(FullViewSettings);
    Start();
    TMainForm* f = MainForm;
    f->ClearBtnClick(nullptr);
    Idle();
    f->Prog_BlankCheck->Click();
    ASSERT_EQ(Sim->RequestCount(0x08), 1u);
    ProcessMessages();
    std::size_t written = 0;
    for (const String& l : Lines())
        written += l.find_first_not_of(' ') != String::npos;
    ASSERT_GE(written, 3u); // the header, "Performing Blank Check..." and its verdict
    EXPECT_EQ(InkBands(Shown(f->ResultsMemo)).size(), written);
}

TEST_F(MainWindowTest, ASaveOrPrintThatFailsLeavesTheResultsAsTheyWere) {
    Start();
    TMainForm* f = MainForm;
    f->AddResultLine("keep me");
    const std::vector<String> before = Lines();
    TScriptedDialogs dialogs;
    dialogs.AnswerFile((Folder / "no-such-folder" / "StatusRpt.txt").string());
    EXPECT_ANY_THROW(f->SaveBtnClick(nullptr));
    EXPECT_EQ(Lines(), before);
    dialogs.AnswerPrintToFile((Folder / "no-such-folder" / "results.pdf").string());
    EXPECT_THROW(f->PrintBtnClick(nullptr), EPrinter);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Lines(), before);
}

TEST_F(MainWindowTest, CtrlRightClickOnTheResultsPageRevealsTheTestMenu) {
    General(FullViewSettings);
    Start();
    TMainForm* f = MainForm;
    ASSERT_EQ(f->MainPageControl->ActivePage(), f->ResultsSheet);
    const TPoint inside{300, 418};
    auto press = [&](TMouseButton Button, TShiftState Shift) {
        MouseInput(f->ResultsSheet, maDown, Button, Shift, inside);
        MouseInput(f->ResultsSheet, maUp, Button, Shift, inside);
    };
    press(mbRight, {});
    press(mbLeft, {ssCtrl});
    EXPECT_FALSE(f->MenuTest->Visible());
    press(mbRight, {ssCtrl});
    EXPECT_TRUE(f->MenuTest->Visible());
    EXPECT_TRUE(f->FileDumpBuffers->Visible());
    EXPECT_EQ(f->FileDumpBuffers->Caption(), "D&isplay Buffers");
    press(mbRight, {ssCtrl});
    EXPECT_FALSE(f->MenuTest->Visible());
    EXPECT_FALSE(f->FileDumpBuffers->Visible());
}

TEST_F(MainWindowTest, OptionsInvertOnceAndRunAfterByTheMenuAlone) {
    Start();
    TMainForm* f = MainForm;
    for (TMenuItem* i : {f->Options_RunAfter, f->Options_VerifyAfter, f->Options_DumpAllProgMem, f->Options_ProgMem,
                         f->TestShowOutputReports, f->Test_ShowProgMemDuringVerify}) {
        const bool was = i->Checked();
        i->Click();
        EXPECT_EQ(i->Checked(), !was) << i->Name();
    }
    f->Test_ShowAllOperations->Click();
    EXPECT_TRUE(DataModule1->ShowOperations());
}

TEST_F(MainWindowTest, MouseClicksFindTheDeviceAndUpgradeIt) {
    Start();
    TMainForm* f = MainForm;
    Click(f->FindAllBtn);
    ASSERT_EQ(f->DeviceIDCombo->Items()->Count(), 1);
    EXPECT_EQ(f->DeviceIDCombo->Text(), "127.0.0.1");
    Click(f->UpgradeBtn);
    EXPECT_EQ(f->QxStatusPane1->Caption(), "Upgrade successfully completed! You can exit now.");
    EXPECT_TRUE(Boxes.Shown().empty());
    const auto image = HexBytes(Dist() + "sample/Sample.hex");
    ASSERT_FALSE(image.empty());
    for (const auto& [address, byte] : image) {
        const Cardinal word = Sim->ReadWord(address & ~3u);
        ASSERT_EQ(static_cast<Byte>(word >> (8 * (address & 3))), byte) << std::hex << address;
    }
}

TEST_F(MainWindowTest, AFailedBlockAnsweredNoEndsTheUpgrade) {
    Start();
    Sim->AddFault("failblock:0x9D000200:1");
    Boxes.Answer(mrNo);
    Click(MainForm->UpgradeBtn);
    ASSERT_EQ(Boxes.Shown().size(), 2u);
    EXPECT_EQ(Boxes.Shown()[0].Text,
              "An error occurred when programming the block at address 0x000200. \r\n Would you like to retry?");
    // The simple view's words for the end.
    EXPECT_EQ(Boxes.Shown()[1].Text, "Sorry, we were unable to program your device.  Please contact Technical Support.");
    EXPECT_NE(MainForm->QxStatusPane1->Caption(), "Upgrade successfully completed! You can exit now.");
    EXPECT_EQ(Sim->RequestCount(0x09), 0u);
}

TEST_F(MainWindowTest, AnIncompatibleBootloaderIsToldAtStart) {
    Sim->SetVersion(devsim::ParseSimVersion("3.1.9.9"));
    Start();
    ASSERT_FALSE(Boxes.Shown().empty());
    EXPECT_EQ(Boxes.Shown()[0].Text,
              "Sorry, but the upgrader firmware version 3.1.9.9 in \r\nthe device at IP address 127.0.0.1\r\n"
              "is not compatible with the version 3.2.1.2 of this PC program. \r\n\r\n"
              "Please exit the PC program and contact the manufacturer\r\n"
              "of your device for the correct version.");
    EXPECT_EQ(Boxes.Shown()[0].DlgType, mtError);
    EXPECT_EQ(MainForm->QxStatusPane1->Caption(), "Error: Incompatible firmware version. Please exit.");
}

TEST_F(MainWindowTest, TheIpDialogSendsItsPayloadRemembersItsValuesAndCancelSendsNothing) {
    Start();
    // Cancelled: nothing is sent.
    SetModalFormHook([](TCustomForm* Form) { Form->SetModalResult(mrCancel); });
    TScopeExit unhook([] { SetModalFormHook(nullptr); });
    MainForm->Test_StoreIPClick(nullptr);
    EXPECT_TRUE(Sent(0x31).empty());
    // OK with new values.
    SetModalFormHook([](TCustomForm*) {
        IpAddrDlg->BL_IPAddrEdit->SetAddress("10.1.2.3");
        IpAddrDlg->BL_SubnetMask_Edit->SetAddress("255.255.0.0");
        IpAddrDlg->BL_DNS_IPAddrEdit->SetAddress("10.1.2.1");
        IpAddrDlg->BL_UseDHCPChk->SetChecked(false);
        Click(IpAddrDlg->OkBtn);
    });
    MainForm->Test_StoreIPClick(nullptr);
    const auto sent = Sent(0x31);
    ASSERT_EQ(sent.size(), 1u);
    devsim::TSimDatagram d;
    ASSERT_TRUE(devsim::DecodeDatagram(sent[0].data(), sent[0].size(), d));
    EXPECT_EQ(std::vector<Byte>(d.Payload.begin(), d.Payload.begin() + 13),
              (std::vector<Byte>{10, 1, 2, 3, 10, 1, 2, 1, 255, 255, 0, 0, 0}));
    // The dialog shows the values of its last use.
    std::optional<String> shown;
    SetModalFormHook([&](TCustomForm* Form) {
        shown = IpAddrDlg->BL_IPAddrEdit->Address() + " " + IpAddrDlg->BL_SubnetMask_Edit->Address() + " " +
                IpAddrDlg->BL_DNS_IPAddrEdit->Address() + (IpAddrDlg->BL_UseDHCPChk->Checked() ? " dhcp" : "");
        Form->SetModalResult(mrCancel);
    });
    MainForm->Test_StoreIPClick(nullptr);
    EXPECT_EQ(shown, String("10.1.2.3 255.255.0.0 10.1.2.1"));
}

TEST_F(MainWindowTest, ACommandDuringAnOperationIsRefusedAndClosingWaitsForItsEnd) {
    Start();
    bool closedDuring = true;
    Integer findAllsDuring = -1;
    // The retry question comes in the middle of the upgrade: the user
    // clicks Find All and closes the window meanwhile.
    Sim->AddFault("failblock:0x9D000200:1");
    SetMessageBoxHandler([&](const TMessageBoxRequest&) {
        const Cardinal before = Sim->RequestCount(0x00);
        Click(MainForm->FindAllBtn);
        findAllsDuring = static_cast<Integer>(Sim->RequestCount(0x00) - before);
        MainForm->Close();
        closedDuring = !MainForm->Visible();
        return mrYes;
    });
    TScopeExit restore([] { SetMessageBoxHandler(nullptr); });
    bool destroyed = false;
    const TNotifyEvent destroy = MainForm->OnDestroy;
    MainForm->OnDestroy = [&](TObject* Sender) {
        destroyed = true;
        if (destroy) destroy(Sender);
    };
    MainForm->Prog_BlockProgramClick(nullptr);
    EXPECT_EQ(findAllsDuring, 0);
    EXPECT_FALSE(closedDuring);
    // The upgrade went to its end: the restart, which the device does not
    // answer, reaches it.
    EXPECT_TRUE(Sim->WaitForRequests(0x09, 1, 5000));
    ProcessMessages(); // the window is freed once the loop runs
    EXPECT_TRUE(destroyed);
    MainForm = nullptr;
}

// What the commands refused during an operation must leave alone: what
// the operation uses and what it shows.
struct TWindowState {
    String ImageText;
    bool ImageLoaded;
    std::vector<Integer> ProgramImage;
    String Target, DefaultFirmwareFile;
    Integer ProcessorIndex;
    String ProcessorText;
    std::vector<bool> Checks;
    bool TestMenuShown, ShowOperations;
    std::vector<String> Results;
    std::size_t FileDialogs, PrintDialogs, Boxes, Requests, AboutBoxes, Opened;
    bool operator==(const TWindowState&) const = default;
};

// Counts what would have been opened with the desktop's programs.
struct TCountingOpener : IShellOpener {
    std::size_t Opened = 0;
    bool Open(const String&, String&) override { return ++Opened, true; }
    bool OpenWithHtmHandler(const String&, String&) override { return ++Opened, true; }
};

TEST_F(MainWindowTest, AtTheRetryPromptCommandsThatWouldChangeTheUpgradeDoNothing) {
    General(FullViewSettings);
    KnownDevices(2, "DeviceName01=PIC32MX775F256H\nDeviceID01=0x04307033\nProgBlockSizePcu01=128\n");
    Start();
    TMainForm* f = MainForm;
    ASSERT_EQ(f->ProcessorCombo->Items()->Count(), 2);
    TScriptedDialogs dialogs;
    TMenuItem* const checks[] = {f->Options_EraseFirst, f->Options_BlankCheckFirst, f->Options_VerifyAfter,
                                 f->Options_RunAfter, f->Options_DumpAllProgMem, f->Options_ProgMem,
                                 f->Options_ID_Mem, f->Options_ConfigMem, f->Options_EEPROM_Mem,
                                 f->Test_ShowAllOperations, f->TestShowOutputReports, f->TestShowInputReports,
                                 f->TestShowIP, f->Test_ShowProgMemDuringVerify, f->Test_ShowProdImageMemory};
    std::size_t boxes = 0, aboutBoxes = 0;
    // An about box that is shown closes again at once.
    AboutBox->OnShow = [&](TObject*) {
        ++aboutBoxes;
        AboutBox->SetModalResult(mrOk);
    };
    TCountingOpener opener;
    SetShellOpener(&opener);
    TScopeExit desktop([] { SetShellOpener(nullptr); });
    auto state = [&] {
        TWindowState w;
        TBootloaderHost& h = f->Host();
        w.ImageText = h.Image.Lines.Text();
        w.ImageLoaded = h.Image.Loaded;
        w.ProgramImage = *h.Image.Buffers.Buffer(0);
        w.Target = h.CurrentTarget.DeviceName + "/" + IntToStr(h.CurrentTarget.DeviceID);
        w.DefaultFirmwareFile = f->DefaultFirmwareFile;
        w.ProcessorIndex = f->ProcessorCombo->ItemIndex();
        w.ProcessorText = f->ProcessorCombo->Text();
        for (TMenuItem* i : checks)
            w.Checks.push_back(i->Checked());
        w.TestMenuShown = f->MenuTest->Visible();
        w.ShowOperations = DataModule1->ShowOperations();
        w.Results = Lines();
        w.FileDialogs = dialogs.FileDialogs().size();
        w.PrintDialogs = dialogs.PrintDialogs().size();
        w.Boxes = boxes;
        w.Requests = Sim->RequestCount();
        w.AboutBoxes = aboutBoxes;
        w.Opened = opener.Opened;
        return w;
    };
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"File, New", [&] { f->File_New->Click(); }},
        {"File, Open hex file", [&] { f->File_OpenHex->Click(); }},
        {"File, Open firmware file", [&] { f->File_OpenFW->Click(); }},
        {"File, Save hex file", [&] { f->File_SaveHex->Click(); }},
        {"File, Print", [&] { f->File_Print->Click(); }},
        {"processor list", [&] {
             f->ProcessorCombo->SetFocus();
             KeyInput(kaDown, VK_DOWN, {});
             KeyInput(kaUp, VK_DOWN, {});
         }},
        {"CLEAR Results", [&] { Click(f->ClearBtn); }},
        {"PRINT Results", [&] { Click(f->PrintBtn); }},
        {"SAVE Results", [&] { Click(f->SaveBtn); }},
        {"Find All", [&] { Click(f->FindAllBtn); }},
        {"Connect", [&] { f->FixedIP_Btn->OnClick(f->FixedIP_Btn); }},
        {"Upgrade Now", [&] { Click(f->UpgradeBtn); }},
        {"Program, Program", [&] { f->Prog_Program->Click(); }},
        {"Program, Erase", [&] { f->Prog_Erase->Click(); }},
        {"Test, Store", [&] { f->Test_StoreIP->Click(); }},
        {"Test, Read", [&] { f->Test_ReadIP->Click(); }},
        {"Help, About", [&] { f->HelpAbout->Click(); }},
        {"Help, the maker's web site", [&] { f->HelpVeltrinOnWeb->Click(); }},
        {"Ctrl+A, Delete in the results pane", [&] {
             f->ResultsMemo->SetFocus();
             KeyInput(kaDown, 'A', {ssCtrl});
             KeyInput(kaUp, 'A', {ssCtrl});
             KeyInput(kaDown, VK_DELETE, {});
             KeyInput(kaUp, VK_DELETE, {});
         }},
        {"the Test menu revealed", [&] {
             MouseInput(f->ResultsSheet, maDown, mbRight, {ssCtrl}, {300, 418});
             MouseInput(f->ResultsSheet, maUp, mbRight, {ssCtrl}, {300, 418});
         }},
    };
    bool prompted = false;
    Sim->AddFault("failblock:0x9D000200:1");
    SetMessageBoxHandler([&](const TMessageBoxRequest& Box) {
        ++boxes;
        if (prompted || Box.Text.rfind("An error occurred when programming the block", 0) != 0) return mrNo;
        prompted = true;
        std::vector<std::pair<String, std::function<void()>>> all(std::begin(commands), std::end(commands));
        for (TMenuItem* i : checks)
            all.push_back({i->Name(), [i] { i->Click(); }});
        for (const auto& [name, fire] : all) {
            const TWindowState before = state();
            fire();
            ProcessMessages();
            EXPECT_TRUE(state() == before) << name;
        }
        return mrYes;
    });
    TScopeExit restore([] { SetMessageBoxHandler(nullptr); });
    f->Prog_BlockProgramClick(nullptr);
    ASSERT_TRUE(prompted);
    // The upgrade went on as without the commands: the retry, the verify, the restart.
    EXPECT_EQ(boxes, 1u);
    EXPECT_TRUE(Sim->WaitForRequests(0x09, 1, 5000));
    EXPECT_EQ(f->QxStatusPane1->Caption(), "Upgrade successfully completed! You can exit now.");
    const std::vector<String> lines = Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Retry succeeded."), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  Verify PASSED"), lines.end());
}

} // namespace
