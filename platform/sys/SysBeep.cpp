#include "platform/sys/SysBeep.h"
#include "platform/sys/Beep.h"

void Beep() {
    MessageBeep(0);
}
