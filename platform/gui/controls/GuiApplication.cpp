#include "platform/gui/controls/GuiApplication.h"
#include "platform/rtl/EventLoop.h"

#include <QApplication>

struct TGuiApplication::TData {
    TData(int& Argc, char** Argv) : App(Argc, Argv) {}
    QApplication App;
};

TGuiApplication::TGuiApplication(int& Argc, char** Argv) : FData(std::make_unique<TData>(Argc, Argv)) {
    InitEventLoop();
}

TGuiApplication::~TGuiApplication() = default;
