// TComboBox: the system's COMBOBOX class, its items kept in the window and in the object while
// there is no window.
#include "StdCtrls.h"

#include "ControlsPublish.h"

const TEnumNames ComboBoxStyleNames{"csDropDown", "csSimple", "csDropDownList"};

// Items in the window when it exists, otherwise in Pending; an item's object is its item data.
class TCustomComboBox::TComboBoxStrings : public TStrings {
  public:
    explicit TComboBoxStrings(TCustomComboBox& combo) : FCombo(combo) {}

    int Count() const override { return InWindow() ? int(Send(CB_GETCOUNT)) : Pending.Count(); }
    std::string Get(int i) const override {
        if (!InWindow()) return Pending.Get(i);
        CheckIndex(i);
        std::u16string text(size_t(std::max<LRESULT>(Send(CB_GETLBTEXTLEN, i), 0)) + 1, u'\0');
        LRESULT n = Send(CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(size_t(std::max<LRESULT>(n, 0)));
        return Utf16ToUtf8(text);
    }
    TObject* Objects(int i) const override {
        if (!InWindow()) return Pending.Objects(i);
        CheckIndex(i);
        return reinterpret_cast<TObject*>(Send(CB_GETITEMDATA, i));
    }
    void SetObjects(int i, TObject* obj) override {
        if (!InWindow()) return Pending.SetObjects(i, obj);
        CheckIndex(i);
        Send(CB_SETITEMDATA, i, reinterpret_cast<LPARAM>(obj));
    }
    void Insert(int i, const std::string& s) override {
        if (!InWindow()) return Pending.Insert(i, s);
        if (i < 0 || i > Count()) RaiseIndexError(i);
        std::u16string text = Utf8ToUtf16(s);
        if (Send(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str())) < 0)
            throw EOutOfResources("Out of system resources");
    }
    void Delete(int i) override {
        if (!InWindow()) return Pending.Delete(i);
        CheckIndex(i);
        Send(CB_DELETESTRING, i);
    }
    void Clear() override {
        if (!InWindow()) return Pending.Clear();
        Send(CB_RESETCONTENT);
    }

    // A new window takes the items over; an old one leaves them behind.
    void MoveToWindow() {
        TStringList items;
        items.Assign(&Pending);
        Pending.Clear();
        for (int i = 0; i < items.Count(); ++i)
            AddObject(items.Get(i), items.Objects(i));
    }
    void SaveFromWindow() {
        TStringList items;
        for (int i = 0; i < Count(); ++i)
            items.AddObject(Get(i), Objects(i));
        Pending.Assign(&items);
    }

    TStringList Pending;

  private:
    bool InWindow() const { return FCombo.HandleAllocated(); }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return FCombo.Perform(msg, w, l); }
    void CheckIndex(int i) const {
        if (i < 0 || i >= Count()) RaiseIndexError(i);
    }
    TCustomComboBox& FCombo;
};

const TClassInfo& TCustomComboBox::StaticClassInfo() {
    static const TClassInfo info{"TCustomComboBox", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TComboBox> b("TComboBox", TCustomComboBox::StaticClassInfo());
        b.Creatable()
            .Enum("Style", ComboBoxStyleNames, &TComboBox::Style, &TComboBox::SetStyle)
            .Int("DropDownCount", &TComboBox::DropDownCount, &TComboBox::DropDownCount)
            .Obj<TStrings>("Items", [](const TComboBox& c) { return const_cast<TStrings*>(&c.Items()); })
            .Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
        PublishText(b);
        PublishTabs(PublishLook(b));
        PublishOnClick(b).Event("OnChange", static_cast<TNotifyEvent TComboBox::*>(&TComboBox::OnChange));
        return b.Build();
    }();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(*this)) {
    StoreBounds({0, 0, 145, 21});
    SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() = default;

TStrings& TCustomComboBox::Items() {
    return *FItems;
}
const TStrings& TCustomComboBox::Items() const {
    return *FItems;
}

int TCustomComboBox::ItemIndex() const {
    if (HandleAllocated()) return int(const_cast<TCustomComboBox*>(this)->Perform(CB_GETCURSEL));
    return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

// A description may give the index before the items: it waits for them until the window is made.
void TCustomComboBox::SetItemIndex(int v) {
    FItemIndex = std::max(v, -1);
    if (HandleAllocated()) Perform(CB_SETCURSEL, WPARAM(FItemIndex));
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    RecreateWnd();
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"COMBOBOX");
    Params.Style |= styles[FStyle] | WS_VSCROLL | CBS_AUTOHSCROLL;
    // for a drop-down the window height is that of the dropped list
    if (FStyle != csSimple) Params.Height += DropDownCount * (Params.Height - 4);
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    FItems->MoveToWindow();
    Perform(CB_SETCURSEL, WPARAM(FItemIndex));
}

void TCustomComboBox::DestroyWnd() {
    if (!Destroying()) {
        FItemIndex = ItemIndex();
        FItems->SaveFromWindow();
    }
    TWinControl::DestroyWnd();
}

void TCustomComboBox::AdjustDropDown() {
    int shown = std::clamp(FItems->Count(), 1, std::max(DropDownCount, 1));
    int itemHeight = int(Perform(CB_GETITEMHEIGHT, 0));
    SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height() + shown * itemHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::WndProc(TMessage& Message) {
    if (Message.Msg != CN_COMMAND) return TWinControl::WndProc(Message);
    switch (HIWORD(Message.WParam)) {
    case CBN_DROPDOWN:
        AdjustDropDown();
        break;
    case CBN_SELCHANGE:
        Click();
        Change();
        break;
    case CBN_EDITCHANGE:
        Change();
        break;
    }
}
