#include "platform/gui/controls/Dialogs.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/WindowSurface.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <iostream>

namespace {

TMessageBoxHandler& Handler() {
    static TMessageBoxHandler handler;
    return handler;
}

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

// "&Yes" as a Qt button text: the accelerator mark is the same.
QString ButtonText(const String& Caption) {
    return QString::fromStdString(Caption);
}

Integer ShowModalBox(const TMessageBoxRequest& Request) {
    const bool noDisplay = !QGuiApplication::instance() || QGuiApplication::platformName() == "offscreen" ||
                           QGuiApplication::platformName() == "minimal";
    if (noDisplay) {
        // Nobody could answer: say what the box said and take its default.
        std::cerr << "[" << Request.Caption << "] " << Request.Text << std::endl;
        return Request.DefaultResult;
    }
    QMessageBox box(IconOf(Request.DlgType), QString::fromStdString(Request.Caption),
                    QString::fromStdString(Request.Text), QMessageBox::NoButton, WindowWidget(Request.Owner));
    std::vector<std::pair<QAbstractButton*, Integer>> buttons;
    for (const auto& b : Request.Buttons) {
        QPushButton* pb = box.addButton(ButtonText(b.Caption), QMessageBox::ActionRole);
        buttons.emplace_back(pb, b.Result);
        if (b.Result == Request.DefaultResult) box.setDefaultButton(pb);
        if (b.Result == Request.CancelResult) box.setEscapeButton(pb);
    }
    box.exec();
    for (const auto& [button, result] : buttons)
        if (box.clickedButton() == button) return result;
    return Request.CancelResult;
}

TMessageBoxRequest::TButton ButtonOf(TMsgDlgBtn B) {
    switch (B) {
    case mbYes:
        return {"&Yes", mrYes};
    case mbNo:
        return {"&No", mrNo};
    case mbOK:
        return {"OK", mrOk};
    case mbCancel:
        return {"Cancel", mrCancel};
    case mbAbort:
        return {"&Abort", mrAbort};
    case mbRetry:
        return {"&Retry", mrRetry};
    case mbIgnore:
        return {"&Ignore", mrIgnore};
    case mbAll:
        return {"&All", mrAll};
    case mbNoToAll:
        return {"N&o to All", mrNoToAll};
    case mbYesToAll:
        return {"Yes to &All", mrYesToAll};
    case mbHelp:
        return {"&Help", mrNone};
    }
    return {"OK", mrOk};
}

} // namespace

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler NewHandler) {
    TMessageBoxHandler old = std::move(Handler());
    Handler() = std::move(NewHandler);
    return old;
}

Integer ShowMessageBox(const TMessageBoxRequest& Request) {
    if (Handler()) return Handler()(Request);
    return ShowModalBox(Request);
}

String MsgDlgCaption(TMsgDlgType DlgType) {
    switch (DlgType) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    case mtCustom:
        break;
    }
    return Application->Title();
}

Integer MessageDlgCaption(const String& Caption, const String& Msg, TMsgDlgType DlgType,
                          TMsgDlgButtons Buttons) {
    TMessageBoxRequest r;
    r.Caption = Caption;
    r.Text = Msg;
    r.DlgType = DlgType;
    for (TMsgDlgBtn b :
         {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp})
        if (Buttons.Contains(b)) r.Buttons.push_back(ButtonOf(b));
    if (r.Buttons.empty()) r.Buttons.push_back(ButtonOf(mbOK));
    auto has = [&](TMsgDlgBtn b) { return Buttons.Contains(b); };
    r.DefaultResult = has(mbOK)      ? mrOk
                      : has(mbYes)   ? mrYes
                      : has(mbRetry) ? mrRetry
                                     : r.Buttons.front().Result;
    r.CancelResult = has(mbCancel) ? mrCancel : has(mbNo) ? mrNo : has(mbOK) ? mrOk : r.Buttons.back().Result;
    r.Owner = ActiveWindowHandle();
    return ShowMessageBox(r);
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer) {
    return MessageDlgCaption(MsgDlgCaption(DlgType), Msg, DlgType, Buttons);
}

void ShowMessage(const String& Msg) {
    MessageDlgCaption(Application->Title(), Msg, mtCustom, {mbOK});
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
