#pragma once
// Two-colour gradient fills, a transparent bitmap blit, a vertical bitmap
// flip and the copy of a parent's background.
//
// Gradients are made of solid bands of equal colour, computed a line at a
// time and drawn straight onto the canvas (through its clip, origin and
// copy mode), each line in one piece, so nothing flickers while a gradient
// is built up; the canvas's OnChanging and OnChange fire once around each
// gradient, as around one drawing call. Colours step in 16.16 fixed point: the per-step increment of
// a channel is the difference of the two channels, shifted left by 16,
// divided (truncating) by the number of steps.

#include "platform/gui/graphics/Graphics.h"
#include "platform/rtl/TypInfo.h"

class TControl;

enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};

const TTypeInfo* GradientDirectionTypeInfo();

// Fills R with a gradient from StartColor to StopColor:
//   gdDiagonalUp        start bottom-left, stop top-right
//   gdDiagonalDown      start top-left, stop bottom-right
//   gdHorizontalEnd     start top row, stop bottom row
//   gdHorizontalCenter  start top and bottom rows, stop middle row
//   gdVerticalEnd       start left column, stop right column
//   gdVerticalCenter    start left and right columns, stop middle column
//   the box directions  start outer edge, stop centre; the top-left quadrant
//                       is computed and the rest copied from it by two
//                       stretching mirror copies (see DrawBoxGradient), so
//                       the halves may differ by a repeated column
// Granularity 1 makes every band a run of equal colours. A rectangle whose
// Right is left of its Left fills |width| pixels from Left (so too for the
// height); an empty one draws nothing.
void GradientFillRect(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, Integer Granularity,
                      TColor StopColor, TColor StartColor);

// Draws SourceRect of Bitmap stretched into DestRect, leaving the canvas
// unchanged wherever the source pixel has TransparentColor.
void PaintBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor,
                            const TRect& SourceRect);

// Turns the bitmap upside down in place.
void FlipBitmapVertically(TBitmap* Bitmap);

// Paints into DC what the control's parent shows under the control (its
// erased background and its painting, moved to the control's place), so
// that the control can look transparent. With InvalidateParent a parent
// that is neither a custom control nor a form is invalidated afterwards.
// A control without parent leaves DC as it is.
void CopyParentBackground(TControl* Control, HDC DC, bool InvalidateParent);
void CopyParentBackgroundToCanvas(TControl* Control, TCanvas* Canvas, bool InvalidateParent);
