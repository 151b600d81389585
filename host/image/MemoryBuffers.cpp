#include "host/image/MemoryBuffers.h"

#include <algorithm>

bool TransferSkipped(Integer Kind, bool ProgMemChecked) {
    switch (Kind) {
    case bkProgImage:
    case bkBootImage:
        return !ProgMemChecked;
    case bkConfigImage:
    case bkScratch:
        return false;
    default:
        return true;
    }
}

namespace {
void Size(TDynamicIntArray& Buffer, Integer WordsInUse) {
    Buffer.assign(static_cast<std::size_t>(std::clamp<Integer>(WordsInUse, 0, MaxBufferWords) + SpareWords), 0);
}
} // namespace

void TMemoryBuffers::Allocate(const TDeviceTypeRec& Target) {
    Size(ProgImage, Target.ProgMemSizeIwu);
    Size(ProgReadBack, Target.ProgMemSizeIwu);
    Size(BootImage, Target.BootMemSizeIwu);
    Size(BootReadBack, Target.BootMemSizeIwu);
    Size(Scratch, Target.EraseBlockSizeIwu);
    for (Integer kind : {bkProgImage, bkProgReadBack, bkBootImage, bkBootReadBack, bkScratch}) ClearBuffer(kind);
    Size(ConfigImage, Target.ConfigCount);
    Size(ConfigReadBack, Target.ConfigCount);
    ClearBuffer(bkConfigImage);
    ClearBuffer(bkConfigReadBack);
}

const TDynamicIntArray* TMemoryBuffers::Buffer(Integer Kind) const {
    switch (Kind) {
    case bkProgImage:
        return &ProgImage;
    case bkConfigImage:
        return &ConfigImage;
    case bkProgReadBack:
        return &ProgReadBack;
    case bkConfigReadBack:
        return &ConfigReadBack;
    case bkBootImage:
        return &BootImage;
    case bkBootReadBack:
        return &BootReadBack;
    case bkScratch:
        return &Scratch;
    default:
        return nullptr;
    }
}

TDynamicIntArray* TMemoryBuffers::Buffer(Integer Kind) {
    return const_cast<TDynamicIntArray*>(static_cast<const TMemoryBuffers*>(this)->Buffer(Kind));
}

Integer TMemoryBuffers::WordsInUse(Integer Kind) const {
    const auto* b = Buffer(Kind);
    return b ? std::max<Integer>(static_cast<Integer>(b->size()) - SpareWords, 0) : 0;
}

void TMemoryBuffers::ClearBuffer(Integer Kind) {
    if (auto* b = Buffer(Kind))
        std::fill_n(b->begin(), WordsInUse(Kind), static_cast<Integer>(BlankWord));
}

Cardinal TMemoryBuffers::GetWord(Integer Kind, Integer Index) const {
    const auto* b = Buffer(Kind);
    if (!b || Index < 0 || Index >= WordsInUse(Kind)) return BlankWord;
    return static_cast<Cardinal>((*b)[static_cast<std::size_t>(Index)]);
}

bool TMemoryBuffers::SetWord(Integer Kind, Integer Index, Cardinal Value) {
    auto* b = Buffer(Kind);
    if (!b || Index < 0 || Index >= WordsInUse(Kind)) return false;
    (*b)[static_cast<std::size_t>(Index)] = static_cast<Integer>(Value);
    return true;
}
