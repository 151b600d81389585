#include "platform/gui/controls/TextWidget.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/gdi/FontEngine.h"
#include "platform/rtl/Guards.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

namespace {

QColor QtColor(TColor Color) {
    const COLORREF rgb = ColorToRGB(Color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

Qt::KeyboardModifiers ModifiersOf(TShiftState Shift) {
    Qt::KeyboardModifiers m;
    if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

// The window system's key of a virtual key, for keys that reach the text
// without an event of the window system (sent by the program or a test).
int QtKeyOf(Word Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return Key;
    if (Key >= VK_F1 && Key <= VK_F24) return Qt::Key_F1 + (Key - VK_F1);
    switch (Key) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    default: return Qt::Key_unknown;
    }
}

// Characters that arrive as WM_CHAR and are typed there; every other key
// goes to the text on its WM_KEYDOWN (editing keys, moves, shortcuts).
bool TypesOnChar(const QString& Text) {
    if (Text.isEmpty()) return false;
    const char16_t c = Text.at(0).unicode();
    return c == '\r' || c == '\t' || (c >= 0x20 && c != 0x7F);
}

// The memo's widget, telling its owner when it has taken a new size or
// been shown: the widget then places its view again from its own idea of
// the top line, which a memo that follows its last line corrects.
class TMemoEdit : public QPlainTextEdit {
public:
    TMemoEdit(QWidget* Parent, std::function<void()> OnPlaced) : QPlainTextEdit(Parent), FOnPlaced(std::move(OnPlaced)) {}

    // The last line is wholly in the view (the widget's own test before it
    // keeps an appended line in view).
    bool LastLineShown() const {
        const QRectF last = blockBoundingGeometry(document()->lastBlock()).translated(contentOffset());
        return last.bottom() <= viewport()->rect().bottom() + 1;
    }

protected:
    void showEvent(QShowEvent* Event) override {
        QPlainTextEdit::showEvent(Event);
        FOnPlaced();
    }
    void resizeEvent(QResizeEvent* Event) override {
        QPlainTextEdit::resizeEvent(Event);
        FOnPlaced();
    }

private:
    std::function<void()> FOnPlaced;
};

} // namespace

TTextWidget::TTextWidget(TCustomEdit* Owner, QWidget* Surface, bool MultiLine) : FOwner(Owner) {
    if (MultiLine) {
        FMemo = new TMemoEdit(Surface, [this] { PlaceView(); });
        FMemo->setFrameStyle(QFrame::NoFrame);
        FMemo->setTabChangesFocus(false);
        FMemo->installEventFilter(this);
        FMemo->viewport()->installEventFilter(this);
        QObject::connect(FMemo, &QPlainTextEdit::textChanged, this, [this] {
            if (!FSettingText) FOwner->TextWidgetChanged();
        });
        QScrollBar* bar = FMemo->verticalScrollBar();
        // The scroll bar's own arrows, pages, dragging and wheel: when this
        // is told, the thumb is already where the action puts it.
        QObject::connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar] {
            FUserTop = bar->sliderPosition();
            FFollow = FUserTop >= bar->maximum();
        });
        QObject::connect(bar, &QAbstractSlider::valueChanged, this, [this] { ScrollBarMoved(); });
        QObject::connect(bar, &QAbstractSlider::rangeChanged, this, [this] { PlaceView(); });
    } else {
        FLine = new QLineEdit(Surface);
        FLine->setFrame(false);
        FLine->installEventFilter(this);
        QObject::connect(FLine, &QLineEdit::textChanged, this, [this] {
            if (!FSettingText) FOwner->TextWidgetChanged();
        });
    }
    Widget()->setFocusPolicy(Qt::ClickFocus);
    Widget()->show();
    // What the text widget leaves unhandled would go on to the surface, and
    // from there to the control again: it stops here.
    Surface->installEventFilter(this);
}

TTextWidget::~TTextWidget() {
    // The surface (the widget's parent) may go first or later; either way
    // nothing of the widget reaches this object any more.
    QWidget* w = Widget();
    if (!w) return;
    if (QWidget* surface = w->parentWidget()) surface->removeEventFilter(this);
    if (FMemo) FMemo->viewport()->removeEventFilter(this);
    w->removeEventFilter(this);
    QObject::disconnect(w, nullptr, this, nullptr);
    FLine.clear();
    FMemo.clear();
    delete w;
}

QWidget* TTextWidget::Widget() const {
    return FMemo ? static_cast<QWidget*>(FMemo) : static_cast<QWidget*>(FLine);
}

QWidget* TTextWidget::InputWidget() const {
    return FMemo ? Memo()->viewport() : static_cast<QWidget*>(FLine);
}

void TTextWidget::SetGeometry(const TRect& R) {
    if (Widget()) Widget()->setGeometry(R.Left, R.Top, std::max(0, R.Width()), std::max(0, R.Height()));
}

void TTextWidget::SetColors(TColor Back, TColor Text) {
    QWidget* w = Widget();
    if (!w) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QtColor(Back));
    p.setColor(QPalette::Window, QtColor(Back));
    p.setColor(QPalette::Text, QtColor(Text));
    // A hidden selection looks like the rest of the text.
    p.setColor(QPalette::Highlight, FSelectionShown ? QtColor(clHighlight) : QtColor(Back));
    p.setColor(QPalette::HighlightedText, FSelectionShown ? QtColor(clHighlightText) : QtColor(Text));
    w->setPalette(p);
}

void TTextWidget::ShowSelection(bool Shown) {
    FSelectionShown = Shown;
}

void TTextWidget::SetFont(TFont* Font) {
    QWidget* w = Widget();
    auto object = FindGdi<TFontObject>(AsGdiObj(Font->Handle()), TGdiKind::Font);
    if (!w || !object) return;
    const TFontFace& face = FaceOf(*object);
    QFont font = face.Font;
    if (face.Kind != TFontFace::kOutline) font.setPixelSize(std::max(1, face.Height()));
    w->setFont(font);
}

void TTextWidget::SetAlignment(Cardinal EditStyle) {
    Qt::Alignment a = (EditStyle & ES_RIGHT) ? Qt::AlignRight : (EditStyle & ES_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    if (FLine) FLine->setAlignment(a | Qt::AlignVCenter);
    if (FMemo) {
        QTextOption option = Memo()->document()->defaultTextOption();
        option.setAlignment(a);
        Memo()->document()->setDefaultTextOption(option);
    }
}

void TTextWidget::SetReadOnly(bool Value) {
    if (FLine) FLine->setReadOnly(Value);
    if (FMemo) Memo()->setReadOnly(Value);
}

void TTextWidget::SetMaxLength(Integer Value) {
    if (!FLine) return;
    const int length = Value > 0 ? Value : 32767;
    if (FLine->maxLength() == length) return;
    // The line edit sets its text again, which would forget the user's
    // changes: the modified flag stays as it was.
    const bool modified = FLine->isModified();
    FLine->setMaxLength(length);
    FLine->setModified(modified);
}

void TTextWidget::SetPasswordChar(char Value) {
    if (FLine) FLine->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
}

void TTextWidget::SetWordWrap(bool Value) {
    if (FMemo) Memo()->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TTextWidget::SetScrollBars(TScrollStyle Value) {
    if (!FMemo) return;
    const bool v = Value == ssVertical || Value == ssBoth, h = Value == ssHorizontal || Value == ssBoth;
    Memo()->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    Memo()->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TTextWidget::SetCueBanner(const String& Text, bool) {
    if (FLine) FLine->setPlaceholderText(QString::fromStdString(Text));
}

void TTextWidget::TakeFocus() {
    if (Widget()) Widget()->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- text

String TTextWidget::Text() const {
    if (FLine) return FLine->text().toStdString();
    if (FMemo) return Memo()->toPlainText().toStdString();
    return String();
}

void TTextWidget::SetText(const String& Value, bool Notify) {
    const QString text = QString::fromStdString(Value);
    const bool wasSetting = FSettingText;
    FSettingText = !Notify;
    if (FLine) FLine->setText(text);
    if (FMemo) {
        FFollow = true; // a new text: no place of the user's is left in it
        Memo()->setPlainText(text);
    }
    FSettingText = wasSetting;
}

Integer TTextWidget::TextLength() const {
    if (FLine) return static_cast<Integer>(FLine->text().size());
    if (FMemo) return static_cast<Integer>(Memo()->document()->characterCount() - 1);
    return 0;
}

Integer TTextWidget::SelStart() const {
    if (FLine) return FLine->hasSelectedText() ? FLine->selectionStart() : FLine->cursorPosition();
    if (FMemo) return Memo()->textCursor().selectionStart();
    return 0;
}

Integer TTextWidget::SelEnd() const {
    if (FLine) return FLine->hasSelectedText() ? FLine->selectionEnd() : FLine->cursorPosition();
    if (FMemo) return Memo()->textCursor().selectionEnd();
    return 0;
}

Integer TTextWidget::CaretIndex() const {
    if (FLine) return FLine->cursorPosition();
    if (FMemo) return Memo()->textCursor().position();
    return 0;
}

void TTextWidget::SetSel(Integer Start, Integer End) {
    const Integer length = TextLength();
    if (Start < 0) {
        Start = End = SelEnd(); // a negative start removes the selection
    }
    if (End < 0 || End > length) End = length;
    Start = std::min(Start, length);
    if (FLine) FLine->setSelection(Start, End - Start);
    if (FMemo) {
        QTextCursor c = Memo()->textCursor();
        c.setPosition(Start);
        c.setPosition(End, QTextCursor::KeepAnchor);
        Memo()->setTextCursor(c);
    }
}

void TTextWidget::ReplaceSel(const String& Value) {
    const QString text = QString::fromStdString(Value);
    if (FLine) FLine->insert(text);
    if (FMemo) Memo()->insertPlainText(text);
}

bool TTextWidget::Modified() const {
    if (FLine) return FLine->isModified();
    return FMemo && Memo()->document()->isModified();
}

void TTextWidget::SetModified(bool Value) {
    if (FLine) FLine->setModified(Value);
    if (FMemo) Memo()->document()->setModified(Value);
}

void TTextWidget::Copy() {
    if (FLine) FLine->copy();
    if (FMemo) Memo()->copy();
}

void TTextWidget::Cut() {
    if (FLine) FLine->cut();
    if (FMemo) Memo()->cut();
}

void TTextWidget::Paste() {
    if (FLine) FLine->paste();
    if (FMemo) Memo()->paste();
}

void TTextWidget::Undo() {
    if (FLine) FLine->undo();
    if (FMemo) Memo()->undo();
}

bool TTextWidget::CanUndo() const {
    if (FLine) return FLine->isUndoAvailable();
    return FMemo && Memo()->document()->isUndoAvailable();
}

// ---------------------------------------------------------------- lines

Integer TTextWidget::LineCount() const {
    return FMemo ? Memo()->document()->blockCount() : 1;
}

String TTextWidget::Line(Integer Index) const {
    if (FLine) return Index == 0 ? Text() : String();
    return Memo()->document()->findBlockByNumber(Index).text().toStdString();
}

Integer TTextWidget::LineIndex(Integer LineNo) const {
    if (LineNo < 0) LineNo = LineFromChar(-1);
    if (FLine) return LineNo == 0 ? 0 : -1;
    QTextBlock b = Memo()->document()->findBlockByNumber(LineNo);
    return b.isValid() ? b.position() : -1;
}

Integer TTextWidget::LineLength(Integer CharIndex) const {
    if (FLine) return TextLength();
    QTextBlock b = Memo()->document()->findBlock(std::max(0, CharIndex));
    if (!b.isValid()) b = Memo()->document()->lastBlock();
    return b.length() - 1;
}

Integer TTextWidget::LineFromChar(Integer CharIndex) const {
    if (FLine) return 0;
    if (CharIndex < 0) CharIndex = SelEnd();
    QTextBlock b = Memo()->document()->findBlock(CharIndex);
    return b.isValid() ? b.blockNumber() : Memo()->document()->blockCount() - 1;
}

Integer TTextWidget::AppendLine(const String& Value) {
    if (FLine) {
        FLine->setText(QString::fromStdString(Value));
        return 0;
    }
    // Lines added one after another are kept and go into the document
    // together at the next look at it (any call here, any event of the
    // widget), and at the latest in the next pass of the event loop, which
    // also paints them: one insertion and one paint instead of one layout
    // per line.
    QTextDocument* doc = FMemo->document();
    if (FPendingCount == 0) {
        FPendingIntoLastBlock = doc->lastBlock().length() == 1;
        FPendingFirstIndex = doc->blockCount() - (FPendingIntoLastBlock ? 1 : 0);
        if (!FShowPosted) {
            FShowPosted = true;
            QMetaObject::invokeMethod(this, [this] { ShowHeldLines(); }, Qt::QueuedConnection);
        }
    } else {
        FPending += QLatin1Char('\n');
    }
    FPending += QString::fromStdString(Value);
    return FPendingFirstIndex + FPendingCount++;
}

void TTextWidget::FlushLines() const {
    if (FPendingCount == 0 || !FMemo) return;
    QString text;
    text.swap(FPending);
    FPendingCount = 0;
    {
        TRestoreOnExit<bool> setting(FSettingText, true); // reported as each line was added
        TRestoreOnExit<bool> own(FOwnScroll, true);       // placed below
        QTextDocument* doc = FMemo->document();
        if (FPendingIntoLastBlock && !doc->isEmpty()) {
            // Into the empty block after a final line break.
            QTextCursor c(doc);
            c.movePosition(QTextCursor::End);
            c.insertText(text);
        } else {
            // A new block after the last (the first one of an empty text):
            // the widget's own append, which repaints only what moved into view.
            FMemo->appendPlainText(text);
        }
    }
    PlaceView();
}

void TTextWidget::PlaceView() const {
    if (!FMemo || FOwnScroll) return;
    QScrollBar* bar = FMemo->verticalScrollBar();
    // A view that the text or the pane no longer lets stay above the end
    // (a shorter text, a taller pane) is at the end: it follows again.
    if (!FFollow && FUserTop >= bar->maximum()) FFollow = true;
    const int top = FFollow ? bar->maximum() : FUserTop;
    if (bar->value() == top) return;
    TRestoreOnExit<bool> own(FOwnScroll, true);
    bar->setValue(top);
}

void TTextWidget::UserMovedView() {
    QScrollBar* bar = FMemo->verticalScrollBar();
    FUserTop = bar->value();
    FFollow = FUserTop >= bar->maximum() || static_cast<TMemoEdit*>(FMemo.data())->LastLineShown();
}

template <class Scroll> void TTextWidget::UserScroll(Scroll&& Move) {
    // The widget moves its view to the caret without telling: the view is
    // looked at afterwards.
    {
        TRestoreOnExit<bool> scrolling(FUserScrolling, true);
        Move();
    }
    UserMovedView();
}

template <class Send> void TTextWidget::Deliver(Send&& Event) {
    const int top = FMemo ? FMemo->verticalScrollBar()->value() : 0;
    // Not a guard: a handler of the change may free the control, and this
    // with it.
    const QPointer<TTextWidget> alive(this);
    const bool was = FDelivering;
    FDelivering = true;
    Event();
    if (!alive) return;
    FDelivering = was;
    if (FMemo && FMemo->verticalScrollBar()->value() != top) UserMovedView();
}

void TTextWidget::ScrollBarMoved() {
    // The user's moves are looked at when they are done.
    if (FOwnScroll || FUserScrolling || FDelivering) return;
    PlaceView(); // the widget's own moves (to the caret when it is shown, ...) do not count
}

void TTextWidget::ShowHeldLines() {
    FShowPosted = false;
    if (FPendingCount == 0 || !FMemo) return; // a look at the document took them in
    FlushLines();
    // The insertion asks for a paint, which would come in the loop's next
    // pass: it is given now, painting what changed (as the pass would).
    QCoreApplication::sendPostedEvents(FMemo->window(), QEvent::UpdateRequest);
}

QPlainTextEdit* TTextWidget::Memo() const {
    FlushLines();
    return FMemo;
}

void TTextWidget::PutLine(Integer Index, const String& Value) {
    if (FLine) {
        FLine->setText(QString::fromStdString(Value));
        return;
    }
    QTextCursor c(Memo()->document()->findBlockByNumber(Index));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.insertText(QString::fromStdString(Value));
}

void TTextWidget::InsertLine(Integer Index, const String& Value) {
    if (!FMemo) return PutLine(Index, Value);
    QTextCursor c(Memo()->document()->findBlockByNumber(Index));
    c.insertText(QString::fromStdString(Value));
    c.insertBlock();
}

void TTextWidget::DeleteLine(Integer Index) {
    if (!FMemo) return PutLine(Index, String());
    QTextDocument* doc = Memo()->document();
    QTextBlock b = doc->findBlockByNumber(Index);
    if (!b.isValid()) return;
    QTextCursor c(b);
    if (b.next().isValid()) {
        c.setPosition(b.next().position(), QTextCursor::KeepAnchor);
    } else if (b.previous().isValid()) {
        c.setPosition(b.previous().position() + b.previous().length() - 1);
        c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
    } else {
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    c.removeSelectedText();
}

Integer TTextWidget::FirstVisibleLine() const {
    if (!FMemo) return 0;
    return Memo()->cursorForPosition(QPoint(0, 0)).blockNumber();
}

bool TTextWidget::ScrollLines(Integer Lines) {
    if (!FMemo) return false;
    QScrollBar* bar = Memo()->verticalScrollBar();
    const int old = bar->value();
    UserScroll([&] { bar->setValue(old + Lines); });
    return bar->value() != old;
}

bool TTextWidget::ScrollPages(Integer Pages) {
    if (!FMemo) return false;
    return ScrollLines(Pages * std::max(1, Memo()->verticalScrollBar()->pageStep()));
}

void TTextWidget::ScrollToCaret() {
    if (FMemo) UserScroll([this] { Memo()->ensureCursorVisible(); });
}

bool TTextWidget::CharFromPos(TPoint P, Integer& Index, Integer& LineNo) const {
    if (FLine) {
        Index = FLine->cursorPositionAt(QPoint(P.X, P.Y));
        LineNo = 0;
        return true;
    }
    if (!FMemo) return false;
    QTextCursor c = Memo()->cursorForPosition(QPoint(P.X, P.Y));
    Index = c.position();
    LineNo = c.blockNumber();
    return true;
}

// ---------------------------------------------------------------- input

void TTextWidget::DeliverKey(Word Key, TShiftState Shift, bool Down) {
    QWidget* target = Widget();
    if (!target) return;
    const QEvent::Type type = Down ? QEvent::KeyPress : QEvent::KeyRelease;
    int qtKey = QtKeyOf(Key);
    QString text;
    Qt::KeyboardModifiers modifiers = ModifiersOf(Shift);
    if (FPendingKey && FPendingKey->type() == type) {
        qtKey = FPendingKey->key();
        text = FPendingKey->text();
        modifiers = FPendingKey->modifiers();
    }
    if (Down && (TypesOnChar(text) || Key == VK_RETURN || Key == VK_TAB)) return;
    QKeyEvent event(type, qtKey, modifiers, TypesOnChar(text) ? QString() : text);
    Deliver([&] { QApplication::sendEvent(target, &event); });
}

void TTextWidget::DeliverChar(char32_t Char) {
    if (Char < 0x20 && Char != '\r' && Char != '\t') return;
    if (Char == 0x7F) return;
    if (FLine) {
        if (FLine->isReadOnly() || Char == '\r' || Char == '\t') return;
        FLine->insert(QString::fromUcs4(&Char, 1));
    } else if (FMemo) {
        if (Memo()->isReadOnly()) return;
        Deliver([&] { Memo()->insertPlainText(Char == '\r' ? QString("\n") : QString::fromUcs4(&Char, 1)); });
    }
}

void TTextWidget::DeliverMouse(Cardinal Msg, WPARAM Keys, TPoint WindowPos) {
    QWidget* target = InputWidget();
    if (!target || !Widget()->parentWidget()) return;
    QEvent::Type type;
    Qt::MouseButton button = Qt::NoButton;
    switch (Msg) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
    case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
    case WM_MOUSEMOVE: type = QEvent::MouseMove; break;
    default: return;
    }
    Qt::MouseButtons buttons;
    if (Keys & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (Keys & MK_RBUTTON) buttons |= Qt::RightButton;
    if (Keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
    Qt::KeyboardModifiers modifiers;
    if (Keys & MK_SHIFT) modifiers |= Qt::ShiftModifier;
    if (Keys & MK_CONTROL) modifiers |= Qt::ControlModifier;
    const QPointF local = target->mapFrom(Widget()->parentWidget(), QPoint(WindowPos.X, WindowPos.Y));
    QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, modifiers);
    Deliver([&] { QApplication::sendEvent(target, &event); });
}

void TTextWidget::DeliverWheel(Integer Delta) {
    QWidget* target = InputWidget();
    if (!target) return;
    QWheelEvent event(QPointF(1, 1), target->mapToGlobal(QPointF(1, 1)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    Deliver([&] { QApplication::sendEvent(target, &event); });
}

void TTextWidget::ShowStandardMenu(TPoint ScreenPos) {
    QMenu* menu = FLine ? FLine->createStandardContextMenu() : FMemo ? Memo()->createStandardContextMenu() : nullptr;
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QPoint(ScreenPos.X, ScreenPos.Y));
}

void TTextWidget::SetInputMethod(bool Enabled, bool PreferLatin) {
    QWidget* target = Widget();
    if (!target) return;
    target->setAttribute(Qt::WA_InputMethodEnabled, Enabled);
    Qt::InputMethodHints hints = target->inputMethodHints();
    hints.setFlag(Qt::ImhPreferLatin, PreferLatin);
    target->setInputMethodHints(hints);
}

bool TTextWidget::eventFilter(QObject* Watched, QEvent* Event) {
    // The context menu is the control's to give (WM_CONTEXTMENU after the
    // right button's release), not the widget's on its own.
    if (Event->type() == QEvent::ContextMenu && Watched != (Widget() ? Widget()->parentWidget() : nullptr))
        return true;
    switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Paint:
    case QEvent::Resize:
    case QEvent::Show:
        break;
    default:
        return false; // the rest (creation, destruction, focus ...) is the widget's alone
    }
    if (!Widget()) return false;
    FlushLines();
    QWidget* surface = Widget()->parentWidget();
    if (Watched == surface) {
        if (!FDelivering) return false;
        switch (Event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
    if (FDelivering) return false;
    switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // The key goes the way of every key: to the focused control.
        if (!surface) return false;
        auto* key = static_cast<QKeyEvent*>(Event);
        QKeyEvent* outer = FPendingKey;
        FPendingKey = key;
        QApplication::sendEvent(surface, key);
        FPendingKey = outer;
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (!surface) return false;
        auto* mouse = static_cast<QMouseEvent*>(Event);
        const QPoint p = static_cast<QWidget*>(Watched)->mapTo(surface, mouse->position().toPoint());
        QMouseEvent copy(Event->type(), QPointF(p), mouse->globalPosition(), mouse->button(), mouse->buttons(),
                         mouse->modifiers());
        QApplication::sendEvent(surface, &copy);
        return true;
    }
    case QEvent::Wheel: {
        if (!surface) return false;
        auto* wheel = static_cast<QWheelEvent*>(Event);
        const QPoint p = static_cast<QWidget*>(Watched)->mapTo(surface, wheel->position().toPoint());
        QWheelEvent copy(QPointF(p), wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                         wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted());
        QApplication::sendEvent(surface, &copy);
        return true;
    }
    default:
        return false;
    }
}
