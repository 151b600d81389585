#pragma once
// The records and settings a tab control keeps: one TQxTabData per tab in a
// TQxTabDataList, the two colour sets of the strip, and the cache of tab
// outline regions that painting and hit testing share.
//
// A tab record holds what the user sets (caption, colour, images, hint,
// enabled, visible) and what layout writes (TabRect in the strip frame, the
// tabs-on-top frame before the mapping to the control's side, and Row).
// The colour sets ask their tab control to repaint when a colour changes.
//
// The region cache keeps the regions of recently tested tab outlines, most
// recent first, keyed by the tab's client rectangle; it owns its regions.
// Capacity 1 keeps the last one, -1 keeps all until the next layout.

#include "platform/gui/controls/Controls.h"

class TQxCustomTabControl;

QUENTA_DECLARE_EXCEPTION(EQxTabControlError, Exception);

// ---------------------------------------------------------------- rectangles

// All four values are 0.
bool IsZeroRect(const TRect& R);
// (min(L, R), min(T, B), max(L, R), max(T, B)).
void NormalizeRect(TRect& R);
// P in R once R is normalised (left and top edges in, right and bottom out).
bool PtInNormalizedRect(TRect R, TPoint P);

// ---------------------------------------------------------------- records

class TQxTabData : public TPersistent {
public:
    // From another record: everything but TabRect and Row. Other sources
    // fill the record through their AssignTo (a tab sheet does).
    void Assign(TPersistent* Source) override;

    String Caption;
    TColor Color = clBtnFace;
    Integer DisabledIndex = -1;
    bool Enabled = true;
    String Hint;
    Integer ImageIndex = -1;
    TRect TabRect;
    bool Visible = true;
    Integer Row = 0;
};

// The tabs of a control in tab order; owns its records.
class TQxTabDataList : public TPersistent {
public:
    ~TQxTabDataList() override;
    void Assign(TPersistent* Source) override;
    // Takes ownership; answers the new record's index.
    Integer Add(TQxTabData* Record);
    void Clear();
    virtual Integer Count() const { return static_cast<Integer>(FItems.size()); }
    // Raises EListError for an index out of range.
    virtual TQxTabData* GetItem(Integer Index) const;
    // Frees the record at Index and keeps Record there instead.
    virtual void PutItem(Integer Index, TQxTabData* Record);
    TQxTabData* operator[](Integer Index) const { return GetItem(Index); }

private:
    std::vector<TQxTabData*> FItems;
};

// ---------------------------------------------------------------- colours

// What the two colour sets share: their tab control, which repaints when a
// colour changes to another value.
class TQxColorSet : public TPersistent {
public:
    explicit TQxColorSet(TQxCustomTabControl* AOwner) : FOwner(AOwner) {}

protected:
    // Stores Value and asks for a repaint when it differs.
    void Set(TColor& Field, TColor Value);

private:
    TQxCustomTabControl* FOwner;
};

// Colours of the tabs themselves: the highlight bar (and the active-tab
// close cross under the mouse), and the two ends of the unselected tabs'
// gradient.
class TQxTabColors : public TQxColorSet {
public:
    QUENTA_PUBLISHED
    explicit TQxTabColors(TQxCustomTabControl* AOwner) : TQxColorSet(AOwner) {}
    void Assign(TPersistent* Source) override;

    TColor HighlightBar() const { return FHighlightBar; }
    virtual void SetHighlightBar(TColor Value);
    TColor Shadow() const { return FShadow; }
    virtual void SetShadow(TColor Value);
    TColor Unselected() const { return FUnselected; }
    virtual void SetUnselected(TColor Value);

private:
    TColor FHighlightBar = clHighlight;
    TColor FShadow = clBtnFace;
    TColor FUnselected = clWindow;
};

// Caption colours by the tab's state.
class TQxTextColors : public TQxColorSet {
public:
    QUENTA_PUBLISHED
    explicit TQxTextColors(TQxCustomTabControl* AOwner) : TQxColorSet(AOwner) {}
    void Assign(TPersistent* Source) override;

    TColor Disabled() const { return FDisabled; }
    virtual void SetDisabled(TColor Value);
    TColor Selected() const { return FSelected; }
    virtual void SetSelected(TColor Value);
    TColor Unselected() const { return FUnselected; }
    virtual void SetUnselected(TColor Value);

private:
    TColor FDisabled = clGrayText;
    TColor FSelected = clBtnText;
    TColor FUnselected = clBtnText;
};

// ---------------------------------------------------------------- region cache

class TQxTabRegionCacheItem : public TObject {
public:
    ~TQxTabRegionCacheItem() override { SetRegion(nullptr); }
    // Deletes the region held before when Value is another one.
    virtual void SetRegion(HRGN Value);
    HRGN Region() const { return FRegion; }
    TRect TabRect{-1, -1, -1, -1};

private:
    HRGN FRegion = nullptr;
};

class TQxTabRegionCache : public TObject {
public:
    ~TQxTabRegionCache() override;
    // The region kept for Rect, or nullptr.
    HRGN Find(const TRect& Rect) const;
    // Keeps Region for Rect at the front; when Rect is kept already, its
    // item moves to the front and Region, not needed, is deleted. Evicts
    // the oldest item when the cache holds more than Capacity.
    void Add(const TRect& Rect, HRGN Region);
    void Clear();
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    Integer Capacity() const { return FCapacity; }
    // -1 (keep all) or above 0; raises EQxTabControlError otherwise.
    void SetCapacity(Integer Value);
    // Lookups answered from the cache and lookups that built a region
    // (statistics for the benchmark).
    Int64 Hits = 0;
    Int64 Misses = 0;

private:
    void Trim();
    std::vector<TQxTabRegionCacheItem*> FItems;
    Integer FCapacity = 1;
};
