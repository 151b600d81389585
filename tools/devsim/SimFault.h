#pragma once
// Faults the simulated device can be told to show, for tests of the host:
// lost, late, doubled or mis-numbered answers, a block that will not
// program, another device ID register, another bootloader version.
//
// Text form (numbers decimal or 0x-hex; CMD a command code or * for all):
//   noanswer:CMD[:N]     the request is lost: not carried out, not answered
//   late:CMD:MS[:N]      the answer is sent MS milliseconds late
//   dup:CMD[:N]          the answer is sent twice
//   badseq:CMD[:N]       the answer carries the request's MsgNum + 1
//   spoof:CMD[:N]        a forged copy of the answer (every payload byte
//                        inverted) comes first, from another port
//   flood:CMD:COUNT[:N]  COUNT copies of the answer come first, carrying the
//                        Device_IDs that follow the device's own (each flood
//                        goes on where the last one stopped)
//   noise:CMD[:N]        the answer fills only the fields the host's command
//                        table names for it; every other answer field and
//                        payload byte is random (the header stays as always)
//   failblock:ADDR[:N]   program requests for the program block holding ADDR
//                        are not carried out and 0x0B answers InPayload[0] = 0
//   devid:VALUE          target information reports VALUE as device ID register
//   version:A.B.C.D      the version answer reports A.B.C.D (major below 2:
//                        erase requests are carried out but not answered)
// Without N a fault hits every matching request; with N only the N-th one
// (counted from 1, from the moment the fault was added; for failblock the
// N-th attempt at that block).

#include "tools/devsim/SimTypes.h"

namespace devsim {

enum TSimFaultKind {
    fkNoAnswer,
    fkLate,
    fkDuplicate,
    fkBadSequence,
    fkSpoof,
    fkFlood,
    fkNoise,
    // Kinds above hit the answers of requests (by command); those below
    // change what the device does or reports.
    fkFailBlock,
    fkDevIdRegister,
    fkVersion
};

inline constexpr Integer AnyCommand = -1;

struct TSimFault {
    TSimFaultKind Kind = fkNoAnswer;
    Integer Command = AnyCommand; // the command code it applies to
    Cardinal Occurrence = 0;      // 0: every matching request; N: only the N-th
    Cardinal DelayMs = 0;         // fkLate
    Cardinal Count = 0;           // fkFlood
    Cardinal Address = 0;         // fkFailBlock
    Cardinal Register = 0;        // fkDevIdRegister
    TSimVersion Version;          // fkVersion
    String Spec;                  // the text form

    bool Matches(Byte Cmd) const { return Command == AnyCommand || Command == Cmd; }
};

// Parses the text form. Raises EDevSimError with a message that names the
// fault and shows the grammar's form for its kind.
TSimFault ParseSimFault(const String& Spec);

// The grammar as help text, one form per line.
String SimFaultHelp();

} // namespace devsim
