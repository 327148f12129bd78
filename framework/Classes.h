// The component model, bound-method events, streams and lists. Portable: no Windows headers.
#pragma once

#include "SysUtils.h"

#include <any>
#include <fstream>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TClassInfo;

// Base of every framework object. Objects that own others are destroyed with Free(), so that a
// component can take its owned components down while its most derived part still exists.
class TObject {
  public:
    virtual ~TObject() = default;
    virtual const TClassInfo& ClassInfo() const;
    static const TClassInfo& StaticClassInfo();
    std::string ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;
    virtual void BeforeDestruction() {}
    void Free() {
        BeforeDestruction();
        delete this;
    }
};

template <class T> void FreeAndNil(T*& p) {
    T* q = p;
    p = nullptr;
    if (q) q->Free();
}

// An event handler: an object and one of its member functions (or any callable), Sender first.
template <class... Args> class TEvent {
  public:
    TObject* Data = nullptr;
    std::function<void(Args...)> Code;
    std::string Name; // the handler's name when it was bound by name, so a description can store it

    TEvent() = default;
    template <class C, class M> TEvent(C* obj, void (M::*method)(Args...)) { Bind(obj, method); }
    template <class C, class M> void Bind(C* obj, void (M::*method)(Args...)) {
        Data = obj;
        Code = [obj, method](Args... a) { (obj->*method)(std::forward<Args>(a)...); };
    }
    explicit operator bool() const { return static_cast<bool>(Code); }
    void operator()(Args... a) const {
        if (Code) Code(std::forward<Args>(a)...);
    }
};

using TNotifyEvent = TEvent<TObject*>;

// A type-erased event handler, as stored in a method property or a form's handler table.
// Code holds the std::function<void(Args...)> of the matching TEvent; empty when unassigned.
struct TMethod {
    TObject* Data = nullptr;
    std::any Code;
    std::string Name;
    explicit operator bool() const { return Code.has_value(); }
};

template <class... Args> TMethod ToMethod(const TEvent<Args...>& e) {
    TMethod m;
    m.Data = e.Data;
    if (e.Code) m.Code = e.Code;
    m.Name = e.Name;
    return m;
}

// False when the method's signature does not match the event's.
template <class... Args> bool FromMethod(const TMethod& m, TEvent<Args...>& e) {
    if (!m.Code.has_value()) {
        e = {};
        return true;
    }
    auto* fn = std::any_cast<std::function<void(Args...)>>(&m.Code);
    if (!fn) return false;
    e.Data = m.Data;
    e.Code = *fn;
    e.Name = m.Name;
    return true;
}

class TPersistent : public TObject {
  public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();
    // Copies the content of Source; raises EConvertError when neither side knows how.
    virtual void Assign(const TPersistent* Source);

  protected:
    virtual void AssignTo(TPersistent* Dest) const;
};

enum TComponentStateFlag : unsigned { csLoading = 1, csReading = 2, csDesigning = 4, csDestroying = 8 };
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();
    void BeforeDestruction() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int i) const { return FComponents.at(static_cast<size_t>(i)); }
    TComponent* FindComponent(const std::string& name) const; // case-insensitive
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    void DestroyComponents(); // in reverse order of insertion

    const std::string& Name() const { return FName; }
    virtual void SetName(const std::string& name) { FName = name; }
    int Tag = 0;
    unsigned ComponentState = 0;
    bool IsDesigning() const { return ComponentState & csDesigning; }

    // Runs once on every component after a stored description has been read completely.
    virtual void Loaded() { ComponentState &= ~unsigned(csLoading); }
    // The owner hears of components it owns coming and going.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // References between components that do not own each other (a control's image list): each side
    // hears through Notification(opRemove) when the other goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

  protected:
    // A reference to another component, cleared by ForgetReference from Notification once it is freed.
    template <class T> void SetReference(T*& field, T* value) {
        field = value;
        if (value) value->FreeNotification(this);
    }
    template <class T> static void ForgetReference(T*& field, const TComponent* freed) {
        if (field == freed) field = nullptr;
    }

  public:
    // Event handlers by name, for binding stored handler names; empty when unknown.
    virtual TMethod MethodAddress(const std::string& name) const;
    // The component a description nests this one in (a control's parent); none by default.
    virtual void SetParentComponent(TComponent*) {}
    virtual TComponent* GetParentComponent() const { return nullptr; }

  private:
    void NotifyFreeing();

    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// ---- Streams ------------------------------------------------------------------------------------

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  public:
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(int64_t size);

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
    int64_t Size();
    // Whole reads and writes; EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from Source's position; count 0 copies all of Source from its start.
    int64_t CopyFrom(TStream& Source, int64_t count);
};

class TMemoryStream : public TStream {
  public:
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

    uint8_t* Memory() { return FData.data(); }
    const uint8_t* Memory() const { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }
    void Clear();
    void LoadFromStream(TStream& s); // all of s from its start
    void LoadFromFile(const std::string& path);
    void SaveToStream(TStream& s) const;
    void SaveToFile(const std::string& path) const;

  private:
    std::vector<uint8_t> FData;
    int64_t FPos = 0;
};

enum : uint16_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A file opened by UTF-8 path. Open failure: EFOpenError "Cannot open file "<path>". <reason>",
// create failure: EFCreateError "Cannot create file "<path>". <reason>".
class TFileStream : public TStream {
  public:
    TFileStream(const std::string& path, uint16_t mode);
    ~TFileStream() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const std::string& FileName() const { return FFileName; }

  private:
    std::string FFileName;
    std::filebuf FFile;
};

// ---- Lists --------------------------------------------------------------------------------------

// A list of strings, each with an object and an integer beside it. Descendants supply storage
// (TStringList in memory; controls keep their items in the window).
class TStrings : public TPersistent {
  public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    virtual int Count() const = 0;
    virtual std::string Get(int i) const = 0;
    virtual void Put(int i, const std::string& s);
    virtual TObject* Objects(int i) const;
    virtual void SetObjects(int i, TObject* obj);
    virtual intptr_t GetInteger(int i) const;
    virtual void PutInteger(int i, intptr_t v);
    virtual void Insert(int i, const std::string& s) = 0;
    virtual void Delete(int i) = 0;
    virtual void Clear() = 0;
    virtual int IndexOf(const std::string& s) const; // case-insensitive (ASCII)

    std::string operator[](int i) const { return Get(i); }
    virtual int Add(const std::string& s); // where the list puts it: a sorted list decides
    int AddObject(const std::string& s, TObject* obj);
    int AddInteger(const std::string& s, intptr_t v);
    void AddStrings(const TStrings& other);
    void Assign(const TPersistent* Source) override;

    // Each line followed by CR LF; setting splits at CR, LF and CR LF.
    std::string Text() const;
    void SetText(const std::string& text);
    // name=value lines
    std::string Names(int i) const;
    std::string ValueFromIndex(int i) const;
    std::string Values(const std::string& name) const;
    int IndexOfName(const std::string& name) const;

    void LoadFromStream(TStream& s);
    void SaveToStream(TStream& s) const;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

    // Raises EListError "List index out of bounds (%d)".
    static void RaiseIndexError(int i);
};

class TStringList : public TStrings {
  public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int i) const override;
    void Put(int i, const std::string& s) override;
    TObject* Objects(int i) const override;
    void SetObjects(int i, TObject* obj) override;
    intptr_t GetInteger(int i) const override;
    void PutInteger(int i, intptr_t v) override;
    void Insert(int i, const std::string& s) override;
    void Delete(int i) override;
    void Clear() override;

    TNotifyEvent OnChange;

  private:
    struct Item {
        std::string S;
        TObject* Obj = nullptr;
        intptr_t Int = 0;
    };
    const Item& At(int i) const;
    Item& At(int i);
    void Changed() { OnChange(this); }
    std::vector<Item> FItems;
};

// A list of untyped pointers, as the framework's other lists expect.
class TList : public TObject {
  public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void* Get(int i) const;
    void Put(int i, void* p);
    void* operator[](int i) const { return Get(i); }
    int Add(void* p);
    void Insert(int i, void* p);
    void Delete(int i);
    int IndexOf(void* p) const;
    int Remove(void* p); // returns the index it had, or -1
    void Clear() { FItems.clear(); }

  private:
    std::vector<void*> FItems;
};

// ---- Collections --------------------------------------------------------------------------------

class TCollection;

// One element of a TCollection, which owns it. Constructing an item with a collection appends it
// there without telling the collection (its most derived part does not exist yet): make items with
// TCollection::Add or Insert. Destroying an item removes it and tells the collection.
class TCollectionItem : public TPersistent {
  public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TCollection* Collection() const { return FCollection; }
    // The collection's running number for this item: unique in the collection, never reused.
    int ID() const { return FID; }
    int Index() const; // -1 without a collection
    void SetIndex(int Value);
    virtual std::string GetDisplayName() const;

  protected:
    // Tells the collection that this item (AllItems false) or the list as a whole changed.
    void Changed(bool AllItems);

  private:
    friend class TCollection;
    TCollection* FCollection;
    int FID = 0;
};

// What a collection makes its items of.
struct TCollectionItemClass {
    const TClassInfo* Info;
    TCollectionItem* (*Create)(TCollection* Collection);
};

template <class Item> TCollectionItemClass CollectionItemClass() {
    return {&Item::StaticClassInfo(), [](TCollection* c) -> TCollectionItem* { return new Item(c); }};
}

// An owned list of items of one class, stored inline in a description (`Panels = <item … end>`).
class TCollection : public TPersistent {
  public:
    explicit TCollection(TCollectionItemClass ItemClass, TPersistent* Owner = nullptr);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TPersistent* Owner() const { return FOwner; }
    const TCollectionItemClass& ItemClass() const { return FItemClass; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int i) const; // EListError "List index out of bounds (%d)"
    TCollectionItem* Add();
    TCollectionItem* Insert(int i);
    void Delete(int i);
    void Clear();
    TCollectionItem* FindItemID(int ID) const; // null when no item has it
    // Another collection's items, each copied with the new item's Assign.
    void Assign(const TPersistent* Source) override;
    // Between the calls changes are not told; the last EndUpdate tells one change of the whole list.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

  protected:
    // Item changed, or (Item null) the list as a whole: items came, went, moved or were assigned.
    virtual void Update(TCollectionItem* Item);

  private:
    friend class TCollectionItem;
    void Changed();
    void Move(int from, int to);

    TCollectionItemClass FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0, FUpdateCount = 0;
};

// A collection of Item, with its items given as Item.
template <class Item> class TCollectionOf : public TCollection {
  public:
    using TCollection::TCollection;
    Item* Items(int i) const { return static_cast<Item*>(TCollection::Items(i)); }
    Item* operator[](int i) const { return Items(i); }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Insert(int i) { return static_cast<Item*>(TCollection::Insert(i)); }
};
