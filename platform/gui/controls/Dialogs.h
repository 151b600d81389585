#pragma once
// Message boxes: MessageDlg with its dialog types and buttons, ShowMessage,
// and the Win32-style MessageBox with MB_ flags and ID answers.
//
// Every box goes through one handler. The default shows a modal box and
// waits for the user; on a display-less platform (offscreen) nobody could
// answer, so the box is written to standard error and answered with its
// default button. Tests install TScriptedMessageBoxes, which records each
// box and gives the answers it was told.

#include "platform/rtl/Messages.h"
#include "platform/rtl/Types.h"

#include <deque>
#include <functional>

// Modal results (also the answers of MessageDlg).
using TModalResult = Integer;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// MessageBox styles and answers.
inline constexpr Cardinal MB_OK = 0x0000;
inline constexpr Cardinal MB_OKCANCEL = 0x0001;
inline constexpr Cardinal MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr Cardinal MB_YESNOCANCEL = 0x0003;
inline constexpr Cardinal MB_YESNO = 0x0004;
inline constexpr Cardinal MB_RETRYCANCEL = 0x0005;
inline constexpr Cardinal MB_ICONHAND = 0x0010;
inline constexpr Cardinal MB_ICONERROR = MB_ICONHAND;
inline constexpr Cardinal MB_ICONSTOP = MB_ICONHAND;
inline constexpr Cardinal MB_ICONQUESTION = 0x0020;
inline constexpr Cardinal MB_ICONEXCLAMATION = 0x0030;
inline constexpr Cardinal MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr Cardinal MB_ICONASTERISK = 0x0040;
inline constexpr Cardinal MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr Cardinal MB_DEFBUTTON1 = 0x0000;
inline constexpr Cardinal MB_DEFBUTTON2 = 0x0100;
inline constexpr Cardinal MB_DEFBUTTON3 = 0x0200;
inline constexpr Cardinal MB_APPLMODAL = 0x0000;
inline constexpr Cardinal MB_SYSTEMMODAL = 0x1000;
inline constexpr Cardinal MB_TASKMODAL = 0x2000;
inline constexpr Integer IDOK = 1;
inline constexpr Integer IDCANCEL = 2;
inline constexpr Integer IDABORT = 3;
inline constexpr Integer IDRETRY = 4;
inline constexpr Integer IDIGNORE = 5;
inline constexpr Integer IDYES = 6;
inline constexpr Integer IDNO = 7;

// One box as the handler sees it. Buttons are listed in the order shown,
// each with the answer it gives.
struct TMessageBoxRequest {
    String Caption;
    String Text;
    TMsgDlgType DlgType = mtCustom;
    struct TButton {
        String Caption; // "&Yes", "OK", ...
        Integer Result;
    };
    std::vector<TButton> Buttons;
    Integer DefaultResult = 0; // what Enter gives
    Integer CancelResult = 0;  // what Escape or closing the box gives
    HWND Owner = 0;
};
using TMessageBoxHandler = std::function<Integer(const TMessageBoxRequest& Request)>;

// Installs the handler of all boxes; answers the previous one. A null
// handler restores the default.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler);
// Shows a box through the current handler.
Integer ShowMessageBox(const TMessageBoxRequest& Request);

// The dialog's own caption: "Warning", "Error", "Information", "Confirm",
// or the application's title for mtCustom.
String MsgDlgCaption(TMsgDlgType DlgType);
// A box with the text, an icon of the type and the buttons in the
// framework's order; the default button is OK, else Yes, else Retry, else the
// first; Escape gives Cancel, else No, else OK. Answers a modal result.
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx = 0);
// MessageDlg with its own caption.
Integer MessageDlgCaption(const String& Caption, const String& Msg, TMsgDlgType DlgType,
                          TMsgDlgButtons Buttons);
// An information box with an OK button under the application's title.
void ShowMessage(const String& Msg);
// A box in the Win32 style: Flags choose buttons (MB_OK ...), icon and
// default button; answers IDOK ... IDNO.
Integer MessageBox(HWND Wnd, const String& Text, const String& Caption, Cardinal Flags);

// Records every box and answers from a script, for tests. A box with no
// scripted answer left gets its default answer. Restores the previous
// handler when it goes.
class TScriptedMessageBoxes {
public:
    TScriptedMessageBoxes();
    ~TScriptedMessageBoxes();
    TScriptedMessageBoxes(const TScriptedMessageBoxes&) = delete;
    TScriptedMessageBoxes& operator=(const TScriptedMessageBoxes&) = delete;

    // The answer to give to the next unanswered box.
    void Answer(Integer Result) { FAnswers.push_back(Result); }
    const std::vector<TMessageBoxRequest>& Shown() const { return FShown; }
    void Clear() { FShown.clear(); }

private:
    std::deque<Integer> FAnswers;
    std::vector<TMessageBoxRequest> FShown;
    TMessageBoxHandler FPrevious;
};
