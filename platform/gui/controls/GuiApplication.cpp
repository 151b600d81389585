#include "platform/gui/controls/GuiApplication.h"
#include "platform/rtl/EventLoop.h"
#include "platform/sys/Beep.h"

#include <QApplication>

struct TGuiApplication::TData {
    TData(int& Argc, char** Argv) : App(Argc, Argv) {}
    QApplication App;
    TWindowBell OldBell;
};

TGuiApplication::TGuiApplication(int& Argc, char** Argv) : FData(std::make_unique<TData>(Argc, Argv)) {
    InitEventLoop();
    FData->OldBell = SetWindowBell([] { QApplication::beep(); });
}

TGuiApplication::~TGuiApplication() {
    SetWindowBell(std::move(FData->OldBell));
}
