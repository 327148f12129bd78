// TComboBox: the system's COMBOBOX class, its items kept in the window and in the object while
// there is no window.
#include "StdCtrls.h"

#include "ControlsPublish.h"
#include "StdCtrlsItems.h"

const TEnumNames ComboBoxStyleNames{"csDropDown", "csSimple", "csDropDownList"};

const TClassInfo& TCustomComboBox::StaticClassInfo() {
    static const TClassInfo info{"TCustomComboBox", &TCustomListControl::StaticClassInfo(), {}, {}};
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

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomListControl(AOwner, ComboBoxItemMessages) {
    StoreBounds({0, 0, 145, 21});
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    SetWindowValue(*this, FStyle, v);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"COMBOBOX");
    Params.Style |= styles[FStyle] | WS_VSCROLL | CBS_AUTOHSCROLL;
    // for a drop-down the window height is that of the dropped list
    if (FStyle != csSimple) Params.Height += DropDownCount * (Params.Height - 4);
}

void TCustomComboBox::AdjustDropDown() {
    int shown = std::clamp(Items().Count(), 1, std::max(DropDownCount, 1));
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
