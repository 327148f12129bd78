// TMenuItem: the tree, the properties, the command and the menu handle each item owns.
#include "Menus.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

// Commands stay below the system's (SC_*, 0xF000 on) and the MDI window list's (0xFF00 on).
constexpr UINT kLastCommand = 0xEFFF;

// Every item's command, so that a WM_COMMAND finds its item in any menu.
class TCommands {
  public:
    UINT Acquire(TMenuItem* item) {
        for (UINT tries = 0; tries < kLastCommand; ++tries) {
            UINT command = FNext;
            FNext = FNext % kLastCommand + 1;
            if (FItems.emplace(command, item).second) return command;
        }
        throw EMenuError("Out of menu commands");
    }
    void Release(UINT command) { FItems.erase(command); }
    const std::map<UINT, TMenuItem*>& Items() const { return FItems; }

  private:
    std::map<UINT, TMenuItem*> FItems;
    UINT FNext = 1;
};

// Never destroyed: items of forms freed by static destructors still give their commands back.
TCommands& Commands() {
    static auto* commands = new TCommands;
    return *commands;
}

// The sub-menus are left alone: they belong to the items that made them.
void RemoveAllItems(HMENU menu) {
    while (RemoveMenu(menu, 0, MF_BYPOSITION)) {
    }
}

bool Matches(TMenuItem& item, UINT_PTR value, TFindItemKind kind) {
    switch (kind) {
    case fkCommand:
        return item.Command() == value;
    case fkHandle:
        return item.HandleAllocated() && reinterpret_cast<UINT_PTR>(item.Handle()) == value;
    case fkShortCut:
        return item.ShortCut() != 0 && item.ShortCut() == value;
    }
    return false;
}

TMenuItem* FindIn(TMenuItem* item, UINT_PTR value, TFindItemKind kind) {
    if (Matches(*item, value, kind)) return item;
    for (int i = 0; i < item->Count(); ++i)
        if (TMenuItem* found = FindIn(item->Items(i), value, kind)) return found;
    return nullptr;
}

} // namespace

TMenuItem* FindMenuItem(UINT_PTR value, TFindItemKind kind) {
    const auto& items = Commands().Items();
    if (kind == fkCommand) {
        auto it = items.find(static_cast<UINT>(value));
        return it == items.end() || value > kLastCommand ? nullptr : it->second;
    }
    for (const auto& entry : items)
        if (Matches(*entry.second, value, kind)) return entry.second;
    return nullptr;
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
    return FindIn(FItems, value, kind);
}

// ---- Class registry -----------------------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TMenuItem> b("TMenuItem", TComponent::StaticClassInfo());
        b.Creatable()
            .Bool("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::AutoCheck)
            .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
            .Str("Hint", &TMenuItem::Hint, &TMenuItem::Hint)
            .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
            .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
        return b.Build();
    }();
    return info;
}

void RegisterMenuClasses() {
    for (const TClassInfo* c :
         {&TMenuItem::StaticClassInfo(), &TMainMenu::StaticClassInfo(), &TPopupMenu::StaticClassInfo()})
        RegisterClassInfo(*c);
}

// ---- Life and the tree --------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(Commands().Acquire(this)) {}

TMenuItem::~TMenuItem() {
    ComponentState |= csDestroying;
    Clear();
    Detach();
    Commands().Release(FCommand);
}

void TMenuItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    Clear();
    Detach();
}

void TMenuItem::Detach() {
    if (FParent) FParent->Remove(this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item->FParent || item->FMenu) throw EMenuError("Menu inserted twice");
    if (index < 0 || index > Count()) throw EMenuError("Menu index out of range");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EMenuError("Menu inserted into itself");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    int i = IndexOf(item);
    if (i < 0) return;
    FItems.erase(FItems.begin() + i);
    item->FParent = nullptr;
    ChildrenChanged();
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        FItems.back()->Free();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    std::string plain = StripHotkey(caption);
    for (TMenuItem* item : FItems)
        if (SameText(StripHotkey(item->FCaption), plain)) return item;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

bool TMenuItem::IsTopLevel() const {
    return FParent && FParent->FMenu && FParent->FMenu->IsMenuBar();
}

void TMenuItem::SetParentComponent(TComponent* AParent) {
    if (auto* menu = dynamic_cast<TMenu*>(AParent)) return menu->Items()->Add(this);
    if (auto* item = dynamic_cast<TMenuItem*>(AParent)) return item->Add(this);
    throw EMenuError(Format("'%s' cannot hold menu items", AParent ? AParent->Name().c_str() : ""));
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

std::vector<TMenuItem*> TMenuItem::Siblings() const {
    std::vector<TMenuItem*> out;
    if (FParent)
        std::copy_if(FParent->FItems.begin(), FParent->FItems.end(), std::back_inserter(out),
                     [this](const TMenuItem* s) { return s != this; });
    return out;
}

// ---- Properties ---------------------------------------------------------------------------------

template <class T> void TMenuItem::Change(T& field, const T& value, bool rebuild) {
    if (field == value) return;
    field = value;
    Changed(rebuild);
}

void TMenuItem::SetCaption(const std::string& v) {
    Change(FCaption, v, false);
}

void TMenuItem::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (v && FRadioItem)
        for (TMenuItem* s : Siblings())
            if (s->FRadioItem && s->FGroupIndex == FGroupIndex) s->SetChecked(false);
    Changed(false);
}

void TMenuItem::SetRadioItem(bool v) {
    Change(FRadioItem, v, false);
}

void TMenuItem::SetEnabled(bool v) {
    Change(FEnabled, v, false);
}

void TMenuItem::SetVisible(bool v) {
    Change(FVisible, v, true);
}

void TMenuItem::SetDefault(bool v) {
    if (v == FDefault) return;
    FDefault = v;
    if (v)
        for (TMenuItem* s : Siblings())
            s->SetDefault(false);
    Changed(false);
}

void TMenuItem::SetShortCut(TShortCut v) {
    Change(FShortCut, v, false);
}

void TMenuItem::SetImageIndex(int v) {
    Change(FImageIndex, v, false);
}

void TMenuItem::Click() {
    if (AutoCheck && !IsLine()) SetChecked(FRadioItem || !FChecked);
    OnClick(this);
}

// ---- The native menu ----------------------------------------------------------------------------

void TMenuItem::TDestroyMenu::operator()(HMENU h) const {
    RemoveAllItems(h);
    DestroyMenu(h);
}

HMENU TMenuItem::Handle() {
    if (!FHandle) {
        FHandle.reset(FMenu && FMenu->IsMenuBar() ? CreateMenu() : CreatePopupMenu());
        if (!FHandle) throw EMenuError("Out of system resources");
        RebuildHandle();
    }
    return FHandle.get();
}

TImageList* TMenuItem::Images() const {
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::HasImage() const {
    return FImageIndex >= 0 && Images();
}

bool TMenuItem::IsOwnerDraw() const {
    TMenu* menu = GetParentMenu();
    return (menu && menu->OwnerDraw()) || OnDrawItem || OnAdvancedDrawItem;
}

// Images of items the system draws come through WM_MEASUREITEM / WM_DRAWITEM (HBMMENU_CALLBACK).
MENUITEMINFOW TMenuItem::NativeInfo(std::u16string& text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP | MIIM_STRING;
    bool ownerDraw = IsOwnerDraw();
    info.fType =
        (IsLine() ? MFT_SEPARATOR : 0) | (FRadioItem ? MFT_RADIOCHECK : 0) | (ownerDraw ? MFT_OWNERDRAW : 0);
    info.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0);
    info.wID = FCommand;
    info.hSubMenu = FItems.empty() ? nullptr : Handle();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    info.hbmpItem = HasImage() && !ownerDraw ? HBMMENU_CALLBACK : nullptr;
    text = Utf8ToUtf16(FShortCut ? FCaption + "\t" + ShortCutToText(FShortCut) : FCaption);
    info.dwTypeData = reinterpret_cast<wchar_t*>(text.data());
    info.cch = static_cast<UINT>(text.size());
    return info;
}

// By command: an MDI frame puts items of its own in front of a maximized child's menu bar.
void TMenuItem::UpdateNative() {
    if (!FParent || !FParent->FHandle || !FVisible) return;
    std::u16string text;
    MENUITEMINFOW info = NativeInfo(text);
    SetMenuItemInfoW(FParent->FHandle.get(), FCommand, FALSE, &info);
}

void TMenuItem::RebuildHandle() {
    if (!FHandle || (ComponentState & csDestroying)) return;
    HMENU menu = FHandle.get();
    RemoveAllItems(menu);
    for (TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        std::u16string text;
        MENUITEMINFOW info = item->NativeInfo(text);
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

void TMenuItem::RebuildTree() {
    RebuildHandle();
    for (TMenuItem* item : FItems)
        item->RebuildTree();
}

void TMenuItem::Changed(bool rebuild) {
    if (rebuild && FParent)
        FParent->RebuildHandle();
    else
        UpdateNative();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

// The sub-menu appears in the parent with the first item and goes with the last.
void TMenuItem::ChildrenChanged() {
    if (ComponentState & csDestroying) return;
    RebuildHandle();
    UpdateNative();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, true);
}
