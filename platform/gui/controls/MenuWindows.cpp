// The windows of menus: a form's menu bar, a strip of its window above the
// client area, and the drop-down windows of the open menu levels (popup
// windows, PopupWindow.h). Each paints through the menu loop; their mouse
// input goes to the menu loop.
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/MenuLoop.h"
#include "platform/gui/controls/PopupWindow.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <QEvent>
#include <QWidget>

#include <vector>

namespace {

// The menu bar: a strip of the form's window at its top, as wide as the
// window, showing the bar as the menu loop paints it.
class TMenuBarWindow : public QObject {
public:
    TMenuBarWindow(TCustomForm* Form, QWidget* Surface)
        : QObject(Surface), FForm(Form),
          FWindow([Form](TCanvas* Canvas) { TMenuLoop::Get().PaintBar(Form, Canvas); },
                  [Form](TMouseAction Action, TMouseButton Button, TPoint Pos) {
                      TMenuLoop::Get().BarMouse(Form, Action, Button, Pos);
                  },
                  Surface) {
        FWindow.Widget()->setObjectName("MenuBar");
        Surface->installEventFilter(this);
    }
    ~TMenuBarWindow() override { TMenuLoop::Get().FormWindowGone(FForm); }
    TPopupWindow& Window() { return FWindow; }
    // Shows the bar, Height high, across the window; 0 hides it.
    void Place(Integer Height) {
        FHeight = Height;
        if (Height > 0)
            FWindow.Show({0, 0, static_cast<QWidget*>(parent())->width(), Height});
        else
            FWindow.Hide();
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched != parent()) return false;
        if (Event->type() == QEvent::Resize) Place(FHeight);
        // Another window took the keyboard: the form's menus close.
        if (Event->type() == QEvent::WindowDeactivate && TMenuLoop::Get().BarForm() == FForm)
            TMenuLoop::Get().Close();
        return false;
    }

private:
    TCustomForm* FForm;
    TPopupWindow FWindow;
    Integer FHeight = 0;
};

// The level windows, made on first need and kept for later menus.
std::vector<std::unique_ptr<TPopupWindow>>& LevelWindows() {
    static std::vector<std::unique_ptr<TPopupWindow>> windows;
    return windows;
}

// The bar among the window's children, which hold the child controls'
// windows too (the bar's class has no meta-object of its own, so a typed
// findChild would take any child for it).
TMenuBarWindow* FindBar(TCustomForm* Form) {
    QWidget* surface = Form->HandleAllocated() ? WindowWidget(Form->Handle()) : nullptr;
    if (!surface) return nullptr;
    for (QObject* child : surface->children())
        if (auto* bar = dynamic_cast<TMenuBarWindow*>(child)) return bar;
    return nullptr;
}

} // namespace

QWidget* TMenuWindows::BarWidget(TCustomForm* Form) {
    TMenuBarWindow* bar = FindBar(Form);
    return bar ? bar->Window().Widget() : nullptr;
}

QWidget* TMenuWindows::LevelWidget(Integer Level) {
    auto& v = LevelWindows();
    if (Level < 0 || Level >= static_cast<Integer>(v.size())) return nullptr;
    return v[static_cast<size_t>(Level)]->Widget();
}

void TMenuWindows::UpdateBar(TCustomForm* Form) {
    QWidget* surface = Form->HandleAllocated() ? WindowWidget(Form->Handle()) : nullptr;
    if (!surface) return;
    TMenuBarWindow* bar = FindBar(Form);
    const Integer height = Form->MenuHeight();
    if (!bar && height <= 0) return;
    if (!bar) bar = new TMenuBarWindow(Form, surface);
    bar->Place(height);
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
