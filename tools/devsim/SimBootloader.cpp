#include "tools/devsim/SimBootloader.h"

#include <algorithm>

namespace devsim {

namespace {

void AddNote(TSimLogEntry& Entry, const String& Note) {
    Entry.Note += Entry.Note.empty() ? Note : "; " + Note;
}

void PutBigEndian(TSimDatagram& D, std::size_t Index, Cardinal Value) {
    for (std::size_t i = 0; i < 4; ++i)
        D.Payload[Index + i] = static_cast<Byte>(Value >> (24 - 8 * i));
}

Cardinal GetBigEndian(const TSimDatagram& D, std::size_t Index) {
    Cardinal v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | D.Payload[Index + i];
    return v;
}

} // namespace

String TSimLogEntry::Text() const {
    if (Ignored) return Format("ignored %d bytes from %s: %s", {Bytes, Source, Note});
    return Format("0x%2.2X %-12s len=%d addr=0x%8.8X seq=%d from %s: %s",
                  {Command, CommandName(Command), Length, Address, MsgNum, Source, Note});
}

TSimBootloader::TSimBootloader(const TSimTarget& Target, const TSimWindow& Window,
                               const TSimIdentity& Identity, const TSimVersion& Version,
                               Cardinal DevIdRegister, const TSimIpSettings& IpSettings)
    : FFlash(Target, Window), FIdentity(Identity), FVersion(Version), FDevIdRegister(DevIdRegister),
      FIpSettings(IpSettings) {
    InstallFactoryImage(FFlash);
}

std::vector<TSimFault> TSimBootloader::Faults() const {
    std::vector<TSimFault> out;
    for (const auto& f : FFaults)
        out.push_back(f.Fault);
    return out;
}

TSimVersion TSimBootloader::ReportedVersion() const {
    TSimVersion v = FVersion;
    for (const auto& f : FFaults)
        if (f.Fault.Kind == fkVersion) v = f.Fault.Version;
    return v;
}

Cardinal TSimBootloader::ReportedDevIdRegister() const {
    Cardinal v = FDevIdRegister;
    for (const auto& f : FFaults)
        if (f.Fault.Kind == fkDevIdRegister) v = f.Fault.Register;
    return v;
}

std::vector<TSimAnswer> TSimBootloader::Handle(const Byte* Data, std::size_t Count, TSimLogEntry& Entry) {
    Entry.Bytes = Count;
    TSimDatagram request;
    if (!DecodeDatagram(Data, Count, request)) {
        Entry.Ignored = true;
        Entry.Note = Format("shorter than a %d-byte request", {DatagramSize});
        return {};
    }
    if (request.ProtocolID != ProtocolMagic) {
        Entry.Ignored = true;
        Entry.Note = Format("wrong Protocol_ID 0x%8.8X", {request.ProtocolID});
        return {};
    }
    if (request.DeviceID != 0 && request.DeviceID != FIdentity.DeviceID) {
        Entry.Ignored = true;
        Entry.Note = Format("meant for device 0x%4.4X", {request.DeviceID});
        return {};
    }
    Entry.Command = request.Command;
    Entry.Length = request.Length;
    Entry.Address = request.Address;
    Entry.MsgNum = request.MsgNum;
    Entry.DeviceID = request.DeviceID;

    // Which of the per-command faults hit this request.
    bool lost = false, dup = false, badseq = false, spoof = false, noise = false;
    Cardinal delay = 0, flood = 0;
    for (auto& f : FFaults) {
        const TSimFault& fault = f.Fault;
        if (fault.Kind >= fkFailBlock || !fault.Matches(request.Command)) continue;
        ++f.Seen;
        if (fault.Occurrence != 0 && f.Seen != fault.Occurrence) continue;
        switch (fault.Kind) {
        case fkNoAnswer:
            lost = true;
            break;
        case fkLate:
            delay = std::max(delay, fault.DelayMs);
            break;
        case fkDuplicate:
            dup = true;
            break;
        case fkBadSequence:
            badseq = true;
            break;
        case fkSpoof:
            spoof = true;
            break;
        case fkFlood:
            flood += fault.Count;
            break;
        case fkNoise:
            noise = true;
            break;
        default:
            break;
        }
        AddNote(Entry, "fault " + fault.Spec);
    }
    if (lost) {
        AddNote(Entry, "request dropped");
        return {};
    }

    TSimDatagram answer = AnswerTo(request);
    if (!CarryOut(request, answer, Entry)) {
        AddNote(Entry, "no answer");
        return {};
    }
    if (noise) {
        answer = WithNoise(request, answer);
        AddNote(Entry, "fields the host does not read are random");
    }
    if (badseq) answer.MsgNum = static_cast<Word>(answer.MsgNum + 1);
    std::vector<TSimAnswer> answers;
    if (spoof) {
        TSimAnswer forged{answer, delay, true};
        for (Byte& b : forged.Datagram.Payload)
            b = static_cast<Byte>(~b);
        answers.push_back(forged);
        AddNote(Entry, "forged copy sent from another port");
    }
    if (flood) {
        AddFlood(answer, flood, delay, answers);
        AddNote(Entry, Format("%d copies sent with other device IDs", {flood}));
    }
    answers.insert(answers.end(), dup ? 2 : 1, TSimAnswer{answer, delay});
    Entry.Answers = static_cast<Cardinal>(answers.size());
    String how = dup ? "answered twice" : "answered";
    if (delay) how += Format(" %d ms late", {delay});
    AddNote(Entry, how);
    return answers;
}

void TSimBootloader::AddFlood(const TSimDatagram& Answer, Cardinal Count, Cardinal Delay,
                              std::vector<TSimAnswer>& Out) {
    const Word own = FIdentity.DeviceID;
    if (FFloodNext == 0) FFloodNext = static_cast<Word>(own + 1);
    for (Cardinal i = 0; i < Count; ++i) {
        // Every ID but 0 (no device) and the device's own, in turn.
        while (FFloodNext == 0 || FFloodNext == own)
            ++FFloodNext;
        TSimAnswer copy{Answer, Delay, false};
        copy.Datagram.DeviceID = FFloodNext++;
        Out.push_back(copy);
    }
}

TSimDatagram TSimBootloader::AnswerTo(const TSimDatagram& Request) const {
    TSimDatagram a;
    a.ProtocolID = ProtocolMagic;
    a.DeviceID = FIdentity.DeviceID;
    a.MsgNum = Request.MsgNum;
    a.CompanyID = FIdentity.CompanyID;
    a.ModelID = FIdentity.ModelID;
    a.SerialNum = FIdentity.SerialNum;
    a.Command = Request.Command;
    return a;
}

TSimDatagram TSimBootloader::WithNoise(const TSimDatagram& Request, const TSimDatagram& Answer) {
    TSimDatagram noisy = Answer;
    noisy.Command = static_cast<Byte>(FNoise());
    noisy.Length = static_cast<Word>(FNoise());
    noisy.Address = static_cast<Cardinal>(FNoise());
    for (Byte& b : noisy.Payload)
        b = static_cast<Byte>(FNoise());
    std::size_t named = 0; // payload bytes 0 .. named - 1 are read by the host
    switch (Request.Command) {
    case cmdVersion:
        named = 20;
        break;
    case cmdRead:
    case cmdReadConfig:
        // InLen words, word k at byte k x ActiveBytesPerIwu, four bytes each.
        noisy.Length = Answer.Length;
        if (Answer.Length > 0)
            named = std::min<std::size_t>((Answer.Length - 1u) * FFlash.Target().ActiveBytesPerIwu + 4u,
                                          PayloadSize);
        break;
    case cmdBlankCheck:
        named = 1;
        if (Answer.Payload[0] != 0) noisy.Address = Answer.Address; // the first address not blank
        break;
    case cmdProgramLast:
        named = 1;
        break;
    case cmdTargetInfo:
        named = 4;
        break;
    case cmdReadIp:
        named = 13;
        break;
    default: // erase and store IP settings: any answer will do
        break;
    }
    std::copy_n(Answer.Payload.begin(), named, noisy.Payload.begin());
    return noisy;
}

// Carries out the request and fills the answer; false when the command is
// not answered.
bool TSimBootloader::CarryOut(const TSimDatagram& Request, TSimDatagram& Answer, TSimLogEntry& Entry) {
    const TSimTarget& t = FFlash.Target();
    const TSimWindow& w = FFlash.Window();
    switch (Request.Command) {
    case cmdVersion: {
        const TSimVersion v = ReportedVersion();
        Answer.Payload[0] = v.Major;
        Answer.Payload[1] = v.Minor;
        Answer.Payload[2] = v.Release;
        Answer.Payload[3] = v.Build;
        Answer.SetPayloadWord(4, w.BootloaderStart);
        Answer.SetPayloadWord(8, w.BootloaderEnd);
        Answer.SetPayloadWord(12, w.AppStart);
        Answer.SetPayloadWord(16, w.AppEnd);
        Answer.Length = 20;
        return true;
    }
    case cmdRead:
    case cmdReadConfig: {
        const Cardinal most = PayloadSize / t.ActiveBytesPerIwu;
        const auto words = FFlash.ReadWords(Request.Address, std::min<Cardinal>(Request.Length, most));
        // Word k goes to byte k x ActiveBytesPerIwu; with fewer than 4 active
        // bytes the next word overwrites the unused top bytes.
        for (std::size_t k = 0; k < words.size(); ++k)
            Answer.SetPayloadWord(k * t.ActiveBytesPerIwu, words[k]);
        Answer.Length = static_cast<Word>(words.size());
        Answer.Address = Request.Address;
        if (words.size() < Request.Length)
            AddNote(Entry, Format("%d of %d words read", {words.size(), Request.Length}));
        return true;
    }
    case cmdErase: {
        const TEraseResult r = FFlash.EraseBlocks(Request.Address, Request.Length);
        AddNote(Entry, Format("%d block(s) erased", {r.Erased}));
        if (r.Refused) AddNote(Entry, Format("%d refused", {r.Refused}));
        Answer.Payload[0] = r.Ok() ? 1 : 0;
        Answer.Length = static_cast<Word>(r.Erased);
        Answer.Address = Request.Address;
        if (!ReportedVersion().AnswersErase()) {
            AddNote(Entry, "bootloader " + ReportedVersion().Text() + " does not answer erase");
            return false;
        }
        return true;
    }
    case cmdBlankCheck: {
        const auto first = FFlash.FirstNonBlank(w.AppStart, w.AppEnd);
        Answer.Payload[0] = first ? 1 : 0;
        Answer.Address = first.value_or(0);
        AddNote(Entry, first ? Format("not blank at 0x%8.8X", {*first}) : String("blank"));
        return true;
    }
    case cmdRun:
        ++FRunCount;
        AddNote(Entry, "application started");
        return false;
    case cmdProgram:
    case cmdProgramLast:
        Program(Request, Entry);
        if (Request.Command == cmdProgram) return false;
        Answer.Payload[0] = FBlockOk ? 1 : 0;
        Answer.Length = Request.Length;
        Answer.Address = Request.Address;
        AddNote(Entry, FBlockOk ? "block programmed" : "block failed");
        FBlockOk = true;
        return true;
    case cmdTargetInfo:
        Answer.SetPayloadWord(0, ReportedDevIdRegister());
        Answer.Length = 4;
        return true;
    case cmdStoreIp:
        FIpSettings.Address = GetBigEndian(Request, 0);
        FIpSettings.Dns = GetBigEndian(Request, 4);
        FIpSettings.Mask = GetBigEndian(Request, 8);
        FIpSettings.Dhcp = Request.Payload[12] != 0;
        AddNote(Entry, "stored " + SimAddressText(FIpSettings.Address) + (FIpSettings.Dhcp ? " (DHCP)" : ""));
        [[fallthrough]];
    case cmdReadIp:
        PutBigEndian(Answer, 0, FIpSettings.Address);
        PutBigEndian(Answer, 4, FIpSettings.Dns);
        PutBigEndian(Answer, 8, FIpSettings.Mask);
        Answer.Payload[12] = FIpSettings.Dhcp ? 1 : 0;
        Answer.Length = 13;
        return true;
    default:
        AddNote(Entry, "unknown command");
        return false;
    }
}

// One chunk of a program block: its words land in flash now; the block's
// verdict is given with its last chunk (0x0B).
void TSimBootloader::Program(const TSimDatagram& Request, TSimLogEntry& Entry) {
    const TSimTarget& t = FFlash.Target();
    const Cardinal active = t.ActiveBytesPerIwu;
    const Cardinal count = std::min<Cardinal>(Request.Length, PayloadSize) / active;
    // Bytes of a word beyond its active bytes are not written (stay erased).
    const Cardinal unused = active < 4 ? 0xFFFFFFFFu << (8 * active) : 0;
    std::vector<Cardinal> data(count);
    for (Cardinal i = 0; i < count; ++i) {
        Cardinal v = 0;
        for (Cardinal b = 0; b < active; ++b)
            v |= static_cast<Cardinal>(Request.Payload[i * active + b]) << (8 * b);
        data[i] = v | unused;
    }
    if (BlockFails(Request.Address, Request.Command == cmdProgramLast)) {
        FBlockOk = false;
        AddNote(Entry, "chunk not written");
        return;
    }
    switch (FFlash.ProgramWords(Request.Address, data)) {
    case prOk:
        break;
    case prNoMemory:
        FBlockOk = false;
        AddNote(Entry, "refused: no memory there");
        break;
    case prProtected:
        FBlockOk = false;
        AddNote(Entry, "refused: bootloader area");
        break;
    case prNotErased:
        FBlockOk = false;
        AddNote(Entry, "written over data that was not erased");
        break;
    }
}

Cardinal TSimBootloader::ProgramBlockOf(Cardinal Address) const {
    const Cardinal phys = FFlash.ToPhysical(Address).value_or(Address);
    return phys / FFlash.Target().ProgBlockSizePcu;
}

// True when a failblock fault hits this chunk. Attempts at a block are
// counted at its last chunk; earlier chunks belong to the attempt to come.
bool TSimBootloader::BlockFails(Cardinal Address, bool LastChunk) {
    bool fails = false;
    const Cardinal block = ProgramBlockOf(Address);
    for (auto& f : FFaults) {
        if (f.Fault.Kind != fkFailBlock || ProgramBlockOf(f.Fault.Address) != block) continue;
        const Cardinal attempt = f.Seen + 1;
        if (LastChunk) f.Seen = attempt;
        if (f.Fault.Occurrence == 0 || attempt == f.Fault.Occurrence) fails = true;
    }
    return fails;
}

} // namespace devsim
