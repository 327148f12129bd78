// Lists of small items that belong to one control (list-view columns, header sections), and their
// description form until descriptions hold collections: one line per item naming its published
// properties, for example
//   ColumnDefs.Strings = ('Caption=''Name, first'',Width=120' 'Caption=''Value'',Alignment=taRightJustify')
// Values are separated by commas; a quoted value ('' for a quote) may hold commas. Portable.
#pragma once

#include "TypInfo.h"

#include <functional>
#include <memory>
#include <vector>

// Sets the properties a line names; EConvertError for unknown names and malformed values.
void SetItemProperties(TObject& item, const std::string& line);
// The integer, enumeration and string properties in which item differs from fresh (all of them
// when fresh is null), in declared order.
std::string ItemPropertiesText(const TObject& item, const TObject* fresh);

// What happened in a list: an item came (at the index), went (from it) or changed, or all went.
enum TItemChange { icAdded, icDeleted, icChanged, icCleared };

// Items made and owned by the list; each is constructed with the list, so that it can tell it of
// its changes. The owning control hears of every change through OnChange.
template <class TItem> class TItemList {
  public:
    std::function<void(TItemChange, int)> OnChange;

    int Count() const { return static_cast<int>(FItems.size()); }
    TItem* Items(int i) const {
        if (i < 0 || i >= Count()) TStrings::RaiseIndexError(i);
        return FItems[size_t(i)].get();
    }
    TItem* operator[](int i) const { return Items(i); }
    TItem* Add() { return Insert(Count()); }
    TItem* Insert(int i) {
        if (i < 0 || i > Count()) TStrings::RaiseIndexError(i);
        FItems.insert(FItems.begin() + i, std::make_unique<TItem>(*this));
        Changed(icAdded, i);
        return FItems[size_t(i)].get();
    }
    void Delete(int i) {
        Items(i);
        FItems.erase(FItems.begin() + i);
        Changed(icDeleted, i);
    }
    void Clear() {
        if (FItems.empty()) return;
        FItems.clear();
        Changed(icCleared, -1);
    }
    int IndexOf(const TItem* item) const {
        for (int i = 0; i < Count(); ++i)
            if (FItems[size_t(i)].get() == item) return i;
        return -1;
    }
    void ItemChanged(const TItem* item) {
        if (int i = IndexOf(item); i >= 0) Changed(icChanged, i);
    }

  private:
    void Changed(TItemChange change, int i) {
        if (OnChange) OnChange(change, i);
    }
    std::vector<std::unique_ptr<TItem>> FItems;
};

// The items of a list as the lines of a string list: what a description reads and writes.
template <class TItem> class TItemLines : public TStrings {
  public:
    explicit TItemLines(TItemList<TItem>& list) : FList(list) {}
    int Count() const override { return FList.Count(); }
    std::string Get(int i) const override {
        TItemList<TItem> scratch;
        TItem fresh(scratch);
        return ItemPropertiesText(*FList.Items(i), &fresh);
    }
    // A line that cannot be read leaves no item behind.
    void Insert(int i, const std::string& s) override {
        TItem* item = FList.Insert(i);
        try {
            SetItemProperties(*item, s);
        } catch (...) {
            FList.Delete(i);
            throw;
        }
    }
    void Delete(int i) override { FList.Delete(i); }
    void Clear() override { FList.Clear(); }

  private:
    TItemList<TItem>& FList;
};
