// The windows of menus: a form's menu bar, a strip of its window above the
// client area, and the drop-down windows of the open menu levels. Each
// paints a bitmap through the menu loop and shows it; their mouse input
// goes to the menu loop.
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <vector>

namespace {

// A widget that shows a bitmap painted by the menu loop and hands its mouse
// input to it.
class TMenuWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    virtual void PaintMenu(TCanvas* Canvas) = 0;
    virtual void Mouse(TMouseAction Action, TMouseButton Button, TPoint Pos) = 0;

    void paintEvent(QPaintEvent*) override {
        if (FBitmap.Width() != width() || FBitmap.Height() != height()) FBitmap.SetSize(width(), height());
        Guarded([this] { PaintMenu(FBitmap.Canvas()); });
        QPainter painter(this);
        painter.drawImage(0, 0, RasterImage(*BitmapRaster(&FBitmap)));
    }
    void mousePressEvent(QMouseEvent* E) override { Forward(maDown, E); }
    void mouseDoubleClickEvent(QMouseEvent* E) override { Forward(maDoubleClick, E); }
    void mouseReleaseEvent(QMouseEvent* E) override { Forward(maUp, E); }
    void mouseMoveEvent(QMouseEvent* E) override { Forward(maMove, E); }

private:
    void Forward(TMouseAction Action, QMouseEvent* E) {
        TMouseButton b = mbLeft;
        if (Action != maMove && !MouseButtonOf(E->button(), b)) return;
        const QPoint p = E->position().toPoint();
        QPointer<QWidget> self(this);
        Guarded([&] { Mouse(Action, b, {p.x(), p.y()}); });
    }
    template <class F> static void Guarded(F&& Body) {
        try {
            Body();
        } catch (const std::exception& E) {
            Application->HandleException(E);
        }
    }

    TBitmap FBitmap;
};

class TMenuBarWidget : public TMenuWidget {
public:
    TMenuBarWidget(TCustomForm* Form, QWidget* Parent) : TMenuWidget(Parent), FForm(Form) {
        setObjectName("MenuBar");
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        Parent->installEventFilter(this);
    }
    ~TMenuBarWidget() override { TMenuLoop::Get().FormWindowGone(FForm); }
    TCustomForm* Form() const { return FForm; }

protected:
    void PaintMenu(TCanvas* Canvas) override { TMenuLoop::Get().PaintBar(FForm, Canvas); }
    void Mouse(TMouseAction Action, TMouseButton Button, TPoint Pos) override {
        TMenuLoop::Get().BarMouse(FForm, Action, Button, Pos);
    }
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
    TCustomForm* FForm;
};

class TMenuLevelWidget : public TMenuWidget {
public:
    explicit TMenuLevelWidget(Integer Level)
        : TMenuWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
          FLevel(Level) {
        setObjectName("MenuLevel");
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }

protected:
    void PaintMenu(TCanvas* Canvas) override { TMenuLoop::Get().PaintLevel(FLevel, Canvas); }
    void Mouse(TMouseAction Action, TMouseButton Button, TPoint Pos) override {
        TMenuLoop::Get().LevelMouse(FLevel, Action, Button, Pos);
    }

private:
    Integer FLevel;
};

// The level windows, made on first need and kept for later menus (a window
// may be hidden from inside its own mouse handler, so none is deleted while
// the program runs; the application deletes them at its end).
std::vector<QPointer<TMenuLevelWidget>>& LevelWidgets() {
    static std::vector<QPointer<TMenuLevelWidget>> widgets;
    return widgets;
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
    auto& v = LevelWidgets();
    if (Level < 0 || Level >= static_cast<Integer>(v.size())) return nullptr;
    return v[static_cast<size_t>(Level)];
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
    auto& v = LevelWidgets();
    while (static_cast<Integer>(v.size()) <= Level)
        v.emplace_back();
    QPointer<TMenuLevelWidget>& w = v[static_cast<size_t>(Level)];
    if (!w) w = new TMenuLevelWidget(Level);
    w->setGeometry(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    w->show();
    w->update();
}

void TMenuWindows::HideLevels(Integer From) {
    auto& v = LevelWidgets();
    for (size_t i = static_cast<size_t>(std::max(0, From)); i < v.size(); ++i)
        if (v[i]) v[i]->hide();
}

void TMenuWindows::RepaintLevel(Integer Level) {
    if (QWidget* w = LevelWidget(Level)) w->update();
}
