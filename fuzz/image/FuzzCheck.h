#pragma once
// Checks shared by the image fuzz targets: a finding aborts, so that the
// fuzzer (or the replay run) reports it.

#include "host/image/MemoryBuffers.h"

#include <cstdio>
#include <cstdlib>

// The spare words of every buffer start at 0 and nothing may write them:
// a change means that a write went past the words in use.
inline void CheckSpareWords(const TMemoryBuffers& Buffers) {
    for (Integer kind : {0, 1, 4, 5, 8, 9, 10}) {
        const TDynamicIntArray& b = *Buffers.Buffer(kind);
        for (std::size_t i = b.size() - SpareWords; i < b.size(); ++i)
            if (b[i] != 0) {
                std::fprintf(stderr, "spare word %zu of buffer kind %d was written\n", i, static_cast<int>(kind));
                std::abort();
            }
    }
}
