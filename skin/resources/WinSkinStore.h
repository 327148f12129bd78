// Named skin archives kept inside a form description, so that a program can switch skins at run
// time (TSkinData::LoadFromCollection). Portable: no Windows headers.
#pragma once

#include "TypInfo.h"

#include <cstdint>
#include <string>

// One stored skin. In a description it keeps its Name and the archive bytes as the binary property
// DataStream (no length of its own: the property's framing gives it).
class TSkinCollectionItem : public TCollectionItem {
    QL_CLASS_INFO()
  public:
    // Named "SkinItem" + the collection's running number for it.
    explicit TSkinCollectionItem(TCollection* Collection);

    const std::string& Name() const { return FName; }
    // Names are unique within the collection, letter case counting. A name another item has raises
    // Exception "The name <name> is already used." and the item keeps its own.
    void SetName(const std::string& value);
    std::string SkinData() const { return "Load Skin"; } // writing does nothing
    int32_t DataSize() const { return int32_t(Data.Bytes().size()); }

    TMemoryStream Data; // one skin archive, byte for byte

    // Data becomes the file's bytes; a file that cannot be opened raises EFOpenError and keeps Data.
    void LoadFromFile(const std::string& path);
    // All of Data, written at dest's position; Data's own position stays where it was.
    void CopyData(TStream& dest) const;
    // From another skin item: its name (as it is, unchecked) and a copy of its data.
    void Assign(const TPersistent* Source) override;
    std::string GetDisplayName() const override { return FName; }

  private:
    void ReadDataStream(TStream& s);
    void WriteDataStream(TStream& s) const;

    std::string FName;
};

class TSkinStore;

class TSkinCollection : public TCollectionOf<TSkinCollectionItem> {
    QL_CLASS_INFO()
  public:
    explicit TSkinCollection(TSkinStore* Store);
};

// Owns any number of stored skins, published as `Store = <item … end>`.
class TSkinStore : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TSkinStore(TComponent* AOwner) : TComponent(AOwner) {}

    TSkinCollection& Store() { return FStore; }
    const TSkinCollection& Store() const { return FStore; }
    // Copies the given collection's items; null copies nothing.
    void SetStore(const TSkinCollection* value);

  private:
    TSkinCollection FStore{this};
};
