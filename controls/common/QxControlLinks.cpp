#include "controls/common/QxControlLinks.h"
#include "platform/gui/graphics/ImgList.h"

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

void LinkImageList(TComponent* Control, TCustomImageList*& Images, TCustomImageList* Value, TChangeLink* Link) {
    if (Images) Images->UnRegisterChanges(Link);
    Images = Value;
    if (!Value) return;
    Value->RegisterChanges(Link);
    Value->FreeNotification(Control);
}
