#include "platform/gui/gdi/Region.h"

#include "platform/gui/gdi/Gdi.h"

#include <algorithm>
#include <cstdint>

namespace {

int ClampCoord(Int64 V) { return static_cast<int>(std::clamp<Int64>(V, -RegionCoordLimit, RegionCoordLimit)); }

// Combines two sorted span lists with a Boolean operation.
std::vector<TSpan> CombineSpans(const std::vector<TSpan>* A, const std::vector<TSpan>* B, TRegionOp Op) {
    static const std::vector<TSpan> none;
    const auto& a = A ? *A : none;
    const auto& b = B ? *B : none;
    std::vector<int> xs;
    xs.reserve(2 * (a.size() + b.size()));
    for (auto& s : a) xs.insert(xs.end(), {s.X0, s.X1});
    for (auto& s : b) xs.insert(xs.end(), {s.X0, s.X1});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<TSpan> out;
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        int x = xs[i];
        while (ia < a.size() && a[ia].X1 <= x) ++ia;
        while (ib < b.size() && b[ib].X1 <= x) ++ib;
        bool inA = ia < a.size() && a[ia].X0 <= x;
        bool inB = ib < b.size() && b[ib].X0 <= x;
        bool in = false;
        switch (Op) {
        case TRegionOp::And: in = inA && inB; break;
        case TRegionOp::Or: in = inA || inB; break;
        case TRegionOp::Xor: in = inA != inB; break;
        case TRegionOp::Diff: in = inA && !inB; break;
        }
        if (!in) continue;
        if (!out.empty() && out.back().X1 == x)
            out.back().X1 = xs[i + 1];
        else
            out.push_back({x, xs[i + 1]});
    }
    return out;
}

Int64 FloorDiv(Int64 N, Int64 D) { // D > 0
    Int64 q = N / D;
    return (N % D != 0 && N < 0) ? q - 1 : q;
}

Int64 CeilDiv(Int64 N, Int64 D) { return -FloorDiv(-N, D); }

} // namespace

void TRegionData::AppendBand(int Y0, int Y1, std::vector<TSpan> Spans) {
    if (Y1 <= Y0 || Spans.empty()) return;
    if (!FBands.empty() && FBands.back().Y1 == Y0 && FBands.back().Spans == Spans) {
        FBands.back().Y1 = Y1;
        return;
    }
    FBands.push_back({Y0, Y1, std::move(Spans)});
}

TRegionData TRegionData::FromRect(const TRect& R) {
    TRegionData r;
    int l = ClampCoord(R.Left), t = ClampCoord(R.Top), rt = ClampCoord(R.Right), b = ClampCoord(R.Bottom);
    // Win32 regions normalise inverted rectangles.
    if (rt < l) std::swap(l, rt);
    if (b < t) std::swap(t, b);
    if (rt > l) r.AppendBand(t, b, {{l, rt}});
    return r;
}

void ScanPolygon(const TPoint* Points, int Count, bool Winding, int YMin, int YMax,
                 const std::function<void(int Y, const std::vector<TSpan>& Spans)>& Row) {
    if (!Points || Count < 3) return;
    struct TEdge {
        Int64 X0, Y0, X1, Y1; // Y0 < Y1
        int Dir;
    };
    std::vector<TEdge> edges;
    Int64 top = INT64_MAX, bottom = INT64_MIN;
    for (int i = 0; i < Count; ++i) {
        const TPoint& p = Points[i];
        const TPoint& q = Points[(i + 1) % Count];
        if (p.Y == q.Y) continue;
        if (p.Y < q.Y)
            edges.push_back({p.X, p.Y, q.X, q.Y, 1});
        else
            edges.push_back({q.X, q.Y, p.X, p.Y, -1});
        top = std::min<Int64>(top, std::min(p.Y, q.Y));
        bottom = std::max<Int64>(bottom, std::max(p.Y, q.Y));
    }
    if (edges.empty()) return;
    Int64 y0 = std::max<Int64>(top, YMin);
    Int64 y1 = std::min<Int64>(bottom, YMax);
    struct TCross {
        Int64 X;
        int Dir;
    };
    std::vector<TCross> cross;
    std::vector<TSpan> spans;
    for (Int64 y = y0; y < y1; ++y) {
        cross.clear();
        for (const TEdge& e : edges) {
            // The row's centre line y + 1/2 meets edges with Y0 <= y < Y1.
            if (y < e.Y0 || y >= e.Y1) continue;
            // First pixel whose centre is at or right of the crossing:
            // ceil(x - 1/2) with x = X0 + (y + 1/2 - Y0) (X1 - X0) / (Y1 - Y0).
            Int64 d = e.Y1 - e.Y0;
            Int64 n = (2 * (y - e.Y0) + 1) * (e.X1 - e.X0) + (2 * e.X0 - 1) * d;
            cross.push_back({CeilDiv(n, 2 * d), e.Dir});
        }
        std::sort(cross.begin(), cross.end(), [](const TCross& a, const TCross& b) { return a.X < b.X; });
        spans.clear();
        auto add = [&](Int64 a, Int64 b) {
            int xa = ClampCoord(a), xb = ClampCoord(b);
            if (xb <= xa) return;
            if (!spans.empty() && spans.back().X1 >= xa)
                spans.back().X1 = std::max(spans.back().X1, xb);
            else
                spans.push_back({xa, xb});
        };
        if (Winding) {
            int wind = 0;
            for (std::size_t i = 0; i + 1 < cross.size(); ++i) {
                wind += cross[i].Dir;
                if (wind != 0) add(cross[i].X, cross[i + 1].X);
            }
        } else {
            for (std::size_t i = 0; i + 1 < cross.size(); i += 2) add(cross[i].X, cross[i + 1].X);
        }
        if (!spans.empty()) Row(static_cast<int>(y), spans);
    }
}

TRegionData TRegionData::FromPolygon(const TPoint* Points, int Count, bool Winding) {
    TRegionData r;
    ScanPolygon(Points, Count, Winding, -RegionCoordLimit, RegionCoordLimit,
                [&](int y, const std::vector<TSpan>& spans) { r.AppendBand(y, y + 1, spans); });
    return r;
}

TRegionData TRegionData::Combine(const TRegionData& A, const TRegionData& B, TRegionOp Op) {
    std::vector<int> ys;
    for (auto& b : A.FBands) ys.insert(ys.end(), {b.Y0, b.Y1});
    for (auto& b : B.FBands) ys.insert(ys.end(), {b.Y0, b.Y1});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    TRegionData r;
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        int y = ys[i];
        while (ia < A.FBands.size() && A.FBands[ia].Y1 <= y) ++ia;
        while (ib < B.FBands.size() && B.FBands[ib].Y1 <= y) ++ib;
        const std::vector<TSpan>* sa =
            ia < A.FBands.size() && A.FBands[ia].Y0 <= y ? &A.FBands[ia].Spans : nullptr;
        const std::vector<TSpan>* sb =
            ib < B.FBands.size() && B.FBands[ib].Y0 <= y ? &B.FBands[ib].Spans : nullptr;
        if (!sa && !sb) continue;
        r.AppendBand(y, ys[i + 1], CombineSpans(sa, sb, Op));
    }
    return r;
}

int TRegionData::Kind() const {
    if (FBands.empty()) return NULLREGION;
    return FBands.size() == 1 && FBands[0].Spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TRegionData::Box() const {
    if (FBands.empty()) return TRect();
    TRect r(INT32_MAX, FBands.front().Y0, INT32_MIN, FBands.back().Y1);
    for (auto& b : FBands) {
        r.Left = std::min(r.Left, b.Spans.front().X0);
        r.Right = std::max(r.Right, b.Spans.back().X1);
    }
    return r;
}

const TBand* TRegionData::BandAt(int Y) const {
    auto it = std::upper_bound(FBands.begin(), FBands.end(), Y, [](int y, const TBand& b) { return y < b.Y1; });
    if (it == FBands.end() || it->Y0 > Y) return nullptr;
    return &*it;
}

bool TRegionData::Contains(int X, int Y) const {
    const TBand* b = BandAt(Y);
    if (!b) return false;
    for (auto& s : b->Spans)
        if (X >= s.X0 && X < s.X1) return true;
    return false;
}

bool TRegionData::IntersectsRect(const TRect& R) const {
    return !Combine(*this, FromRect(R), TRegionOp::And).Empty();
}

void TRegionData::Offset(int DX, int DY) {
    for (auto& b : FBands) {
        b.Y0 = ClampCoord(Int64{b.Y0} + DY);
        b.Y1 = ClampCoord(Int64{b.Y1} + DY);
        for (auto& s : b.Spans) {
            s.X0 = ClampCoord(Int64{s.X0} + DX);
            s.X1 = ClampCoord(Int64{s.X1} + DX);
        }
    }
}
