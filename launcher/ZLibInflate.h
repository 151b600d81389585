#pragma once
// Inflating one complete zlib stream held in memory.

#include "platform/rtl/SysUtils.h"

#include <cstddef>
#include <functional>
#include <vector>

QUENTA_DECLARE_EXCEPTION(EZLibError, Exception);
QUENTA_DECLARE_EXCEPTION(EZDecompressionError, EZLibError);

// The largest image InflateWholeBuffer produces: 1 GiB.
inline constexpr std::size_t MaxInflatedSize = std::size_t(1) << 30;

// zlib's short text for one of its result codes ("buffer error" for -5);
// empty for codes outside its table.
String ZLibResultText(int Code);

// Passes a zlib result code through; a negative code raises
// EZDecompressionError with zlib's text for it.
int CheckInflateResult(int Code);

struct TInflateOptions {
    // A stream that inflates to more than this raises EZDecompressionError.
    std::size_t MaxOutBytes = MaxInflatedSize;
    // Told every size the output buffer takes while it grows.
    std::function<void(std::size_t BufferSize)> OnBufferSize;
};

// Inflates the zlib stream InBuf[0..InBytes) into OutBuf, which ends up
// holding exactly the inflated bytes. The buffer starts at OutEstimate bytes
// (when not 0) or one step, and grows by one step (InBytes rounded up to a
// multiple of 256) whenever inflating has not reached the end of the stream.
// Raises EZDecompressionError (zlib's text) for a damaged or truncated
// stream, a stream that needs a preset dictionary, bytes after the end of
// the stream, or an image larger than Options.MaxOutBytes; OutBuf is empty then.
void InflateWholeBuffer(const void* InBuf, std::size_t InBytes, std::size_t OutEstimate,
                        std::vector<Byte>& OutBuf, const TInflateOptions& Options = {});
