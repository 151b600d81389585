#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/Screen.h"

namespace {

TControl* gMouseControl = nullptr;
TPoint gCursorPos;

void SyncModifiers(TShiftState Shift) {
    SetKeyDown(VK_SHIFT, Shift.Contains(ssShift));
    SetKeyDown(VK_CONTROL, Shift.Contains(ssCtrl));
    SetKeyDown(VK_MENU, Shift.Contains(ssAlt));
}

bool WindowEnabled(const TWinControl* W) {
    return W->Enabled() && W->Visible();
}

// The deepest window of Form under Screen point P (with EnabledOnly, the
// deepest one that takes input: a disabled window leaves it to its parent).
TWinControl* WindowAt(TCustomForm* Form, TPoint P, bool EnabledOnly) {
    TWinControl* current = Form;
    if (!PtInRect(Form->ClientRect(), Form->ScreenToClient(P))) return nullptr;
    if (EnabledOnly && (!Form->Enabled() || Screen->IsFormDisabled(Form))) return nullptr;
    while (true) {
        TPoint local = current->ScreenToClient(P);
        TWinControl* next = nullptr;
        for (Integer i = current->ControlCount() - 1; i >= 0; --i) {
            auto* w = dynamic_cast<TWinControl*>(current->Controls(i));
            if (!w || !w->Visible() || !PtInRect(w->BoundsRect(), local)) continue;
            if (EnabledOnly && !WindowEnabled(w)) break;
            next = w;
            break;
        }
        if (!next) return current;
        current = next;
    }
}

void SetMouseControl(TControl* Control) {
    if (Control == gMouseControl) {
        // A hint cancelled while the pointer stays (a control that changes
        // its hint as the pointer moves over its parts) starts anew.
        if (Control) HintMouseMoved(Control);
        return;
    }
    TControl* old = gMouseControl;
    gMouseControl = Control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (gMouseControl == Control && Control) Control->Perform(CM_MOUSEENTER);
    MouseControlChanged(gMouseControl);
}

Cardinal MouseMessage(TMouseAction Action, TMouseButton Button) {
    static const Cardinal table[4][3] = {
        {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN},
        {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP},
        {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE},
        {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK},
    };
    return table[Action][Button];
}

// Whether Target still exists after a handler ran.
bool Alive(TWinControl* Target, HWND Handle) {
    return FindControl(Handle) == Target;
}

void AppendUtf8Decoded(const String& Text, std::vector<char32_t>& Out) {
    for (size_t i = 0; i < Text.size();) {
        unsigned char c = static_cast<unsigned char>(Text[i]);
        char32_t cp = c;
        size_t n = 1;
        if (c >= 0xF0) {
            cp = c & 0x07;
            n = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            n = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            n = 2;
        }
        if (i + n > Text.size()) break;
        for (size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(Text[i + k]) & 0x3F);
        Out.push_back(cp);
        i += n;
    }
}

} // namespace

TPoint GetCursorPos() {
    return gCursorPos;
}

TControl* MouseControl() {
    return gMouseControl;
}

void ForgetMouseControl(TControl* Control) {
    if (!gMouseControl || !Control) return;
    bool inside = gMouseControl == Control;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) inside = inside || w->ContainsControl(gMouseControl);
    if (!inside) return;
    gMouseControl = nullptr;
    MouseControlChanged(nullptr);
}

void MouseInput(TWinControl* Window, TMouseAction Action, TMouseButton Button, TShiftState Shift,
                TPoint ClientPos) {
    if (!Window) return;
    SyncModifiers(Shift);
    static const TShiftStateFlag flags[] = {ssLeft, ssRight, ssMiddle};
    static const Word keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (Action == maDown || Action == maDoubleClick) {
        SetKeyDown(keys[Button], true);
        Shift << flags[Button];
    } else if (Action == maUp) {
        SetKeyDown(keys[Button], false);
        Shift >> flags[Button];
    }
    const TPoint screen = Window->ClientToScreen(ClientPos);
    gCursorPos = screen;
    // A drag takes the mouse from the controls while it runs.
    if (Action == maMove ? DragMouseMove(screen) : DragMouseButton(Action != maUp, screen)) return;
    TCustomForm* form = GetParentForm(Window);
    if (!form) return;
    // An open menu takes the mouse: a press outside it closes it.
    if (TMenuLoop::Get().MouseHook(Action)) return;

    // The control under the pointer, disabled ones included.
    TWinControl* under = WindowAt(form, screen, false);
    TControl* underControl = nullptr;
    if (under) {
        underControl = under->ControlAtPos(under->ScreenToClient(screen), true);
        if (!underControl) underControl = under;
    }
    SetMouseControl(underControl);

    // The window that gets the message.
    TWinControl* target = nullptr;
    if (HWND capture = GetCapture())
        target = FindControl(capture);
    else
        target = WindowAt(form, screen, true);
    if (!target) return;
    TCustomForm* targetForm = GetParentForm(target);
    if (!targetForm || Screen->IsFormDisabled(targetForm)) return;
    if ((Action == maDown || Action == maDoubleClick) && ActiveCustomForm() != targetForm)
        ActivateForm(targetForm);

    Cardinal msg = MouseMessage(Action, Button);
    if (Action == maDoubleClick && !(target->WindowParams().WindowClassStyle & CS_DBLCLKS))
        msg = MouseMessage(maDown, Button);
    const HWND handle = target->Handle();
    target->Perform(msg, ShiftStateToKeys(Shift), PointToLParam(target->ScreenToClient(screen)));

    // The pointer's shape follows the control under it.
    if (Action == maMove && under && !GetCapture() && Alive(target, handle) && under->HandleAllocated())
        under->Perform(WM_SETCURSOR, under->Handle(), MakeLParam(static_cast<Word>(HTCLIENT), WM_MOUSEMOVE));
}

void MouseWheelInput(TWinControl* Window, TShiftState Shift, Integer Delta, TPoint ClientPos) {
    if (!Window) return;
    SyncModifiers(Shift);
    gCursorPos = Window->ClientToScreen(ClientPos);
    TCustomForm* form = GetParentForm(Window);
    if (!form || Screen->IsFormDisabled(form)) return;
    TWinControl* target = FocusedWindow() && GetParentForm(FocusedWindow()) == form ? FocusedWindow() : form;
    target->Perform(CM_MOUSEWHEEL,
                    MakeWParam(static_cast<Word>(ShiftStateToKeys(Shift)), static_cast<Word>(Delta)),
                    PointToLParam(gCursorPos));
}

void MouseLeaveInput(TCustomForm* Form) {
    if (gMouseControl && GetParentForm(gMouseControl) == Form) SetMouseControl(nullptr);
}

void KeyInput(TKeyAction Action, Word Key, TShiftState Shift, const String& Text) {
    SyncModifiers(Shift);
    if (Key) SetKeyDown(Key, Action == kaDown);
    // A drag takes the keys (Escape ends it), then menus: the menu bar's
    // keys, open menus and shortcuts.
    if (Action == kaDown && DragKeyInput(Key)) return;
    if (TMenuLoop::Get().KeyHook(Action, Key, Shift)) return;
    TWinControl* target = FocusedWindow();
    if (!target) target = ActiveCustomForm();
    if (!target) return;
    TCustomForm* form = GetParentForm(target);
    if (form && Screen->IsFormDisabled(form)) return;
    const HWND handle = target->Handle();
    const bool alt = Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl);
    const LPARAM keyData = 1 | (alt ? (KF_ALTDOWN << 16) : 0) | (Action == kaUp ? (KF_UP << 16) : 0);

    if (Action == kaUp) {
        const Cardinal msg = alt ? WM_SYSKEYUP : WM_KEYUP;
        if (target->Perform(CN_BASE + msg, Key, keyData) == 0 && Alive(target, handle))
            target->Perform(msg, Key, keyData);
        return;
    }
    const Cardinal msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    if (Key && target->Perform(CN_BASE + msg, Key, keyData) != 0) return; // a dialog key, handled
    if (!Alive(target, handle)) return;
    if (Key) target->Perform(msg, Key, keyData);
    // The characters the key types, as the window had them translated.
    std::vector<char32_t> chars;
    AppendUtf8Decoded(Text, chars);
    if (chars.empty() && alt && ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')))
        chars.push_back(Shift.Contains(ssShift) || Key < 'A' ? Key : Key - 'A' + 'a');
    const Cardinal charMsg = alt ? WM_SYSCHAR : WM_CHAR;
    for (char32_t c : chars) {
        if (!Alive(target, handle)) return;
        if (target->Perform(CN_BASE + charMsg, c, keyData) != 0) continue;
        if (Alive(target, handle)) target->Perform(charMsg, c, keyData);
    }
}
