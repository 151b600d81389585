#include "platform/gui/boxes/MessageBoxes.h"
#include "platform/gui/boxes/BoxOwners.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TMessageBoxHandler& Handler() {
    static TMessageBoxHandler handler;
    return handler;
}

TBoxOwnerWidget gOwnerWidget = nullptr;

QMessageBox::Icon IconOf(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    case mtCustom:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

bool NoDisplay(const QString& Platform) {
    return Platform == "offscreen" || Platform == "minimal";
}

Integer ShowModalBox(const TMessageBoxRequest& Request) {
    if (!QGuiApplication::instance() || NoDisplay(QGuiApplication::platformName())) {
        // Nobody could answer: say what the box said and take its default.
        const String line = Request.Caption + ": " + Request.Text + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
        return Request.DefaultResult;
    }
    QWidget* parent = gOwnerWidget && Request.Owner ? gOwnerWidget(Request.Owner) : nullptr;
    QMessageBox box(IconOf(Request.DlgType), QString::fromStdString(Request.Caption),
                    QString::fromStdString(Request.Text), QMessageBox::NoButton, parent);
    std::vector<std::pair<QAbstractButton*, Integer>> buttons;
    for (const auto& b : Request.Buttons) {
        // "&Yes" as a Qt button text: the accelerator mark is the same.
        QPushButton* pb = box.addButton(QString::fromStdString(b.Caption), QMessageBox::ActionRole);
        buttons.emplace_back(pb, b.Result);
        if (b.Result == Request.DefaultResult) box.setDefaultButton(pb);
        if (b.Result == Request.CancelResult) box.setEscapeButton(pb);
    }
    box.exec();
    for (const auto& [button, result] : buttons)
        if (box.clickedButton() == button) return result;
    return Request.CancelResult;
}

// The window system platforms to try for the display that is named, best
// first, ending in offscreen: a display that does not answer then means "no
// display" instead of the window system's fatal error. Empty when no
// display is named.
std::string DisplayPlatforms() {
    auto named = [](const char* Name) {
        const char* v = std::getenv(Name);
        return v && *v ? std::string(v) : std::string();
    };
    const std::string chosen = named("QT_QPA_PLATFORM");
    if (!chosen.empty()) {
        const std::string first = chosen.substr(0, chosen.find(';'));
        return NoDisplay(QString::fromStdString(first)) ? std::string() : chosen + ";offscreen";
    }
    if (!named("WAYLAND_DISPLAY").empty()) return "wayland;xcb;offscreen";
    if (!named("DISPLAY").empty()) return "xcb;offscreen";
    return {};
}

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void SetMessageBoxOwnerWidgets(TBoxOwnerWidget Lookup) {
    gOwnerWidget = Lookup;
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler NewHandler) {
    TMessageBoxHandler old = std::move(Handler());
    Handler() = std::move(NewHandler);
    return old;
}

Integer ShowMessageBox(const TMessageBoxRequest& Request) {
    if (Handler()) return Handler()(Request);
    return ShowModalBox(Request);
}

Integer MessageBox(HWND Wnd, const String& Text, const String& Caption, Cardinal Flags) {
    TMessageBoxRequest r;
    r.Caption = Caption.empty() ? String("Error") : Caption;
    r.Text = Text;
    r.Owner = Wnd;
    switch (Flags & 0x0F) {
    case MB_OKCANCEL:
        r.Buttons = {{"OK", IDOK}, {"Cancel", IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        r.Buttons = {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        r.Buttons = {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
        break;
    case MB_YESNO:
        r.Buttons = {{"&Yes", IDYES}, {"&No", IDNO}};
        break;
    case MB_RETRYCANCEL:
        r.Buttons = {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
        break;
    default:
        r.Buttons = {{"OK", IDOK}};
        break;
    }
    switch (Flags & 0xF0) {
    case MB_ICONHAND:
        r.DlgType = mtError;
        break;
    case MB_ICONQUESTION:
        r.DlgType = mtConfirmation;
        break;
    case MB_ICONEXCLAMATION:
        r.DlgType = mtWarning;
        break;
    case MB_ICONASTERISK:
        r.DlgType = mtInformation;
        break;
    default:
        r.DlgType = mtCustom;
        break;
    }
    size_t def = (Flags & 0xF00) >> 8;
    r.DefaultResult = r.Buttons[def < r.Buttons.size() ? def : 0].Result;
    // Escape answers Cancel where there is one; a box without Cancel (or with
    // a single button) answers that button. Yes/No and Abort/Retry/Ignore
    // boxes cannot be escaped; closing them gives their default.
    r.CancelResult = r.Buttons.size() == 1 ? r.Buttons[0].Result : r.DefaultResult;
    for (const auto& b : r.Buttons)
        if (b.Result == IDCANCEL) r.CancelResult = IDCANCEL;
    return ShowMessageBox(r);
}

// ================================================================ scripted answers

TScriptedMessageBoxes::TScriptedMessageBoxes() {
    FPrevious = SetMessageBoxHandler([this](const TMessageBoxRequest& R) {
        FShown.push_back(R);
        if (FAnswers.empty()) return R.DefaultResult;
        Integer a = FAnswers.front();
        FAnswers.pop_front();
        return a;
    });
}

TScriptedMessageBoxes::~TScriptedMessageBoxes() {
    SetMessageBoxHandler(std::move(FPrevious));
}

// ================================================================ the display of a windowless program

struct TMessageBoxDisplay::TData {
    // The application keeps the argument count and vector it was given.
    std::string Program = "program", Flag = "-platform", Platforms;
    char* Argv[4] = {Program.data(), Flag.data(), nullptr, nullptr};
    int Argc = 3;
    QtMessageHandler Previous = nullptr;
    std::unique_ptr<QApplication> App;
};

TMessageBoxDisplay::TMessageBoxDisplay() {
    if (QCoreApplication::instance()) return;
    std::string platforms = DisplayPlatforms();
    if (platforms.empty()) return;
    FData = std::make_unique<TData>();
    FData->Platforms = std::move(platforms);
    FData->Argv[2] = FData->Platforms.data();
    FData->Previous = qInstallMessageHandler(Quiet);
    FData->App = std::make_unique<QApplication>(FData->Argc, FData->Argv);
}

TMessageBoxDisplay::~TMessageBoxDisplay() {
    if (!FData) return;
    FData->App.reset();
    qInstallMessageHandler(FData->Previous);
}
