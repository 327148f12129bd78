// What a list-view column and a header section share: a title, a width and an alignment, items of
// their control's collection, which hears of each change and tells the control.
#pragma once

#include "Controls.h"

class TTitledItem : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;
    const std::string& Text() const { return FText; }
    void SetText(const std::string& v) { Change(FText, v); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { Change(FWidth, v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { Change(FAlignment, v); }
    void Assign(const TPersistent* Source) override {
        auto* item = dynamic_cast<const TTitledItem*>(Source);
        if (!item) return TCollectionItem::Assign(Source);
        FText = item->FText;
        FWidth = item->FWidth;
        FAlignment = item->FAlignment;
        Changed(false);
    }

  protected:
    template <class V> void Change(V& field, const V& v) {
        if (field == v) return;
        field = v;
        Changed(false);
    }
    // The width the user dragged the item to, which the window already shows.
    void TakeWidth(int v) { FWidth = v; }

  private:
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};
