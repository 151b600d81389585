#pragma once
// Message boxes: MessageDlg with its dialog types and buttons and
// ShowMessage, over the platform's boxes (MessageBoxes.h: the Win32-style
// MessageBox, the one handler every box goes through, and the scripted
// boxes of tests).

#include "platform/gui/boxes/MessageBoxes.h"
#include "platform/rtl/Types.h"

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
