// Feeds arbitrary bytes to InflateWholeBuffer as the launcher's stream.
// Whatever it accepts must be exactly one zlib stream that zlib's own
// one-call inflate turns into the same bytes.

#include "launcher/ZLibInflate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    // The first byte picks an estimate for the first buffer (0 = one step).
    std::size_t estimate = 0;
    if (Size > 0) {
        estimate = static_cast<std::size_t>(Data[0]) * 37;
        ++Data;
        --Size;
    }
    TInflateOptions options;
    options.MaxOutBytes = 16u << 20; // keeps the fuzzer's memory small
    std::vector<Byte> out;
    try {
        InflateWholeBuffer(Data, Size, estimate, out, options);
    } catch (const EZLibError&) {
        if (!out.empty()) std::abort();
        return 0;
    }

    std::vector<Byte> check(out.size() + 1);
    uLongf checkSize = static_cast<uLongf>(check.size());
    uLong used = static_cast<uLong>(Size);
    if (uncompress2(check.data(), &checkSize, Data, &used) != Z_OK || used != Size ||
        checkSize != out.size() || !std::equal(out.begin(), out.end(), check.begin()))
        std::abort();
    return 0;
}
