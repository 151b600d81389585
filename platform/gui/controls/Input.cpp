#include "platform/gui/controls/Input.h"

#include <array>

namespace {
std::array<Byte, 256>& KeyStates() {
    static std::array<Byte, 256> states{};
    return states;
}
} // namespace

SmallInt GetKeyState(Integer VirtualKey) {
    if (VirtualKey < 0 || VirtualKey > 255) return 0;
    Byte s = KeyStates()[static_cast<size_t>(VirtualKey)];
    return static_cast<SmallInt>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

void SetKeyDown(Integer VirtualKey, bool Down) {
    if (VirtualKey < 0 || VirtualKey > 255) return;
    Byte& s = KeyStates()[static_cast<size_t>(VirtualKey)];
    if (Down && !(s & 0x80)) s ^= 1;
    s = static_cast<Byte>(Down ? (s | 0x80) : (s & ~0x80));
}

void ResetKeyboardState() {
    KeyStates().fill(0);
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s << ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s << ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s << ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s << ssMiddle;
    return s;
}

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s << ssShift;
    if (Keys & MK_CONTROL) s << ssCtrl;
    if (Keys & MK_LBUTTON) s << ssLeft;
    if (Keys & MK_RBUTTON) s << ssRight;
    if (Keys & MK_MBUTTON) s << ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s << ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
    if (HiWord(static_cast<std::uintptr_t>(KeyData)) & KF_ALTDOWN) s << ssAlt;
    return s;
}

WPARAM ShiftStateToKeys(TShiftState Shift) {
    WPARAM k = 0;
    if (Shift.Contains(ssShift)) k |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) k |= MK_CONTROL;
    if (Shift.Contains(ssLeft)) k |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) k |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) k |= MK_MBUTTON;
    return k;
}
