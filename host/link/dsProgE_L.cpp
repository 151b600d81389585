#include "host/link/dsProgE_L.h"
#include "host/link/UDPagnt.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"

Integer MaskForBits(Integer Bits) {
    switch (Bits) {
    case 8:
        return Mask8;
    case 16:
        return Mask16;
    case 24:
        return Mask24;
    case 32:
        return Mask32;
    default:
        return 0;
    }
}

namespace {
// Fields 6..13 follow the header; only they are masked.
constexpr Integer FirstMaskedField = 6;
constexpr Integer LastMaskedField = 13;
// Header, Command (1), OutLen (2), OutAddress (4), then the payload.
static_assert(EthHeaderSize + 7 + PayloadSize == ReportSize && ReportSize <= EthBufferSize);
} // namespace

TdsProg::TdsProg(TDataModule1* AAgent) : TEthDev(AAgent) {
    Opened = false;
    FieldCount = 14;
    Command = AddField(evOut, "Command", true, 1, 8);
    OutLen = AddField(evOut, "OutLen", true, 1, 16);
    OutAddress = AddField(evOut, "OutAddress", true, 1, 32);
    OutPayload = AddField(evOut, "OutPayload", false, PayloadSize, 8);
    CmdResponse = AddField(evIn, "CmdResponse", true, 1, 8);
    InLen = AddField(evIn, "InLen", true, 1, 16);
    InAddress = AddField(evIn, "InAddress", true, 1, 32);
    InPayload = AddField(evIn, "InPayload", false, PayloadSize, 8);
    OutPayload->Elements = &PayloadStore[0];
    InPayload->Elements = &PayloadStore[PayloadSize];
}

void TdsProg::ReportReceived() {
    if (OnReport) OnReport(this, Device_ID->GetValue());
}

bool TdsProg::Receive() {
    const bool ok = Unpack();
    if (ok) ReportReceived();
    return ok;
}

void TdsProg::MaskFields(Integer ADirection) {
    for (Integer i = FirstMaskedField; i <= LastMaskedField; ++i) {
        TOneEthVar* f = FieldAt(i);
        if (f->Direction == ADirection) f->Value ^= MaskForBits(f->Bits);
    }
    Integer* elements = ADirection == evOut  ? OutPayload->Elements
                        : ADirection == evIn ? InPayload->Elements
                                             : nullptr;
    if (elements)
        for (Integer e = 0; e < PayloadSize; ++e)
            elements[e] ^= Mask8;
}

bool TdsProg::PackAndSend() {
    TDataModule1* agent = Agent();
    if (!agent) throw EInvalidOperation("The report object has no report agent to send through");
    MaskFields(evOut);
    Answered = false;
    PackHeader();
    Integer pos = TxHeaderLength;
    for (TOneEthVar* f : {Command, OutLen, OutAddress})
        WriteLE(f->GetValue(), f->Bits / 8, pos);
    // One byte per payload element: its low byte.
    for (Integer e = 0; e < PayloadSize; ++e)
        TxBuffer[pos + e] = static_cast<Byte>(OutPayload->Elements[e]);
    pos += PayloadSize;
    TxCount = pos;
    agent->SelectIndex(ListIndex);
    agent->SetCurrentDevice(this);
    agent->SendReport(PeerIP, PeerPort, TxCount, TxBuffer);
    NoteRequest();
    return true;
}

bool TdsProg::Unpack() {
    Answered = true;
    UnpackHeader();
    Integer pos = RxIndex;
    for (TOneEthVar* f : {CmdResponse, InLen, InAddress}) {
        const Integer n = f->Bits / 8;
        f->SetValue(f->Signed ? ReadSigned(n, pos) : ReadUnsigned(n, pos));
    }
    // One unsigned byte per payload element.
    for (Integer e = 0; e < PayloadSize; ++e)
        InPayload->Elements[e] = RxBuffer[pos + e];
    MaskFields(evIn);
    return true;
}

void TdsProg::PadRxBuffer(Integer From) {
    TEthDev::PadRxBuffer(From);
    if (From >= ReportSize) return; // a whole report: nothing is missing
    // A missing byte of an in field reads as its mask byte, which unmasks to 0.
    Integer pos = EthHeaderSize;
    for (TOneEthVar* f : {CmdResponse, InLen, InAddress, InPayload}) {
        const Integer n = f->Bits / 8;
        const Cardinal mask = static_cast<Cardinal>(MaskForBits(f->Bits));
        for (Integer e = 0; e < f->Count; ++e)
            for (Integer i = 0; i < n; ++i, ++pos)
                if (pos >= From && pos < EthBufferSize) RxBuffer[pos] = static_cast<Byte>(mask >> (8 * i));
    }
}

bool TdsProg::WaitForAnswer() {
    TDataModule1* agent = Agent();
    const Integer timeOut = agent ? agent->TimeOut() : 0;
    const Cardinal limit = timeOut > 0 ? static_cast<Cardinal>(timeOut) : 0;
    const Cardinal start = timeGetTime();
    // The answer is unpacked by the agent inside the event loop. Elapsed time
    // is measured as a difference, so the wait also ends when the 32-bit
    // clock wraps meanwhile. The loop runs once per request, so the window
    // system is asked for events at most every millisecond.
    ProcessMessagesThrottled();
    while (!Answered) {
        const Cardinal elapsed = timeGetTime() - start;
        if (elapsed >= limit) break;
        WaitMessage(limit - elapsed);
    }
    if (!Answered && NotifyNoAnswer && agent)
        PostMessage(agent->MainWindowHandle, WM_DEVICE_NOT_RESPONDING,
                    static_cast<WPARAM>(static_cast<Cardinal>(Device_ID->GetValue())), 0);
    return Answered;
}

void TdsProg::RandomizeOutPayload() {
    RandomFill(OutPayload->Elements, PayloadSize, 256);
}
