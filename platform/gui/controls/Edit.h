#pragma once
// The edit controls: TCustomEdit (one line of text), TCustomMaskEdit (an
// edit with the validation hook of edit masks), TCustomMemo and TMemo
// (several lines, reached as Lines).
//
// An edit's window hosts a real text widget of the window system, placed in
// the window's client rectangle, so typing, selection, the clipboard, input
// methods and undo behave as users expect. The window keeps the non-client
// parts around it (NonClient.h): WM_NCCALCSIZE narrows the window to the
// client rectangle by the border (and whatever a descendant reserves), and
// WM_NCPAINT, sent after every paint of the window, draws the border; the
// surface under the text widget shows only in those margins. The control
// tree sees the whole window as the client area (mouse points and
// invalidation are in window coordinates); TextRect() is where the text is.
//
// Input reaches the text through the control's messages, as the user's
// input reaches every control: the key and mouse events of the text widget
// become WM_KEYDOWN, WM_CHAR, WM_LBUTTONDOWN ... of the edit, and what the
// control's handlers leave to DefaultHandler goes on to the text widget. A
// handler that consumes a key (KeyDown setting Key to 0, KeyPress setting
// it to #0) keeps it from the text. The EM_ messages answer from the text.
//
// A masked edit with a non-empty EditMask (EditMask.h) keeps the formatted
// text in the text widget - literals and blank characters, one character
// per position - and makes every change itself: KeyPress takes the
// printable characters and KeyDown the editing keys (Backspace, Delete,
// cut, paste, Escape), both consuming them, and the result is written back
// with the caret placed. A character the position does not take is refused
// with MessageBeep. Text answers the text without blanks (and without
// literals when the mask does not save them), EditText the formatted one.
// Leaving a modified edit whose text misses a required character takes the
// focus back, puts the caret there and calls ValidateError; Escape restores
// the text the edit had when it got the focus. An empty EditMask leaves
// the plain edit.

#include "platform/gui/controls/Alignments.h"
#include "platform/gui/controls/EditMask.h"
#include "platform/gui/controls/NonClient.h"

#include "platform/gui/controls/Published.h"

#include <memory>

class TTextWidget; // the hosted text widget (platform-private)

// Edit styles (TCreateParams::Style).
inline constexpr Cardinal ES_LEFT = 0x0000;
inline constexpr Cardinal ES_CENTER = 0x0001;
inline constexpr Cardinal ES_RIGHT = 0x0002;
inline constexpr Cardinal ES_MULTILINE = 0x0004;
inline constexpr Cardinal ES_AUTOVSCROLL = 0x0040;
inline constexpr Cardinal ES_AUTOHSCROLL = 0x0080;
inline constexpr Cardinal ES_NOHIDESEL = 0x0100;
inline constexpr Cardinal ES_READONLY = 0x0800;
inline constexpr Cardinal ES_WANTRETURN = 0x1000;

// Edit messages. Character indexes count characters of the text from 0,
// line breaks as one.
inline constexpr Cardinal EM_GETSEL = 0x00B0;        // WParam DWORD* start, LParam DWORD* end
inline constexpr Cardinal EM_SETSEL = 0x00B1;        // WParam start, LParam end (-1 all)
inline constexpr Cardinal EM_SCROLL = 0x00B5;        // WParam SB_...; HIWORD 1 when it scrolled
inline constexpr Cardinal EM_LINESCROLL = 0x00B6;    // LParam lines
inline constexpr Cardinal EM_SCROLLCARET = 0x00B7;
inline constexpr Cardinal EM_GETMODIFY = 0x00B8;
inline constexpr Cardinal EM_SETMODIFY = 0x00B9;
inline constexpr Cardinal EM_GETLINECOUNT = 0x00BA;
inline constexpr Cardinal EM_LINEINDEX = 0x00BB;     // WParam line (-1 the caret's); -1 past the end
inline constexpr Cardinal EM_LINELENGTH = 0x00C1;    // WParam a character index of the line
inline constexpr Cardinal EM_REPLACESEL = 0x00C2;    // LParam const String*
inline constexpr Cardinal EM_LIMITTEXT = 0x00C5;
inline constexpr Cardinal EM_CANUNDO = 0x00C6;
inline constexpr Cardinal EM_UNDO = 0x00C7;
inline constexpr Cardinal EM_LINEFROMCHAR = 0x00C9; // WParam index (-1 the caret's)
inline constexpr Cardinal EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr Cardinal EM_SETREADONLY = 0x00CF;
inline constexpr Cardinal EM_CHARFROMPOS = 0x00D7; // LParam client point; LOWORD index, HIWORD line
inline constexpr Cardinal EM_SETCUEBANNER = 0x1501; // WParam shown while focused, LParam const String*

// Scroll codes of EM_SCROLL.
inline constexpr WPARAM SB_LINEUP = 0;
inline constexpr WPARAM SB_LINEDOWN = 1;
inline constexpr WPARAM SB_PAGEUP = 2;
inline constexpr WPARAM SB_PAGEDOWN = 3;

// The border of edits: a subrange of the form's border styles.
using TBorderStyle = TFormBorderStyle;
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The published types of this unit.
const TTypeInfo* EditCharCaseTypeInfo();
const TTypeInfo* ScrollStyleTypeInfo();

class TCustomEdit : public TWinControl {
public:
    QUENTA_PUBLISHED
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool Value);
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value) { FOEMConvert = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    Integer SelStart() const;
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    void SetSelLength(Integer Value);
    String SelText() const;
    void SetSelText(const String& Value);
    void SelectAll();
    void Clear();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool Modified() const;
    void SetModified(bool Value);

    // Where the text widget lies: the client rectangle that WM_NCCALCSIZE
    // answered, in window coordinates.
    TRect TextRect() const { return FTextRect; }

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void BoundsChanged(const TRect& OldBounds) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    // The text changed (typed, pasted or set).
    virtual void Change();
    // Asks the window for its client rectangle again and moves the text there.
    void UpdateTextRect();
    TTextWidget* TextWidget() const { return FWidget.get(); }
    virtual bool MultiLine() const { return false; }

private:
    friend class TTextWidget;
    friend class TMemoStrings;
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void ApplyAppearance();
    void TextWidgetChanged();

    std::unique_ptr<TTextWidget> FWidget;
    TRect FTextRect;
    bool FReadOnly = false;
    Integer FMaxLength = 0;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    bool FHideSelection = true;
    char FPasswordChar = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FOEMConvert = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FModifiedBeforeWindow = false;
};

// The framework's error for text that does not match an edit mask.
class EDBEditError : public Exception {
public:
    using Exception::Exception;
};

class TCustomMaskEdit : public TCustomEdit {
public:
    QUENTA_PUBLISHED
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    // Keeps Text through the change, formatted by the new mask.
    void SetEditMask(const String& Value);
    bool IsMasked() const { return !FMask.Empty(); }
    // The text as the edit shows it: with a mask, literals and blanks
    // included. Setting it takes the characters by position.
    String EditText() const;
    void SetEditText(const String& Value);
    // Checks a modified masked text on leaving: a required character left
    // blank takes the focus back, puts the caret there and calls
    // ValidateError. A text without a mask is always valid.
    virtual void ValidateEdit();
    // Reports text that does not match the mask: raises EDBEditError with
    // the framework's message.
    virtual void ValidateError();

protected:
    void Dispatch(TMessage& Message) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void Change() override;

private:
    // The formatted text as the text widget (or, before the window, the
    // control) keeps it, read and written past the mask's translation.
    String RawText() const;
    void SetRawText(const String& Value);
    // Writes an edited text into the widget as the user's change, the caret
    // at Caret.
    void PutEdited(const std::u32string& EditText, Integer Caret);
    void EraseSelection(bool Backward);
    void PasteText(const String& Value);

    String FEditMask;
    TEditMask FMask;
    String FOldValue;   // the edit text when the edit got the focus
    bool FReEnter = false; // the focus comes back after a failed validation
};

class TCustomMemo : public TCustomEdit {
public:
    QUENTA_PUBLISHED
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    // The text by lines. Adding a line appends it to the text widget's
    // document without rebuilding the text.
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The caret's place, both 0-based: X its column, Y its line (where the
    // caret is, also when a selection was made leftwards); (0, 0) without
    // a window.
    TPoint CaretPos() const;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    bool MultiLine() const override { return true; }

private:
    friend class TMemoStrings;
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
    QUENTA_PUBLISHED
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// Adds the edit properties by their published names: AutoSelect, AutoSize,
// BiDiMode, BorderStyle, CharCase, Ctl3D, HideSelection, ImeMode, ImeName,
// MaxLength, OEMConvert, ParentBiDiMode, ParentCtl3D, PasswordChar,
// ReadOnly, the event OnChange, and for memos Alignment, Lines, ScrollBars,
// WantReturns, WantTabs and WordWrap. Raises EInvalidOperation for another
// name.
template <class T>
TClassBuilder<T>& PublishEditProperties(TClassBuilder<T>& B, std::initializer_list<const char*> Names) {
    static_assert(std::is_base_of_v<TCustomEdit, T>);
    RegisterControlTypes();
    EditCharCaseTypeInfo();
    BiDiModeTypeInfo();
    for (const char* n : Names) {
        const String name = n;
        if (name == "BiDiMode" || name == "Ctl3D" || name == "ImeMode" || name == "ImeName" ||
            name == "ParentBiDiMode" || name == "ParentCtl3D")
            PublishControlProperties(B, {n});
        else if (name == "AutoSelect")
            B.Property("AutoSelect", &T::AutoSelect, &T::SetAutoSelect).Default(true);
        else if (name == "AutoSize")
            B.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true);
        else if (name == "BorderStyle")
            B.Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(bsSingle);
        else if (name == "CharCase")
            B.Property("CharCase", &T::CharCase, &T::SetCharCase).Default(ecNormal);
        else if (name == "HideSelection")
            B.Property("HideSelection", &T::HideSelection, &T::SetHideSelection).Default(true);
        else if (name == "MaxLength")
            B.Property("MaxLength", &T::MaxLength, &T::SetMaxLength).Default(0);
        else if (name == "OEMConvert")
            B.Property("OEMConvert", &T::OEMConvert, &T::SetOEMConvert).Default(false);
        else if (name == "PasswordChar")
            B.Property(
                 "PasswordChar", [](const T* c) { return static_cast<Integer>(c->PasswordChar()); },
                 [](T* c, Integer v) { c->SetPasswordChar(static_cast<char>(v)); }, CharTypeInfo())
                .Default(0);
        else if (name == "ReadOnly")
            B.Property("ReadOnly", &T::ReadOnly, [](T* c, bool v) { c->SetReadOnly(v); }).Default(false);
        else if (name == "OnChange")
            B.Event("OnChange", &TCustomEdit::OnChange);
        else if constexpr (std::is_base_of_v<TCustomMemo, T>) {
            ScrollStyleTypeInfo();
            AlignmentTypeInfo();
            if (name == "Alignment")
                B.Property("Alignment", &T::Alignment, &T::SetAlignment).Default(taLeftJustify);
            else if (name == "Lines")
                B.Property("Lines", &T::Lines, nullptr);
            else if (name == "ScrollBars")
                B.Property("ScrollBars", &T::ScrollBars, &T::SetScrollBars).Default(ssNone);
            else if (name == "WantReturns")
                B.Property("WantReturns", &T::WantReturns, &T::SetWantReturns).Default(true);
            else if (name == "WantTabs")
                B.Property("WantTabs", &T::WantTabs, &T::SetWantTabs).Default(false);
            else if (name == "WordWrap")
                B.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(true);
            else
                throw EInvalidOperation("No edit property called " + name);
        } else
            throw EInvalidOperation("No edit property called " + name);
    }
    return B;
}
