// Lists of small items that belong to one control (the list view's items), made and owned by the
// list, which tells the control of each change. Portable.
#pragma once

#include "Classes.h"

#include <functional>
#include <memory>
#include <vector>

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
