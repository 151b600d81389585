#pragma once
// Regions as horizontal bands of pixel spans, exact to the pixel; the
// shape behind clipping and hit testing. Private to platform/gui.

#include "platform/rtl/Types.h"

#include <functional>
#include <vector>

struct TSpan {
    int X0; // first pixel
    int X1; // one past the last pixel
    friend bool operator==(const TSpan&, const TSpan&) = default;
};

// Rows Y0 .. Y1-1 share the same sorted, disjoint, non-touching spans.
struct TBand {
    int Y0;
    int Y1;
    std::vector<TSpan> Spans;
    friend bool operator==(const TBand&, const TBand&) = default;
};

enum class TRegionOp { And, Or, Xor, Diff };

// Coordinates are kept within +-2^27 so that sums and offsets never overflow.
inline constexpr int RegionCoordLimit = 1 << 27;

class TRegionData {
public:
    TRegionData() = default;
    static TRegionData FromRect(const TRect& R);
    // The pixels whose centre lies inside the polygon (top and left edges
    // in, bottom and right out); Winding false = even-odd.
    static TRegionData FromPolygon(const TPoint* Points, int Count, bool Winding);
    static TRegionData Combine(const TRegionData& A, const TRegionData& B, TRegionOp Op);

    bool Empty() const { return FBands.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    TRect Box() const;
    bool Contains(int X, int Y) const;
    bool IntersectsRect(const TRect& R) const;
    void Offset(int DX, int DY);
    const std::vector<TBand>& Bands() const { return FBands; }
    // The band holding row Y, or nullptr.
    const TBand* BandAt(int Y) const;
    friend bool operator==(const TRegionData&, const TRegionData&) = default;

    // Appends rows Y0..Y1-1 with the given spans (bands must come in order);
    // merges with the previous band when it is adjacent and equal.
    void AppendBand(int Y0, int Y1, std::vector<TSpan> Spans);

private:
    std::vector<TBand> FBands;
};

// Calls Row(y, spans) for each row from YMin to YMax-1 that the polygon
// covers, with the covered spans of that row (pixel-centre rule).
void ScanPolygon(const TPoint* Points, int Count, bool Winding, int YMin, int YMax,
                 const std::function<void(int Y, const std::vector<TSpan>& Spans)>& Row);
