#pragma once
// Geometry (points, sizes, rectangles) and small ordinal sets, as the
// framework's Types unit: used by graphics, controls and the system alike.

#include "platform/rtl/System.h"

#include <cstdint>
#include <initializer_list>

// ---------------------------------------------------------------- geometry

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(Integer AX, Integer AY) : X(AX), Y(AY) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;
    constexpr TSize() = default;
    constexpr TSize(Integer ACx, Integer ACy) : cx(ACx), cy(ACy) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle in the GDI sense: the pixels from Left to Right-1 and from Top
// to Bottom-1. Inverted rectangles (Right < Left) are kept as given.
struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
        : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
    constexpr TRect(TPoint ATopLeft, TPoint ABottomRight)
        : Left(ATopLeft.X), Top(ATopLeft.Y), Right(ABottomRight.X), Bottom(ABottomRight.Y) {}

    constexpr Integer Width() const { return Right - Left; }
    constexpr Integer Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    // True when the rectangle covers no pixel (also when inverted).
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(Integer X, Integer Y) { return {X, Y}; }
constexpr TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) {
    return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height) {
    return {Left, Top, Left + Width, Top + Height};
}

// Half-open test: Left <= X < Right and Top <= Y < Bottom.
constexpr bool PtInRect(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
constexpr bool IsRectEmpty(const TRect& R) { return R.IsEmpty(); }
constexpr bool EqualRect(const TRect& A, const TRect& B) { return A == B; }

// Dest := the common part of A and B; an empty result is (0,0,0,0) and
// answers False.
bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B);
// Dest := the smallest rectangle holding A and B (empty ones are ignored).
bool UnionRect(TRect& Dest, const TRect& A, const TRect& B);
// Moves R by (DX, DY); InflateRect grows it by DX and DY on each side.
void OffsetRect(TRect& R, Integer DX, Integer DY);
void InflateRect(TRect& R, Integer DX, Integer DY);
void SetRect(TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom);
void SetRectEmpty(TRect& R);

// Number * Numerator / Denominator with a 64-bit intermediate, rounded half
// away from zero; -1 when Denominator is 0.
Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator);

// ---------------------------------------------------------------- sets

// A set of up to 64 values of an enumeration whose ordinals start at 0, as
// the framework's "set of": S.Contains(fsBold), S << fsBold, S >> fsBold,
// union +, difference -, intersection *.
template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Values) {
        for (E v : Values) FBits |= Bit(v);
    }
    // The set from its stored form: bit n is the value of ordinal n.
    static constexpr TSet FromInt(std::uint64_t Bits) {
        TSet s;
        s.FBits = Bits;
        return s;
    }
    constexpr std::uint64_t ToInt() const { return FBits; }

    constexpr bool Contains(E Value) const { return (FBits & Bit(Value)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& operator<<(E Value) {
        FBits |= Bit(Value);
        return *this;
    }
    constexpr TSet& operator>>(E Value) {
        FBits &= ~Bit(Value);
        return *this;
    }
    constexpr TSet& Include(E Value) { return *this << Value; }
    constexpr TSet& Exclude(E Value) { return *this >> Value; }
    friend constexpr TSet operator+(TSet A, TSet B) { return FromInt(A.FBits | B.FBits); }
    friend constexpr TSet operator-(TSet A, TSet B) { return FromInt(A.FBits & ~B.FBits); }
    friend constexpr TSet operator*(TSet A, TSet B) { return FromInt(A.FBits & B.FBits); }
    friend constexpr bool operator==(TSet A, TSet B) = default;

private:
    static constexpr std::uint64_t Bit(E Value) { return std::uint64_t{1} << static_cast<unsigned>(Value); }
    std::uint64_t FBits = 0;
};
