#pragma once
// The Qt side of windows, private to platform/gui (and its tests): the
// widget that presents a window's surface and turns Qt's input into the
// window's input, and the calls through which the control classes drive it.

#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/gdi/Raster.h"

#include <QWidget>

#include <memory>

class TWindowSurface : public QWidget {
public:
    TWindowSurface(TWinControl* Control, QWidget* Parent, Qt::WindowFlags Flags);
    ~TWindowSurface() override;

    TWinControl* Control() const { return FControl; }
    // The control is going; the widget forgets it.
    void Detach() { FControl = nullptr; }
    const std::shared_ptr<TRaster>& Raster() const { return FRaster; }
    void ResizeRaster(int Width, int Height);
    // A child widget that takes the keyboard while the control has the
    // focus (the text widget of an edit); nullptr when the form's window does.
    QWidget* KeyWidget() const { return FKeyWidget; }
    void SetKeyWidget(QWidget* Widget) { FKeyWidget = Widget; }

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    TWinControl* FControl;
    std::shared_ptr<TRaster> FRaster;
    QWidget* FKeyWidget = nullptr;
};

// The control tree's button for a Qt mouse button; false for other buttons.
bool MouseButtonOf(Qt::MouseButton Button, TMouseButton& Out);

TWindowSurface* CreateWindowSurface(TWinControl* Control, const TCreateParams& Params);
void DestroyWindowSurface(TWindowSurface* Surface);

// The widget of a window handle (nullptr when none).
QWidget* WindowWidget(HWND Wnd);
// The handle of the active form's window (0 when none).
HWND ActiveWindowHandle();
// A picture of the window and its children as shown on screen.
QImage GrabWindow(TWinControl* Control);

// What the control classes ask of their window's widget.
struct TWindowAccess {
    static QWidget* Widget(TWinControl* W);
    // A device context on the window's surface: WindowDC for GetDC
    // (clipped to the client area; what is drawn is shown), SurfaceDC for
    // the paint cycle.
    static HDC WindowDC(TWinControl* W);
    static HDC SurfaceDC(TWinControl* W);
    // Shows R of the surface again.
    static void Present(TWinControl* W, const TRect& R);
    // Stacks the child windows' widgets in z-order.
    static void Restack(TWinControl* Parent);
    static void ApplyGeometry(TWinControl* W);
    static void ShowSurface(TWinControl* W, bool Show);
    static void TakeKeyboard(TWinControl* W);
    static void RaiseWindow(TCustomForm* Form);
    static void ApplyWindowState(TCustomForm* Form);
    static void ShowCursorShape(int Shape);
    static void ShowToolTip(TControl* Control, const String& Text);
};
