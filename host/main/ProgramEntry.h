#pragma once
// The program's main block, apart from the windows it makes: the check for
// the files the program cannot work without, the error box when one is
// missing, then the windows in their order, the main window's start-up step
// and the message loop until the main window closes.
//
// main (main.cpp) makes the GUI application, installs the program's version
// block and the control library's screen facts (InitQxCommon), and hands
// its window-making and start-up steps (HostWindows.h) to RunMainBlock.

#include "platform/rtl/System.h"

#include <functional>

// The error box's text when a required file is missing.
inline constexpr const char* StartupFilesMissingText =
    "Required Upgrade files are missing. Please re-install application.";

// True when a file the program needs is missing from Folder (with trailing
// separator): none of "Logo.bmp", "Logo.jpg", "Logo.gif"; or no
// "Settings.ini"; or, only when Settings.ini exists, no file named by its
// [Targets] FwFileName01 ("BadName.pfw" when the key is absent), in Folder
// unless the name starts with "/" (as the main window opens it).
bool StartupFilesMissing(const String& Folder);

// The main block: StartupFilesMissing(Folder) shows the error box and ends
// with exit code 1 before any window exists. Otherwise the application is
// initialised, CreateWindows makes the windows (the main window first),
// StartUp runs the main window's start-up step, and the message loop runs
// until the main window closes; exit code 0.
int RunMainBlock(const String& Folder, const std::function<void()>& CreateWindows,
                 const std::function<void()>& StartUp);
