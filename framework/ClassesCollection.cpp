// TCollection and TCollectionItem: owned lists of items that descriptions store inline.
#include "Classes.h"
#include "TypInfo.h"

#include <algorithm>

// ---- TCollectionItem ----------------------------------------------------------------------------

const TClassInfo& TCollectionItem::StaticClassInfo() {
    static const TClassInfo info{"TCollectionItem", &TPersistent::StaticClassInfo(), {}, {}};
    return info;
}
const TClassInfo& TCollectionItem::ClassInfo() const {
    return StaticClassInfo();
}

TCollectionItem::TCollectionItem(TCollection* Collection) : FCollection(Collection) {
    if (!FCollection) return;
    FID = FCollection->FNextID++;
    FCollection->FItems.push_back(this);
}

TCollectionItem::~TCollectionItem() {
    if (!FCollection) return;
    auto& items = FCollection->FItems;
    items.erase(std::find(items.begin(), items.end(), this));
    FCollection->Changed();
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    int from = Index();
    if (from < 0 || Value == from) return;
    FCollection->Items(Value);
    FCollection->Move(from, Value);
    FCollection->Changed();
}

std::string TCollectionItem::GetDisplayName() const {
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection --------------------------------------------------------------------------------

const TClassInfo& TCollection::StaticClassInfo() {
    static const TClassInfo info{"TCollection", &TPersistent::StaticClassInfo(), {}, {}};
    return info;
}
const TClassInfo& TCollection::ClassInfo() const {
    return StaticClassInfo();
}

TCollection::TCollection(TCollectionItemClass ItemClass, TPersistent* Owner)
    : FItemClass(ItemClass), FOwner(Owner) {}

// Nothing is told while the items go: the derived collection is already gone.
TCollection::~TCollection() {
    ++FUpdateCount;
    while (!FItems.empty())
        FItems.back()->Free();
}

TCollectionItem* TCollection::Items(int i) const {
    if (i < 0 || i >= Count()) TStrings::RaiseIndexError(i);
    return FItems[size_t(i)];
}

TCollectionItem* TCollection::Add() {
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int i) {
    if (i < 0 || i > Count()) TStrings::RaiseIndexError(i);
    TCollectionItem* item = FItemClass.Create(this);
    Move(Count() - 1, i);
    Changed();
    return item;
}

void TCollection::Delete(int i) {
    Items(i)->Free();
}

void TCollection::Clear() {
    BeginUpdate();
    while (!FItems.empty())
        FItems.back()->Free();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    auto it =
        std::find_if(FItems.begin(), FItems.end(), [ID](const TCollectionItem* c) { return c->ID() == ID; });
    return it == FItems.end() ? nullptr : *it;
}

void TCollection::Assign(const TPersistent* Source) {
    auto* source = dynamic_cast<const TCollection*>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    try {
        Clear();
        for (const TCollectionItem* item : source->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Move(int from, int to) {
    TCollectionItem* item = FItems[size_t(from)];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, item);
}
