#pragma once
// The bootloader's command handling, without a network: one request
// datagram in, the answers to send (none, one or two, maybe late) out.
// Not thread-safe; TDevSim serialises every call.

#include "tools/devsim/FlashModel.h"
#include "tools/devsim/SimDatagram.h"
#include "tools/devsim/SimFault.h"

#include <map>
#include <random>
#include <vector>

namespace devsim {

// Who the device is: the header words of every answer.
struct TSimIdentity {
    Word DeviceID = 0x0001;
    Cardinal CompanyID = 0x00000051;
    Cardinal ModelID = 0x00000795;
    Cardinal SerialNum = 0x00012345;
};

struct TSimAnswer {
    TSimDatagram Datagram;
    Cardinal DelayMs = 0;
    bool FromOtherPort = false; // sent from another port than the device's (a forgery)
};

// What happened to one datagram, for the request log.
struct TSimLogEntry {
    bool Ignored = false; // malformed or meant for another device
    std::size_t Bytes = 0;
    Byte Command = 0;
    Word Length = 0;
    Cardinal Address = 0;
    Word MsgNum = 0;
    Word DeviceID = 0;
    String Source;        // "address:port" of the sender
    Cardinal Answers = 0; // answers sent (or scheduled)
    String Note;          // what the device did

    // One line: command, length, address, sequence number, source, note.
    String Text() const;
};

class TSimBootloader {
public:
    TSimBootloader(const TSimTarget& Target, const TSimWindow& Window, const TSimIdentity& Identity,
                   const TSimVersion& Version, Cardinal DevIdRegister, const TSimIpSettings& IpSettings);

    // Handles one datagram as received (Count bytes). Entry is filled for
    // the log (all but Source).
    std::vector<TSimAnswer> Handle(const Byte* Data, std::size_t Count, TSimLogEntry& Entry);

    TFlashModel& Flash() { return FFlash; }
    const TFlashModel& Flash() const { return FFlash; }
    const TSimIdentity& Identity() const { return FIdentity; }

    void AddFault(const TSimFault& Fault) { FFaults.push_back({Fault, 0}); }
    void ClearFaults() { FFaults.clear(); }
    std::vector<TSimFault> Faults() const;

    // The bootloader's own values; a devid or version fault overrides them
    // in the answers while it is in place.
    TSimVersion Version() const { return FVersion; }
    void SetVersion(const TSimVersion& V) { FVersion = V; }
    Cardinal DevIdRegister() const { return FDevIdRegister; }
    void SetDevIdRegister(Cardinal V) { FDevIdRegister = V; }
    TSimVersion ReportedVersion() const;
    Cardinal ReportedDevIdRegister() const;

    const TSimIpSettings& IpSettings() const { return FIpSettings; }
    void SetIpSettings(const TSimIpSettings& S) { FIpSettings = S; }
    // Number of run requests carried out.
    Cardinal RunCount() const { return FRunCount; }

private:
    struct TActiveFault {
        TSimFault Fault;
        Cardinal Seen; // matching requests (failblock: attempts at its block) so far
    };

    TSimDatagram AnswerTo(const TSimDatagram& Request) const;
    // The answer with only the fields the host's command table names for
    // it kept; every other answer field and payload byte random. The
    // header stays: it routes the answer and pairs it with its request.
    TSimDatagram WithNoise(const TSimDatagram& Request, const TSimDatagram& Answer);
    bool CarryOut(const TSimDatagram& Request, TSimDatagram& Answer, TSimLogEntry& Entry);
    void Program(const TSimDatagram& Request, TSimLogEntry& Entry);
    bool BlockFails(Cardinal Address, bool LastChunk);
    // Count copies of Answer carrying the Device_IDs after the last flood's.
    void AddFlood(const TSimDatagram& Answer, Cardinal Count, Cardinal Delay, std::vector<TSimAnswer>& Out);
    Cardinal ProgramBlockOf(Cardinal Address) const;

    TFlashModel FFlash;
    TSimIdentity FIdentity;
    TSimVersion FVersion;
    Cardinal FDevIdRegister;
    TSimIpSettings FIpSettings;
    std::vector<TActiveFault> FFaults;
    bool FBlockOk = true; // no chunk of the block in progress has failed
    Cardinal FRunCount = 0;
    Word FFloodNext = 0; // the Device_ID a flood goes on with (0: the one after the device's own)
    std::mt19937 FNoise{0x6E6F6973}; // fixed seed: a run can be repeated
};

} // namespace devsim
