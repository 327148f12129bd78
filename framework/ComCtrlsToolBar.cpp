// TToolBar and TToolButton: the common controls' tool bar, its buttons written from the button
// components; clicks come back as reflected WM_COMMAND, drawing as reflected NM_CUSTOMDRAW.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

#include <algorithm>

const TEnumNames ToolButtonStyleNames{"tbsButton", "tbsCheck", "tbsSeparator"};

namespace {
BYTE ButtonStyle(TToolButtonStyle style, bool grouped) {
    static const BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_SEP};
    return BYTE(styles[style] | (grouped && style == tbsCheck ? BTNS_GROUP : 0));
}
} // namespace

// ---- Class registry -----------------------------------------------------------------------------

const TClassInfo& TToolButton::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TToolButton>("TToolButton", TComponent::StaticClassInfo())
            .Creatable()
            .Str("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
            .Bool("Down", &TToolButton::Down, &TToolButton::SetDown)
            .Bool("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled)
            .Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
            .Str("Hint", &TToolButton::Hint, &TToolButton::Hint)
            .Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
            .Enum("Style", ToolButtonStyleNames, &TToolButton::Style, &TToolButton::SetStyle)
            .Bool("Visible", &TToolButton::Visible, &TToolButton::SetVisible)
            .Int("Width", &TToolButton::Width, &TToolButton::SetWidth)
            .Event("OnClick", &TToolButton::OnClick)
            .Build();
    return info;
}

const TClassInfo& TToolBar::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TToolBar> b("TToolBar", TWinControl::StaticClassInfo());
        b.Creatable()
            .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
            .Obj<TImageList>("Images", &TToolBar::Images, &TToolBar::SetImages)
            .Bool("List", &TToolBar::List, &TToolBar::SetList)
            .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
            .Event("OnCustomDraw", &TToolBar::OnCustomDraw)
            .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

// ---- TToolButton --------------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* AOwner) : TComponent(AOwner) {}

TToolButton::~TToolButton() {
    LeaveToolBar();
}

void TToolButton::BeforeDestruction() {
    LeaveToolBar();
    TComponent::BeforeDestruction();
}

void TToolButton::LeaveToolBar() {
    if (TToolBar* bar = std::exchange(FToolBar, nullptr)) bar->RemoveButton(this);
}

void TToolButton::SetToolBar(TToolBar* v) {
    if (v == FToolBar) return;
    LeaveToolBar();
    FToolBar = v;
    if (v) v->InsertButton(this);
}

void TToolButton::SetParentComponent(TComponent* AParent) {
    auto* bar = dynamic_cast<TToolBar*>(AParent);
    if (!bar) throw Exception(Format("Tool button '%s' belongs in a tool bar", Name().c_str()));
    SetToolBar(bar);
}

TComponent* TToolButton::GetParentComponent() const {
    return FToolBar;
}

int TToolButton::Index() const {
    if (!FToolBar) return -1;
    const auto& buttons = FToolBar->FButtons;
    return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

template <class V> void TToolButton::Change(V& field, const V& v) {
    FDown = Down(); // the window knows whether the user turned it
    if (field == v) return;
    field = v;
    if (FToolBar) FToolBar->UpdateButton(this);
}

void TToolButton::SetCaption(const std::string& v) {
    Change(FCaption, v);
}

void TToolButton::SetImageIndex(int v) {
    Change(FImageIndex, v);
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    Change(FStyle, v);
}

bool TToolButton::Down() const {
    if (!FToolBar || !FToolBar->HandleAllocated()) return FDown;
    return SendTo(*FToolBar, TB_ISBUTTONCHECKED, WPARAM(FCommand)) != 0;
}

void TToolButton::SetDown(bool v) {
    Change(FDown, v);
}

void TToolButton::SetGrouped(bool v) {
    Change(FGrouped, v);
}

void TToolButton::SetEnabled(bool v) {
    Change(FEnabled, v);
}

void TToolButton::SetVisible(bool v) {
    Change(FVisible, v);
}

void TToolButton::SetWidth(int v) {
    Change(FWidth, v);
}

// ---- TToolBar -----------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* AOwner)
    : TWinControl(AOwner), FImages(std::make_unique<TImagesLink>(*this, [this] {
          if (HandleAllocated()) RecreateWnd(); // the buttons take the images' size
      })) {
    StoreBounds({0, 0, 150, 29});
    SetAlign(alTop);
    SetColor(clBtnFace);
    SetParentColor(true);
}

TToolBar::~TToolBar() {
    FreeButtons();
}

void TToolBar::BeforeDestruction() {
    FreeButtons();
    TWinControl::BeforeDestruction();
}

void TToolBar::FreeButtons() {
    ComponentState |= csDestroying;
    while (!FButtons.empty())
        FButtons.back()->Free();
}

TToolButton* TToolBar::Buttons(int i) const {
    if (i < 0 || i >= ButtonCount()) TStrings::RaiseIndexError(i);
    return FButtons[size_t(i)];
}

TImageList* TToolBar::Images() const {
    return FImages->Get();
}

void TToolBar::SetImages(TImageList* v) {
    FImages->Set(v);
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    FImages->Notification(AComponent, Operation);
}

void TToolBar::SetFlat(bool v) {
    SetStyleField(*this, FFlat, v);
}

void TToolBar::SetShowCaptions(bool v) {
    SetStyleField(*this, FShowCaptions, v);
}

void TToolBar::SetList(bool v) {
    SetStyleField(*this, FList, v);
}

RECT TToolBar::ButtonRect(const TToolButton* button) const {
    RECT r{};
    if (HandleAllocated() && button && button->FToolBar == this)
        SendTo(*this, TB_GETRECT, WPARAM(button->FCommand), reinterpret_cast<LPARAM>(&r));
    return r;
}

TToolButton* TToolBar::FindButton(UINT_PTR command) const {
    for (TToolButton* b : FButtons)
        if (UINT_PTR(b->FCommand) == command) return b;
    return nullptr;
}

BYTE TToolBar::ButtonState(const TToolButton& button) const {
    return BYTE((button.FEnabled ? TBSTATE_ENABLED : 0) | (button.FDown ? TBSTATE_CHECKED : 0) |
                (button.FVisible ? 0 : TBSTATE_HIDDEN));
}

// The lowest number no button has: a click reports it in 16 bits.
int TToolBar::FreeCommand() const {
    int command = 1;
    while (FindButton(UINT_PTR(command)))
        ++command;
    return command;
}

void TToolBar::InsertButton(TToolButton* button) {
    button->FCommand = FreeCommand();
    FButtons.push_back(button);
    if (HandleAllocated()) WriteButton(*button, ButtonCount() - 1);
}

// A separator's image number is its width.
void TToolBar::WriteButton(const TToolButton& button, int index) {
    std::u16string text = Utf8ToUtf16(button.FCaption);
    TBBUTTON b{};
    b.iBitmap = button.FStyle == tbsSeparator ? button.FWidth : button.FImageIndex;
    b.idCommand = button.FCommand;
    b.fsState = ButtonState(button);
    b.fsStyle = ButtonStyle(button.FStyle, button.FGrouped);
    b.iString = FShowCaptions ? reinterpret_cast<INT_PTR>(text.c_str()) : -1;
    Perform(TB_INSERTBUTTONW, WPARAM(index), reinterpret_cast<LPARAM>(&b));
    Perform(TB_AUTOSIZE);
}

void TToolBar::RemoveButton(TToolButton* button) {
    auto it = std::find(FButtons.begin(), FButtons.end(), button);
    int i = static_cast<int>(it - FButtons.begin());
    FButtons.erase(it);
    if (HandleAllocated() && !Destroying()) Perform(TB_DELETEBUTTON, WPARAM(i));
}

// Changed in place: a button may change from its own OnClick, while the window is still busy with it.
void TToolBar::UpdateButton(const TToolButton* button) {
    if (!HandleAllocated()) return;
    std::u16string text = Utf8ToUtf16(button->FCaption);
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE | TBIF_STATE | TBIF_STYLE | (FShowCaptions ? TBIF_TEXT : 0);
    info.iImage = button->FStyle == tbsSeparator ? button->FWidth : button->FImageIndex;
    info.fsState = ButtonState(*button);
    info.fsStyle = ButtonStyle(button->FStyle, button->FGrouped);
    info.pszText = reinterpret_cast<wchar_t*>(text.data());
    Perform(TB_SETBUTTONINFOW, WPARAM(button->FCommand), reinterpret_cast<LPARAM>(&info));
    Perform(TB_AUTOSIZE);
}

void TToolBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    NeedCommonControls(ICC_BAR_CLASSES);
    CreateSubClass(Params, TOOLBARCLASSNAMEW);
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (FFlat ? TBSTYLE_FLAT : 0) |
                    (FList ? TBSTYLE_LIST : 0);
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    Perform(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    Perform(TB_SETIMAGELIST, 0, FImages->LParam());
    for (int i = 0; i < ButtonCount(); ++i)
        WriteButton(*FButtons[size_t(i)], i);
}

void TToolBar::DestroyWnd() {
    for (TToolButton* b : FButtons)
        b->FDown = b->Down();
    TWinControl::DestroyWnd();
}

void TToolBar::CustomDraw(TMessage& Message) {
    const NMCUSTOMDRAW& n = reinterpret_cast<const NMTBCUSTOMDRAW*>(Message.LParam)->nmcd;
    bool defaultDraw = true;
    if (n.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) {
            TLentCanvas lent(FCanvas, n.hdc);
            UseControlLook(FCanvas, *this);
            OnCustomDraw(this, n.rc, defaultDraw);
        }
        Message.Result = !defaultDraw         ? CDRF_SKIPDEFAULT
                         : OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW
                                              : CDRF_DODEFAULT;
    } else if (n.dwDrawStage == CDDS_ITEMPREPAINT) {
        TToolButton* button = FindButton(n.dwItemSpec);
        if (button && OnCustomDrawButton) {
            TLentCanvas lent(FCanvas, n.hdc);
            UseControlLook(FCanvas, *this);
            OnCustomDrawButton(this, button, n.uItemState, defaultDraw);
        }
        Message.Result = defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
}

void TToolBar::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND) {
        if (TToolButton* button = FindButton(LOWORD(Message.WParam))) button->Click();
        return;
    }
    if (Message.Msg == CN_NOTIFY) {
        if (reinterpret_cast<const NMHDR*>(Message.LParam)->code == NM_CUSTOMDRAW) CustomDraw(Message);
        return;
    }
    TWinControl::WndProc(Message);
}
