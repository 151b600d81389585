#include "platform/rtl/Types.h"

#include <algorithm>

bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
    TRect r(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom));
    if (r.IsEmpty()) {
        Dest = TRect();
        return false;
    }
    Dest = r;
    return true;
}

bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
    if (A.IsEmpty()) {
        Dest = B.IsEmpty() ? TRect() : B;
    } else if (B.IsEmpty()) {
        Dest = A;
    } else {
        Dest = TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                     std::max(A.Bottom, B.Bottom));
    }
    return !Dest.IsEmpty();
}

void OffsetRect(TRect& R, Integer DX, Integer DY) {
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
}

void InflateRect(TRect& R, Integer DX, Integer DY) {
    R.Left -= DX;
    R.Right += DX;
    R.Top -= DY;
    R.Bottom += DY;
}

void SetRect(TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    R = TRect(Left, Top, Right, Bottom);
}

void SetRectEmpty(TRect& R) { R = TRect(); }

Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator) {
    if (Denominator == 0) return -1;
    Int64 p = static_cast<Int64>(Number) * Numerator;
    Int64 d = Denominator;
    bool negative = (p < 0) != (d < 0);
    Int64 q = ((p < 0 ? -p : p) * 2 + (d < 0 ? -d : d)) / (2 * (d < 0 ? -d : d));
    return static_cast<Integer>(negative ? -q : q);
}
