#pragma once
// Image lists: equally sized images with transparency, drawn by index,
// normal or greyed, with change links for the controls that show them.

#include "platform/gui/graphics/Graphics.h"
#include "platform/rtl/Classes.h"

#include <memory>
#include <vector>

class TCustomImageList;
class TRaster;

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
    // Draws image Index with its top-left at (X, Y); a disabled image is
    // drawn greyed: its non-white shape in clBtnHighlight one pixel down and
    // right, then in clBtnShadow. An index out of range draws nothing.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    // Image := the image on a bitmap of the list's size (transparent pixels
    // keep the bitmap's white).
    void GetBitmap(Integer Index, TBitmap* Image);

    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    struct TImage {
        std::shared_ptr<TRaster> Pixels;
        std::vector<bool> Transparent;
    };
    void CheckIndex(Integer Index) const;
    std::vector<TImage> Split(TBitmap* Image, const std::function<bool(int X, int Y)>& IsTransparent) const;

    Integer FWidth = 16;
    Integer FHeight = 16;
    std::vector<TImage> FImages;
    std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
