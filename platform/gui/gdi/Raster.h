#pragma once
// The pixel store under every device context: 32-bit pixels 0xFFRRGGBB,
// rows top to bottom, no padding. Private to platform/gui.

#include "platform/gui/gdi/Colors.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

// Pixel rows start on a cache line, as the toolkit's images do, so that
// copies between rasters move aligned blocks.
template <class T> struct TCacheLineAllocator {
    using value_type = T;
    static constexpr std::align_val_t Alignment{64};
    TCacheLineAllocator() = default;
    template <class U> TCacheLineAllocator(const TCacheLineAllocator<U>&) {}
    T* allocate(std::size_t N) { return static_cast<T*>(::operator new(N * sizeof(T), Alignment)); }
    void deallocate(T* P, std::size_t) { ::operator delete(P, Alignment); }
    friend bool operator==(const TCacheLineAllocator&, const TCacheLineAllocator&) { return true; }
};

class TRaster {
public:
    static constexpr std::uint32_t White = 0xFFFFFFFFu;

    TRaster(int AWidth, int AHeight, std::uint32_t Fill = White) { Resize(AWidth, AHeight, Fill); }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Contains(int X, int Y) const { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
    std::uint32_t* Row(int Y) { return FPixels.data() + static_cast<std::size_t>(Y) * FWidth; }
    const std::uint32_t* Row(int Y) const { return FPixels.data() + static_cast<std::size_t>(Y) * FWidth; }
    std::uint32_t* Bits() { return FPixels.data(); }
    const std::uint32_t* Bits() const { return FPixels.data(); }
    std::uint32_t& At(int X, int Y) { return Row(Y)[X]; }
    std::uint32_t At(int X, int Y) const { return Row(Y)[X]; }

    // A monochrome raster holds only black and white where blits write it:
    // a colour source becomes white where it has the source context's
    // background colour and black elsewhere; as a source it gives the
    // destination's background colour for white and its text colour for black.
    bool Monochrome = false;

    // Keeps the pixels of the common area; new pixels get Fill.
    void Resize(int AWidth, int AHeight, std::uint32_t Fill = White);
    void Fill(std::uint32_t Pixel);

    static constexpr std::uint32_t FromColorRef(COLORREF C) {
        return 0xFF000000u | ((C & 0xFFu) << 16) | (C & 0xFF00u) | ((C >> 16) & 0xFFu);
    }
    static constexpr COLORREF ToColorRef(std::uint32_t P) {
        return ((P >> 16) & 0xFFu) | (P & 0xFF00u) | ((P & 0xFFu) << 16);
    }

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<std::uint32_t, TCacheLineAllocator<std::uint32_t>> FPixels;
};
