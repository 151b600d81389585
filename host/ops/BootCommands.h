#pragma once
// The bootloader's command set. Each function fills the device's report
// object (a random payload first unless the command defines the payload),
// sends the request and, where the bootloader answers that command, waits
// up to the agent's TimeOut for the answer. Any datagram from the device
// that carries the request's MsgNum counts as the answer (the agent pairs
// them). Of an answer only the fields each command names below are read:
// CmdResponse never, InAddress only for a blank check that found a word not
// blank, InLen only for reads, payload bytes only where named.
//
// A field a command does not set keeps what the object last held (masked
// by the previous send): the bootloader ignores it.

#include "host/link/dsProgE_L.h"

// Command codes.
inline constexpr Integer cmdGetVersion = 0x00; // also the discovery request
inline constexpr Integer cmdReadMemory = 0x01;
inline constexpr Integer cmdEraseBlocks = 0x03;
inline constexpr Integer cmdReadConfigMemory = 0x06;
inline constexpr Integer cmdBlankCheck = 0x08;
inline constexpr Integer cmdRunApplication = 0x09;
inline constexpr Integer cmdProgramChunk = 0x0A;     // more chunks of the block follow
inline constexpr Integer cmdProgramLastChunk = 0x0B; // last or only chunk, answered
inline constexpr Integer cmdGetTargetInfo = 0x30;
inline constexpr Integer cmdStoreIPSettings = 0x31;
inline constexpr Integer cmdReadIPSettings = 0x32;

enum TCmdResult {
    crAnswered,   // sent and answered
    crSent,       // sent; the command has no answer (or none was awaited)
    crNoAnswer,   // sent, but no answer within the time-out
    crSendFailed, // not sent: Error says why
};

struct TCmdOutcome {
    TCmdResult Result = crSendFailed;
    String Error; // the reason of crSendFailed
    bool Ok() const { return Result == crAnswered || Result == crSent; }
};

// Optional listings of the request before it is sent (0x00, 0x30, 0x32) and
// of the answer when it arrived (0x00, 0x30, 0x31, 0x32). The host installs
// them with its diagnostics; unset views show nothing.
using TReportView = std::function<void(TdsProg* Device)>;
struct TReportViews {
    TReportView ShowOutputReport;
    TReportView ShowInputReport;
};
void SetReportViews(TReportViews Views);

// The device's IP settings as the bootloader stores them; each address with
// its first octet in the top byte.
struct TIPSettings {
    Cardinal Address = 0;
    Cardinal DNS = 0;
    Cardinal Mask = 0;
    bool UseDHCP = false;
};

// 0x00: bootloader version (InPayload 0..3), bootloader start and end
// (4..7, 8..11), expected application start (12..15), maximum application
// end (16..19).
TCmdOutcome GetBootloaderVersion(TdsProg* Device);

// The read command for an address: 0x06 when the address, taken as signed,
// is not negative and lies within ConfigStart..ConfigEnd (inclusive), else
// 0x01.
Integer ReadCommandFor(Integer Address, Integer ConfigStart, Integer ConfigEnd);
// 0x01 / 0x06: reads CountIwu instruction words from a virtual address.
// Word k of the answer lies at InPayload [k * ActiveBytesPerIwu], InLen
// tells how many words came.
TCmdOutcome ReadMemory(TdsProg* Device, Integer Address, Integer CountIwu, Integer ConfigStart,
                       Integer ConfigEnd);

// 0x03: erases Blocks erase blocks from a virtual address. Bootloaders
// before version 2 do not answer; Await chooses whether to wait.
TCmdOutcome EraseBlocks(TdsProg* Device, Integer Address, Integer Blocks, bool Await);

// 0x08: InPayload [0] = 0 when blank, else InAddress is the first address
// that is not.
TCmdOutcome BlankCheck(TdsProg* Device);

// 0x09: starts the application; not answered.
TCmdOutcome RunApplication(TdsProg* Device);

// 0x0A (Last false, not answered) / 0x0B (Last true, answered; InPayload [0]
// non-zero when the block was programmed): one 512-byte chunk at a virtual
// address. The first Count bytes of Data (at most 512) go to the payload;
// the rest of it stays random.
TCmdOutcome ProgramChunk(TdsProg* Device, Integer Address, const Byte* Data, Integer Count, bool Last);

// 0x30: the device ID register in InPayload [0..3].
TCmdOutcome GetTargetInfo(TdsProg* Device);

// 0x31: stores the IP settings (payload bytes 0..12; nothing else is set).
TCmdOutcome StoreIPSettings(TdsProg* Device, const TIPSettings& Settings);
// 0x32: reads them back; IPSettingsFromAnswer decodes the answer.
TCmdOutcome ReadIPSettings(TdsProg* Device);
TIPSettings IPSettingsFromAnswer(TdsProg* Device);

// One InPayload byte; a byte beyond the payload reads as 0.
inline Byte InByte(TdsProg* Device, Integer Offset) {
    return Offset >= 0 && Offset < PayloadSize ? static_cast<Byte>(Device->InPayload->Elements[Offset]) : 0;
}

// Four InPayload bytes from Offset as a 32-bit value, least (LE) or most (BE)
// significant byte first. Bytes beyond the payload read as 0. Inline: reads
// take every word of a block this way.
inline Cardinal InPayloadLE32(TdsProg* Device, Integer Offset) {
    Cardinal v = 0;
    for (Integer i = 3; i >= 0; --i)
        v = (v << 8) | InByte(Device, Offset + i);
    return v;
}

inline Cardinal InPayloadBE32(TdsProg* Device, Integer Offset) {
    Cardinal v = 0;
    for (Integer i = 0; i < 4; ++i)
        v = (v << 8) | InByte(Device, Offset + i);
    return v;
}
