#include "controls/spinedit/TimeSpin.h"
#include "platform/gui/controls/SystemMetrics.h"
#include "platform/sys/Beep.h"

#include <algorithm>

TTimeSpinEdit::TTimeSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    FButton = new TSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { StepUp(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { StepDown(Sender); };
    SetText("00");
    FControlStyle >> csSetCaption;
    PlaceButton();
}

TTimeSpinEdit::~TTimeSpinEdit() {
    FButton = nullptr; // freed by the edit, its owner
}

// ================================================================ the value

Integer TTimeSpinEdit::Clamp(Int64 Value) const {
    if (FMinValue == FMaxValue) return FMinValue;
    if (Value < FMinValue) return FMinValue;
    if (Value > FMaxValue) return FMaxValue;
    return static_cast<Integer>(Value);
}

Integer TTimeSpinEdit::Value() {
    String text = Text();
    if (text.empty()) text = FMinValue < 0 ? String("0") : IntToStr(FMinValue);
    Integer value = 0;
    if (TryStrToInt(text, value)) return Clamp(value);
    return Clamp(FMinValue > 0 ? FMinValue : 0);
}

void TTimeSpinEdit::SetValue(Integer Value) {
    // The zero goes with the value given (12 kept as 5 shows "5"), never in
    // front of a minus sign, which would make the text no number.
    const Integer kept = Clamp(Value);
    String text = IntToStr(kept);
    if (FLeadingZero && Value < 10 && kept >= 0) text = "0" + text;
    SetText(text);
}

void TTimeSpinEdit::SetLeadingZero(bool Value) {
    if (Value == FLeadingZero) return;
    FLeadingZero = Value;
    Invalidate();
}

void TTimeSpinEdit::Step(Int64 Delta) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    // Worked out in 64 bits and kept in range, so no step wraps around.
    SetValue(Clamp(static_cast<Int64>(Value()) + Delta));
}

void TTimeSpinEdit::StepUp(TObject*) {
    Step(FIncrement);
}

void TTimeSpinEdit::StepDown(TObject*) {
    Step(-static_cast<Int64>(FIncrement));
}

// ================================================================ typing

bool TTimeSpinEdit::AcceptsChar(char32_t Key) const {
    const bool printable = Key == '+' || Key == '-' || (Key >= '0' && Key <= '9') ||
                           Key == static_cast<unsigned char>(FormatSettings.DecimalSeparator);
    // A one-line edit: Enter, Tab and line feed have no place in the text.
    const bool control = Key < 32 && Key != 13 && Key != 9 && Key != 10;
    if (!printable && !control) return false;
    if (!FEditorEnabled && (Key == 8 || Key >= 32)) return false;
    return true;
}

bool TTimeSpinEdit::IsEditingKey(Word Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift), alt = Shift.Contains(ssAlt);
    if (Key == VK_DELETE) return true;
    if (Key == VK_BACK) return ctrl || alt; // word delete, undo; a plain Backspace is a character
    if (Key == VK_INSERT) return shift;     // paste
    // Ctrl with a letter: cut, paste, undo, redo and the line deletes;
    // copying and selecting all change nothing.
    return ctrl && Key >= 'A' && Key <= 'Z' && Key != 'C' && Key != 'A';
}

void TTimeSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_UP)
        StepUp(this);
    else if (Key == VK_DOWN)
        StepDown(this);
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == 0 || FEditorEnabled) return;
    if (Key == VK_BACK && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
        Key = 0; // the character that follows is refused (and beeps) in KeyPress
    } else if (IsEditingKey(Key, Shift)) {
        Key = 0;
        MessageBeep(0);
    }
}

void TTimeSpinEdit::KeyPress(char32_t& Key) {
    if (!AcceptsChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0) TCustomEdit::KeyPress(Key);
}

// ================================================================ window

void TTimeSpinEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_RIGHT | WS_CLIPCHILDREN;
}

// The smallest height that shows the font: four border widths, the font's
// height, a quarter of the smaller of it and the system font's, and 2.
Integer TTimeSpinEdit::MinHeight() {
    HDC dc = GetDC(0);
    TTextMetric system, font;
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    GetTextMetrics(dc, &system);
    SelectObject(dc, AsGdiObj(Font()->Handle()));
    GetTextMetrics(dc, &font);
    SelectObject(dc, old);
    ReleaseDC(0, dc);
    return GetSystemMetrics(SM_CYBORDER) * 4 + font.tmHeight + std::min(system.tmHeight, font.tmHeight) / 4 +
           2;
}

// The button at the right edge of the client area, inside the border.
void TTimeSpinEdit::PlaceButton() {
    if (!FButton) return;
    const Integer border = BorderInset(BorderStyle(), Ctl3D());
    const Integer w = FButton->Width();
    if (Ctl3D())
        FButton->SetBounds(border + Width() - w - 5, border, w, Height() - 5);
    else
        FButton->SetBounds(border + Width() - w, border + 1, w, Height() - 3);
    UpdateTextRect();
}

void TTimeSpinEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        // The text ends two pixels left of the button.
        TCustomEdit::Dispatch(Message);
        if (auto* r = reinterpret_cast<TRect*>(Message.LParam); r && FButton)
            r->Right = std::max(r->Left, r->Right - FButton->Width() - 2);
        break;
    case WM_SIZE:
        TCustomEdit::Dispatch(Message);
        if (const Integer min = MinHeight(); Height() < min)
            SetHeight(min);
        else
            PlaceButton();
        break;
    case WM_PASTE:
    case WM_CUT:
        if (FEditorEnabled && !ReadOnly()) TCustomEdit::Dispatch(Message);
        break;
    case EM_UNDO:
        if (FEditorEnabled && !ReadOnly()) TCustomEdit::Dispatch(Message);
        break;
    case CM_EXIT:
        TCustomEdit::Dispatch(Message);
        // The text is written anew from the value (an empty or stray text
        // shows what Value reads).
        SetValue(Value());
        break;
    default:
        TCustomEdit::Dispatch(Message);
        break;
    }
}

// ================================================================ published

const TClassInfo& TTimeSpinEdit::ClassInfo() {
    using T = TTimeSpinEdit;
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TTimeSpinEdit", &TCustomEdit::ClassInfo());
        b.Property("EditorEnabled", &T::EditorEnabled, &T::SetEditorEnabled)
            .Default(true)
            .Property("Increment", &T::Increment, &T::SetIncrement)
            .Default(1)
            .Property("LeadingZero", &T::LeadingZero, [](T* c, bool v) { c->SetLeadingZero(v); })
            .Default(false)
            .Property("MaxValue", &T::MaxValue, &T::SetMaxValue)
            .Property("MinValue", &T::MinValue, &T::SetMinValue)
            .Property(
                "Value", [](const T* c) { return const_cast<T*>(c)->Value(); }, &T::SetValue);
        PublishControlProperties(b, {"Anchors", "Color", "Constraints", "DragCursor", "DragMode", "Enabled",
                                     "Font", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",
                                     "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnDblClick",
                                     "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown",
                                     "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                                     "OnStartDrag"});
        // An edit's own colour, in the tab order.
        b.Qualify("ParentColor").Default(false).Qualify("TabStop").Default(true);
        PublishEditProperties(
            b, {"AutoSelect", "AutoSize", "Ctl3D", "MaxLength", "ParentCtl3D", "ReadOnly", "OnChange"});
        return b.Register();
    }();
    return info;
}

void RegisterTimeSpinClasses() {
    RegisterClasses({&TTimeSpinEdit::ClassInfo(), &TSpinButton::ClassInfo()});
}
