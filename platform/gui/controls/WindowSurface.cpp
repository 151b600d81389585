#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/boxes/BoxOwners.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/gdi/RasterAccess.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/rtl/EventLoop.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

namespace {

QPointer<TWindowSurface> gPointerSurface; // the widget whose cursor follows SetCursor

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton) {
    TShiftState s;
    if (Modifiers & Qt::ShiftModifier) s << ssShift;
    if (Modifiers & Qt::ControlModifier) s << ssCtrl;
    if (Modifiers & Qt::AltModifier) s << ssAlt;
    if (Buttons & Qt::LeftButton) s << ssLeft;
    if (Buttons & Qt::RightButton) s << ssRight;
    if (Buttons & Qt::MiddleButton) s << ssMiddle;
    return s;
}

Word VirtualKeyOf(int Key) {
    if ((Key >= Qt::Key_A && Key <= Qt::Key_Z) || (Key >= Qt::Key_0 && Key <= Qt::Key_9))
        return static_cast<Word>(Key);
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (Key - Qt::Key_F1));
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Help:
        return VK_HELP;
    default:
        return 0;
    }
}

Qt::WindowFlags FormFlags(const TCustomForm* Form) {
    Qt::WindowFlags f;
    switch (Form->BorderStyle()) {
    case bsNone:
        return Qt::Window | Qt::FramelessWindowHint;
    case bsDialog:
        f = Qt::Dialog;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        f = Qt::Tool;
        break;
    default:
        f = Qt::Window;
        break;
    }
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (Form->BorderIcons().Contains(biSystemMenu)) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (Form->BorderStyle() != bsDialog) {
        if (Form->BorderIcons().Contains(biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (Form->BorderIcons().Contains(biMaximize)) f |= Qt::WindowMaximizeButtonHint;
    }
    return f;
}

// How far below the top of a window's widget its client area begins: a
// form's menu bar lies above it, inside the same widget.
int ClientTop(const TWinControl* W) {
    auto* form = dynamic_cast<const TCustomForm*>(W);
    return form ? form->MenuHeight() : 0;
}

// A surface handling one of its own events is not deleted under it.
int& EventDepth(TWindowSurface* S) {
    static std::unordered_map<TWindowSurface*, int> depths;
    return depths[S];
}

} // namespace

// ================================================================ the widget

bool MouseButtonOf(Qt::MouseButton Button, TMouseButton& Out) {
    switch (Button) {
    case Qt::LeftButton:
        Out = mbLeft;
        return true;
    case Qt::RightButton:
        Out = mbRight;
        return true;
    case Qt::MiddleButton:
        Out = mbMiddle;
        return true;
    default:
        return false;
    }
}


TWindowSurface::TWindowSurface(TWinControl* Control, QWidget* Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), FControl(Control), FRaster(std::make_shared<TRaster>(0, 0)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Parent ? Qt::NoFocus : Qt::StrongFocus);
}

TWindowSurface::~TWindowSurface() {
    if (FControl && FControl->FSurface == this) FControl->FSurface = nullptr;
}

void TWindowSurface::ResizeRaster(int Width, int Height) {
    if (Width != FRaster->Width() || Height != FRaster->Height())
        FRaster->Resize(std::max(0, Width), std::max(0, Height));
}

bool TWindowSurface::event(QEvent* Event) {
    ++EventDepth(this);
    bool result = true;
    try {
        if (FControl && (Event->type() == QEvent::KeyPress || Event->type() == QEvent::KeyRelease)) {
            // All keys, Tab included, go to the focused control, not to Qt's focus chain.
            auto* key = static_cast<QKeyEvent*>(Event);
            KeyInput(Event->type() == QEvent::KeyPress ? kaDown : kaUp, VirtualKeyOf(key->key()),
                     ShiftOf(key->modifiers()),
                     Event->type() == QEvent::KeyPress ? key->text().toStdString() : "");
        } else {
            result = QWidget::event(Event);
        }
    } catch (const std::exception& E) {
        HandleException(E);
    }
    --EventDepth(this);
    return result;
}

void TWindowSurface::paintEvent(QPaintEvent* Event) {
    if (FControl) FControl->PaintInvalid();
    QPainter painter(this);
    QImage image = RasterImage(*FRaster);
    const int top = FControl ? ClientTop(FControl) : 0;
    painter.drawImage(Event->rect(), image, Event->rect().translated(0, -top));
}

void TWindowSurface::mousePressEvent(QMouseEvent* Event) {
    TMouseButton b;
    QPoint p = Event->position().toPoint();
    if (FControl && MouseButtonOf(Event->button(), b))
        MouseInput(FControl, maDown, b, ShiftOf(Event->modifiers(), Event->buttons()),
                   {p.x(), p.y() - ClientTop(FControl)});
}

void TWindowSurface::mouseReleaseEvent(QMouseEvent* Event) {
    TMouseButton b;
    QPoint p = Event->position().toPoint();
    if (FControl && MouseButtonOf(Event->button(), b))
        MouseInput(FControl, maUp, b, ShiftOf(Event->modifiers(), Event->buttons()),
                   {p.x(), p.y() - ClientTop(FControl)});
}

void TWindowSurface::mouseDoubleClickEvent(QMouseEvent* Event) {
    TMouseButton b;
    QPoint p = Event->position().toPoint();
    if (FControl && MouseButtonOf(Event->button(), b))
        MouseInput(FControl, maDoubleClick, b, ShiftOf(Event->modifiers(), Event->buttons()),
                   {p.x(), p.y() - ClientTop(FControl)});
}

void TWindowSurface::mouseMoveEvent(QMouseEvent* Event) {
    gPointerSurface = this;
    QPoint p = Event->position().toPoint();
    if (FControl)
        MouseInput(FControl, maMove, mbLeft, ShiftOf(Event->modifiers(), Event->buttons()),
                   {p.x(), p.y() - ClientTop(FControl)});
}

void TWindowSurface::wheelEvent(QWheelEvent* Event) {
    QPoint p = Event->position().toPoint();
    if (FControl)
        MouseWheelInput(FControl, ShiftOf(Event->modifiers(), Event->buttons()), Event->angleDelta().y(),
                        {p.x(), p.y() - ClientTop(FControl)});
}

void TWindowSurface::leaveEvent(QEvent*) {
    if (auto* form = dynamic_cast<TCustomForm*>(FControl)) MouseLeaveInput(form);
}

void TWindowSurface::closeEvent(QCloseEvent* Event) {
    Event->ignore();
    if (FControl) FControl->Perform(WM_CLOSE);
}

void TWindowSurface::resizeEvent(QResizeEvent*) {
    auto* form = dynamic_cast<TCustomForm*>(FControl);
    if (!form || !isWindow()) return;
    const int top = ClientTop(form);
    if (width() != form->ClientWidth() || height() - top != form->ClientHeight())
        form->SetClientSize(width(), height() - top);
}

void TWindowSurface::moveEvent(QMoveEvent*) {
    auto* form = dynamic_cast<TCustomForm*>(FControl);
    if (!form || !isWindow()) return;
    TRect f = form->FrameMetrics();
    QPoint origin = geometry().topLeft() + QPoint(0, ClientTop(form));
    if (origin.x() - f.Left != form->Left() || origin.y() - f.Top != form->Top())
        form->SetBounds(origin.x() - f.Left, origin.y() - f.Top, form->Width(), form->Height());
}

void TWindowSurface::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    if (Event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    auto* form = dynamic_cast<TCustomForm*>(FControl);
    if (form && form->Visible() && !Screen->IsFormDisabled(form)) ActivateForm(form);
}

// ================================================================ windows

TWindowSurface* CreateWindowSurface(TWinControl* Control, const TCreateParams& Params) {
    Application->Initialize();
    QWidget* parent = Params.WndParent ? WindowWidget(Params.WndParent) : nullptr;
    auto* form = dynamic_cast<TCustomForm*>(Control);
    Qt::WindowFlags flags = parent || !form ? Qt::WindowFlags() : FormFlags(form);
    auto* s = new TWindowSurface(Control, parent, flags);
    if (!parent) s->setWindowTitle(QString::fromStdString(Params.Caption));
    s->setVisible(false);
    return s;
}

void DestroyWindowSurface(TWindowSurface* Surface) {
    Surface->Detach();
    if (EventDepth(Surface) > 0) {
        Surface->hide();
        Surface->setParent(nullptr);
        Surface->deleteLater();
    } else {
        delete Surface;
    }
}

QWidget* WindowWidget(HWND Wnd) {
    TWinControl* w = FindControl(Wnd);
    return w ? TWindowAccess::Widget(w) : nullptr;
}

namespace {
// A box is shown over its owner's window, which the boxes find through here.
const bool BoxOwnersKnown = (SetMessageBoxOwnerWidgets(&WindowWidget), true);
} // namespace

HWND ActiveWindowHandle() {
    TCustomForm* f = ActiveCustomForm();
    return f && f->HandleAllocated() ? f->Handle() : 0;
}

QImage GrabWindow(TWinControl* Control) {
    QWidget* w = TWindowAccess::Widget(Control);
    return w ? w->grab().toImage() : QImage();
}

QWidget* TWindowAccess::Widget(TWinControl* W) {
    return W->FSurface;
}

// ================================================================ access

HDC TWindowAccess::SurfaceDC(TWinControl* W) {
    TWindowSurface* s = W->FSurface;
    TRect client = W->WindowClientRect();
    s->ResizeRaster(client.Width(), client.Height());
    return CreateRasterDC(s->Raster());
}

HDC TWindowAccess::WindowDC(TWinControl* W) {
    if (!W->FSurface) return nullptr;
    HDC dc = SurfaceDC(W);
    TRect client = W->WindowClientRect();
    SetDCSystemClip(dc, &client);
    Present(W, client);
    return dc;
}

void TWindowAccess::Present(TWinControl* W, const TRect& R) {
    if (W->FSurface) W->FSurface->update(QRect(R.Left, R.Top + ClientTop(W), R.Width(), R.Height()));
}

void TWindowAccess::Restack(TWinControl* Parent) {
    if (!Parent) return;
    for (TWinControl* w : Parent->FWinControls)
        if (w->FSurface) w->FSurface->raise();
}

void TWindowAccess::ApplyGeometry(TWinControl* W) {
    TWindowSurface* s = W->FSurface;
    if (!s) return;
    TRect client = W->WindowClientRect();
    s->ResizeRaster(client.Width(), client.Height());
    if (auto* form = dynamic_cast<TCustomForm*>(W); form && s->isWindow()) {
        TPoint origin = form->ClientOrigin();
        const int top = ClientTop(form);
        QRect g(origin.X, origin.Y - top, client.Width(), client.Height() + top);
        if (s->geometry() != g) s->setGeometry(g);
        if (form->BorderStyle() == bsDialog || form->BorderStyle() == bsSingle ||
            form->BorderStyle() == bsToolWindow || form->BorderStyle() == bsNone)
            s->setFixedSize(client.Width(), client.Height() + top);
        else {
            s->setMinimumSize(0, 0);
            s->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    } else {
        QRect g(W->Left(), W->Top() + ClientTop(W->Parent()), W->Width(), W->Height());
        if (s->geometry() != g) s->setGeometry(g);
    }
}

void TWindowAccess::ShowSurface(TWinControl* W, bool Show) {
    TWindowSurface* s = W->FSurface;
    if (!s) return;
    if (Show) {
        ApplyGeometry(W);
        if (s->isWindow()) s->setWindowTitle(QString::fromStdString(W->Caption()));
    }
    s->setVisible(Show);
}

void TWindowAccess::TakeKeyboard(TWinControl* W) {
    if (W->FSurface && W->FSurface->KeyWidget()) {
        W->FSurface->KeyWidget()->setFocus(Qt::OtherFocusReason);
        return;
    }
    TCustomForm* form = GetParentForm(W);
    if (form && form->FSurface && form->FSurface->isVisible() && !form->FSurface->hasFocus())
        form->FSurface->setFocus(Qt::OtherFocusReason);
}

void TWindowAccess::RaiseWindow(TCustomForm* Form) {
    TWindowSurface* s = Form->FSurface;
    if (!s || !s->isVisible() || QGuiApplication::platformName() == "offscreen") return;
    s->raise();
    s->activateWindow();
}

void TWindowAccess::ApplyWindowState(TCustomForm* Form) {
    TWindowSurface* s = Form->FSurface;
    if (!s) return;
    switch (Form->WindowState()) {
    case wsNormal:
        s->setWindowState(Qt::WindowNoState);
        break;
    case wsMinimized:
        s->setWindowState(Qt::WindowMinimized);
        break;
    case wsMaximized:
        s->setWindowState(Qt::WindowMaximized);
        break;
    }
}

void TWindowAccess::ShowCursorShape(int Shape) {
    if (gPointerSurface) gPointerSurface->setCursor(QCursor(static_cast<Qt::CursorShape>(Shape)));
}

void TWindowAccess::ShowToolTip(TControl* Control, const String& Text) {
    if (!Control || Text.empty()) {
        QToolTip::hideText();
        return;
    }
    TWinControl* window = dynamic_cast<TWinControl*>(Control);
    if (!window) window = Control->Parent();
    if (!window || !window->FSurface) return;
    TPoint p = window->ScreenToClient(GetCursorPos());
    QToolTip::showText(window->FSurface->mapToGlobal(QPoint(p.X, p.Y + ClientTop(window) + 20)),
                       QString::fromStdString(Text),
                       window->FSurface);
}
