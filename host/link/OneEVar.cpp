#include "host/link/OneEVar.h"

#include <cstring>

TOneEthVar::TOneEthVar(Integer ADirection, const String& AName, bool ASigned, Integer AIndex, Integer ACount,
                       Integer ABits)
    : Index(AIndex), Direction(ADirection), Name(AName),
      // The shift count wraps at 32, so a 32-bit field gets the mask 0.
      Mask(static_cast<Integer>((1u << (static_cast<Cardinal>(ABits) & 31u)) - 1u)), Bits(ABits),
      Count(ACount), Signed(ASigned) {}

void TOneEthVar::Increment() {
    Value = static_cast<Integer>((static_cast<Cardinal>(Value) + 1u) & static_cast<Cardinal>(Mask));
}

void TOneEthVar::Reset() {
    Handle = -1;
    std::memset(Reserved, 0, sizeof Reserved);
    Name.clear();
}
