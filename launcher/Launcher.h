#pragma once
// The launcher: runs the program it carries in its resource PELSORDATA.

#include "platform/sys/Win32.h"

// The whole work of Starter, run as its main block; returns the exit code.
// Writes the carried program to the temporary folder under a fresh name,
// starts it with the launcher's own path as its whole command line and the
// launcher's folder as its current directory, waits until it ends, and
// deletes it again.
//   0  after a normal run, when nothing is carried, and after "Error #1"
//      (the file cannot be created) or "Error #2" (the program cannot start);
//   1  when the carried stream is damaged or the file cannot be written
//      (the message says which, "Cannot unpack the program: ..." or "Cannot
//      write the program to <file>: ...", and why; the file is removed).
// Its messages are boxes with the caption "Error" and an OK button where a
// display is available, else lines "Error: <text>" on standard error.
Integer RunEmbeddedApplication();

// Seeds the run-time random generator from the high-resolution counter
// (from the millisecond clock when there is none). STARTER_RANDSEED in the
// environment, a decimal number, fixes the seed instead, so that tests can
// foresee the temporary name.
void SeedRandomGenerator();

// Opens the program file the launcher wrote, read-only, when its name still
// holds that file (Written: its identity taken before it was closed);
// INVALID_HANDLE_VALUE when the file is gone or the name now holds another.
HANDLE OpenWrittenProgram(const String& TempProgramPath, const FILE_ID_INFO& Written);

// "Pelsor_" + a decimal random number in 0 .. 2147483646 + ".exe".
String TempProgramName();
