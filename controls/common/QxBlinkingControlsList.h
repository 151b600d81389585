#pragma once
// TQxBlinkingControlsList: the one timer that makes every blinking label
// and status pane of the process change colour in step.
//
// Controls that can blink register when they are created and unregister
// when they are destroyed, whether they blink or not. On every tick the
// list switches the phase (1 on: controls show their blink colour; 0 off:
// their normal colour), asks each registered control in order whether it
// blinks (QM_GETBLINKING answers 1) and tells those that do the new phase
// (QM_BLINK with the phase in WParam). Both messages are sent with Perform.
//
// A registered control that is freed without unregistering leaves the list
// all the same: the list asks every control it registers for a free
// notification (through a small watcher component of its own), so that the
// list never holds a control that is gone.
//
// The first period after creation lasts the off interval and ends with the
// switch to the off phase; from then on the off phase lasts IntervalOff and
// the on phase IntervalOn. A new interval takes effect at the next switch.
// A phase of interval 0 stops the timer, as any timer of interval 0 stops:
// the controls stay in that phase.

#include "platform/gui/controls/Control.h"
#include "platform/gui/controls/Timers.h"

inline constexpr Cardinal QM_GETBLINKING = 0xB3E8;
inline constexpr Cardinal QM_BLINK = 0xB3E9;

class TQxBlinkingControlsList : public TObject {
public:
    TQxBlinkingControlsList();
    ~TQxBlinkingControlsList() override;

    // Adds the control (a control registers once).
    void RegisterControl(TControl* Control);
    // Removes the control; a control that is not registered is ignored.
    void UnregisterControl(TControl* Control);
    bool IsRegistered(TControl* Control) const { return FControls->IndexOf(Control) >= 0; }
    virtual Integer Count() const;

    Byte BlinkState() const { return FBlinkState; }
    Word IntervalOff() const { return FIntervalOff; }
    void SetIntervalOff(Word Value) { FIntervalOff = Value; }
    Word IntervalOn() const { return FIntervalOn; }
    void SetIntervalOn(Word Value) { FIntervalOn = Value; }

private:
    void Tick(TObject* Sender);

    Byte FBlinkState = 1;
    Word FIntervalOff = 500;
    Word FIntervalOn = 500;
    TTimer* FTimer = nullptr;
    TList* FControls = nullptr;
    // Told when a registered control is freed.
    TComponent* FWatch = nullptr;
};

// The list of the process; empty until the first blinking-capable control
// creates it.
extern TQxBlinkingControlsList* BlinkingControlsList;
// The list, created when there is none (a control's constructor).
TQxBlinkingControlsList* NeedBlinkingControlsList();
// The list, for the controls registered with it (the blink intervals they
// publish); raises EInvalidOperation when there is none.
TQxBlinkingControlsList& CurrentBlinkingControlsList();
// Frees the list when no control is registered any more (a control's
// destructor, after it unregistered).
void ReleaseBlinkingControlsList();
