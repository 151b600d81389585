#pragma once
// The devsim program's command line:
//   devsim [--bind ADDR] [--port N] [--device-id N] [--version A.B.C.D]
//          [--devid-register N] [--settings FILE] [--target-index N]
//          [--fault SPEC]... [--save-hex FILE] [--quiet] [--help]
// Numbers are decimal or 0x-hex; "--name value" and "--name=value" both work.

#include "tools/devsim/DevSim.h"

namespace devsim {

struct TDevSimCommandLine {
    TDevSimOptions Options;
    bool Help = false; // --help: print the usage and end
};

// Parses the arguments (without the program name). Raises EDevSimError
// naming the first bad argument; a bind address must be a dotted IPv4
// address.
TDevSimCommandLine ParseDevSimCommandLine(const std::vector<String>& Args);

// The checks of the named files that the program makes before it starts
// serving, so that a mistake is reported at once and not when the device
// stops: the settings file exists, is readable and describes the chosen
// entry in its [Known Devices] section (the program never falls back to
// the built-in part when a settings file is named); the --save-hex file
// can be written (it is created and removed again when it did not exist).
// Raises EDevSimError saying what is wrong.
void CheckDevSimFiles(const TDevSimOptions& Options);

// The usage text, with the fault grammar.
String DevSimUsage();

} // namespace devsim
