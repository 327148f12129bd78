// TPageControl and TTabSheet: pages under the tabs of a tab control, one shown at a time.
#include "ComCtrls.h"

#include <algorithm>

// ---- TPageControl -------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TTabSheet* TPageControl::Pages(int i) const {
    if (i < 0 || i >= PageCount()) TStrings::RaiseIndexError(i);
    return FPages[size_t(i)];
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int i) {
    SetActivePage(i >= 0 && i < PageCount() ? FPages[size_t(i)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    FActivePage = page;
    for (TTabSheet* p : FPages)
        p->SetVisible(p == page);
    SetTabIndex(TabOf(page));
}

int TPageControl::TabOf(const TTabSheet* page) const {
    for (int i = 0; i < TabCount(); ++i)
        if (page && FTabs.Objects(i) == page) return i;
    return -1;
}

int TPageControl::TabImageIndex(int i) const {
    return static_cast<const TTabSheet*>(FTabs.Objects(i))->ImageIndex();
}

void TPageControl::Change() {
    int tab = TabIndex();
    SetActivePage(tab >= 0 ? static_cast<TTabSheet*>(FTabs.Objects(tab)) : nullptr);
    TCustomTabControl::Change();
}

// The first page that comes with a visible tab becomes active.
void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    if (!FActivePage && page->TabVisible()) FActivePage = page;
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    if (FActivePage == page && Destroying()) FActivePage = nullptr;
    UpdateTabs(page);
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    FPages.insert(FPages.begin() + std::clamp(index, 0, PageCount()), page);
    UpdateTabs();
}

void TPageControl::UpdateTabs(const TTabSheet* leaving) {
    if (Destroying()) return;
    int oldTab = TabOf(FActivePage);
    FTabs.Clear();
    for (TTabSheet* p : FPages)
        if (p->TabVisible() && p != leaving) FTabs.AddObject(p->Caption(), p);
    TTabSheet* active = FActivePage;
    if (active && active == leaving)
        active = TabCount() ? static_cast<TTabSheet*>(FTabs.Objects(std::clamp(oldTab, 0, TabCount() - 1)))
                            : nullptr;
    WriteTabs(TabOf(active));
    SetActivePage(active);
    PlacePages();
}

void TPageControl::PlacePages() {
    RECT r = DisplayRect();
    for (TTabSheet* p : FPages)
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::CreateWnd() {
    TCustomTabControl::CreateWnd();
    PlacePages();
}

void TPageControl::WndProc(TMessage& Message) {
    TCustomTabControl::WndProc(Message);
    if (Message.Msg == WM_SIZE) PlacePages();
}

// ---- TTabSheet ----------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clBtnFace);
    SetParentColor(true);
}

TTabSheet::~TTabSheet() {
    LeavePageControl();
}

void TTabSheet::BeforeDestruction() {
    LeavePageControl();
    TWinControl::BeforeDestruction();
}

void TTabSheet::LeavePageControl() {
    if (TPageControl* pages = std::exchange(FPageControl, nullptr)) pages->RemovePage(this);
}

// A page is hidden until its page control shows it.
void TTabSheet::SetParent(TWinControl* AParent) {
    if (AParent == Parent()) return;
    LeavePageControl();
    auto* pages = dynamic_cast<TPageControl*>(AParent);
    if (pages) SetVisible(false);
    TWinControl::SetParent(AParent);
    FPageControl = pages;
    if (pages) pages->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int v) {
    if (FPageControl) FPageControl->MovePage(this, v);
}

int TTabSheet::TabIndex() const {
    return FPageControl ? FPageControl->TabOf(this) : -1;
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == FTabVisible) return;
    FTabVisible = v;
    if (FPageControl) FPageControl->UpdateTabs(v ? nullptr : this);
}

void TTabSheet::SetImageIndex(int v) {
    FImageIndex = v;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
}
