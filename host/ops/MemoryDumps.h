#pragma once
// Text dumps of the memory buffers for the results pane.

#include "host/image/MemoryBuffers.h"

#include <functional>

using TDumpSink = std::function<void(const String& Line)>;

// Dumps a buffer by kind: program (0, 4), boot (8, 9) or configuration
// (1, 5); other kinds dump nothing. Program and boot dumps show 4 words per
// line with the line's virtual address (4 per word), all words when All is
// set, else the words below the image's highest address; a run of blank
// lines shows once as " . . . ".
void DumpBuffer(const TMemoryBuffers& Buffers, Integer Kind, const TDeviceTypeRec& Target, bool All,
                const TDumpSink& Sink);

// One program block of a buffer from word FirstWord, addresses counted from
// RegionVirtualStart, as the verify shows a mismatching block.
void DumpBlock(const TMemoryBuffers& Buffers, Integer Kind, Integer FirstWord, Cardinal RegionVirtualStart,
               const TDeviceTypeRec& Target, const TDumpSink& Sink);
