#pragma once
// Image lists: equally sized images with transparency, drawn by index,
// normal or greyed, with change links for the controls that show them.
//
// A form description creates a TImageList like any component: its settings
// are published properties, and its images are the binary property
// "Bitmap", a bitmap file of all images side by side (image k at x = k *
// Width). Each image's transparent pixels are those of the strip's
// bottom-left pixel's colour, as for AddMasked with clDefault; a list with
// Masked = False draws every pixel.

#include "platform/gui/graphics/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/TypInfo.h"

#include <memory>
#include <vector>

class TCustomImageList;
class TRaster;

// How Draw combines an image with what is below (see Draw).
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
// Whether Draw shows the image or its mask.
enum TImageType { itImage, itMask };

// Tells its holder when the image list it is registered with changes.
class TChangeLink : public TObject {
public:
    ~TChangeLink() override;
    TCustomImageList* Sender() const { return FSender; }
    void SetSender(TCustomImageList* Value) { FSender = Value; }
    virtual void Change();
    TNotifyEvent OnChange;

private:
    TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;

    void Assign(TPersistent* Source) override;

    // Changing the image size removes every image.
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    Integer Count() const { return static_cast<Integer>(FImages.size()); }

    // Drawing settings (see Draw). Each change tells the change links.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value);
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    TImageType ImageType() const { return FImageType; }
    void SetImageType(TImageType Value);
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value);
    // Kept for form descriptions only: the images live in plain memory that
    // grows as needed, and no system handle exists to be shared.
    Integer AllocBy() const { return FAllocBy; }
    void SetAllocBy(Integer Value) { FAllocBy = Value; }
    bool ShareImages() const { return FShareImages; }
    void SetShareImages(bool Value) { FShareImages = Value; }

    // Adds the images side by side in Image (as many as its width holds);
    // Mask is black where the image shows and white where it is
    // transparent (null: no transparency). Answers the first new index;
    // raises EInvalidOperation "Unable to insert an image" when Image is
    // narrower than one image.
    Integer Add(TBitmap* Image, TBitmap* Mask);
    // As Add, transparent where Image has MaskColor (clDefault: the colour
    // of Image's bottom-left pixel).
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
    void Delete(Integer Index);
    void Clear();
    // Draws image Index with its top-left at (X, Y). An index out of range
    // draws nothing. Each pixel of an enabled image (o: shown by the mask,
    // t: transparent, d: the canvas pixel below it):
    //
    //   ImageType itMask               o: black        t: white
    //   Masked False                   o and t: the image
    //   dsNormal, BkColor not clNone   o: the image    t: BkColor
    //   dsNormal with clNone,
    //   dsTransparent                  o: the image    t: d
    //   dsFocus / dsSelected           o: the image mixed 3:1 / 1:1 with
    //                                  BlendColor (clNone: d, clDefault:
    //                                  clHighlight)    t: as dsNormal
    //
    //   image  R R .     dsNormal, BkColor clNone   R R d
    //   (. = t) R . .    (over d)                   R d d
    //                    dsNormal, BkColor clBlue   R R B
    //                                               R B B
    //
    // A disabled image is drawn greyed whatever the settings: its non-white
    // shape in clBtnHighlight one pixel down and right, then in clBtnShadow.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    // Image := the image on a bitmap of the list's size (transparent pixels
    // keep the bitmap's white).
    void GetBitmap(Integer Index, TBitmap* Image);

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    // The stored form of the images: a bitmap file (which may be preceded by
    // its 32-bit size) Width * n pixels wide and Height pixels high, whose
    // bottom-left pixel gives the transparent colour. Replaces every image.
    // Raises EInvalidGraphic when the data is no bitmap or the strip does not
    // fit the image size.
    void ReadData(const std::vector<Byte>& Data);
    // Form descriptions store the images as the binary property "Bitmap".
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    struct TImage {
        std::shared_ptr<TRaster> Pixels;
        std::vector<bool> Transparent;
    };
    void CheckIndex(Integer Index) const;
    void CheckSizeChange() const;
    std::vector<TImage> Split(TBitmap* Image, const std::function<bool(int X, int Y)>& IsTransparent) const;
    std::vector<TImage> SplitMasked(TBitmap* Image, TColor MaskColor) const;
    template <class V> void SetSetting(V& Field, V Value);

    Integer FWidth = 16;
    Integer FHeight = 16;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    bool FMasked = true;
    Integer FAllocBy = 4;
    bool FShareImages = false;
    std::vector<TImage> FImages;
    std::vector<TChangeLink*> FLinks;
};

// The image list of form descriptions: publishes Width, Height, BkColor,
// BlendColor, DrawingStyle, ImageType, Masked, AllocBy, ShareImages and
// OnChange, and stores its images as "Bitmap" (see above).
class TImageList : public TCustomImageList {
public:
    QUENTA_PUBLISHED
    using TCustomImageList::TCustomImageList;
};
