#pragma once
// Controls that record what reaches them, and helpers that act as the user.

#include "platform/gui/controls/Forms.h"
#include "platform/gui/controls/WindowInput.h"

#include <gtest/gtest.h>

namespace probes {

inline String MessageName(Cardinal Msg) {
    switch (Msg) {
    case CM_ENTER:
        return "CM_ENTER";
    case CM_EXIT:
        return "CM_EXIT";
    case CM_MOUSEENTER:
        return "CM_MOUSEENTER";
    case CM_MOUSELEAVE:
        return "CM_MOUSELEAVE";
    case CM_FOCUSCHANGED:
        return "CM_FOCUSCHANGED";
    case CM_COLORCHANGED:
        return "CM_COLORCHANGED";
    case CM_PARENTCOLORCHANGED:
        return "CM_PARENTCOLORCHANGED";
    case CM_FONTCHANGED:
        return "CM_FONTCHANGED";
    case CM_TEXTCHANGED:
        return "CM_TEXTCHANGED";
    case CM_ENABLEDCHANGED:
        return "CM_ENABLEDCHANGED";
    case CM_VISIBLECHANGED:
        return "CM_VISIBLECHANGED";
    case CM_SHOWINGCHANGED:
        return "CM_SHOWINGCHANGED";
    case CM_DIALOGKEY:
        return "CM_DIALOGKEY";
    case CM_DIALOGCHAR:
        return "CM_DIALOGCHAR";
    case WM_SETFOCUS:
        return "WM_SETFOCUS";
    case WM_KILLFOCUS:
        return "WM_KILLFOCUS";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK:
        return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN:
        return "WM_RBUTTONDOWN";
    case WM_MOUSEMOVE:
        return "WM_MOUSEMOVE";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_TIMER:
        return "WM_TIMER";
    case WM_SIZE:
        return "WM_SIZE";
    case WM_PAINT:
        return "WM_PAINT";
    case WM_ERASEBKGND:
        return "WM_ERASEBKGND";
    default:
        return IntToHex(Msg, 4);
    }
}

// Which messages a probe writes to its log.
inline bool Logged(Cardinal Msg) {
    switch (Msg) {
    case CM_ENTER:
    case CM_EXIT:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_FOCUSCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_TIMER:
        return true;
    default:
        return false;
    }
}

// One log for all probes of a test, "Name:MESSAGE" per entry.
inline std::vector<String>& Log() {
    static std::vector<String> log;
    return log;
}

inline void Note(const TControl* C, const String& What) {
    Log().push_back(C->Name() + ":" + What);
}

// A windowed probe: logs messages, answers WM_GETDLGCODE with Wants, and
// may claim dialog keys and accelerators.
class TWinProbe : public TCustomControl {
public:
    explicit TWinProbe(TComponent* AOwner) : TCustomControl(AOwner) {}
    LRESULT Wants = 0;
    Word DialogKey = 0; // answers CM_DIALOGKEY for this key with 1
    bool Paints = false;
    TColor PaintColor = clRed;
    Integer PaintCount = 0;

    void Dispatch(TMessage& Message) override {
        if (Logged(Message.Msg)) Note(this, MessageName(Message.Msg));
        switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = Wants;
            return;
        case CM_DIALOGKEY:
            if (DialogKey && Message.WParam == DialogKey) {
                Message.Result = 1;
                return;
            }
            break;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<Word>(Message.WParam), Caption())) {
                Note(this, "accel");
                Message.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
        TCustomControl::Dispatch(Message);
    }

protected:
    void Paint() override {
        ++PaintCount;
        if (!Paints) return;
        Canvas()->Brush()->SetColor(PaintColor);
        Canvas()->FillRect(ClientRect());
    }
};

// A graphic probe: logs messages; Miss makes part of it transparent to hits.
class TGraphicProbe : public TGraphicControl {
public:
    explicit TGraphicProbe(TComponent* AOwner) : TGraphicControl(AOwner) {}
    TRect Miss; // client area that does not take the mouse
    TColor PaintColor = clBlue;
    Integer PaintCount = 0;
    std::vector<TPoint> Points;

    void Dispatch(TMessage& Message) override {
        if (Logged(Message.Msg)) Note(this, MessageName(Message.Msg));
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST)
            Points.push_back(LParamToPoint(Message.LParam));
        if (Message.Msg == CM_HITTEST && PtInRect(Miss, LParamToPoint(Message.LParam))) {
            Message.Result = HTNOWHERE;
            return;
        }
        TGraphicControl::Dispatch(Message);
    }

protected:
    void Paint() override {
        ++PaintCount;
        Canvas()->Brush()->SetColor(PaintColor);
        Canvas()->FillRect(ClientRect());
    }
};

// A form that logs like the probes.
class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* AOwner) : TForm(AOwner) {}
    void Dispatch(TMessage& Message) override {
        if (Logged(Message.Msg)) Note(this, MessageName(Message.Msg));
        TForm::Dispatch(Message);
    }
};

template <class T> T* Make(TWinControl* Parent, const String& Name, TRect Bounds) {
    T* c = new T(Parent ? static_cast<TComponent*>(GetParentForm(Parent) ? GetParentForm(Parent) : Parent)
                        : nullptr);
    c->SetName(Name);
    c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    c->SetParent(Parent);
    return c;
}

// A form, shown (and so active), freed at the end of the test.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log().clear();
        ResetKeyboardState();
        Application->Initialize();
        Form = new TProbeForm(nullptr);
        Form->SetName("Form");
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 150);
    }
    void TearDown() override {
        if (Form) Form->Free();
        Application->ProcessMessages();
    }
    void ShowForm() {
        Form->Show();
        Log().clear();
    }
    // The user presses and releases a key on the focused control.
    void Key(Word VK, TShiftState Shift = {}, const String& Text = String()) {
        KeyInput(kaDown, VK, Shift, Text);
        KeyInput(kaUp, VK, Shift);
    }
    // The user clicks at a point of Control (its client coordinates).
    void Click(TControl* Control, TPoint P, TMouseButton Button = mbLeft) {
        TWinControl* w = dynamic_cast<TWinControl*>(Control);
        if (!w) {
            w = Control->Parent();
            P = {P.X + Control->Left(), P.Y + Control->Top()};
        }
        MouseInput(w, maMove, Button, {}, P);
        MouseInput(w, maDown, Button, {}, P);
        MouseInput(w, maUp, Button, {}, P);
    }
    TProbeForm* Form = nullptr;
};

inline std::vector<String> Entries(std::initializer_list<const char*> L) {
    return {L.begin(), L.end()};
}

} // namespace probes
