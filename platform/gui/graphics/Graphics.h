#pragma once
// Fonts, pens, brushes, the canvas, bitmaps and pictures.
//
// A TCanvas draws through its device context (Handle()) with the GDI rules
// of Gdi.h: half-open rectangles, lines without their end pixel, polygons by
// pixel centres, exact clipping. Its Font, Pen and Brush are selected into
// the device context when a drawing call needs them, after every change.

#include "platform/gui/gdi/Colors.h"
#include "platform/gui/gdi/Gdi.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

class TBitmap;
class TCanvas;
class TGraphic;
class TRaster;
struct TTypeInfo;

QUENTA_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
QUENTA_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
QUENTA_DECLARE_EXCEPTION(EResNotFound, Exception);

// ---------------------------------------------------------------- enumerations

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = String;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// Copy modes of CopyRect: ternary raster operations.
using TCopyMode = Integer;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmMergeCopy = MERGECOPY;
inline constexpr TCopyMode cmMergePaint = MERGEPAINT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
inline constexpr TCopyMode cmPatCopy = PATCOPY;
inline constexpr TCopyMode cmPatInvert = PATINVERT;
inline constexpr TCopyMode cmPatPaint = PATPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcErase = SRCERASE;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// ---------------------------------------------------------------- colour names

// Colour names: the standard colours (clBlack ... clWhite, clMoneyGreen,
// clSkyBlue, clCream, clMedGray), the system colours (clBtnFace ...),
// clNone and clDefault.
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(const String& Ident, TColor& Color);
// The name of a colour, else "$" and eight hex digits.
String ColorToString(TColor Color);
// A colour name or a number ("$00FF00", "255"); raises EConvertError.
TColor StringToColor(const String& S);
// The published type of colour properties: numbers or colour names.
const TTypeInfo* ColorTypeInfo();

// ---------------------------------------------------------------- drawing objects

// Base of fonts, pens and brushes: OnChange fires after every change.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

// A font description. Height < 0 is the character height in pixels,
// Height > 0 the cell height (character plus internal leading); Size is in
// points at PixelsPerInch (Size = -Height * 72 / PixelsPerInch).
// The default is "MS Sans Serif", 8 points, clWindowText.
class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;

    void Assign(TPersistent* Source) override;

    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    Integer Size() const;
    void SetSize(Integer Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }

    // The font object for this description, made on first use and owned by
    // the font. Setting a handle (e.g. from CreateFontIndirect) hands it to
    // the font, which takes over name, height, style, charset and pitch from
    // it and keeps its escapement until the description changes again.
    HFONT Handle() const;
    void SetHandle(HFONT Value);

private:
    void Modify();
    void ReleaseHandle() const;

    TFontName FName;
    Integer FHeight;
    TFontStyles FStyle;
    TColor FColor;
    TFontCharset FCharset;
    TFontPitch FPitch = fpDefault;
    Integer FPixelsPerInch;
    Integer FEscapement = 0;
    mutable HFONT FHandle = nullptr;
};

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    ~TPen() override;

    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

    HPEN Handle() const;

private:
    void Modify();

    TColor FColor = clBlack;
    Integer FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    mutable HPEN FHandle = nullptr;
};

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    ~TBrush() override;

    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap (not owned): while set, the brush paints its pixels,
    // tiled from the device context's brush origin.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

    // Plain brushes of the same style and colour share one handle (do not
    // delete it); a pattern brush has its own.
    HBRUSH Handle() const;

private:
    void Modify();
    void ReleaseHandle() const;

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
    mutable HBRUSH FHandle = nullptr;
    mutable bool FSharedHandle = false; // shared with brushes of the same style and colour
};

// ---------------------------------------------------------------- canvas

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The device context with the canvas's font, pen and brush selected; a
    // canvas without one asks CreateHandle for it and raises
    // EInvalidOperation "Canvas does not allow drawing" when none comes.
    HDC Handle();
    // Attaches a device context (not owned) or detaches with nullptr.
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    TPoint PenPos();
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    // What can be drawn, in logical coordinates.
    TRect ClipRect();
    // Exact pixel access; reads outside the bitmap or the clip region answer
    // CLR_INVALID (as a TColor, -1), writes there are ignored.
    TColor Pixels(Integer X, Integer Y);
    void SetPixels(Integer X, Integer Y, TColor Value);
    // ExtTextOut options added to every TextOut and TextRect.
    Integer TextFlags = 0;

    void MoveTo(Integer X, Integer Y);
    void LineTo(Integer X, Integer Y);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void Polygon(std::span<const TPoint> Points);
    void Polygon(std::initializer_list<TPoint> Points) { Polygon(std::span(Points.begin(), Points.size())); }
    void Polyline(std::span<const TPoint> Points);
    void Polyline(std::initializer_list<TPoint> Points) {
        Polyline(std::span(Points.begin(), Points.size()));
    }
    // Inverts a dotted frame (XOR); a second call restores the pixels.
    void DrawFocusRect(const TRect& R);

    // Draws a graphic at its own size, or stretched into R; a transparent
    // bitmap leaves the canvas unchanged where it has its transparent colour.
    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Stretches Source of Canvas into Dest with CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of Bitmap into Dest, painting the brush where the bitmap
    // has Color.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    void TextOut(Integer X, Integer Y, const String& Text);
    // The text clipped to R; R is filled with the brush first when the brush
    // is solid.
    void TextRect(const TRect& R, Integer X, Integer Y, const String& Text);
    TSize TextExtent(const String& Text);
    Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
    Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }

    // Deselects font, pen and brush so that they are selected again.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;
    // Fire OnChanging and OnChange. Every drawing call of the canvas fires
    // both around its work; drawing made straight on Handle() fires them
    // itself, once around all of it.
    virtual void Changing();
    virtual void Changed();

protected:
    friend class TBitmap;
    // Supplies a device context when one is needed (SetHandle); the base
    // has none.
    virtual void CreateHandle() {}
    // The device context as it is, without selecting anything.
    HDC CurrentHandle() const { return FHandle; }

    enum TCanvasState { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
    void RequiredState(unsigned Required);

private:
    void DeselectHandles();

    HDC FHandle = nullptr;
    unsigned FState = 0;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
};

// ---------------------------------------------------------------- graphics

// Base of pictures that can be drawn on a canvas and kept in files.
class TGraphic : public TPersistent {
public:
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer Value) = 0;
    virtual void SetHeight(Integer Value) = 0;
    virtual bool Empty() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // Files and in-memory file images of the graphic's own format. A damaged
    // or foreign image raises EInvalidGraphic; the graphic is unchanged then.
    // From a file, the message begins with the file's name ("Logo.bmp: ...").
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;
    virtual void LoadFromBytes(const std::vector<Byte>& Data) = 0;
    virtual std::vector<Byte> SaveToBytes() const = 0;
    // The graphic's data as a form description stores it: the file image,
    // which may be preceded by its 32-bit length.
    virtual void ReadData(const std::vector<Byte>& Data);
    // Form descriptions store the data as the binary property "Data".
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    friend class TPicture;
    virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;
    virtual void Changed();
    // A new, empty graphic of the same class.
    virtual TGraphic* NewEmpty() const = 0;

private:
    bool FTransparent = false;
    bool FModified = false;
};

// A 32-bit bitmap. New bitmaps and new areas after a resize are white.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(Integer AWidth, Integer AHeight);
    ~TBitmap() override;

    void Assign(TPersistent* Source) override;

    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    void SetSize(Integer AWidth, Integer AHeight);
    bool Empty() const override;
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // pf1bit makes the bitmap monochrome.
    void SetPixelFormat(TPixelFormat Value);
    // A monochrome bitmap keeps white pixels and turns every other one black;
    // blits into it compare with the source's background colour (see Gdi.h).
    bool Monochrome() const;
    void SetMonochrome(bool Value);

    TCanvas* Canvas();
    HBITMAP Handle() const;

    // The colour that a transparent bitmap leaves out: with tmAuto the
    // colour of the bottom-left pixel, with tmFixed the colour set (setting
    // a colour other than clDefault switches to tmFixed).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void LoadFromBytes(const std::vector<Byte>& Data) override;
    std::vector<Byte> SaveToBytes() const override;
    // Loads a bitmap resource linked into the program (see
    // SetBitmapResourceLoader); raises EResNotFound when there is none.
    void LoadFromResourceName(std::uintptr_t Instance, const String& ResName);

protected:
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    void Changed() override;
    TGraphic* NewEmpty() const override { return new TBitmap; }

private:
    friend class TBitmapCanvas;
    friend const std::shared_ptr<TRaster>& BitmapRaster(const TBitmap* Bitmap);
    void Resize(Integer AWidth, Integer AHeight);

    std::shared_ptr<TRaster> FRaster;
    std::unique_ptr<TCanvas> FCanvas;
    mutable HBITMAP FHandle = nullptr;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};

// Draws the source stretched into the destination where the monochrome
// mask is black (the mask has the source's size and position).
void TransparentStretchBlt(HDC DstDC, Integer DstX, Integer DstY, Integer DstW, Integer DstH, HDC SrcDC,
                           Integer SrcX, Integer SrcY, Integer SrcW, Integer SrcH, HDC MaskDC, Integer MaskX,
                           Integer MaskY);

// Serves LoadFromResourceName: fills Data with the bitmap file image of the
// named resource and answers true, or answers false when there is none. The
// default (also after setting nullptr) reads the bitmap resources linked
// into the program (RT_BITMAP; quenta_embed_pixel_art in CMake).
using TBitmapResourceLoader = std::function<bool(const String& ResName, std::vector<Byte>& Data)>;
void SetBitmapResourceLoader(TBitmapResourceLoader Loader);

// Holds one graphic of any registered kind: bitmaps (.bmp), JPEG images
// (.jpg, .jpeg) and GIF images (.gif).
class TPicture : public TPersistent {
public:
    TPicture() = default;
    ~TPicture() override;

    void Assign(TPersistent* Source) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap; a graphic of another kind is replaced by an
    // empty bitmap.
    TBitmap* Bitmap();
    Integer Width() const { return FGraphic ? FGraphic->Width() : 0; }
    Integer Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // Chooses the kind by the file extension; raises EInvalidGraphic for an
    // unknown extension or a damaged file.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;
    // The stored form of a picture in a form description: the class name
    // as a length-prefixed string, then the graphic's data (a bitmap's with
    // its 32-bit size first).
    void ReadData(const std::vector<Byte>& Data);
    // Form descriptions store the data as the binary property "Data".
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnChange;

private:
    void SetNewGraphic(std::unique_ptr<TGraphic> Graphic);
    void Changed(TObject* Sender);

    std::unique_ptr<TGraphic> FGraphic;
};
