#include "platform/gui/controls/Dialogs.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/WindowSurface.h"

namespace {

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
