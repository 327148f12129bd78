// TCustomTabControl and TTabControl: the common controls' tab control, its tabs written from a string
// list, the user's choice of a tab reflected back as TCN_SELCHANGING and TCN_SELCHANGE.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

const TEnumNames TabPositionNames{"tpTop", "tpBottom", "tpLeft", "tpRight"};
const TEnumNames TabStyleNames{"tsTabs", "tsButtons", "tsFlatButtons"};

namespace {
// Tabs on a side need several rows: the control cannot scroll them.
DWORD TabStyleBits(TTabPosition position, TTabStyle style) {
    static const DWORD positions[] = {0, TCS_BOTTOM, TCS_VERTICAL | TCS_MULTILINE,
                                      TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE};
    static const DWORD styles[] = {TCS_TABS, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
    return positions[position] | styles[style];
}

template <class T> TClassBuilder<T>& PublishTabControl(TClassBuilder<T>& b) {
    b.Bool("HotTrack", &T::HotTrack, &T::SetHotTrack)
        .template Obj<TImageList>("Images", &T::Images, &T::SetImages)
        .Bool("MultiLine", &T::MultiLine, &T::SetMultiLine)
        .Enum("Style", TabStyleNames, &T::Style, &T::SetStyle)
        .Enum("TabPosition", TabPositionNames, &T::TabPosition, &T::SetTabPosition)
        .Event("OnChange", static_cast<TNotifyEvent T::*>(&T::OnChange))
        .Event("OnChanging", static_cast<TTabChangingEvent T::*>(&T::OnChanging));
    return PublishTabs(PublishLook(b));
}
} // namespace

// ---- Class registry -----------------------------------------------------------------------------

const TClassInfo& TCustomTabControl::StaticClassInfo() {
    static const TClassInfo info{"TCustomTabControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TTabControl::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TTabControl> b("TTabControl", TCustomTabControl::StaticClassInfo());
        b.Creatable()
            .Obj<TStrings>("Tabs", [](const TTabControl& t) { return &const_cast<TTabControl&>(t).Tabs(); })
            .Int("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
        return PublishTabControl(b).Build();
    }();
    return info;
}

const TClassInfo& TPageControl::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TPageControl> b("TPageControl", TCustomTabControl::StaticClassInfo());
        b.Creatable().Obj<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
        return PublishTabControl(b).Build();
    }();
    return info;
}

const TClassInfo& TTabSheet::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TTabSheet> b("TTabSheet", TWinControl::StaticClassInfo());
        b.Creatable()
            .Int("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex)
            .Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
            .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
            .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Obj<TFont>("Font", [](const TTabSheet& c) { return const_cast<TFont*>(&c.Font()); })
            .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
        return PublishCaption(b).Build();
    }();
    return info;
}

// ---- TCustomTabControl --------------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), FImages(std::make_unique<TImagesLink>(*this, [this] {
          if (HandleAllocated()) Perform(TCM_SETIMAGELIST, 0, FImages->LParam());
      })) {
    StoreBounds({0, 0, 289, 193});
    SetTabStop(true);
    SetColor(clBtnFace);
    SetParentColor(true);
}

TCustomTabControl::~TCustomTabControl() = default;

void TCustomTabControl::SetTabPosition(TTabPosition v) {
    SetStyleField(*this, FTabPosition, v);
}

void TCustomTabControl::SetStyle(TTabStyle v) {
    SetStyleField(*this, FStyle, v);
}

void TCustomTabControl::SetMultiLine(bool v) {
    SetStyleField(*this, FMultiLine, v);
}

void TCustomTabControl::SetHotTrack(bool v) {
    SetStyleField(*this, FHotTrack, v);
}

TImageList* TCustomTabControl::Images() const {
    return FImages->Get();
}

void TCustomTabControl::SetImages(TImageList* v) {
    FImages->Set(v);
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    FImages->Notification(AComponent, Operation);
}

// Before the tabs exist a stored index waits for them.
int TCustomTabControl::TabIndex() const {
    if (HandleAllocated()) return int(SendTo(*this, TCM_GETCURSEL));
    return FTabIndex < TabCount() ? FTabIndex : -1;
}

void TCustomTabControl::SetTabIndex(int v) {
    FTabIndex = v;
    if (HandleAllocated()) Perform(TCM_SETCURSEL, v < TabCount() ? v : -1);
}

RECT TCustomTabControl::DisplayRect() const {
    RECT r = ClientRect();
    if (HandleAllocated()) SendTo(*this, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const {
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO hit{{x, y}, 0};
    return int(SendTo(*this, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TCustomTabControl::WriteTabs(int selected) {
    if (!HandleAllocated()) return;
    Perform(TCM_DELETEALLITEMS);
    for (int i = 0; i < TabCount(); ++i) {
        std::u16string text = Utf8ToUtf16(FTabs[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = reinterpret_cast<wchar_t*>(text.data());
        item.iImage = TabImageIndex(i);
        Perform(TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SetTabIndex(selected);
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    OnChange(this);
}

void TCustomTabControl::SelectNextTab(bool forward) {
    int count = TabCount(), current = TabIndex();
    if (count == 0) return;
    int from = current >= 0 ? current : forward ? -1 : 0;
    int next = (from + (forward ? 1 : -1) + count) % count;
    if (next == current || !CanChange()) return;
    SetTabIndex(next);
    Change();
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    NeedCommonControls(ICC_TAB_CLASSES);
    CreateSubClass(Params, WC_TABCONTROLW);
    Params.Style |= WS_CLIPCHILDREN | TabStyleBits(FTabPosition, FStyle) | (FMultiLine ? TCS_MULTILINE : 0) |
                    (FHotTrack ? TCS_HOTTRACK : 0);
}

void TCustomTabControl::CreateWnd() {
    TWinControl::CreateWnd();
    Perform(TCM_SETIMAGELIST, 0, FImages->LParam());
    WriteTabs(FTabIndex);
}

void TCustomTabControl::DestroyWnd() {
    FTabIndex = TabIndex();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::Notified(TMessage& Message) {
    switch (reinterpret_cast<const NMHDR*>(Message.LParam)->code) {
    case TCN_SELCHANGING:
        Message.Result = !CanChange();
        break;
    case TCN_SELCHANGE:
        Change();
        break;
    }
}

// Ctrl+Tab and Ctrl+Shift+Tab step through the tabs while the focus is inside the control.
bool TCustomTabControl::DialogKey(TMessage& Message) {
    if (Message.WParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0 || !HandleAllocated()) return false;
    HWND focus = GetFocus();
    if (focus != Handle() && !IsChild(Handle(), focus)) return false;
    SelectNextTab(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return true;
}

void TCustomTabControl::WndProc(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY) return Notified(Message);
    if (Message.Msg == CM_DIALOGKEY && DialogKey(Message)) return;
    TWinControl::WndProc(Message);
}

// ---- TTabControl --------------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
    FTabs.OnChange.Bind(this, &TTabControl::TabsChanged);
}

// The selection keeps its place, as far as there are tabs.
void TTabControl::TabsChanged(TObject*) {
    if (HandleAllocated()) WriteTabs(std::min(TabIndex(), TabCount() - 1));
}
