#pragma once
// Helpers for pixel tests: a white bitmap to draw on, and pixel dumps.

#include "platform/gui/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

struct TBitmapDeleter {
    void operator()(TBitmap* B) const { B->Free(); }
};
using TBitmapPtr = std::unique_ptr<TBitmap, TBitmapDeleter>;

inline TBitmapPtr NewBitmap(int W, int H) {
    TBitmapPtr b(new TBitmap);
    b->SetSize(W, H);
    return b;
}

// The pixels of a rectangle as text, one row per line: '#' where the pixel
// has colour C, '.' where it is white, '?' otherwise.
inline std::string Dump(TCanvas* C, int W, int H, TColor Ink = clBlack) {
    std::string s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            TColor p = C->Pixels(x, y);
            s += p == static_cast<TColor>(ColorToRGB(Ink)) ? '#' : p == clWhite ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

// Joins rows given one per argument, for comparison with Dump.
inline std::string Rows(std::initializer_list<const char*> R) {
    std::string s;
    for (const char* r : R) {
        s += r;
        s += '\n';
    }
    return s;
}
