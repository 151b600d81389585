#pragma once
// Device contexts, drawing objects, regions and text: the GDI calls that the
// painters make on Canvas->Handle(), over the platform's own raster.
//
// Rules: coordinates are logical (device = logical + viewport origin);
// rectangles are half-open; a line leaves out its end pixel; a polygon
// fills the pixels whose centre lies inside (top and left edges in, bottom
// and right edges out); clipping is exact to the pixel. Handles are checked:
// a call with an unknown or deleted handle fails (returns 0 / false) and
// does nothing.

#include "platform/gui/gdi/Colors.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/Types.h"

#include <cstdint>

struct HDC__;
struct HGDIOBJ__;
struct HFONT__;
struct HPEN__;
struct HBRUSH__;
struct HRGN__;
struct HBITMAP__;
using HDC = HDC__*;
using HGDIOBJ = HGDIOBJ__*;
using HFONT = HFONT__*;
using HPEN = HPEN__*;
using HBRUSH = HBRUSH__*;
using HRGN = HRGN__*;
using HBITMAP = HBITMAP__*;
using BOOL = bool;
using UINT = Cardinal;
using DWORD = Cardinal;

// Any drawing object handle as the generic handle of SelectObject and
// DeleteObject.
template <class H> inline HGDIOBJ AsGdiObj(H Handle) { return reinterpret_cast<HGDIOBJ>(Handle); }

// ---------------------------------------------------------------- structures

inline constexpr Integer LF_FACESIZE = 32;

struct TLogFont {
    LongInt lfHeight = 0;
    LongInt lfWidth = 0;
    LongInt lfEscapement = 0;  // tenths of a degree, counter-clockwise
    LongInt lfOrientation = 0; // tenths of a degree
    LongInt lfWeight = 0;      // 400 normal, 700 bold
    Byte lfItalic = 0;
    Byte lfUnderline = 0;
    Byte lfStrikeOut = 0;
    Byte lfCharSet = 0;
    Byte lfOutPrecision = 0;
    Byte lfClipPrecision = 0;
    Byte lfQuality = 0;
    Byte lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {}; // zero-terminated, at most 31 characters
};
using LOGFONT = TLogFont;

struct TTextMetric {
    LongInt tmHeight = 0;
    LongInt tmAscent = 0;
    LongInt tmDescent = 0;
    LongInt tmInternalLeading = 0;
    LongInt tmExternalLeading = 0;
    LongInt tmAveCharWidth = 0;
    LongInt tmMaxCharWidth = 0;
    LongInt tmWeight = 0;
    LongInt tmOverhang = 0;
    LongInt tmDigitizedAspectX = 96;
    LongInt tmDigitizedAspectY = 96;
    char tmFirstChar = 0x20;
    char tmLastChar = static_cast<char>(0xFF);
    char tmDefaultChar = 0x1F;
    char tmBreakChar = 0x20;
    Byte tmItalic = 0;
    Byte tmUnderlined = 0;
    Byte tmStruckOut = 0;
    Byte tmPitchAndFamily = 0;
    Byte tmCharSet = 0;
};
using TEXTMETRIC = TTextMetric;

struct TLogBrush {
    UINT lbStyle = 0;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

// A device-independent picture as StretchDIBits reads it. Only 32 bits per
// pixel, BI_RGB, top-down (biHeight < 0) is supported: each pixel is one
// 32-bit word 0x00RRGGBB (blue in the lowest byte), rows biWidth pixels
// apart, the first row at the top. The high byte is ignored.
struct TBitmapInfoHeader {
    DWORD biSize = sizeof(TBitmapInfoHeader);
    LongInt biWidth = 0;
    LongInt biHeight = 0; // negative: top-down
    Word biPlanes = 1;
    Word biBitCount = 32;
    DWORD biCompression = 0; // BI_RGB
    DWORD biSizeImage = 0;
    LongInt biXPelsPerMeter = 0;
    LongInt biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct TBitmapInfo {
    TBitmapInfoHeader bmiHeader;
};
using BITMAPINFOHEADER = TBitmapInfoHeader;
using BITMAPINFO = TBitmapInfo;

// ---------------------------------------------------------------- constants

// Picture formats and colour tables (StretchDIBits).
inline constexpr DWORD BI_RGB = 0;
inline constexpr UINT DIB_RGB_COLORS = 0;

// Font weights, character sets and pitch bits.
inline constexpr LongInt FW_NORMAL = 400;
inline constexpr LongInt FW_BOLD = 700;
inline constexpr Byte ANSI_CHARSET = 0;
inline constexpr Byte DEFAULT_CHARSET = 1;
inline constexpr Byte SYMBOL_CHARSET = 2;
inline constexpr Byte OEM_CHARSET = 255;
inline constexpr Byte DEFAULT_PITCH = 0;
inline constexpr Byte FIXED_PITCH = 1;
inline constexpr Byte VARIABLE_PITCH = 2;
// tmPitchAndFamily bits. TMPF_FIXED_PITCH set means a variable-pitch font.
inline constexpr Byte TMPF_FIXED_PITCH = 0x01;
inline constexpr Byte TMPF_VECTOR = 0x02;
inline constexpr Byte TMPF_TRUETYPE = 0x04;
inline constexpr Byte TMPF_DEVICE = 0x08;

// Background modes.
inline constexpr Integer TRANSPARENT = 1;
inline constexpr Integer OPAQUE = 2;

// Text alignment (SetTextAlign).
inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT TA_RTLREADING = 256;
inline constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// ExtTextOut options.
inline constexpr UINT ETO_OPAQUE = 2;
inline constexpr UINT ETO_CLIPPED = 4;
inline constexpr UINT ETO_RTLREADING = 128;

// DrawText formats.
inline constexpr UINT DT_TOP = 0x0;
inline constexpr UINT DT_LEFT = 0x0;
inline constexpr UINT DT_CENTER = 0x1;
inline constexpr UINT DT_RIGHT = 0x2;
inline constexpr UINT DT_VCENTER = 0x4;
inline constexpr UINT DT_BOTTOM = 0x8;
inline constexpr UINT DT_WORDBREAK = 0x10;
inline constexpr UINT DT_SINGLELINE = 0x20;
inline constexpr UINT DT_EXPANDTABS = 0x40;
inline constexpr UINT DT_TABSTOP = 0x80;
inline constexpr UINT DT_NOCLIP = 0x100;
inline constexpr UINT DT_EXTERNALLEADING = 0x200;
inline constexpr UINT DT_CALCRECT = 0x400;
inline constexpr UINT DT_NOPREFIX = 0x800;
inline constexpr UINT DT_INTERNAL = 0x1000;
inline constexpr UINT DT_EDITCONTROL = 0x2000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;
inline constexpr UINT DT_MODIFYSTRING = 0x10000;
inline constexpr UINT DT_RTLREADING = 0x20000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x40000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x80000;
inline constexpr UINT DT_HIDEPREFIX = 0x100000;
inline constexpr UINT DT_PREFIXONLY = 0x200000;

// Pen styles.
inline constexpr Integer PS_SOLID = 0;
inline constexpr Integer PS_DASH = 1;
inline constexpr Integer PS_DOT = 2;
inline constexpr Integer PS_DASHDOT = 3;
inline constexpr Integer PS_DASHDOTDOT = 4;
inline constexpr Integer PS_NULL = 5;
inline constexpr Integer PS_INSIDEFRAME = 6;

// Brush styles and hatches.
inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;
inline constexpr UINT BS_HATCHED = 2;
inline constexpr UINT BS_PATTERN = 3;
inline constexpr Integer HS_HORIZONTAL = 0;
inline constexpr Integer HS_VERTICAL = 1;
inline constexpr Integer HS_FDIAGONAL = 2;
inline constexpr Integer HS_BDIAGONAL = 3;
inline constexpr Integer HS_CROSS = 4;
inline constexpr Integer HS_DIAGCROSS = 5;

// Stock objects.
inline constexpr Integer WHITE_BRUSH = 0;
inline constexpr Integer LTGRAY_BRUSH = 1;
inline constexpr Integer GRAY_BRUSH = 2;
inline constexpr Integer DKGRAY_BRUSH = 3;
inline constexpr Integer BLACK_BRUSH = 4;
inline constexpr Integer NULL_BRUSH = 5;
inline constexpr Integer HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr Integer WHITE_PEN = 6;
inline constexpr Integer BLACK_PEN = 7;
inline constexpr Integer NULL_PEN = 8;
inline constexpr Integer SYSTEM_FONT = 13;
inline constexpr Integer DEFAULT_GUI_FONT = 17;

// Binary raster operations of pens (SetROP2).
inline constexpr Integer R2_BLACK = 1;
inline constexpr Integer R2_NOTMERGEPEN = 2;
inline constexpr Integer R2_MASKNOTPEN = 3;
inline constexpr Integer R2_NOTCOPYPEN = 4;
inline constexpr Integer R2_MASKPENNOT = 5;
inline constexpr Integer R2_NOT = 6;
inline constexpr Integer R2_XORPEN = 7;
inline constexpr Integer R2_NOTMASKPEN = 8;
inline constexpr Integer R2_MASKPEN = 9;
inline constexpr Integer R2_NOTXORPEN = 10;
inline constexpr Integer R2_NOP = 11;
inline constexpr Integer R2_MERGENOTPEN = 12;
inline constexpr Integer R2_COPYPEN = 13;
inline constexpr Integer R2_MERGEPENNOT = 14;
inline constexpr Integer R2_MERGEPEN = 15;
inline constexpr Integer R2_WHITE = 16;

// Ternary raster operations (BitBlt, StretchBlt, PatBlt).
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// Region kinds (results of region and clip calls) and combine modes.
inline constexpr Integer RGN_ERROR = 0;
inline constexpr Integer ERROR = 0;
inline constexpr Integer NULLREGION = 1;
inline constexpr Integer SIMPLEREGION = 2;
inline constexpr Integer COMPLEXREGION = 3;
inline constexpr Integer RGN_AND = 1;
inline constexpr Integer RGN_OR = 2;
inline constexpr Integer RGN_XOR = 3;
inline constexpr Integer RGN_DIFF = 4;
inline constexpr Integer RGN_COPY = 5;
// Polygon fill modes.
inline constexpr Integer ALTERNATE = 1;
inline constexpr Integer WINDING = 2;
// Stretch modes (all stretch by nearest neighbour here).
inline constexpr Integer BLACKONWHITE = 1;
inline constexpr Integer WHITEONBLACK = 2;
inline constexpr Integer COLORONCOLOR = 3;
inline constexpr Integer HALFTONE = 4;

// GetDeviceCaps indices.
inline constexpr Integer HORZRES = 8;
inline constexpr Integer VERTRES = 10;
inline constexpr Integer BITSPIXEL = 12;
inline constexpr Integer PLANES = 14;
inline constexpr Integer NUMCOLORS = 24;
inline constexpr Integer LOGPIXELSX = 88;
inline constexpr Integer LOGPIXELSY = 90;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// ---------------------------------------------------------------- the display

// Facts about the display that painters consult (colour depth: more than 8
// bits per pixel is a full-colour display; logical pixels per inch). Fixed
// defaults, 32 bits and 96 dpi, that tests may replace.
struct TDisplayFacts {
    Integer BitsPerPixel = 32;
    Integer PixelsPerInch = 96;
};
const TDisplayFacts& DisplayFacts();
void SetDisplayFacts(const TDisplayFacts& Facts);

// ---------------------------------------------------------------- device contexts

// The screen's device context (Wnd 0; text measurement, device caps). Other
// window handles are served by the window layer. Release with ReleaseDC.
HDC GetDC(HWND Wnd);
Integer ReleaseDC(HWND Wnd, HDC DC);
// A memory device context with a 1 x 1 bitmap selected; DeleteDC frees it.
HDC CreateCompatibleDC(HDC DC);
BOOL DeleteDC(HDC DC);
Integer GetDeviceCaps(HDC DC, Integer Index);

// Saves the state (clip region, viewport origin, selected pen, brush, font
// and bitmap, colours, background and text modes, brush origin, raster
// operation); answers the new save level, 0 on failure.
Integer SaveDC(HDC DC);
// SavedDC > 0: back to that level; < 0: that many levels back.
BOOL RestoreDC(HDC DC, Integer SavedDC);

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Obj);
HGDIOBJ GetCurrentObject(HDC DC, UINT ObjectType);
inline constexpr UINT OBJ_PEN = 1;
inline constexpr UINT OBJ_BRUSH = 2;
inline constexpr UINT OBJ_FONT = 6;
inline constexpr UINT OBJ_BITMAP = 7;
inline constexpr UINT OBJ_REGION = 8;
BOOL DeleteObject(HGDIOBJ Obj);
HGDIOBJ GetStockObject(Integer Index);
// Copies the object's description: TLogFont for fonts, TLogBrush for
// brushes. Answers the bytes copied, 0 on failure.
Integer GetObject(HGDIOBJ Obj, Integer Size, void* Buffer);
UINT GetObjectType(HGDIOBJ Obj);

COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
Integer SetBkMode(HDC DC, Integer Mode);
Integer GetBkMode(HDC DC);
UINT SetTextAlign(HDC DC, UINT Align);
UINT GetTextAlign(HDC DC);
Integer SetROP2(HDC DC, Integer Rop2);
Integer GetROP2(HDC DC);
Integer SetPolyFillMode(HDC DC, Integer Mode);
Integer SetStretchBltMode(HDC DC, Integer Mode);
BOOL SetBrushOrgEx(HDC DC, Integer X, Integer Y, TPoint* Old);
BOOL GetBrushOrgEx(HDC DC, TPoint* Org);

// The viewport origin: where logical (0,0) lands on the device.
BOOL SetViewportOrgEx(HDC DC, Integer X, Integer Y, TPoint* Old);
BOOL GetViewportOrgEx(HDC DC, TPoint* Org);
BOOL OffsetViewportOrgEx(HDC DC, Integer DX, Integer DY, TPoint* Old);

// ---------------------------------------------------------------- clipping

// Rectangles in logical coordinates; regions in device coordinates. Each
// answers the kind of the clip region that results (NULLREGION,
// SIMPLEREGION, COMPLEXREGION) or ERROR.
Integer IntersectClipRect(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
Integer ExcludeClipRect(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
// A copy of Rgn becomes the clip region; Rgn 0 removes the clip region.
Integer SelectClipRgn(HDC DC, HRGN Rgn);
Integer ExtSelectClipRgn(HDC DC, HRGN Rgn, Integer Mode);
// The smallest rectangle around what can be drawn, in logical coordinates.
Integer GetClipBox(HDC DC, TRect* Rect);
// Copies the clip region into Rgn: 1 when there is one, 0 when none, -1 on error.
Integer GetClipRgn(HDC DC, HRGN Rgn);
BOOL PtVisible(HDC DC, Integer X, Integer Y);
BOOL RectVisible(HDC DC, const TRect* Rect);

// ---------------------------------------------------------------- drawing objects

HPEN CreatePen(Integer Style, Integer Width, COLORREF Color);
HBRUSH CreateSolidBrush(COLORREF Color);
HBRUSH CreateHatchBrush(Integer Hatch, COLORREF Color);
// The brush copies the bitmap's pixels; the bitmap may be freed afterwards.
HBRUSH CreatePatternBrush(HBITMAP Bitmap);
HBRUSH CreateBrushIndirect(const TLogBrush* LogBrush);
HFONT CreateFontIndirect(const TLogFont* LogFont);
// A bitmap of Width x Height pixels, white.
HBITMAP CreateCompatibleBitmap(HDC DC, Integer Width, Integer Height);

// ---------------------------------------------------------------- regions

HRGN CreateRectRgn(Integer Left, Integer Top, Integer Right, Integer Bottom);
HRGN CreateRectRgnIndirect(const TRect* Rect);
// The pixels whose centre lies inside the polygon; FillMode ALTERNATE
// (even-odd) or WINDING (non-zero).
HRGN CreatePolygonRgn(const TPoint* Points, Integer Count, Integer FillMode);
// Dest := Src1 op Src2 (Src2 unused for RGN_COPY); Dest must exist and may
// be one of the sources. Answers the kind of the result.
Integer CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, Integer Mode);
BOOL PtInRegion(HRGN Rgn, Integer X, Integer Y);
BOOL RectInRegion(HRGN Rgn, const TRect* Rect);
BOOL EqualRgn(HRGN Rgn1, HRGN Rgn2);
Integer OffsetRgn(HRGN Rgn, Integer DX, Integer DY);
Integer GetRgnBox(HRGN Rgn, TRect* Rect);
BOOL SetRectRgn(HRGN Rgn, Integer Left, Integer Top, Integer Right, Integer Bottom);
BOOL FillRgn(HDC DC, HRGN Rgn, HBRUSH Brush);
BOOL FrameRgn(HDC DC, HRGN Rgn, HBRUSH Brush, Integer Width, Integer Height);

// ---------------------------------------------------------------- drawing

BOOL MoveToEx(HDC DC, Integer X, Integer Y, TPoint* Old);
BOOL GetCurrentPositionEx(HDC DC, TPoint* Pos);
// A line from the current position to (X, Y), without the end pixel.
BOOL LineTo(HDC DC, Integer X, Integer Y);
BOOL Polyline(HDC DC, const TPoint* Points, Integer Count);
BOOL Polygon(HDC DC, const TPoint* Points, Integer Count);
BOOL Rectangle(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
BOOL Ellipse(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
Integer FillRect(HDC DC, const TRect* Rect, HBRUSH Brush);
Integer FrameRect(HDC DC, const TRect* Rect, HBRUSH Brush);
BOOL InvertRect(HDC DC, const TRect* Rect);
// Inverts a dotted one-pixel frame; drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC DC, const TRect* Rect);
COLORREF SetPixel(HDC DC, Integer X, Integer Y, COLORREF Color);
// CLR_INVALID outside the bitmap or the clip region.
COLORREF GetPixel(HDC DC, Integer X, Integer Y);

BOOL PatBlt(HDC DC, Integer X, Integer Y, Integer Width, Integer Height, DWORD Rop);
BOOL BitBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX,
            Integer SrcY, DWORD Rop);
// Nearest-neighbour stretch; a negative width or height mirrors, the
// destination then runs from X (or Y) towards smaller coordinates.
BOOL StretchBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX,
                Integer SrcY, Integer SrcWidth, Integer SrcHeight, DWORD Rop);
// Copies the source where the (monochrome) mask is black, leaving the
// destination where it is white; source and mask are stretched alike.
BOOL MaskBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX, Integer SrcY,
             Integer SrcWidth, Integer SrcHeight, HDC Mask, Integer MaskX, Integer MaskY);
// Stretches the part (XSrc, YSrc, SrcWidth, SrcHeight) of a picture in
// memory into the destination like StretchBlt (nearest neighbour, negative
// extents mirror, Rop as there). Answers the number of source rows, 0 when
// the picture is not a top-down 32-bit BI_RGB one or the call fails. A
// monochrome destination gets white for white pixels and black elsewhere.
Integer StretchDIBits(HDC DC, Integer XDest, Integer YDest, Integer DestWidth, Integer DestHeight, Integer XSrc,
                      Integer YSrc, Integer SrcWidth, Integer SrcHeight, const void* Bits, const TBitmapInfo* Info,
                      UINT Usage, DWORD Rop);
// Copies the source, leaving out the pixels of colour Transparent.
BOOL TransparentBlt(HDC Dest, Integer X, Integer Y, Integer Width, Integer Height, HDC Src, Integer SrcX,
                    Integer SrcY, Integer SrcWidth, Integer SrcHeight, COLORREF Transparent);

// ---------------------------------------------------------------- text

BOOL TextOut(HDC DC, Integer X, Integer Y, const char* Str, Integer Count);
BOOL TextOut(HDC DC, Integer X, Integer Y, const String& Text);
// Options ETO_OPAQUE (fill Rect with the background colour), ETO_CLIPPED
// (clip the text to Rect), ETO_RTLREADING.
BOOL ExtTextOut(HDC DC, Integer X, Integer Y, UINT Options, const TRect* Rect, const String& Text);
BOOL GetTextExtentPoint32(HDC DC, const char* Str, Integer Count, TSize* Size);
BOOL GetTextExtentPoint32(HDC DC, const String& Text, TSize* Size);
BOOL GetTextMetrics(HDC DC, TTextMetric* Metrics);
Integer GetTextFace(HDC DC, Integer Count, char* FaceName);
// Lays out and draws Text (Count bytes, -1 = up to the terminating zero) in
// Rect; answers the height of the text (with DT_VCENTER or DT_BOTTOM the
// offset from Rect->Top to the bottom of the text). With DT_CALCRECT Rect
// is set to the text's size and nothing is drawn.
Integer DrawText(HDC DC, const char* Str, Integer Count, TRect* Rect, UINT Format);
Integer DrawText(HDC DC, const String& Text, TRect* Rect, UINT Format);

// ---------------------------------------------------------------- fonts

// The font families installed for the names the system uses.
// True when the named face is a scalable (TrueType) font here; bitmap
// faces such as "MS Sans Serif" answer False.
bool IsTrueTypeFace(const String& FaceName);
// The test font, whose metrics are exact so that layout that depends on
// text size can be checked to the pixel. With Height -H (or H) the cell is
// H pixels high (no internal leading), the ascent A = H - H/4, every
// character H/2 wide (at least 1). A printable character draws a solid
// block from the cell's top down to the baseline (H/2 x A); space, tab and
// line breaks draw nothing. The underline is the row A + 1 below the top.
inline constexpr const char* TestBlockFontName = "Quenta Test Block";
