#pragma once
// Persistent objects, components with their owner tree, lists and string lists.

#include "platform/rtl/SysUtils.h"

#include <set>
#include <vector>

class TFiler; // form-description reader (platform/forms)
class TComponent;
class TClassInfo; // published properties (platform/rtl/TypInfo.h)

// ---------------------------------------------------------------- TPersistent

class TPersistent : public TObject {
public:
    // Copies Source into this object; raises EConvertError
    // "Cannot assign a <Source class> to a <this class>" when not supported.
    virtual void Assign(TPersistent* Source);
    // Declares stored properties that have no published counterpart
    // (obsolete names of older form descriptions).
    virtual void DefineProperties(TFiler* Filer) {}
    // The published properties of the object's class; classes that publish
    // declare QUENTA_PUBLISHED (TypInfo.h), which overrides this.
    virtual const TClassInfo* PublishedClassInfo() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// ---------------------------------------------------------------- TComponent

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading = 1 << 0,
    csReading = 1 << 1,
    csWriting = 1 << 2,
    csDestroying = 1 << 3,
    csDesigning = 1 << 4, // never set in this program
    csAncestor = 1 << 5,
    csUpdating = 1 << 6,
    csFixups = 1 << 7,
    csFreeNotification = 1 << 8, // some component asked to hear of its freeing
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    // Raises EComponentError for an invalid identifier or a name already
    // used by another component of the same owner.
    virtual void SetName(const String& NewName);
    Integer ComponentCount() const { return static_cast<Integer>(FComponents.size()); }
    TComponent* Components(Integer Index) const;
    Integer ComponentIndex() const;
    TComponent* FindComponent(const String& AName) const;
    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag f) const { return (FComponentState & f) != 0; }
    std::intptr_t Tag = 0;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    // Asks AComponent to send opRemove to this component when it is freed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Sets or clears csLoading / csReading (the form reader drives these).
    void SetLoadingState(bool Loading);
    void SetComponentStateFlag(TComponentStateFlag f, bool on);
    // Called after the whole form description is read and references fixed.
    virtual void Loaded();

    // The component that contains this one in a form description (a
    // control's parent window); the form reader sets it before the
    // component's own properties are read.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* Value) {}

    void BeforeDestruction() override;

protected:
    // Told about every component inserted into or removed from the owner
    // tree, and about components this one asked free notification from.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);

private:
    void Destroying();
    void RemoveNotification(TComponent* AComponent);
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    String FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState = 0;
    bool FTornDown = false;
};

// ---------------------------------------------------------------- TCollection

class TCollection;

// One item of a collection; the collection owns its items.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;
    TCollection* Collection() const { return FCollection; }
    Integer Index() const;
    void SetIndex(Integer Value);

protected:
    // Tells the collection that this item changed (AllItems: the whole list).
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

// A list of items of one class, as stored in form descriptions (<item ... end>).
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;
    explicit TCollection(TItemFactory ItemFactory);
    ~TCollection() override;

    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TCollectionItem* Items(Integer Index) const;
    TCollectionItem* Add();
    void Delete(Integer Index);
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }
    // Copies the items of another collection item by item (Assign of each).
    void Assign(TPersistent* Source) override;

protected:
    // Called when an item or the list changed (Item is nullptr for the list).
    virtual void Update(TCollectionItem* Item) {}

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void Changed(TCollectionItem* Item);

    TItemFactory FItemFactory;
    std::vector<TCollectionItem*> FItems;
    Integer FUpdateCount = 0;
};

// ---------------------------------------------------------------- TList

// A list of untyped pointers, as the framework's TList.
class TList : public TObject {
public:
    ~TList() override { Clear(); }

    Integer Add(void* Item);
    void Insert(Integer Index, void* Item);
    void Delete(Integer Index);
    Integer Remove(void* Item); // returns the former index, or -1
    void* Extract(void* Item);  // removes without notification; returns the item or nullptr
    Integer IndexOf(void* Item) const;
    void Exchange(Integer Index1, Integer Index2);
    void Move(Integer CurIndex, Integer NewIndex);
    virtual void Clear();
    void* First() const;
    void* Last() const;
    void* Get(Integer Index) const;
    void Put(Integer Index, void* Item);
    void* operator[](Integer Index) const { return Get(Index); }
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    void Pack(); // removes null items
    void Sort(const std::function<int(void*, void*)>& Compare);

protected:
    // Called after an item is added (opInsert) or removed (opRemove).
    enum TListNotification { lnAdded, lnExtracted, lnDeleted };
    virtual void Notify(void* Ptr, TListNotification Action) {}
    void CheckIndex(Integer Index) const;

private:
    std::vector<void*> FItems;
};

// A list of objects that may own them (frees them when removed or cleared).
class TObjectList : public TList {
public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override { Clear(); }
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
    Integer Add(TObject* AObject) { return TList::Add(AObject); }
    TObject* Items(Integer Index) const { return static_cast<TObject*>(Get(Index)); }
    Integer IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
    Integer Remove(TObject* AObject) { return TList::Remove(AObject); }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool FOwnsObjects;
};

// ---------------------------------------------------------------- TStrings

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    virtual Integer Count() const = 0;
    virtual String Get(Integer Index) const = 0;
    virtual void Put(Integer Index, const String& S);
    virtual TObject* GetObject(Integer Index) const { return nullptr; }
    virtual void PutObject(Integer Index, TObject* AObject) {}
    virtual void Insert(Integer Index, const String& S) = 0;
    virtual void Delete(Integer Index) = 0;
    virtual void Clear() = 0;

    String Strings(Integer Index) const { return Get(Index); }
    String operator[](Integer Index) const { return Get(Index); }
    TObject* Objects(Integer Index) const { return GetObject(Index); }

    virtual Integer Add(const String& S);
    Integer AddObject(const String& S, TObject* AObject);
    void InsertObject(Integer Index, const String& S, TObject* AObject);
    void AddStrings(const TStrings* Strings);
    void Append(const String& S) { Add(S); }
    void Move(Integer CurIndex, Integer NewIndex);
    void Exchange(Integer Index1, Integer Index2);
    virtual Integer IndexOf(const String& S) const;
    Integer IndexOfName(const String& Name) const;
    Integer IndexOfObject(TObject* AObject) const;

    // "Name=Value" pairs.
    String Names(Integer Index) const;
    String ValueFromIndex(Integer Index) const;
    String Values(const String& Name) const;
    void SetValue(const String& Name, const String& Value);

    // The lines joined, each followed by sLineBreak. Setting it splits at
    // CR LF, LF or CR.
    virtual String Text() const;
    virtual void SetText(const String& Value);
    String CommaText() const;
    void SetCommaText(const String& Value);

    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;

    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    void Assign(TPersistent* Source) override;
    bool Equals(const TStrings* Strings) const;

protected:
    virtual void SetUpdateState(bool Updating) {}
    virtual int CompareStrings(const String& S1, const String& S2) const { return CompareText(S1, S2); }
    [[noreturn]] void Error(const String& Msg, Integer Data) const;

private:
    Integer FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    ~TStringList() override;

    Integer Count() const override { return static_cast<Integer>(FList.size()); }
    String Get(Integer Index) const override;
    void Put(Integer Index, const String& S) override;
    TObject* GetObject(Integer Index) const override;
    void PutObject(Integer Index, TObject* AObject) override;
    Integer Add(const String& S) override;
    void Insert(Integer Index, const String& S) override;
    void Delete(Integer Index) override;
    void Clear() override;
    Integer IndexOf(const String& S) const override;

    // Binary search in a sorted list; Index is where S is or would go.
    bool Find(const String& S, Integer& Index) const;
    void Sort();
    void CustomSort(const std::function<int(TStringList*, Integer, Integer)>& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const String& S1, const String& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    void InsertItem(Integer Index, const String& S, TObject* AObject);
    void CheckIndex(Integer Index) const;

    std::vector<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
};
