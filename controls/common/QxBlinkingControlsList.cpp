#include "controls/common/QxBlinkingControlsList.h"

TQxBlinkingControlsList* BlinkingControlsList = nullptr;

namespace {

// Hears of every registered control that is freed and takes it off the
// list, whether the control unregistered or not.
class TControlWatch : public TComponent {
public:
    explicit TControlWatch(TQxBlinkingControlsList* AList) : TComponent(nullptr), FList(AList) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent->HasState(csDestroying))
            if (auto* control = dynamic_cast<TControl*>(AComponent))
                while (FList->IsRegistered(control))
                    FList->UnregisterControl(control);
    }

private:
    TQxBlinkingControlsList* FList;
};

} // namespace

TQxBlinkingControlsList::TQxBlinkingControlsList() : FControls(new TList), FWatch(new TControlWatch(this)) {
    FTimer = new TTimer(nullptr);
    FTimer->SetInterval(FIntervalOff);
    FTimer->OnTimer = [this](TObject* Sender) { Tick(Sender); };
    FTimer->SetEnabled(true);
}

TQxBlinkingControlsList::~TQxBlinkingControlsList() {
    FreeAndNil(FWatch);
    FreeAndNil(FTimer);
    FreeAndNil(FControls);
}

void TQxBlinkingControlsList::RegisterControl(TControl* Control) {
    FControls->Add(Control);
    Control->FreeNotification(FWatch);
}

void TQxBlinkingControlsList::UnregisterControl(TControl* Control) {
    Integer index = FControls->IndexOf(Control);
    if (index >= 0) FControls->Delete(index);
}

Integer TQxBlinkingControlsList::Count() const {
    return FControls->Count();
}

void TQxBlinkingControlsList::Tick(TObject*) {
    if (FBlinkState == 1) {
        FBlinkState = 0;
        FTimer->SetInterval(FIntervalOff);
    } else {
        FBlinkState = 1;
        FTimer->SetInterval(FIntervalOn);
    }
    // A control may leave the list while it handles the phase.
    for (Integer i = 0; i < FControls->Count(); ++i) {
        auto* control = static_cast<TControl*>(FControls->Get(i));
        if (control->Perform(QM_GETBLINKING, 0, 0) == 1) control->Perform(QM_BLINK, FBlinkState, 0);
        if (i < FControls->Count() && FControls->Get(i) != control) --i;
    }
}

TQxBlinkingControlsList* NeedBlinkingControlsList() {
    if (!BlinkingControlsList) BlinkingControlsList = new TQxBlinkingControlsList;
    return BlinkingControlsList;
}

TQxBlinkingControlsList& CurrentBlinkingControlsList() {
    if (!BlinkingControlsList)
        throw EInvalidOperation("No control has joined the blink list: a control that publishes the blink "
                                "intervals joins it in its constructor");
    return *BlinkingControlsList;
}

void ReleaseBlinkingControlsList() {
    if (!BlinkingControlsList || BlinkingControlsList->Count() > 0) return;
    FreeAndNil(BlinkingControlsList);
}
