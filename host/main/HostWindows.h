#pragma once
// The program's windows as the main block makes them, and the main window's
// start-up step. main and the start-up benchmark share them.

// Makes the windows in their order, the main window first, then the report
// agent (DataModule1).
void CreateHostWindows();
// The main window's start-up step: settings, agent, first discovery.
void StartUpHost();
