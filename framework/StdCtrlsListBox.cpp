// TListBox: the system's LISTBOX class, its items kept in the window and in the object while there
// is no window; owner-drawn items drawn through the list box's canvas.
#include "StdCtrls.h"

#include "ControlsPublish.h"
#include "StdCtrlsItems.h"

const TEnumNames ListBoxStyleNames{"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"};

const TClassInfo& TCustomListBox::StaticClassInfo() {
    static const TClassInfo info{"TCustomListBox", &TCustomListControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TListBox::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TListBox> b("TListBox", TCustomListBox::StaticClassInfo());
        b.Creatable()
            .Enum("BorderStyle", BorderStyleNames, &TListBox::BorderStyle, &TListBox::SetBorderStyle)
            .Bool("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect)
            .Int("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight)
            .Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
            .Bool("Sorted", &TListBox::Sorted, &TListBox::SetSorted)
            .Enum("Style", ListBoxStyleNames, &TListBox::Style, &TListBox::SetStyle)
            .Obj<TStrings>("Items", [](const TListBox& l) { return const_cast<TStrings*>(&l.Items()); })
            .Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
        PublishTabs(PublishLook(b));
        PublishOnClick(b)
            .Event("OnDblClick", static_cast<TNotifyEvent TListBox::*>(&TListBox::OnDblClick))
            .Event("OnDrawItem", static_cast<TDrawItemEvent TListBox::*>(&TListBox::OnDrawItem))
            .Event("OnMeasureItem", static_cast<TMeasureItemEvent TListBox::*>(&TListBox::OnMeasureItem));
        return b.Build();
    }();
    return info;
}

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomListControl(AOwner, ListBoxItemMessages) {
    StoreBounds({0, 0, 121, 97});
    ItemList().OnInserted = [this](int i) { ItemInserted(i); };
}

UINT TCustomListBox::GetIndexMessage() const {
    return FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL;
}

UINT TCustomListBox::SetIndexMessage() const {
    return FMultiSelect ? LB_SETCARETINDEX : LB_SETCURSEL;
}

bool TCustomListBox::Sorted() const {
    return ItemList().Sorted();
}

void TCustomListBox::SetSorted(bool v) {
    if (v == Sorted()) return;
    ItemList().SetSorted(v);
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool v) {
    SetWindowValue(*this, FMultiSelect, v);
}

void TCustomListBox::SetExtendedSelect(bool v) {
    SetWindowValue(*this, FExtendedSelect, v);
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
    SetWindowValue(*this, FStyle, v);
}

void TCustomListBox::SetItemHeight(int v) {
    if (v > 0) SetWindowValue(*this, FItemHeight, v);
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
    SetWindowValue(*this, FBorderStyle, v);
}

bool TCustomListBox::Selected(int i) {
    LRESULT state = SendMessageW(Handle(), LB_GETSEL, WPARAM(i), 0);
    if (state < 0) TStrings::RaiseIndexError(i);
    return state > 0;
}

// A single-selection list selects with its current item.
void TCustomListBox::SetSelected(int i, bool v) {
    HWND wnd = Handle();
    LRESULT done = FMultiSelect ? SendMessageW(wnd, LB_SETSEL, v, LPARAM(i))
                                : SendMessageW(wnd, LB_SETCURSEL, v ? WPARAM(i) : WPARAM(-1), 0);
    if (done == LB_ERR && (v || FMultiSelect)) TStrings::RaiseIndexError(i);
}

int TCustomListBox::SelCount() {
    if (!FMultiSelect) return ItemIndex() >= 0 ? 1 : 0;
    return int(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                   LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS};
    TCustomListControl::CreateParams(Params);
    CreateSubClass(Params, L"LISTBOX");
    Params.Style |=
        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | styles[FStyle] | (Sorted() ? LBS_SORT : 0);
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FBorderStyle == TBorderStyle::bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
    TCustomListControl::CreateWnd();
    if (FStyle == lbOwnerDrawFixed) Perform(LB_SETITEMHEIGHT, 0, FItemHeight);
}

// Variable items are measured as they come: the parent does not hear of them.
void TCustomListBox::ItemInserted(int i) {
    if (FStyle != lbOwnerDrawVariable) return;
    int height = FItemHeight;
    OnMeasureItem(this, i, height);
    Perform(LB_SETITEMHEIGHT, WPARAM(i), std::clamp(height, 1, 255));
}

void TCustomListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
    if (OnDrawItem) return OnDrawItem(this, Index, Rect, State);
    FCanvas.FillRect(Rect);
    FCanvas.TextOut(Rect.left + 2, Rect.top, Utf8ToUtf16(Items().Get(Index)));
}

void TCustomListBox::DrawItemStruct(const DRAWITEMSTRUCT& item) {
    TLentCanvas lent(FCanvas, item.hDC);
    UseControlLook(FCanvas, *this);
    auto state = TOwnerDrawState(item.itemState & 0x1F);
    bool isItem = int(item.itemID) >= 0;
    if (isItem && (state & (1u << odSelected))) {
        FCanvas.Brush().SetColor(clHighlight);
        FCanvas.Font().SetColor(clHighlightText);
    }
    if (isItem)
        DrawItem(int(item.itemID), item.rcItem, state);
    else
        FCanvas.FillRect(item.rcItem);
    if (state & (1u << odFocused)) DrawFocusRect(item.hDC, &item.rcItem);
}

void TCustomListBox::CommandReflected(WORD code) {
    if (code == LBN_SELCHANGE) Click();
    if (code == LBN_DBLCLK) OnDblClick(this);
}

void TCustomListBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        return CommandReflected(HIWORD(Message.WParam));
    case CN_DRAWITEM:
        DrawItemStruct(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = TRUE;
        return;
    }
    TCustomListControl::WndProc(Message);
}
