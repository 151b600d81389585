#pragma once
// The platform's message boxes: the Win32-style MessageBox with MB_ flags
// and ID answers, and the one handler every box goes through (MessageDlg
// and ShowMessage in Dialogs.h build on it).
//
// The default handler shows a modal box and waits for the user; without a
// display (no window system open, or the offscreen platform) nobody could
// answer, so the box is written to standard error as "<Caption>: <Text>"
// and answered with its default button. Tests install
// TScriptedMessageBoxes, which records each box and gives the answers it
// was told.
//
// This part needs no window of the program's own: a program without any
// (the launcher) links it alone and opens the display for its boxes with
// TMessageBoxDisplay.

#include "platform/rtl/Messages.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

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

// A box in the Win32 style: Flags choose buttons (MB_OK ...), icon and
// default button; answers IDOK ... IDNO. An empty caption shows "Error".
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

// The display for the boxes of a program without windows of its own, open
// while this object lives. It opens the window system only when none is
// open yet and a display is named: QT_QPA_PLATFORM (other than offscreen or
// minimal), else WAYLAND_DISPLAY, else DISPLAY. A named display that does
// not answer leaves the boxes on standard error; the window system's own
// complaints about it are not shown.
class TMessageBoxDisplay {
public:
    TMessageBoxDisplay();
    ~TMessageBoxDisplay();
    TMessageBoxDisplay(const TMessageBoxDisplay&) = delete;
    TMessageBoxDisplay& operator=(const TMessageBoxDisplay&) = delete;

private:
    struct TData;
    std::unique_ptr<TData> FData;
};
