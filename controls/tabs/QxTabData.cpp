#include "controls/tabs/QxTabData.h"
#include "controls/tabs/QxTabControl.h"

#include <algorithm>

// ================================================================ rectangles

bool IsZeroRect(const TRect& R) {
    return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0;
}

void NormalizeRect(TRect& R) {
    R = TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
              std::max(R.Top, R.Bottom));
}

bool PtInNormalizedRect(TRect R, TPoint P) {
    NormalizeRect(R);
    return PtInRect(R, P);
}

// ================================================================ records

void TQxTabData::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TQxTabData*>(Source)) {
        Caption = s->Caption;
        DisabledIndex = s->DisabledIndex;
        ImageIndex = s->ImageIndex;
        Color = s->Color;
        Enabled = s->Enabled;
        Visible = s->Visible;
        Hint = s->Hint;
        return;
    }
    TPersistent::Assign(Source);
}

TQxTabDataList::~TQxTabDataList() {
    Clear();
}

void TQxTabDataList::Assign(TPersistent* Source) {
    if (Source == this) return; // clearing first would lose the records to copy
    if (auto* s = dynamic_cast<TQxTabDataList*>(Source)) {
        Clear();
        for (Integer i = 0; i < s->Count(); ++i) {
            auto* r = new TQxTabData;
            r->Assign(s->GetItem(i));
            Add(r);
        }
        return;
    }
    TPersistent::Assign(Source);
}

Integer TQxTabDataList::Add(TQxTabData* Record) {
    FItems.push_back(Record);
    return Count() - 1;
}

void TQxTabDataList::Clear() {
    std::vector<TQxTabData*> items;
    items.swap(FItems);
    for (TQxTabData* r : items)
        delete r;
}

TQxTabData* TQxTabDataList::GetItem(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FItems[static_cast<size_t>(Index)];
}

void TQxTabDataList::PutItem(Integer Index, TQxTabData* Record) {
    TQxTabData* old = GetItem(Index);
    if (old == Record) return; // freeing it would leave the list holding a freed record
    delete old;
    FItems[static_cast<size_t>(Index)] = Record;
}

// ================================================================ colours

void TQxColorSet::Set(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    if (FOwner) FOwner->RequestRepaint();
}

void TQxTabColors::SetHighlightBar(TColor Value) {
    Set(FHighlightBar, Value);
}
void TQxTabColors::SetShadow(TColor Value) {
    Set(FShadow, Value);
}
void TQxTabColors::SetUnselected(TColor Value) {
    Set(FUnselected, Value);
}

void TQxTabColors::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TQxTabColors*>(Source)) {
        SetHighlightBar(s->FHighlightBar);
        SetShadow(s->FShadow);
        SetUnselected(s->FUnselected);
        return;
    }
    TPersistent::Assign(Source);
}

const TClassInfo& TQxTabColors::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxTabColors>("TQxTabColors", &PersistentClassInfo())
            .Property("HighlightBar", &TQxTabColors::HighlightBar, &TQxTabColors::SetHighlightBar,
                      ColorTypeInfo())
            .Default(clHighlight)
            .Property("Shadow", &TQxTabColors::Shadow, &TQxTabColors::SetShadow, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("Unselected", &TQxTabColors::Unselected, &TQxTabColors::SetUnselected, ColorTypeInfo())
            .Default(clWindow)
            .Register();
    return info;
}

void TQxTextColors::SetDisabled(TColor Value) {
    Set(FDisabled, Value);
}
void TQxTextColors::SetSelected(TColor Value) {
    Set(FSelected, Value);
}
void TQxTextColors::SetUnselected(TColor Value) {
    Set(FUnselected, Value);
}

void TQxTextColors::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TQxTextColors*>(Source)) {
        SetDisabled(s->FDisabled);
        SetSelected(s->FSelected);
        SetUnselected(s->FUnselected);
        return;
    }
    TPersistent::Assign(Source);
}

const TClassInfo& TQxTextColors::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TQxTextColors>("TQxTextColors", &PersistentClassInfo())
            .Property("Disabled", &TQxTextColors::Disabled, &TQxTextColors::SetDisabled, ColorTypeInfo())
            .Default(clGrayText)
            .Property("Selected", &TQxTextColors::Selected, &TQxTextColors::SetSelected, ColorTypeInfo())
            .Default(clBtnText)
            .Property("Unselected", &TQxTextColors::Unselected, &TQxTextColors::SetUnselected, ColorTypeInfo())
            .Default(clBtnText)
            .Register();
    return info;
}

// ================================================================ region cache

void TQxTabRegionCacheItem::SetRegion(HRGN Value) {
    if (Value == FRegion) return;
    if (FRegion) DeleteObject(AsGdiObj(FRegion));
    FRegion = Value;
}

TQxTabRegionCache::~TQxTabRegionCache() {
    Clear();
}

HRGN TQxTabRegionCache::Find(const TRect& Rect) const {
    for (const TQxTabRegionCacheItem* item : FItems)
        if (item->TabRect == Rect) return item->Region();
    return nullptr;
}

void TQxTabRegionCache::Add(const TRect& Rect, HRGN Region) {
    auto it = std::find_if(FItems.begin(), FItems.end(),
                           [&](const TQxTabRegionCacheItem* i) { return i->TabRect == Rect; });
    if (it != FItems.end()) {
        TQxTabRegionCacheItem* item = *it;
        // The region offered is not kept: the cache owns it, so it goes.
        if (Region && Region != item->Region()) DeleteObject(AsGdiObj(Region));
        FItems.erase(it);
        FItems.insert(FItems.begin(), item);
    } else {
        auto* item = new TQxTabRegionCacheItem;
        item->TabRect = Rect;
        item->SetRegion(Region);
        FItems.insert(FItems.begin(), item);
    }
    if (FCapacity != -1 && Count() > FCapacity) {
        delete FItems.back();
        FItems.pop_back();
    }
}

void TQxTabRegionCache::Clear() {
    std::vector<TQxTabRegionCacheItem*> items;
    items.swap(FItems);
    for (TQxTabRegionCacheItem* i : items)
        delete i;
}

void TQxTabRegionCache::SetCapacity(Integer Value) {
    if (Value < -1 || Value == 0) throw EQxTabControlError("Capacity must be -1 (to cache all regions) or > 0");
    if (Value == FCapacity) return;
    FCapacity = Value;
    Trim();
}

void TQxTabRegionCache::Trim() {
    if (FCapacity == -1) return;
    while (Count() > FCapacity) {
        delete FItems.back();
        FItems.pop_back();
    }
}
