#include "Classes.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

class TNumber : public TCollectionItem {
    QL_CLASS_INFO()
  public:
    using TCollectionItem::TCollectionItem;
    int Value() const { return FValue; }
    void SetValue(int v) {
        FValue = v;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override {
        auto* n = dynamic_cast<const TNumber*>(Source);
        if (!n) return TCollectionItem::Assign(Source);
        FValue = n->FValue;
        Changed(false);
    }

  private:
    int FValue = 0;
};

const TClassInfo& TNumber::StaticClassInfo() {
    static const TClassInfo info{"TNumber", &TCollectionItem::StaticClassInfo(), {}, {}};
    return info;
}

// An item that cannot be assigned.
class TPlain : public TCollectionItem {
    QL_CLASS_INFO()
  public:
    using TCollectionItem::TCollectionItem;
};

const TClassInfo& TPlain::StaticClassInfo() {
    static const TClassInfo info{"TPlain", &TCollectionItem::StaticClassInfo(), {}, {}};
    return info;
}

// Writes down what it is told: "*" for the whole list, the item's value otherwise.
class TLoggedNumbers : public TCollection {
  public:
    TLoggedNumbers() : TCollection(CollectionItemClass<TNumber>()) {}
    TNumber* operator[](int i) const { return static_cast<TNumber*>(Items(i)); }
    TNumber* AddValue(int v) {
        BeginUpdate();
        auto* n = static_cast<TNumber*>(Add());
        n->SetValue(v);
        EndUpdate();
        return n;
    }
    std::vector<int> Values() const {
        std::vector<int> out;
        for (int i = 0; i < Count(); ++i)
            out.push_back((*this)[i]->Value());
        return out;
    }
    std::vector<std::string> Log;

  protected:
    void Update(TCollectionItem* Item) override {
        Log.push_back(Item ? IntToStr(static_cast<TNumber*>(Item)->Value()) : "*");
    }
};

TEST(Collection, ItemsKeepRunningIdsThroughInsertDeleteAndClear) {
    TLoggedNumbers c;
    for (int v : {10, 20, 30})
        c.AddValue(v);
    auto* inserted = static_cast<TNumber*>(c.Insert(1));
    inserted->SetValue(15);
    EXPECT_EQ(c.Values(), (std::vector<int>{10, 15, 20, 30}));
    EXPECT_EQ(inserted->ID(), 3);
    EXPECT_EQ(inserted->Index(), 1);
    EXPECT_EQ(inserted->Collection(), &c);
    c.Delete(0);
    EXPECT_EQ(c.FindItemID(0), nullptr);
    EXPECT_EQ(c.FindItemID(3), inserted);
    EXPECT_EQ(inserted->Index(), 0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Add()->ID(), 4) << "numbers are never reused";

    EXPECT_THROW(c.Items(1), EListError);
    EXPECT_THROW(c.Items(-1), EListError);
    EXPECT_THROW(c.Insert(2), EListError);
    EXPECT_THROW(c.Insert(-1), EListError);
    EXPECT_THROW(c[0]->SetIndex(1), EListError);
    EXPECT_EQ(c.Count(), 1) << "a refused insert creates nothing";
    try {
        c.Items(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (7)");
    }
}

TEST(Collection, TellsEveryChangeOnceAndBatchesUpdates) {
    TLoggedNumbers c;
    c.AddValue(1);
    c.AddValue(2);
    TNumber* three = c.AddValue(3);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"*", "*", "*"}));
    c.Log.clear();

    three->SetValue(4);
    three->SetIndex(0);
    EXPECT_EQ(c.Values(), (std::vector<int>{4, 1, 2}));
    three->SetIndex(0); // where it is already
    c[1]->Free();       // an item destroyed directly leaves the list
    EXPECT_EQ(c.Values(), (std::vector<int>{4, 2}));
    EXPECT_EQ(c.Log, (std::vector<std::string>{"4", "*", "*"}));
    c.Log.clear();

    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    c[0]->SetValue(9);
    c.Delete(1);
    c.EndUpdate();
    EXPECT_TRUE(c.Log.empty()) << "told only at the last EndUpdate";
    c.EndUpdate();
    c.EndUpdate(); // one too many does no harm
    EXPECT_EQ(c.Log, (std::vector<std::string>{"*"}));
    c.Log.clear();
    c[0]->SetValue(8);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"8"}));
}

TEST(Collection, AssignCopiesItemsWithTheirOwnAssign) {
    TLoggedNumbers from, to;
    from.AddValue(5);
    from.AddValue(6);
    to.AddValue(1);
    to.Log.clear();
    to.Assign(&from);
    EXPECT_EQ(to.Values(), (std::vector<int>{5, 6}));
    EXPECT_EQ(to.Log, (std::vector<std::string>{"*"}));
    to.Assign(&to);
    EXPECT_EQ(to.Values(), (std::vector<int>{5, 6}));
    TStringList lines;
    EXPECT_THROW(to.Assign(&lines), EConvertError);
    EXPECT_THROW(to.Assign(nullptr), EConvertError);

    TCollection plain(CollectionItemClass<TPlain>());
    plain.Add();
    TCollection other(CollectionItemClass<TPlain>());
    EXPECT_THROW(other.Assign(&plain), EConvertError);
    EXPECT_EQ(other.Count(), 1) << "the item that could not be filled stays";
    to.Log.clear();
    EXPECT_THROW(to.Assign(&plain), EConvertError);
    to.Log.clear();
    to.Add();
    EXPECT_EQ(to.Log, (std::vector<std::string>{"*"})) << "changes are told again after a failed Assign";
}

TEST(Collection, ItemOutsideACollectionStandsAlone) {
    TNumber loose(nullptr);
    EXPECT_EQ(loose.Collection(), nullptr);
    EXPECT_EQ(loose.Index(), -1);
    loose.SetIndex(3);
    loose.SetValue(2);
    EXPECT_EQ(loose.GetDisplayName(), "TNumber");
    EXPECT_TRUE(loose.InheritsFrom(TCollectionItem::StaticClassInfo()));

    TStringList owner;
    TCollection c(CollectionItemClass<TNumber>(), &owner);
    EXPECT_EQ(c.Owner(), &owner);
    EXPECT_EQ(c.ItemClass().Info, &TNumber::StaticClassInfo());
    EXPECT_TRUE(c.InheritsFrom(TCollection::StaticClassInfo()));
}

} // namespace
