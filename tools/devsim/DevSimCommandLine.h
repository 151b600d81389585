#pragma once
// The devsim program's command line:
//   devsim [--bind ADDR] [--port N] [--device-id N] [--version A.B.C.D]
//          [--devid-register N] [--settings FILE] [--target-index N]
//          [--fault SPEC]... [--save-hex FILE] [--quiet]
// Numbers are decimal or 0x-hex; "--name value" and "--name=value" both work.

#include "tools/devsim/DevSim.h"

namespace devsim {

struct TDevSimCommandLine {
    TDevSimOptions Options;
    bool Help = false; // --help: print the usage and end
};

// Parses the arguments (without the program name). Raises EDevSimError
// naming the first bad argument.
TDevSimCommandLine ParseDevSimCommandLine(const std::vector<String>& Args);

// The usage text, with the fault grammar.
String DevSimUsage();

} // namespace devsim
