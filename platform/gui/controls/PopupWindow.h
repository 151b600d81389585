#pragma once
// TPopupWindow: a window that floats over the forms without taking the
// focus or activating anything (a combo box's drop-down list), private to
// platform/gui. Its owner paints it and handles its mouse input; the window
// only shows what the owner painted, at its place on the screen.
//
// Paint is called with a canvas the size of the window whenever the window
// needs painting; Mouse gets every press, release, double click and move
// over the window in the window's own coordinates. Both may raise: the
// exception goes to the application's handler.

#include "platform/gui/controls/WindowInput.h"

#include <functional>
#include <memory>

class QWidget;

class TPopupWindow {
public:
    using TPaint = std::function<void(TCanvas* Canvas)>;
    using TMouse = std::function<void(TMouseAction Action, TMouseButton Button, TPoint Pos)>;

    // With a Parent the window is a child of that window's widget (a strip
    // of it, such as a form's menu bar) and Bounds are in its coordinates.
    TPopupWindow(TPaint Paint, TMouse Mouse, QWidget* Parent = nullptr);
    ~TPopupWindow();
    TPopupWindow(const TPopupWindow&) = delete;
    TPopupWindow& operator=(const TPopupWindow&) = delete;

    // Shows the window at Bounds (screen coordinates, or the parent's) and
    // paints it.
    void Show(const TRect& Bounds);
    void Hide();
    bool Visible() const;
    // Screen coordinates of the window while shown.
    const TRect& Bounds() const { return FBounds; }
    // Paints the window again when the event loop next runs.
    void Invalidate();
    // The window system's window (tests send it their events).
    QWidget* Widget() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    TRect FBounds;
};
