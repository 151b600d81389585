#pragma once
// The program's windows as the main block makes them, and the main window's
// start-up step. main and the start-up benchmark share them.

// Makes the windows in their order: the main window (the application's main
// form), the report agent (DataModule1), the progress window, the IP
// settings dialog and the about box.
void CreateHostWindows();
// The main window's start-up step: settings, agent, first discovery.
void StartUpHost();
