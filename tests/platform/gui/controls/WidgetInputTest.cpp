// The Qt side: events that the window system gives a form's widgets reach
// the controls as the user's input, and closing the window closes the form.
#include "platform/gui/controls/WindowSurface.h"
#include "tests/platform/gui/controls/ControlProbes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace probes;

namespace {

class WidgetInput : public FormTest {};

TEST_F(WidgetInput, QtMouseAndKeyEventsBecomeMessages) {
    auto* box = Make<TWinProbe>(Form, "Box", {10, 10, 60, 40});
    box->SetTabStop(true);
    auto* pane = Make<TGraphicProbe>(box, "Pane", {5, 5, 15, 15});
    ShowForm();
    QWidget* widget = WindowWidget(box->Handle());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), QRect(10, 10, 50, 30));

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, 8), widget->mapToGlobal(QPointF(7, 8)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(7, 8), widget->mapToGlobal(QPointF(7, 8)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    EXPECT_EQ(Log(), Entries({"Pane:CM_MOUSEENTER", "Pane:WM_LBUTTONDOWN", "Pane:WM_LBUTTONUP"}));
    EXPECT_EQ(pane->Points.back(), TPoint(2, 3));

    // Keys arrive at the form's window and go to the focused control; Tab is
    // not taken by the window system's own focus chain.
    Log().clear();
    QWidget* formWidget = WindowWidget(Form->Handle());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(formWidget, &key);
    EXPECT_EQ(Log(), Entries({"Box:WM_KEYDOWN", "Form:CM_DIALOGCHAR", "Box:CM_DIALOGCHAR",
                              "Pane:CM_DIALOGCHAR", "Box:WM_CHAR"}));
    box->Wants = DLGC_WANTTAB;
    Log().clear();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
    QApplication::sendEvent(formWidget, &tab);
    EXPECT_EQ(Log().front(), "Box:WM_KEYDOWN");
}

TEST_F(WidgetInput, ClosingTheWindowClosesTheForm) {
    ShowForm();
    bool asked = false;
    Form->OnCloseQuery = [&](TObject*, bool& CanClose) {
        asked = true;
        CanClose = false;
    };
    QCloseEvent close;
    QApplication::sendEvent(WindowWidget(Form->Handle()), &close);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(Form->Visible());
    Form->OnCloseQuery = nullptr;
    QApplication::sendEvent(WindowWidget(Form->Handle()), &close);
    EXPECT_FALSE(Form->Visible());
}

} // namespace
