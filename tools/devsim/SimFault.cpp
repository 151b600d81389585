#include "tools/devsim/SimFault.h"

#include <vector>

namespace devsim {

namespace {

std::vector<String> SplitColons(const String& S) {
    std::vector<String> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = S.find(':', start);
        parts.push_back(S.substr(start, colon == String::npos ? String::npos : colon - start));
        if (colon == String::npos) return parts;
        start = colon + 1;
    }
}

struct TForm {
    const char* Name;
    TSimFaultKind Kind;
    const char* Usage;
    std::size_t MinParts, MaxParts; // including the name
};

const TForm Forms[] = {
    {"noanswer", fkNoAnswer, "noanswer:CMD[:N]", 2, 3},
    {"late", fkLate, "late:CMD:MS[:N]", 3, 4},
    {"dup", fkDuplicate, "dup:CMD[:N]", 2, 3},
    {"badseq", fkBadSequence, "badseq:CMD[:N]", 2, 3},
    {"spoof", fkSpoof, "spoof:CMD[:N]", 2, 3},
    {"flood", fkFlood, "flood:CMD:COUNT[:N]", 3, 4},
    {"noise", fkNoise, "noise:CMD[:N]", 2, 3},
    {"failblock", fkFailBlock, "failblock:ADDR[:N]", 2, 3},
    {"devid", fkDevIdRegister, "devid:VALUE", 2, 2},
    {"version", fkVersion, "version:A.B.C.D", 2, 2},
};

} // namespace

TSimFault ParseSimFault(const String& Spec) {
    const auto parts = SplitColons(Spec);
    const TForm* form = nullptr;
    for (const auto& f : Forms)
        if (parts[0] == f.Name) form = &f;
    if (!form)
        throw EDevSimError("Unknown fault \"" + Spec +
                           "\": expected noanswer, late, dup, badseq, spoof, flood, noise, failblock, devid or "
                           "version.");
    auto bad = [&](const String& why) {
        return EDevSimError("Invalid fault \"" + Spec + "\" (" + form->Usage + "): " + why);
    };
    if (parts.size() < form->MinParts || parts.size() > form->MaxParts) throw bad("wrong number of fields.");
    TSimFault f;
    f.Kind = form->Kind;
    f.Spec = Spec;
    try {
        switch (f.Kind) {
        case fkFailBlock:
            f.Address = ParseSimNumber(parts[1], 0xFFFFFFFF, "address");
            break;
        case fkDevIdRegister:
            f.Register = ParseSimNumber(parts[1], 0xFFFFFFFF, "device ID register");
            break;
        case fkVersion:
            f.Version = ParseSimVersion(parts[1]);
            break;
        default:
            f.Command =
                parts[1] == "*" ? AnyCommand : static_cast<Integer>(ParseSimNumber(parts[1], 255, "command"));
        }
        std::size_t next = 2;
        if (f.Kind == fkLate) f.DelayMs = ParseSimNumber(parts[next++], 3600000, "delay in milliseconds");
        if (f.Kind == fkFlood) f.Count = ParseSimNumber(parts[next++], 65533, "count");
        if (next < parts.size()) {
            f.Occurrence = ParseSimNumber(parts[next], 0xFFFFFFFF, "occurrence");
            if (f.Occurrence == 0) throw EDevSimError("the occurrence counts from 1.");
        }
    } catch (const EDevSimError& e) {
        throw bad(e.Message);
    }
    return f;
}

String SimFaultHelp() {
    return "  noanswer:CMD[:N]     the request is lost: not carried out, not answered\n"
           "  late:CMD:MS[:N]      the answer is sent MS milliseconds late\n"
           "  dup:CMD[:N]          the answer is sent twice\n"
           "  badseq:CMD[:N]       the answer carries the request's MsgNum + 1\n"
           "  failblock:ADDR[:N]   program requests for the block holding ADDR fail\n"
           "                       (nothing written, 0x0B answers InPayload[0] = 0)\n"
           "  devid:VALUE          report VALUE as the device ID register\n"
           "  version:A.B.C.D      report this bootloader version (below 2: erase not answered)\n"
           "  spoof:CMD[:N]        a forged copy of the answer (payload inverted) comes first,\n"
           "                       from another port\n"
           "  flood:CMD:COUNT[:N]  COUNT copies of the answer come first, carrying the\n"
           "                       Device_IDs after the device's own\n"
           "  noise:CMD[:N]        the answer fills only the fields the host reads of it\n"
           "                       (InPayload bytes, InLen of reads, InAddress of a blank\n"
           "                       check that is not blank); every other answer field\n"
           "                       and payload byte is random\n"
           "  CMD is a command code (0x0B) or * for every command. Without N a fault hits\n"
           "  every matching request, with N only the N-th (the N-th attempt for failblock).\n";
}

} // namespace devsim
