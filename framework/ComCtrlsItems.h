// What a list-view column and a header section share: a title, a width and an alignment, made and
// owned by the control's item list (see ItemList.h), which hears of each change.
#pragma once

#include "Controls.h"
#include "ItemList.h"

template <class TSelf> class TTitledItem : public TPersistent {
  public:
    explicit TTitledItem(TItemList<TSelf>& list) : FList(list) {}
    const std::string& Text() const { return FText; }
    void SetText(const std::string& v) { Change(FText, v); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { Change(FWidth, v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { Change(FAlignment, v); }
    int Index() const { return FList.IndexOf(static_cast<const TSelf*>(this)); }

  protected:
    template <class V> void Change(V& field, const V& v) {
        if (field == v) return;
        field = v;
        FList.ItemChanged(static_cast<TSelf*>(this));
    }
    // The width the user dragged the item to, which the window already shows.
    void TakeWidth(int v) { FWidth = v; }

  private:
    TItemList<TSelf>& FList;
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};
