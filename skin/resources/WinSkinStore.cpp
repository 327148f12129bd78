// The skin store: its items, their names and archive bytes, and how a description keeps them.
#include "WinSkinStore.h"

namespace {
void NoWrite(TSkinCollectionItem&, const std::string&) {}
} // namespace

// ---- TSkinCollectionItem ------------------------------------------------------------------------

const TClassInfo& TSkinCollectionItem::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TSkinCollectionItem>("TSkinCollectionItem", TCollectionItem::StaticClassInfo())
            .Str("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName)
            .Str("SkinData", &TSkinCollectionItem::SkinData, NoWrite)
            .Int("DataSize", &TSkinCollectionItem::DataSize, nullptr)
            .Binary("DataStream", &TSkinCollectionItem::ReadDataStream, &TSkinCollectionItem::WriteDataStream)
            .Build();
    return info;
}

// An item made outside a collection (the description writer's reference item) has no name, so
// every stored item writes its own.
TSkinCollectionItem::TSkinCollectionItem(TCollection* Collection) : TCollectionItem(Collection) {
    if (Collection) FName = "SkinItem" + IntToStr(ID());
}

void TSkinCollectionItem::SetName(const std::string& value) {
    if (value == FName) return;
    for (int i = 0; Collection() && i < Collection()->Count(); ++i) {
        auto* other = dynamic_cast<const TSkinCollectionItem*>(Collection()->Items(i));
        if (other && other != this && other->FName == value)
            throw Exception("The name " + value + " is already used.");
    }
    FName = value;
}

void TSkinCollectionItem::LoadFromFile(const std::string& path) {
    Data.LoadFromFile(path);
}

void TSkinCollectionItem::CopyData(TStream& dest) const {
    Data.SaveToStream(dest);
}

void TSkinCollectionItem::Assign(const TPersistent* Source) {
    auto* source = dynamic_cast<const TSkinCollectionItem*>(Source);
    if (!source) return TCollectionItem::Assign(Source);
    if (source == this) return;
    FName = source->FName;
    Data.Clear();
    source->CopyData(Data);
    Data.SetPosition(0);
}

void TSkinCollectionItem::ReadDataStream(TStream& s) {
    Data.LoadFromStream(s);
}

void TSkinCollectionItem::WriteDataStream(TStream& s) const {
    Data.SaveToStream(s);
}

// ---- TSkinCollection and TSkinStore -------------------------------------------------------------

const TClassInfo& TSkinCollection::StaticClassInfo() {
    static const TClassInfo info{"TSkinCollection", &TCollection::StaticClassInfo(), {}, {}};
    return info;
}

TSkinCollection::TSkinCollection(TSkinStore* Store)
    : TCollectionOf(CollectionItemClass<TSkinCollectionItem>(), Store) {}

const TClassInfo& TSkinStore::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TSkinStore>("TSkinStore", TComponent::StaticClassInfo())
            .Creatable()
            .Obj<TSkinCollection>(
                "Store", [](const TSkinStore& s) { return &const_cast<TSkinStore&>(s).Store(); },
                &TSkinStore::SetStore)
            .Build();
    return info;
}

void TSkinStore::SetStore(const TSkinCollection* value) {
    if (value) FStore.Assign(value);
}
