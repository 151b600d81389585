// Feeds arbitrary datagrams to the simulated device: once as received, and
// once with a valid header so that every command path sees hostile fields.
// The fault grammar gets the same bytes as text.
#include "tools/devsim/SimBootloader.h"

#include <algorithm>
#include <cstring>

using namespace devsim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static TSimBootloader Device(DefaultSimTarget(), DefaultSimWindow(DefaultSimTarget()), TSimIdentity{}, {},
                                 0x04307053, {});
    TSimLogEntry entry;
    Device.Handle(Data, Size, entry);

    Byte request[DatagramSize] = {};
    std::memcpy(request, Data, std::min(Size, DatagramSize));
    const Byte header[6] = {0x4B, 0x56, 0x5A, 0x51, 0x00, 0x00};
    std::memcpy(request, header, sizeof header);
    entry = TSimLogEntry{};
    Device.Handle(request, sizeof request, entry);
    (void)entry.Text();

    try {
        Device.AddFault(ParseSimFault(String(reinterpret_cast<const char*>(Data), Size)));
        Device.ClearFaults();
    } catch (const EDevSimError&) {
    }
    return 0;
}
