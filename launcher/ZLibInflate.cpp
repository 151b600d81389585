#include "launcher/ZLibInflate.h"
#include "platform/rtl/Guards.h"

#include <algorithm>
#include <climits>
#include <zlib.h>

String ZLibResultText(int Code) {
    // zError indexes zlib's own table, which covers Z_NEED_DICT (2) down to
    // Z_VERSION_ERROR (-6); it must not be asked about other codes.
    return Code <= Z_NEED_DICT && Code >= Z_VERSION_ERROR ? String(zError(Code)) : String();
}

int CheckInflateResult(int Code) {
    if (Code < 0) throw EZDecompressionError(ZLibResultText(Code));
    return Code;
}

namespace {

// An inflate state that is ended on every way out, also when an error
// leaves the loop.
class TInflateStream {
public:
    TInflateStream() { CheckInflateResult(inflateInit(&Z)); }
    ~TInflateStream() { End(); }
    TInflateStream(const TInflateStream&) = delete;
    TInflateStream& operator=(const TInflateStream&) = delete;

    int End() {
        if (FEnded) return Z_OK;
        FEnded = true;
        return inflateEnd(&Z);
    }
    z_stream Z{};

private:
    bool FEnded = false;
};

uInt Available(std::size_t Bytes) {
    return static_cast<uInt>(std::min<std::size_t>(Bytes, UINT_MAX));
}

} // namespace

void InflateWholeBuffer(const void* InBuf, std::size_t InBytes, std::size_t OutEstimate,
                        std::vector<Byte>& OutBuf, const TInflateOptions& Options) {
    OutBuf.clear();
    // zlib counts in 32 bits; larger inputs cannot come from a resource.
    if (InBytes > UINT_MAX) throw EZDecompressionError(ZLibResultText(Z_BUF_ERROR));
    const std::size_t step = std::max<std::size_t>((InBytes + 255) / 256 * 256, 256);
    const std::size_t limit = Options.MaxOutBytes;

    auto resize = [&](std::size_t size) {
        OutBuf.resize(size);
        if (Options.OnBufferSize) Options.OnBufferSize(size);
    };

    // A failure leaves nothing behind: no partial image, no buffer kept.
    TScopeExit discard([&OutBuf] {
        OutBuf.clear();
        OutBuf.shrink_to_fit();
    });
    resize(std::min(OutEstimate != 0 ? OutEstimate : step, limit));
    TInflateStream stream;
    z_stream& z = stream.Z;
    z.next_in = static_cast<Bytef*>(const_cast<void*>(InBuf));
    z.avail_in = static_cast<uInt>(InBytes);
    z.next_out = OutBuf.data();
    z.avail_out = Available(OutBuf.size());
    for (;;) {
        const int rc = CheckInflateResult(inflate(&z, Z_NO_FLUSH));
        if (rc == Z_STREAM_END) break;
        // A preset dictionary is never supplied: waiting for one would
        // only grow the buffer without end.
        if (rc == Z_NEED_DICT) throw EZDecompressionError(ZLibResultText(rc));
        const std::size_t total = z.total_out;
        const std::size_t grown = std::min(OutBuf.size() + step, limit);
        if (grown <= total)
            throw EZDecompressionError(Format("inflated image larger than %d bytes", {limit}));
        resize(grown);
        z.next_out = OutBuf.data() + total;
        z.avail_out = Available(grown - total);
    }
    // One stream is the whole input: anything after its end is damage.
    if (z.avail_in != 0) throw EZDecompressionError(ZLibResultText(Z_DATA_ERROR));
    CheckInflateResult(stream.End());
    resize(z.total_out);
    OutBuf.shrink_to_fit();
    discard.Release();
}
