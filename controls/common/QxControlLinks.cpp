#include "controls/common/QxControlLinks.h"

void TQxControlLinks::SetController(TQxFrameController* Value) {
    if (FController) FController->UnregisterControl(FControl);
    FController = Value;
    if (!Value) return;
    Value->FreeNotification(FControl);
    Value->RegisterControl(FControl);
}

void TQxControlLinks::JoinBlinkList() {
    if (FInBlinkList) return;
    NeedBlinkingControlsList()->RegisterControl(FControl);
    FInBlinkList = true;
}

void TQxControlLinks::Leave() {
    SetController(nullptr);
    if (!FInBlinkList) return;
    FInBlinkList = false;
    if (BlinkingControlsList) BlinkingControlsList->UnregisterControl(FControl);
    ReleaseBlinkingControlsList();
}

void TQxControlLinks::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent && AComponent == FController) SetController(nullptr);
}
