// TListView: the common controls' list view, filled from the column and item lists it keeps, so
// that a new window gets them all again. Its notices come back reflected; those of its own column
// header reach it directly.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

#include <utility>

const TEnumNames ViewStyleNames{"vsIcon", "vsSmallIcon", "vsList", "vsReport"};

namespace {
// While the window is being filled its notices are not the user's.
class TWriting {
  public:
    explicit TWriting(bool& flag) : FFlag(flag), FOld(std::exchange(flag, true)) {}
    TWriting(const TWriting&) = delete;
    TWriting& operator=(const TWriting&) = delete;
    ~TWriting() { FFlag = FOld; }

  private:
    bool& FFlag;
    bool FOld;
};

wchar_t* TextParam(std::u16string& text) {
    return reinterpret_cast<wchar_t*>(text.data());
}
} // namespace

// ---- Class registry -----------------------------------------------------------------------------

const TClassInfo& TListColumn::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TListColumn>("TListColumn", TCollectionItem::StaticClassInfo())
            .Enum("Alignment", AlignmentNames, &TListColumn::Alignment, &TListColumn::SetAlignment)
            .Str("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
            .Int("Width", &TListColumn::Width, &TListColumn::SetWidth)
            .Build();
    return info;
}

const TClassInfo& TListColumns::StaticClassInfo() {
    static const TClassInfo info{"TListColumns", &TCollection::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TListView::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TListView> b("TListView", TWinControl::StaticClassInfo());
        b.Creatable()
            .Obj<TListColumns>("Columns",
                               [](const TListView& l) { return &const_cast<TListView&>(l).Columns(); })
            .Obj<TStrings>("Items", [](const TListView& l) { return &const_cast<TListView&>(l).ItemLines(); })
            .Int("ItemIndex", &TListView::ItemIndex, &TListView::SetItemIndex)
            .Bool("GridLines", &TListView::GridLines, &TListView::SetGridLines)
            .Bool("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect)
            .Bool("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders)
            .Enum("ViewStyle", ViewStyleNames, &TListView::ViewStyle, &TListView::SetViewStyle)
            .Event("OnColumnClick", &TListView::OnColumnClick)
            .Event("OnSelectItem", &TListView::OnSelectItem);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

// ---- Columns and items -------------------------------------------------------------------------

TListColumns::TListColumns(TListView& ListView)
    : TCollectionOf(CollectionItemClass<TListColumn>(), &ListView), FListView(ListView) {}

void TListColumns::Update(TCollectionItem* Item) {
    FListView.ColumnsChanged(Item);
}

TListItem::TListItem(TItemList<TListItem>& list) : FList(list) {
    FSubItems.OnChange.Bind(this, &TListItem::Changed);
}

void TListItem::SetCaption(const std::string& v) {
    if (v == FCaption) return;
    FCaption = v;
    FList.ItemChanged(this);
}

std::string TListItemLines::Get(int i) const {
    const TListItem& item = *FItems.Items(i);
    std::string line = item.Caption();
    for (int k = 0; k < item.SubItems().Count(); ++k)
        line += "\t" + item.SubItems()[k];
    return line;
}

void TListItemLines::Insert(int i, const std::string& s) {
    TListItem* item = FItems.Insert(i);
    size_t tab = s.find('\t');
    item->SetCaption(s.substr(0, tab));
    for (size_t b = tab; b != std::string::npos; b = tab) {
        tab = s.find('\t', b + 1);
        item->SubItems().Add(s.substr(b + 1, tab == std::string::npos ? tab : tab - b - 1));
    }
}

// ---- TListView ----------------------------------------------------------------------------------

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner) {
    StoreBounds({0, 0, 250, 150});
    SetTabStop(true);
    FItems.OnChange = [this](TItemChange c, int i) { ItemsChanged(c, i); };
}

void TListView::SetViewStyle(TViewStyle v) {
    SetStyleField(*this, FViewStyle, v);
}

void TListView::SetShowColumnHeaders(bool v) {
    SetStyleField(*this, FShowColumnHeaders, v);
}

void TListView::SetRowSelect(bool v) {
    FRowSelect = v;
    SendExtendedStyle();
}

void TListView::SetGridLines(bool v) {
    FGridLines = v;
    SendExtendedStyle();
}

void TListView::SendExtendedStyle() {
    if (!HandleAllocated()) return;
    DWORD style = (FRowSelect ? LVS_EX_FULLROWSELECT : 0) | (FGridLines ? LVS_EX_GRIDLINES : 0);
    Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, style);
}

int TListView::ItemIndex() const {
    if (HandleAllocated()) return int(SendTo(*this, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    return FItemIndex < FItems.Count() ? FItemIndex : -1;
}

void TListView::SetItemIndex(int v) {
    FItemIndex = v;
    if (!HandleAllocated()) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Perform(LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
    if (v < 0 || v >= FItems.Count()) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    Perform(LVM_SETITEMSTATE, WPARAM(v), reinterpret_cast<LPARAM>(&state));
}

TListItem* TListView::Selected() const {
    int i = ItemIndex();
    return i >= 0 && i < FItems.Count() ? FItems[i] : nullptr;
}

HWND TListView::HeaderHandle() const {
    return HandleAllocated() ? reinterpret_cast<HWND>(SendTo(*this, LVM_GETHEADER)) : nullptr;
}

// ---- Writing the window -------------------------------------------------------------------------

void TListView::WriteColumn(int i, UINT msg) {
    static const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    const TListColumn& column = *FColumns[i];
    std::u16string text = Utf8ToUtf16(column.Caption());
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = formats[column.Alignment()];
    c.cx = column.Width();
    c.pszText = TextParam(text);
    Perform(msg, WPARAM(i), reinterpret_cast<LPARAM>(&c));
}

// Every column gets its text, so that a sub-item taken away leaves its column empty.
void TListView::WriteItem(int i, UINT msg) {
    const TListItem& item = *FItems[i];
    std::u16string text = Utf8ToUtf16(item.Caption());
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.iItem = i;
    it.pszText = TextParam(text);
    Perform(msg, 0, reinterpret_cast<LPARAM>(&it));
    int columns = std::max(FColumns.Count() - 1, item.SubItems().Count());
    for (it.iSubItem = 1; it.iSubItem <= columns; ++it.iSubItem) {
        int k = it.iSubItem - 1;
        text = Utf8ToUtf16(k < item.SubItems().Count() ? item.SubItems()[k] : std::string());
        it.pszText = TextParam(text);
        Perform(LVM_SETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(&it));
    }
}

void TListView::WriteAllColumns() {
    while (Perform(LVM_DELETECOLUMN, 0)) {
    }
    for (int i = 0; i < FColumns.Count(); ++i)
        WriteColumn(i, LVM_INSERTCOLUMNW);
}

// Columns coming or going shift the sub-items between columns: every item is written again.
void TListView::ColumnsChanged(TCollectionItem* column) {
    if (!HandleAllocated()) return;
    TWriting writing(FWriting);
    if (column) return WriteColumn(column->Index(), LVM_SETCOLUMNW);
    WriteAllColumns();
    for (int k = 0; k < FItems.Count(); ++k)
        WriteItem(k, LVM_SETITEMW);
}

void TListView::ItemsChanged(TItemChange change, int i) {
    if (!HandleAllocated()) return;
    TWriting writing(FWriting);
    switch (change) {
    case icAdded:
        return WriteItem(i, LVM_INSERTITEMW);
    case icChanged:
        return WriteItem(i, LVM_SETITEMW);
    case icDeleted:
        Perform(LVM_DELETEITEM, WPARAM(i));
        return;
    case icCleared:
        Perform(LVM_DELETEALLITEMS);
        return;
    }
}

// The user dragged a column's edge: the window has the new width already.
void TListView::TakeColumnWidths() {
    for (int i = 0; i < FColumns.Count(); ++i)
        FColumns[i]->TakeWidth(int(Perform(LVM_GETCOLUMNWIDTH, WPARAM(i))));
}

// ---- The window ---------------------------------------------------------------------------------

void TListView::CreateParams(TCreateParams& Params) {
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    TWinControl::CreateParams(Params);
    NeedCommonControls(ICC_LISTVIEW_CLASSES);
    CreateSubClass(Params, WC_LISTVIEWW);
    Params.Style |=
        views[FViewStyle] | LVS_SINGLESEL | LVS_SHOWSELALWAYS | (FShowColumnHeaders ? 0 : LVS_NOCOLUMNHEADER);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
    TWinControl::CreateWnd();
    TWriting writing(FWriting);
    SendExtendedStyle();
    WriteAllColumns();
    for (int i = 0; i < FItems.Count(); ++i)
        WriteItem(i, LVM_INSERTITEMW);
    SetItemIndex(FItemIndex);
}

void TListView::DestroyWnd() {
    FItemIndex = ItemIndex();
    TWinControl::DestroyWnd();
}

void TListView::Notified(TMessage& Message) {
    UINT code = reinterpret_cast<const NMHDR*>(Message.LParam)->code;
    if (FWriting || (code != LVN_COLUMNCLICK && code != LVN_ITEMCHANGED)) return;
    auto* n = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
    if (code == LVN_COLUMNCLICK && n->iSubItem >= 0 && n->iSubItem < FColumns.Count())
        OnColumnClick(this, FColumns[n->iSubItem]);
    bool selection = (n->uChanged & LVIF_STATE) && ((n->uOldState ^ n->uNewState) & LVIS_SELECTED);
    if (code == LVN_ITEMCHANGED && selection && n->iItem >= 0 && n->iItem < FItems.Count())
        OnSelectItem(this, FItems[n->iItem], n->uNewState & LVIS_SELECTED);
}

void TListView::WndProc(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY) return Notified(Message);
    TWinControl::WndProc(Message);
    if (Message.Msg != WM_NOTIFY || FWriting) return;
    auto* hdr = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (hdr->hwndFrom == HeaderHandle() && (hdr->code == HDN_ITEMCHANGEDW || hdr->code == HDN_ITEMCHANGEDA))
        TakeColumnWidths();
}
