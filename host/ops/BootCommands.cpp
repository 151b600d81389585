#include "host/ops/BootCommands.h"

#include <algorithm>

namespace {

TReportViews gViews;

enum TShow { shNone = 0, shOutput = 1, shInput = 2, shBoth = 3 };

// Sends the filled request and, when Await, waits for the answer.
TCmdOutcome Exchange(TdsProg* Device, bool Await, int Show) {
    if ((Show & shOutput) && gViews.ShowOutputReport) gViews.ShowOutputReport(Device);
    try {
        Device->PackAndSend();
    } catch (const std::exception& e) {
        return {crSendFailed, e.what()};
    }
    if (!Await) return {crSent, {}};
    if (!Device->WaitForAnswer()) return {crNoAnswer, {}};
    if ((Show & shInput) && gViews.ShowInputReport) gViews.ShowInputReport(Device);
    return {crAnswered, {}};
}

TCmdOutcome NoDevice() {
    return {crSendFailed, "No device is selected."};
}

void SetRequest(TdsProg* Device, Integer Code, Integer Length, Integer Address) {
    Device->Command->SetValue(Code);
    Device->OutLen->SetValue(Length);
    Device->OutAddress->SetValue(Address);
}

void PutWordBE(TdsProg* Device, Integer Offset, Cardinal Value) {
    for (Integer i = 0; i < 4; ++i)
        Device->OutPayload->Elements[Offset + i] = (Value >> (24 - 8 * i)) & 0xFF;
}

} // namespace

void SetReportViews(TReportViews Views) {
    gViews = std::move(Views);
}

TCmdOutcome GetBootloaderVersion(TdsProg* Device) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    Device->Command->SetValue(cmdGetVersion);
    return Exchange(Device, true, shBoth);
}

Integer ReadCommandFor(Integer Address, Integer ConfigStart, Integer ConfigEnd) {
    return Address >= 0 && Address >= ConfigStart && Address <= ConfigEnd ? cmdReadConfigMemory
                                                                          : cmdReadMemory;
}

TCmdOutcome ReadMemory(TdsProg* Device, Integer Address, Integer CountIwu, Integer ConfigStart,
                       Integer ConfigEnd) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    SetRequest(Device, ReadCommandFor(Address, ConfigStart, ConfigEnd), CountIwu, Address);
    // The answer is paired with this request by its MsgNum and its source;
    // its InAddress is the device's business and is not read.
    return Exchange(Device, true, shNone);
}

TCmdOutcome EraseBlocks(TdsProg* Device, Integer Address, Integer Blocks, bool Await) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    SetRequest(Device, cmdEraseBlocks, Blocks, Address);
    return Exchange(Device, Await, shNone);
}

TCmdOutcome BlankCheck(TdsProg* Device) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    SetRequest(Device, cmdBlankCheck, 0, 0);
    return Exchange(Device, true, shNone);
}

TCmdOutcome RunApplication(TdsProg* Device) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    SetRequest(Device, cmdRunApplication, 0, 0);
    return Exchange(Device, false, shNone);
}

TCmdOutcome ProgramChunk(TdsProg* Device, Integer Address, const Byte* Data, Integer Count, bool Last) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    SetRequest(Device, Last ? cmdProgramLastChunk : cmdProgramChunk, PayloadSize, Address);
    const Integer n = Data ? std::clamp<Integer>(Count, 0, PayloadSize) : 0;
    for (Integer i = 0; i < n; ++i)
        Device->OutPayload->Elements[i] = Data[i];
    return Exchange(Device, Last, shNone);
}

TCmdOutcome GetTargetInfo(TdsProg* Device) {
    if (!Device) return NoDevice();
    Device->RandomizeOutPayload();
    SetRequest(Device, cmdGetTargetInfo, 1, 0);
    return Exchange(Device, true, shBoth);
}

TCmdOutcome StoreIPSettings(TdsProg* Device, const TIPSettings& Settings) {
    if (!Device) return NoDevice();
    Device->Command->SetValue(cmdStoreIPSettings);
    PutWordBE(Device, 0, Settings.Address);
    PutWordBE(Device, 4, Settings.DNS);
    PutWordBE(Device, 8, Settings.Mask);
    Device->OutPayload->Elements[12] = Settings.UseDHCP ? 1 : 0;
    return Exchange(Device, true, shInput);
}

TCmdOutcome ReadIPSettings(TdsProg* Device) {
    if (!Device) return NoDevice();
    SetRequest(Device, cmdReadIPSettings, 0, 0);
    Device->OutPayload->Elements[0] = 0;
    return Exchange(Device, true, shBoth);
}

TIPSettings IPSettingsFromAnswer(TdsProg* Device) {
    TIPSettings s;
    s.Address = InPayloadBE32(Device, 0);
    s.DNS = InPayloadBE32(Device, 4);
    s.Mask = InPayloadBE32(Device, 8);
    s.UseDHCP = InByte(Device, 12) != 0;
    return s;
}
