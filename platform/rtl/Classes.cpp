#include "platform/rtl/Classes.h"
#include "platform/rtl/Guards.h"

#include <algorithm>

// ================================================================ TPersistent

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

// ================================================================ TComponent

namespace {
bool IsValidIdent(const String& S) {
    if (S.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(S[0])) return false;
    for (char c : S)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}
} // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Normally everything below already ran in BeforeDestruction (Free), while
    // the object was whole; this covers a component deleted directly.
    if (!FTornDown) {
        FComponentState |= csDestroying;
        while (!FFreeNotifies.empty()) {
            TComponent* other = FFreeNotifies.back();
            FFreeNotifies.pop_back();
            other->RemoveNotification(this);
            other->Notification(this, opRemove);
        }
        DestroyComponents();
        if (FOwner) FOwner->RemoveComponent(this);
    }
}

void TComponent::BeforeDestruction() {
    if (FTornDown) return;
    Destroying();
    // Tell everyone that asked for a free notification.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        other->Notification(this, opRemove);
        // Notification removes the link; make sure of it even when an
        // override did not call the inherited one.
        RemoveFreeNotification(other);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
    FTornDown = true;
}

void TComponent::Destroying() {
    if (FComponentState & csDestroying) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

TComponent* TComponent::Components(Integer Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FComponents[static_cast<size_t>(Index)];
}

Integer TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::SetName(const String& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
    if (AComponent && !SameText(CurName, NewName) && !NewName.empty()) {
        TComponent* found = FindComponent(NewName);
        if (found && found != AComponent) throw EComponentError("A component named " + NewName + " already exists");
    }
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end()) FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    ValidateRename(AComponent, String(), AComponent->FName);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents() {
    Destroying();
    while (!FComponents.empty()) {
        TComponent* instance = FComponents.back();
        // A component that some sibling asked to hear of its freeing leaves
        // with a notification to all of them; the others leave quietly.
        if (instance->FComponentState & csFreeNotification)
            RemoveComponent(instance);
        else
            Remove(instance);
        instance->Free();
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Walk down, tolerating components that leave the list meanwhile.
    Integer i = ComponentCount() - 1;
    while (i >= 0) {
        FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
        --i;
        if (i >= ComponentCount()) i = ComponentCount() - 1;
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    FComponentState |= csFreeNotification;
    if (FOwner == nullptr || AComponent->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
            FFreeNotifies.push_back(AComponent);
            AComponent->FreeNotification(this);
        }
    }
}

void TComponent::RemoveNotification(TComponent* AComponent) {
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::SetLoadingState(bool Loading) {
    SetComponentStateFlag(csLoading, Loading);
    SetComponentStateFlag(csReading, Loading);
}

void TComponent::SetComponentStateFlag(TComponentStateFlag f, bool on) {
    if (on)
        FComponentState |= f;
    else
        FComponentState &= ~static_cast<unsigned>(f);
}

void TComponent::Loaded() { FComponentState &= ~static_cast<unsigned>(csLoading); }

// ================================================================ TCollection

TCollectionItem::TCollectionItem(TCollection* ACollection) {
    if (ACollection) ACollection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this);
}

Integer TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& v = FCollection->FItems;
    return static_cast<Integer>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
    Integer cur = Index();
    if (cur < 0 || Value == cur) return;
    auto& v = FCollection->FItems;
    Value = std::clamp<Integer>(Value, 0, static_cast<Integer>(v.size()) - 1);
    v.erase(v.begin() + cur);
    v.insert(v.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection) FCollection->Changed(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory ItemFactory) : FItemFactory(std::move(ItemFactory)) {}

TCollection::~TCollection() {
    FUpdateCount = 1; // no change notices while the items go
    Clear();
}

TCollectionItem* TCollection::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FItems[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
    if (!FItemFactory) throw EInvalidOperation("The collection has no item class");
    TCollectionItem* item = FItemFactory(this);
    if (item->FCollection != this) InsertItem(item);
    return item;
}

void TCollection::Delete(Integer Index) { Items(Index)->Free(); }

void TCollection::Clear() {
    if (FItems.empty()) return;
    TUpdateLock update(this);
    while (!FItems.empty()) FItems.back()->Free();
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    TUpdateLock update(this);
    Clear();
    for (TCollectionItem* item : src->FItems) Add()->Assign(item);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end()) FItems.erase(it);
    Item->FCollection = nullptr;
    Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* Item) {
    if (FUpdateCount == 0) Update(Item);
}

// ================================================================ TList

void TList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
}

Integer TList::Add(void* Item) {
    FItems.push_back(Item);
    if (Item) Notify(Item, lnAdded);
    return Count() - 1;
}

void TList::Insert(Integer Index, void* Item) {
    if (Index < 0 || Index > Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    FItems.insert(FItems.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
    CheckIndex(Index);
    void* item = FItems[static_cast<size_t>(Index)];
    FItems.erase(FItems.begin() + Index);
    if (item) Notify(item, lnDeleted);
}

Integer TList::Remove(void* Item) {
    Integer i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(void* Item) {
    Integer i = IndexOf(Item);
    if (i < 0) return nullptr;
    FItems.erase(FItems.begin() + i);
    Notify(Item, lnExtracted);
    return Item;
}

Integer TList::IndexOf(void* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TList::Exchange(Integer Index1, Integer Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* item = FItems[static_cast<size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
}

void TList::Clear() {
    while (!FItems.empty()) Delete(Count() - 1);
    FItems.shrink_to_fit();
}

void* TList::First() const { return Get(0); }
void* TList::Last() const { return Get(Count() - 1); }

void* TList::Get(Integer Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TList::Put(Integer Index, void* Item) {
    CheckIndex(Index);
    void* old = FItems[static_cast<size_t>(Index)];
    if (old == Item) return;
    FItems[static_cast<size_t>(Index)] = Item;
    if (old) Notify(old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

void TList::Pack() {
    for (Integer i = Count() - 1; i >= 0; --i)
        if (!FItems[static_cast<size_t>(i)]) FItems.erase(FItems.begin() + i);
}

void TList::Sort(const std::function<int(void*, void*)>& Compare) {
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TObjectList::Notify(void* Ptr, TListNotification Action) {
    if (FOwnsObjects && Action == lnDeleted) static_cast<TObject*>(Ptr)->Free();
}

// ================================================================ TStrings

void TStrings::Error(const String& Msg, Integer Data) const { throw EStringListError(Format(Msg, {Data})); }

void TStrings::Put(Integer Index, const String& S) {
    TObject* obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, obj);
}

Integer TStrings::Add(const String& S) {
    Integer result = Count();
    Insert(result, S);
    return result;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
    Integer result = Add(S);
    PutObject(result, AObject);
    return result;
}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings* Strings) {
    TUpdateLock update(this);
    for (Integer i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    TUpdateLock update(this);
    String s = Get(CurIndex);
    TObject* obj = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, obj);
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
    TUpdateLock update(this);
    String s1 = Get(Index1), s2 = Get(Index2);
    TObject* o1 = GetObject(Index1);
    TObject* o2 = GetObject(Index2);
    Put(Index1, s2);
    PutObject(Index1, o2);
    Put(Index2, s1);
    PutObject(Index2, o1);
}

Integer TStrings::IndexOf(const String& S) const {
    for (Integer i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfName(const String& Name) const {
    for (Integer i = 0; i < Count(); ++i) {
        String s = Get(i);
        auto p = s.find('=');
        if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(TObject* AObject) const {
    for (Integer i = 0; i < Count(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

String TStrings::Names(Integer Index) const {
    String s = Get(Index);
    auto p = s.find('=');
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(Integer Index) const {
    String s = Get(Index);
    auto p = s.find('=');
    return p == String::npos ? String() : s.substr(p + 1);
}

String TStrings::Values(const String& Name) const {
    Integer i = IndexOfName(Name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValue(const String& Name, const String& Value) {
    Integer i = IndexOfName(Name);
    if (!Value.empty()) {
        if (i < 0) i = Add(String());
        Put(i, Name + "=" + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::Text() const {
    String r;
    for (Integer i = 0; i < Count(); ++i) {
        r += Get(i);
        r += sLineBreak;
    }
    return r;
}

void TStrings::SetText(const String& Value) {
    TUpdateLock update(this);
    Clear();
    size_t i = 0, n = Value.size();
    while (i < n) {
        size_t start = i;
        while (i < n && Value[i] != '\r' && Value[i] != '\n') ++i;
        Add(Value.substr(start, i - start));
        if (i < n && Value[i] == '\r') ++i;
        if (i < n && Value[i] == '\n') ++i;
    }
}

String TStrings::CommaText() const {
    String r;
    for (Integer i = 0; i < Count(); ++i) {
        String s = Get(i);
        bool quote = s.empty() && Count() > 1;
        for (char c : s)
            if (static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"') quote = true;
        if (i) r += ',';
        if (quote) {
            r += '"';
            for (char c : s) {
                r += c;
                if (c == '"') r += '"';
            }
            r += '"';
        } else {
            r += s;
        }
    }
    return r;
}

void TStrings::SetCommaText(const String& Value) {
    TUpdateLock update(this);
    Clear();
    size_t i = 0, n = Value.size();
    auto skipBlanks = [&] {
        while (i < n && static_cast<unsigned char>(Value[i]) <= ' ') ++i;
    };
    skipBlanks();
    while (i < n) {
        String item;
        if (Value[i] == '"') {
            ++i;
            while (i < n) {
                if (Value[i] == '"') {
                    if (i + 1 < n && Value[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
        } else {
            while (i < n && static_cast<unsigned char>(Value[i]) > ' ' && Value[i] != ',') item += Value[i++];
        }
        Add(item);
        skipBlanks();
        if (i < n && Value[i] == ',') {
            ++i;
            skipBlanks();
            if (i >= n) Add(String());
        }
    }
}

void TStrings::LoadFromFile(const String& FileName) { SetText(ReadFileText(FileName)); }

void TStrings::SaveToFile(const String& FileName) const { WriteFileText(FileName, Text()); }

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TStrings*>(Source)) {
        TUpdateLock update(this);
        Clear();
        AddStrings(src);
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings* Strings) const {
    if (Count() != Strings->Count()) return false;
    for (Integer i = 0; i < Count(); ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

// ================================================================ TStringList

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& item : FList)
            if (item.FObject) item.FObject->Free();
}

void TStringList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

String TStringList::Get(Integer Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].FString;
}

void TStringList::Put(Integer Index, const String& S) {
    if (FSorted) Error("Operation not allowed on sorted list", 0);
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

Integer TStringList::Add(const String& S) {
    Integer index;
    if (!FSorted) {
        index = Count();
    } else if (Find(S, index)) {
        switch (FDuplicates) {
        case dupIgnore:
            return index;
        case dupError:
            Error("String list does not allow duplicates", 0);
        case dupAccept:
            break;
        }
    }
    InsertItem(index, S, nullptr);
    return index;
}

void TStringList::Insert(Integer Index, const String& S) {
    if (FSorted) Error("Operation not allowed on sorted list", 0);
    if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Delete(Integer Index) {
    CheckIndex(Index);
    Changing();
    TObject* obj = FList[static_cast<size_t>(Index)].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects && obj) obj->Free();
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(FList);
    if (FOwnsObjects)
        for (auto& item : old)
            if (item.FObject) item.FObject->Free();
    Changed();
}

Integer TStringList::IndexOf(const String& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    Integer index;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, Integer& Index) const {
    bool found = false;
    Integer lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        Integer mid = (lo + hi) / 2;
        int c = CompareStrings(FList[static_cast<size_t>(mid)].FString, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != dupAccept) lo = mid;
            }
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, Integer a, Integer b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].FString,
                                    list->FList[static_cast<size_t>(b)].FString);
    });
}

void TStringList::CustomSort(const std::function<int(TStringList*, Integer, Integer)>& Compare) {
    if (FList.size() < 2) return;
    Changing();
    // Sort a permutation, then apply it, so Compare sees the list by index.
    std::vector<Integer> order(FList.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<Integer>(i);
    std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (Integer i : order) sorted.push_back(FList[static_cast<size_t>(i)]);
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (FCaseSensitive == Value) return;
    FCaseSensitive = Value;
    if (FSorted) Sort();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
    return FCaseSensitive ? CompareStr(S1, S2) : CompareText(S1, S2);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
