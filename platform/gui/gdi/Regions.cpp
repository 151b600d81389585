// Region handles: creation, combination and tests.
#include "platform/gui/gdi/GdiObjects.h"

namespace {

HRGN NewRegion(TRegionData Data) {
    auto obj = std::make_shared<TRegionObject>();
    obj->Data = std::move(Data);
    return reinterpret_cast<HRGN>(RegisterGdiObject(obj));
}

std::shared_ptr<TRegionObject> Find(HRGN Rgn) { return FindGdi<TRegionObject>(AsGdiObj(Rgn), TGdiKind::Region); }

} // namespace

HRGN CreateRectRgn(Integer Left, Integer Top, Integer Right, Integer Bottom) {
    return NewRegion(TRegionData::FromRect(TRect(Left, Top, Right, Bottom)));
}

HRGN CreateRectRgnIndirect(const TRect* Rect) {
    return Rect ? CreateRectRgn(Rect->Left, Rect->Top, Rect->Right, Rect->Bottom) : nullptr;
}

HRGN CreatePolygonRgn(const TPoint* Points, Integer Count, Integer FillMode) {
    if (!Points || Count < 0 || (FillMode != ALTERNATE && FillMode != WINDING)) return nullptr;
    return NewRegion(TRegionData::FromPolygon(Points, Count, FillMode == WINDING));
}

Integer CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, Integer Mode) {
    auto dest = Find(Dest);
    auto a = Find(Src1);
    if (!dest || !a) return RGN_ERROR;
    if (Mode == RGN_COPY) {
        dest->Data = a->Data;
        return dest->Data.Kind();
    }
    auto b = Find(Src2);
    if (!b) return RGN_ERROR;
    TRegionOp op;
    switch (Mode) {
    case RGN_AND: op = TRegionOp::And; break;
    case RGN_OR: op = TRegionOp::Or; break;
    case RGN_XOR: op = TRegionOp::Xor; break;
    case RGN_DIFF: op = TRegionOp::Diff; break;
    default: return RGN_ERROR;
    }
    dest->Data = TRegionData::Combine(a->Data, b->Data, op);
    return dest->Data.Kind();
}

BOOL PtInRegion(HRGN Rgn, Integer X, Integer Y) {
    auto r = Find(Rgn);
    return r && r->Data.Contains(X, Y);
}

BOOL RectInRegion(HRGN Rgn, const TRect* Rect) {
    auto r = Find(Rgn);
    return r && Rect && r->Data.IntersectsRect(*Rect);
}

BOOL EqualRgn(HRGN Rgn1, HRGN Rgn2) {
    auto a = Find(Rgn1), b = Find(Rgn2);
    return a && b && a->Data == b->Data;
}

Integer OffsetRgn(HRGN Rgn, Integer DX, Integer DY) {
    auto r = Find(Rgn);
    if (!r) return RGN_ERROR;
    r->Data.Offset(DX, DY);
    return r->Data.Kind();
}

Integer GetRgnBox(HRGN Rgn, TRect* Rect) {
    auto r = Find(Rgn);
    if (!r || !Rect) return RGN_ERROR;
    *Rect = r->Data.Box();
    return r->Data.Kind();
}

BOOL SetRectRgn(HRGN Rgn, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    auto r = Find(Rgn);
    if (!r) return false;
    r->Data = TRegionData::FromRect(TRect(Left, Top, Right, Bottom));
    return true;
}
