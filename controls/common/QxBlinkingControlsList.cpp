#include "controls/common/QxBlinkingControlsList.h"

#include <algorithm>

TQxBlinkingControlsList* BlinkingControlsList = nullptr;

namespace {

// An interval of 0 would stop the timer for good; the shortest one runs it.
Cardinal TimerInterval(Word Interval) {
    return std::max<Cardinal>(Interval, 1);
}

} // namespace

TQxBlinkingControlsList::TQxBlinkingControlsList() : FControls(new TList) {
    FTimer = new TTimer(nullptr);
    FTimer->SetInterval(TimerInterval(FIntervalOff));
    FTimer->OnTimer = [this](TObject* Sender) { Tick(Sender); };
    FTimer->SetEnabled(true);
}

TQxBlinkingControlsList::~TQxBlinkingControlsList() {
    FreeAndNil(FTimer);
    FreeAndNil(FControls);
}

void TQxBlinkingControlsList::RegisterControl(TControl* Control) {
    FControls->Add(Control);
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
        FTimer->SetInterval(TimerInterval(FIntervalOff));
    } else {
        FBlinkState = 1;
        FTimer->SetInterval(TimerInterval(FIntervalOn));
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

void ReleaseBlinkingControlsList() {
    if (!BlinkingControlsList || BlinkingControlsList->Count() > 0) return;
    FreeAndNil(BlinkingControlsList);
}
