// The list view over the common controls' list view: items with sub-items shown in columns (the
// report view, whose column header is a window of its own), or as icons or a list.
#pragma once

#include "ComCtrlsItems.h"
#include "ItemList.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
extern const TEnumNames ViewStyleNames;

class TListColumn : public TTitledItem {
    QL_CLASS_INFO()
  public:
    using TTitledItem::TTitledItem;
    const std::string& Caption() const { return Text(); }
    void SetCaption(const std::string& v) { SetText(v); }

  private:
    friend class TListView;
};

class TListView;

// The columns of a list view, stored as `Columns = <item Caption = 'Name' end …>`.
class TListColumns : public TCollectionOf<TListColumn> {
    QL_CLASS_INFO()
  public:
    explicit TListColumns(TListView& ListView);

  protected:
    void Update(TCollectionItem* Item) override;

  private:
    TListView& FListView;
};

// An item: its caption stands in the first column, its sub-items in the others.
class TListItem : public TPersistent {
  public:
    explicit TListItem(TItemList<TListItem>& list);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    TStrings& SubItems() { return FSubItems; }
    const TStrings& SubItems() const { return FSubItems; }
    int Index() const { return FList.IndexOf(this); }
    void* Data = nullptr;

  private:
    void Changed(TObject*) { FList.ItemChanged(this); }
    TItemList<TListItem>& FList;
    std::string FCaption;
    TStringList FSubItems;
};
using TListItems = TItemList<TListItem>;

// The items as lines of text, as a description holds them: the caption, then each sub-item after a
// tab (#9 in a description).
class TListItemLines : public TStrings {
  public:
    explicit TListItemLines(TListItems& items) : FItems(items) {}
    int Count() const override { return FItems.Count(); }
    std::string Get(int i) const override;
    void Insert(int i, const std::string& s) override;
    void Delete(int i) override { FItems.Delete(i); }
    void Clear() override { FItems.Clear(); }

  private:
    TListItems& FItems;
};

using TLVColumnClickEvent = TEvent<TObject*, TListColumn*>;
using TLVSelectItemEvent = TEvent<TObject*, TListItem*, bool>;

// OnColumnClick runs when the user clicks a column's header; OnSelectItem whenever an item is
// selected or loses the selection (by the user or the program, not while the window is filled).
class TListView : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TListView(TComponent* AOwner);

    TListColumns& Columns() { return FColumns; }
    TListItems& Items() { return FItems; }
    // The description's form of the items.
    TStrings& ItemLines() { return FItemLines; }

    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v);
    // The whole row shows the selection (report view).
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool v);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool v);
    // The selected item; -1 for none. Before the items exist a stored index waits for them.
    int ItemIndex() const;
    void SetItemIndex(int v);
    TListItem* Selected() const;
    // The report view's column header window; null without a window.
    HWND HeaderHandle() const;

    TLVColumnClickEvent OnColumnClick;
    TLVSelectItemEvent OnSelectItem;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    friend class TListColumns;
    void ColumnsChanged(TCollectionItem* column);
    void ItemsChanged(TItemChange change, int i);
    void WriteColumn(int i, UINT msg);
    void WriteItem(int i, UINT msg);
    void WriteAllColumns();
    void SendExtendedStyle();
    void TakeColumnWidths();
    void Notified(TMessage& Message);

    TListColumns FColumns{*this};
    TListItems FItems;
    TListItemLines FItemLines{FItems};
    TViewStyle FViewStyle = vsIcon;
    bool FRowSelect = false, FGridLines = false, FShowColumnHeaders = true;
    bool FWriting = false; // the window is being filled: its notices are ours
    int FItemIndex = -1;   // while there is no window
};
