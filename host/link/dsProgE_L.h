#pragma once
// The bootloader report: a report object with the command and answer fields.
//
// Datagram, both directions, 539 bytes, little-endian:
//   0  header (20 bytes, never masked)
//   20 Command / CmdResponse      1 byte   XOR 0x6D
//   21 OutLen / InLen             2 bytes  XOR 0x2E97
//   23 OutAddress / InAddress     4 bytes  XOR 0x4E8B16D2
//   27 OutPayload / InPayload   512 bytes  each XOR 0x6D

#include "host/link/EthDev.h"
#include "platform/rtl/Messages.h"

inline constexpr Integer ReportSize = 539;
inline constexpr Integer PayloadSize = 512;

// Field masks by width.
inline constexpr Integer Mask8 = 0x6D;
inline constexpr Integer Mask16 = 0x2E97;
inline constexpr Integer Mask24 = 0x3D9E27;
inline constexpr Integer Mask32 = 0x4E8B16D2;

// Posted to the main window when a device with NotifyNoAnswer set does not
// answer in time; WParam is its Device_ID.
inline constexpr Cardinal WM_DEVICE_NOT_RESPONDING = WM_APP + 100;

class TdsProg : public TEthDev {
public:
    explicit TdsProg(TDataModule1* AAgent);

    void ReportReceived() override;
    bool WaitReply() override { return WaitForAnswer(); }
    bool Send() override { return PackAndSend(); }
    // Unpacks RxBuffer and fires OnReport.
    bool Receive() override;

    // Masks the out fields and the payload in place, packs them after the
    // header and sends the datagram to PeerIP:PeerPort through the agent,
    // which makes this object its current device. The request then waits
    // for its answer (NoteRequest). Socket errors raise.
    bool PackAndSend();
    // Lets the event loop run (at least once, ProcessMessagesThrottled) until
    // the answer has been unpacked or the agent's TimeOut has passed; the
    // wait watches briefly and then blocks (WaitMessage). Returns
    // Answered; with NotifyNoAnswer set a missing answer is posted to the
    // agent's main window as WM_DEVICE_NOT_RESPONDING.
    bool WaitForAnswer();
    // Parses RxBuffer into the header and in fields; Answered := true.
    bool Unpack();
    // XORs the fields 6..13 of the given direction and their payload
    // elements with the mask of their width.
    void MaskFields(Integer ADirection);
    // Fills the 512 OutPayload elements with random byte values.
    void RandomizeOutPayload();

    TOneEthVar* OutLen;
    TOneEthVar* InLen;
    TOneEthVar* Command;
    TOneEthVar* OutAddress;
    TOneEthVar* OutPayload;
    TOneEthVar* CmdResponse;
    TOneEthVar* InAddress;
    TOneEthVar* InPayload;
    bool Answered = false;
    // Elements 0..511: OutPayload; 512..1023: InPayload; one byte value each.
    Integer PayloadStore[2 * PayloadSize] = {};
    bool NotifyNoAnswer = false;

protected:
    void PadRxBuffer(Integer From) override;
};

// The mask of a field width (8, 16, 24 or 32 bits); 0 for other widths.
Integer MaskForBits(Integer Bits);
