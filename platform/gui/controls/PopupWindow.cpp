#include "platform/gui/controls/PopupWindow.h"
#include "platform/gui/controls/Application.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/gui/gdi/RasterAccess.h"
#include "platform/gui/graphics/GraphicsAccess.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

template <class F> void Guarded(F&& Body) {
    try {
        Body();
    } catch (const std::exception& E) {
        Application->HandleException(E);
    }
}

class TPopupWidget : public QWidget {
public:
    TPopupWidget(TPopupWindow::TPaint Paint, TPopupWindow::TMouse Mouse, QWidget* Parent)
        : QWidget(Parent, Parent ? Qt::WindowFlags()
                                 : Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
          FPaint(std::move(Paint)), FMouse(std::move(Mouse)) {
        setObjectName("PopupWindow");
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }

    // The owner is going: nothing reaches it any more.
    void Detach() {
        FPaint = nullptr;
        FMouse = nullptr;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!FPaint) return;
        if (FBitmap.Width() != width() || FBitmap.Height() != height()) FBitmap.SetSize(width(), height());
        Guarded([this] { FPaint(FBitmap.Canvas()); });
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
        if (!FMouse || (Action != maMove && !MouseButtonOf(E->button(), b))) return;
        const QPoint p = E->position().toPoint();
        // A copy: the owner may go (and detach) while it handles the event.
        const TPopupWindow::TMouse mouse = FMouse;
        Guarded([&] { mouse(Action, b, {p.x(), p.y()}); });
    }

    TPopupWindow::TPaint FPaint;
    TPopupWindow::TMouse FMouse;
    TBitmap FBitmap;
};

} // namespace

struct TPopupWindow::TImpl {
    // The widget may be hidden from inside its own mouse handler: it is
    // deleted later, never under a running handler.
    QPointer<TPopupWidget> Widget;
};

TPopupWindow::TPopupWindow(TPaint Paint, TMouse Mouse, QWidget* Parent) : FImpl(std::make_unique<TImpl>()) {
    Application->Initialize();
    FImpl->Widget = new TPopupWidget(std::move(Paint), std::move(Mouse), Parent);
}

TPopupWindow::~TPopupWindow() {
    if (FImpl->Widget) {
        FImpl->Widget->Detach();
        FImpl->Widget->hide();
        FImpl->Widget->deleteLater();
    }
}

void TPopupWindow::Show(const TRect& Bounds) {
    FBounds = Bounds;
    if (!FImpl->Widget) return;
    FImpl->Widget->setGeometry(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    FImpl->Widget->show();
    FImpl->Widget->raise();
    FImpl->Widget->update();
}

void TPopupWindow::Hide() {
    if (FImpl->Widget) FImpl->Widget->hide();
}

bool TPopupWindow::Visible() const {
    return FImpl->Widget && FImpl->Widget->isVisible();
}

void TPopupWindow::Invalidate() {
    if (FImpl->Widget) FImpl->Widget->update();
}

QWidget* TPopupWindow::Widget() const {
    return FImpl->Widget;
}
