#pragma once
// The progress window (unit Prog): a small dialog with one progress bar that
// the long operations show, not modally, while they work. One instance is
// made at start-up; the operations set its caption, show it, move the bar
// and hide it.

#include "controls/progress/QxPrgres.h"
#include "platform/gui/controls/Forms.h"

class TProgressForm : public TForm {
public:
    QUENTA_PUBLISHED
    explicit TProgressForm(TComponent* AOwner);

    TQxProgressBar* QxProgressBar1 = nullptr;

    void FormCreate(TObject* Sender);
    // The bar starts at 0 each time the window is shown.
    void FormShow(TObject* Sender);
    // A new percent is shown at once (the bar is painted before the call
    // returns); the same percent again changes nothing.
    void SetProgress(Integer Percent);
};

extern TProgressForm* ProgressForm;
