#pragma once
// The screen: its size, the program's forms and which of them is active,
// the focused control, and cursors (stock ones, the program's own ones by
// number, and the screen cursor that overrides every control's while set).

#include "platform/gui/controls/Control.h"

class TCustomForm;
class TForm;

// A cursor handle.
struct HCURSOR__;
using HCURSOR = HCURSOR__*;

// Stock cursors (LoadCursor(0, IDC_...)).
inline constexpr Integer IDC_ARROW = 32512;
inline constexpr Integer IDC_IBEAM = 32513;
inline constexpr Integer IDC_WAIT = 32514;
inline constexpr Integer IDC_CROSS = 32515;
inline constexpr Integer IDC_UPARROW = 32516;
inline constexpr Integer IDC_SIZENWSE = 32642;
inline constexpr Integer IDC_SIZENESW = 32643;
inline constexpr Integer IDC_SIZEWE = 32644;
inline constexpr Integer IDC_SIZENS = 32645;
inline constexpr Integer IDC_SIZEALL = 32646;
inline constexpr Integer IDC_NO = 32648;
inline constexpr Integer IDC_HAND = 32649;
inline constexpr Integer IDC_APPSTARTING = 32650;
inline constexpr Integer IDC_HELP = 32651;

// A stock cursor; nullptr for an unknown identifier. The handle stays valid
// for the program's life.
HCURSOR LoadCursor(std::uintptr_t Instance, Integer CursorId);
// Makes Cursor the pointer's shape over the window under the pointer;
// answers the previous one.
HCURSOR SetCursor(HCURSOR Cursor);
// The pointer's shape as last set.
HCURSOR GetCursor();
// The stock cursor a handle stands for (0 for none), for tests.
Integer CursorIdOf(HCURSOR Cursor);

// The type of Cursor properties: crHandPoint and the other names.
const TTypeInfo* CursorTypeInfo();

class TScreen : public TComponent {
public:
    TScreen();
    ~TScreen() override;

    // The screen cursor: while not crDefault it is shown everywhere (the
    // hourglass of a long operation: crHourGlass); setting it shows it at once.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The cursor of a cursor number: stock ones for the cr... numbers, the
    // program's own for those registered; the arrow for others.
    HCURSOR Cursors(Integer Index) const;
    void SetCursors(Integer Index, HCURSOR Handle);

    Integer Width() const;
    Integer Height() const;
    Integer PixelsPerInch() const;

    TCustomForm* ActiveCustomForm() const;
    TForm* ActiveForm() const;
    TWinControl* ActiveControl() const { return FActiveControl; }
    Integer CustomFormCount() const { return static_cast<Integer>(FForms.size()); }
    TCustomForm* CustomForms(Integer Index) const;
    Integer FormCount() const;
    TForm* Forms(Integer Index) const;

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Whether Form exists (has not been freed).
    bool HasForm(const TCustomForm* Form) const;

private:
    friend class TCustomForm;
    friend void ActivateForm(TCustomForm* Form);
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    // The form to activate when Leaving goes: the most recently active
    // visible one.
    TCustomForm* NextActiveForm(const TCustomForm* Leaving) const;
    std::vector<TCustomForm*> DisableOtherForms(TCustomForm* Modal);
    void EnableForms(const std::vector<TCustomForm*>& Forms);
    void SetActiveControlState(TWinControl* Control, TCustomForm* Form);
    void ActiveFormChanged();

    TCursor FCursor = crDefault;
    std::vector<std::pair<Integer, HCURSOR>> FCursors;
    std::vector<TCustomForm*> FForms; // most recently active first
    std::vector<TCustomForm*> FDisabled;
    TWinControl* FActiveControl = nullptr;

public:
    // Whether a modal form keeps Form from taking input.
    bool IsFormDisabled(const TCustomForm* Form) const;
};

extern TScreen* Screen;
