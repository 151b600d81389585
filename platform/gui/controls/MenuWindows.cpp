// The windows of menus: a form's menu bar, a strip of its window above the
// client area, and the drop-down windows of the open menu levels (popup
// windows, PopupWindow.h). Each paints through the menu loop; their mouse
// input goes to the menu loop.
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/PopupWindow.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <vector>

namespace {

template <class F> void Guarded(F&& Body) {
    try {
        Body();
    } catch (const std::exception& E) {
        Application->HandleException(E);
    }
}

// The menu bar: a child of the form's window at its top, as wide as the
// window, showing the bar as the menu loop paints it.
class TMenuBarWidget : public QWidget {
public:
    TMenuBarWidget(TCustomForm* Form, QWidget* Parent) : QWidget(Parent), FForm(Form) {
        setObjectName("MenuBar");
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        Parent->installEventFilter(this);
    }
    ~TMenuBarWidget() override { TMenuLoop::Get().FormWindowGone(FForm); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (FBitmap.Width() != width() || FBitmap.Height() != height()) FBitmap.SetSize(width(), height());
        Guarded([this] { TMenuLoop::Get().PaintBar(FForm, FBitmap.Canvas()); });
        QPainter painter(this);
        painter.drawImage(0, 0, RasterImage(*BitmapRaster(&FBitmap)));
    }
    void mousePressEvent(QMouseEvent* E) override { Forward(maDown, E); }
    void mouseDoubleClickEvent(QMouseEvent* E) override { Forward(maDoubleClick, E); }
    void mouseReleaseEvent(QMouseEvent* E) override { Forward(maUp, E); }
    void mouseMoveEvent(QMouseEvent* E) override { Forward(maMove, E); }
    void leaveEvent(QEvent*) override { TMenuLoop::Get().BarMouse(FForm, maMove, mbLeft, {-1, -1}); }
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched != parent()) return false;
        if (Event->type() == QEvent::Resize) setGeometry(0, 0, parentWidget()->width(), height());
        // Another window took the keyboard: the form's menus close.
        if (Event->type() == QEvent::WindowDeactivate && TMenuLoop::Get().BarForm() == FForm)
            TMenuLoop::Get().Close();
        return false;
    }

private:
    void Forward(TMouseAction Action, QMouseEvent* E) {
        TMouseButton b = mbLeft;
        if (Action != maMove && !MouseButtonOf(E->button(), b)) return;
        const QPoint p = E->position().toPoint();
        Guarded([&] { TMenuLoop::Get().BarMouse(FForm, Action, b, {p.x(), p.y()}); });
    }

    TCustomForm* FForm;
    TBitmap FBitmap;
};

// The level windows, made on first need and kept for later menus.
std::vector<std::unique_ptr<TPopupWindow>>& LevelWindows() {
    static std::vector<std::unique_ptr<TPopupWindow>> windows;
    return windows;
}

TMenuBarWidget* FindBar(TCustomForm* Form) {
    QWidget* surface = Form->HandleAllocated() ? WindowWidget(Form->Handle()) : nullptr;
    return surface ? surface->findChild<TMenuBarWidget*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

QWidget* TMenuWindows::BarWidget(TCustomForm* Form) {
    return FindBar(Form);
}

QWidget* TMenuWindows::LevelWidget(Integer Level) {
    auto& v = LevelWindows();
    if (Level < 0 || Level >= static_cast<Integer>(v.size())) return nullptr;
    return v[static_cast<size_t>(Level)]->Widget();
}

void TMenuWindows::UpdateBar(TCustomForm* Form) {
    QWidget* surface = Form->HandleAllocated() ? WindowWidget(Form->Handle()) : nullptr;
    if (!surface) return;
    TMenuBarWidget* bar = FindBar(Form);
    const Integer height = Form->MenuHeight();
    if (height <= 0) {
        if (bar) bar->hide();
        return;
    }
    if (!bar) bar = new TMenuBarWidget(Form, surface);
    bar->setGeometry(0, 0, surface->width(), height);
    bar->raise();
    bar->show();
    bar->update();
}

void TMenuWindows::ShowLevel(Integer Level, const TRect& Bounds) {
    auto& v = LevelWindows();
    while (static_cast<Integer>(v.size()) <= Level) {
        const Integer level = static_cast<Integer>(v.size());
        v.push_back(std::make_unique<TPopupWindow>(
            [level](TCanvas* Canvas) { TMenuLoop::Get().PaintLevel(level, Canvas); },
            [level](TMouseAction Action, TMouseButton Button, TPoint Pos) {
                TMenuLoop::Get().LevelMouse(level, Action, Button, Pos);
            }));
    }
    v[static_cast<size_t>(Level)]->Show(Bounds);
}

void TMenuWindows::HideLevels(Integer From) {
    auto& v = LevelWindows();
    for (size_t i = static_cast<size_t>(std::max(0, From)); i < v.size(); ++i)
        v[i]->Hide();
}

void TMenuWindows::RepaintLevel(Integer Level) {
    auto& v = LevelWindows();
    if (Level >= 0 && Level < static_cast<Integer>(v.size())) v[static_cast<size_t>(Level)]->Invalidate();
}
