#pragma once
// The window system's side of a GUI program. A program's main makes one
// first, before Application->Initialize, and keeps it until main returns:
//
//   int main(int argc, char** argv) {
//       TGuiApplication Gui(argc, argv);
//       Application->Initialize();
//       ...
//   }
//
// It connects to the display (or the platform named by QT_QPA_PLATFORM),
// makes the calling thread the GUI thread, and makes MessageBeep ring the
// window system's bell while it lives. Qt is not shown to the program.

#include <memory>

class TGuiApplication {
public:
    TGuiApplication(int& Argc, char** Argv);
    ~TGuiApplication();
    TGuiApplication(const TGuiApplication&) = delete;
    TGuiApplication& operator=(const TGuiApplication&) = delete;

private:
    struct TData;
    std::unique_ptr<TData> FData;
};
