#pragma once
// The text widget an edit's window hosts (private to platform/gui): a
// QLineEdit for one line, a QPlainTextEdit for several, a child of the
// window's surface placed on the edit's text rectangle.
//
// Its own key and mouse events are handed to the control tree as the
// user's input (they come back to the widget through Deliver... when the
// control leaves them to the default handling); everything else (painting,
// input methods, the caret's blinking) stays the widget's.

#include "platform/gui/controls/Edit.h"

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

class TTextWidget : public QObject {
public:
    TTextWidget(TCustomEdit* Owner, QWidget* Surface, bool MultiLine);
    ~TTextWidget() override;

    QWidget* Widget() const;
    void SetGeometry(const TRect& R);
    void SetColors(TColor Back, TColor Text);
    void SetFont(TFont* Font);
    void SetAlignment(Cardinal EditStyle);
    void SetReadOnly(bool Value);
    void SetMaxLength(Integer Value);
    void SetPasswordChar(char Value);
    void SetWordWrap(bool Value);
    void SetScrollBars(TScrollStyle Value);
    void SetCueBanner(const String& Text, bool ShownWhileFocused);
    // Shows or hides the selection (hidden while an edit with HideSelection
    // has no focus).
    void ShowSelection(bool Shown);
    void TakeFocus();

    String Text() const;
    // Notify false: the change is not reported (the text a new window starts with).
    void SetText(const String& Value, bool Notify = true);
    Integer TextLength() const;
    Integer SelStart() const;
    Integer SelEnd() const;
    // The caret's character index: the end of the selection the caret is at,
    // its start when the selection was made leftwards.
    Integer CaretIndex() const;
    void SetSel(Integer Start, Integer End);
    void ReplaceSel(const String& Value);
    bool Modified() const;
    void SetModified(bool Value);
    void Copy();
    void Cut();
    void Paste();
    void Undo();
    bool CanUndo() const;

    // Lines (blocks of the document; one for a single-line edit).
    Integer LineCount() const;
    String Line(Integer Index) const;
    Integer LineIndex(Integer Line) const; // -1 past the last line
    Integer LineLength(Integer CharIndex) const;
    Integer LineFromChar(Integer CharIndex) const;
    // Adds a line after the last one (into the last one when it is empty,
    // as in an empty text or one that ends with a line break); answers its
    // index. Lines added together are held and go into the document at
    // once: at the next look at the text, at the latest in the next pass of
    // the event loop, which paints them.
    //
    // A memo follows its last line: while its view is at the end, lines
    // added (also while it is hidden) keep it there, and it shows the end
    // when it is shown or resized. Only the user's scrolling (the scroll
    // bar, keys, the mouse, the wheel, and the scrolls the control asks for
    // below) changes that: scrolled away from the end it stops following,
    // back at the end it follows again.
    Integer AppendLine(const String& Value);
    void PutLine(Integer Index, const String& Value);
    void InsertLine(Integer Index, const String& Value);
    void DeleteLine(Integer Index);
    Integer FirstVisibleLine() const;
    // Scrolls by Lines lines; true when anything moved.
    bool ScrollLines(Integer Lines);
    bool ScrollPages(Integer Pages);
    void ScrollToCaret();
    // The character index and line under a point of the text rectangle's
    // coordinates; false when there is no text there.
    bool CharFromPos(TPoint P, Integer& Index, Integer& LineNo) const;

    // A key the control left to the default handling: the event that came
    // from the window system when there is one, else one made from Key.
    void DeliverKey(Word Key, TShiftState Shift, bool Down);
    void DeliverChar(char32_t Char);
    // A mouse message the control left to the default handling (window
    // coordinates).
    void DeliverMouse(Cardinal Msg, WPARAM Keys, TPoint WindowPos);
    void DeliverWheel(Integer Delta);
    // The widget's own menu of editing commands, at a screen point (what an
    // edit shows when neither its handlers nor a popup menu took the
    // context menu).
    void ShowStandardMenu(TPoint ScreenPos);
    // The input method: off (Enabled false), or asked to prefer Latin input.
    void SetInputMethod(bool Enabled, bool PreferLatin);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QWidget* InputWidget() const;
    // The memo's widget with the lines added so far in its document.
    QPlainTextEdit* Memo() const;
    void FlushLines() const;
    // Puts the view where the user wants it: at the end while the memo
    // follows its last line, else on the line the user scrolled to.
    void PlaceView() const;
    // The user has moved the view: it follows the last line from now on
    // when that line is wholly in view.
    void UserMovedView();
    // A scroll made for the user (Move sets the view).
    template <class Scroll> void UserScroll(Scroll&& Move);
    // The user's input handed to the widget (Event sends it).
    template <class Send> void Deliver(Send&& Event);
    void ScrollBarMoved();
    // Posted when a first line is held: the held lines go into the document
    // and are painted.
    void ShowHeldLines();
    TCustomEdit* FOwner;
    QPointer<QLineEdit> FLine;
    QPointer<QPlainTextEdit> FMemo;
    bool FSelectionShown = true;
    QKeyEvent* FPendingKey = nullptr; // the window system's key event being routed
    bool FDelivering = false;
    mutable bool FSettingText = false;
    mutable QString FPending; // lines added and not yet in the document, joined by line breaks
    mutable Integer FPendingCount = 0;
    mutable Integer FPendingFirstIndex = 0;
    mutable bool FPendingIntoLastBlock = false;
    bool FShowPosted = false; // ShowHeldLines is on its way
    mutable bool FFollow = true;     // the view stays at the last line
    int FUserTop = 0;                // else the top line the user scrolled to
    mutable bool FOwnScroll = false; // the view is moved here, not by the user
    bool FUserScrolling = false;
};
