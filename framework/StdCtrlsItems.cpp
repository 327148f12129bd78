// TItemStrings: list box and combo box items in the window or, without one, in a string list;
// TCustomListControl: the control that keeps them.
#include "StdCtrlsItems.h"

#include "StdCtrls.h"

const TItemMessages ListBoxItemMessages{LB_GETCOUNT,     LB_GETTEXT,      LB_GETTEXTLEN, LB_GETITEMDATA,
                                        LB_SETITEMDATA,  LB_INSERTSTRING, LB_ADDSTRING,  LB_DELETESTRING,
                                        LB_RESETCONTENT, LB_GETCURSEL,    LB_SETCURSEL};
const TItemMessages ComboBoxItemMessages{CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_GETITEMDATA,
                                         CB_SETITEMDATA,  CB_INSERTSTRING, CB_ADDSTRING,    CB_DELETESTRING,
                                         CB_RESETCONTENT, CB_GETCURSEL,    CB_SETCURSEL};

int TItemStrings::Count() const {
    return InWindow() ? int(Send(FMessages.GetCount)) : FPending.Count();
}

void TItemStrings::CheckIndex(int i) const {
    if (i < 0 || i >= Count()) RaiseIndexError(i);
}

std::string TItemStrings::Get(int i) const {
    if (!InWindow()) return FPending.Get(i);
    CheckIndex(i);
    std::u16string text(size_t(std::max<LRESULT>(Send(FMessages.GetTextLen, i), 0)) + 1, u'\0');
    LRESULT n = Send(FMessages.GetText, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(std::max<LRESULT>(n, 0)));
    return Utf16ToUtf8(text);
}

TObject* TItemStrings::Objects(int i) const {
    if (!InWindow()) return FPending.Objects(i);
    CheckIndex(i);
    return reinterpret_cast<TObject*>(Send(FMessages.GetData, i));
}

void TItemStrings::SetObjects(int i, TObject* obj) {
    if (!InWindow()) return FPending.SetObjects(i, obj);
    CheckIndex(i);
    Send(FMessages.SetData, i, reinterpret_cast<LPARAM>(obj));
}

// Case-insensitive, as the controls sort; equal items keep the order they came in.
int TItemStrings::SortedIndex(const std::string& s) const {
    int i = FPending.Count();
    while (i > 0 && CompareText(FPending.Get(i - 1), s) > 0)
        --i;
    return i;
}

int TItemStrings::Inserted(LRESULT at) {
    if (at < 0) throw EOutOfResources("Out of system resources");
    if (OnInserted) OnInserted(int(at));
    return int(at);
}

int TItemStrings::Add(const std::string& s) {
    if (!FSorted) return TStrings::Add(s);
    if (!InWindow()) {
        int i = SortedIndex(s);
        FPending.Insert(i, s);
        return i;
    }
    std::u16string text = Utf8ToUtf16(s);
    return Inserted(Send(FMessages.Add, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void TItemStrings::Insert(int i, const std::string& s) {
    if (!InWindow()) return FPending.Insert(i, s);
    if (i < 0 || i > Count()) RaiseIndexError(i);
    std::u16string text = Utf8ToUtf16(s);
    Inserted(Send(FMessages.Insert, i, reinterpret_cast<LPARAM>(text.c_str())));
}

void TItemStrings::Delete(int i) {
    if (!InWindow()) return FPending.Delete(i);
    CheckIndex(i);
    Send(FMessages.Delete, i);
}

void TItemStrings::Clear() {
    if (!InWindow()) return FPending.Clear();
    Send(FMessages.Reset);
}

void TItemStrings::SetSorted(bool v) {
    FSorted = v;
    if (v && !InWindow()) AddPendingAgain();
}

void TItemStrings::AddPendingAgain() {
    TStringList items;
    items.Assign(&FPending);
    FPending.Clear();
    for (int i = 0; i < items.Count(); ++i)
        AddObject(items.Get(i), items.Objects(i));
}

void TItemStrings::SaveFromWindow() {
    TStringList items;
    for (int i = 0; i < Count(); ++i)
        items.AddObject(Get(i), Objects(i));
    FPending.Assign(&items);
}

// ---- TCustomListControl -------------------------------------------------------------------------

const TClassInfo& TCustomListControl::StaticClassInfo() {
    static const TClassInfo info{"TCustomListControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

TCustomListControl::TCustomListControl(TComponent* AOwner, const TItemMessages& messages)
    : TWinControl(AOwner), FItems(std::make_unique<TItemStrings>(*this, messages)) {
    SetTabStop(true);
}

TCustomListControl::~TCustomListControl() = default;

TStrings& TCustomListControl::Items() {
    return *FItems;
}
const TStrings& TCustomListControl::Items() const {
    return *FItems;
}

UINT TCustomListControl::GetIndexMessage() const {
    return FItems->Messages().GetIndex;
}

UINT TCustomListControl::SetIndexMessage() const {
    return FItems->Messages().SetIndex;
}

int TCustomListControl::ItemIndex() const {
    if (HandleAllocated()) return int(const_cast<TCustomListControl*>(this)->Perform(GetIndexMessage()));
    return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

void TCustomListControl::SetItemIndex(int v) {
    FItemIndex = std::max(v, -1);
    if (HandleAllocated()) Perform(SetIndexMessage(), WPARAM(FItemIndex));
}

void TCustomListControl::CreateWnd() {
    TWinControl::CreateWnd();
    FItems->AddPendingAgain();
    Perform(SetIndexMessage(), WPARAM(FItemIndex));
}

void TCustomListControl::DestroyWnd() {
    if (!Destroying()) {
        FItemIndex = ItemIndex();
        FItems->SaveFromWindow();
    }
    TWinControl::DestroyWnd();
}
