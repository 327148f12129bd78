// The skinned menu bar's behaviour: opening drop-downs, the menu loop that slides between them,
// and the keyboard.
#include "WinSkinForm.h"

#include "Forms.h"
#include "MenuRules.h"
#include "SkinMessages.h"

#include <windowsx.h>

// For one menu loop: the message filter is installed once, and whatever happens the hook goes and
// the loop's state is reset, unless the skinner itself is gone by then (its hook went with it).
class TMenuLoopGuard {
  public:
    explicit TMenuLoopGuard(TWinSkinForm& form) : FForm(form), FLife(form.FLife) {}
    TMenuLoopGuard(const TMenuLoopGuard&) = delete;
    TMenuLoopGuard& operator=(const TMenuLoopGuard&) = delete;
    ~TMenuLoopGuard() {
        if (FLife.expired()) return;
        FForm.FMenuHook.Remove();
        FForm.RestoreOwnerDrawn();
        FForm.InMenuLoop = false;
        FForm.OpenIndex = -1;
        FForm.FSwitchTo = -1;
    }
    void Begin() {
        if (FForm.FMenuHook.Installed()) return;
        FForm.FMenuHook.Install();
        ++FForm.MenuLoops;
    }
    bool Gone() const { return FLife.expired(); }

  private:
    TWinSkinForm& FForm;
    std::weak_ptr<int> FLife;
};

namespace {
constexpr UINT DropDownFlags = TPM_NONOTIFY | TPM_RIGHTBUTTON;

bool IsMenuWindow(HWND wnd) {
    wchar_t name[16] = {};
    GetClassNameW(wnd, name, 16);
    return lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(wnd);
}

BOOL CALLBACK CollectMenuWindow(HWND wnd, LPARAM list) {
    if (IsMenuWindow(wnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

// The open menu windows of this thread, the deepest (topmost) first.
std::vector<HWND> OpenMenuWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The highlighted item of a menu: -1 when none is.
int HilitedItem(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

bool IsSystemCommand(UINT command) {
    static const UINT commands[] = {SC_SIZE,       SC_MOVE,       SC_MINIMIZE, SC_MAXIMIZE,
                                    SC_NEXTWINDOW, SC_PREVWINDOW, SC_CLOSE,    SC_RESTORE};
    for (UINT c : commands)
        if (c == command) return true;
    return false;
}
} // namespace

// ---- The bar ------------------------------------------------------------------------------------

void TWinSkinForm::InitMenuBar() {
    if (!SkinFrame || !MenuHandle || FormStyle == sfsMDIChild || BorderStyle == sbsNone) return;
    MenuBar = std::make_unique<TWinSkinMenu>(*this, SkinData);
    MenuBar->UpdataBtn(MenuHandle);
    DetachMenu();
    FMenuHook.OnHook.Bind(this, &TWinSkinForm::MenuFilter);
}

// The skinned strip stands where the system's menu bar was; the menu goes back at the end.
void TWinSkinForm::DetachMenu() {
    if (HMENU menu = GetMenu(Handle)) {
        MenuHandle = menu;
        FMenuDetached = true;
        SetMenu(Handle, nullptr);
    }
}

void TWinSkinForm::MenuChanged() {
    DetachMenu();
    if (MenuBar && SkinData->MenuUpdate) RebuildMenuBar();
}

void TWinSkinForm::RebuildMenuBar() {
    MenuBar->UpdataBtn(MenuHandle);
    InitMainMenu(true);
    if (!InMenuLoop) UpdateNc(nullptr);
}

TMenuBtn* TWinSkinForm::FindButtonFromAccel(WPARAM charCode) {
    return MenuBar ? MenuBar->FindBtnFromAccel(charCode) : nullptr;
}

void TWinSkinForm::ClickButton(TMenuBtn& item) {
    RECT window{};
    GetWindowRect(Handle, &window);
    POINT p{item.BoundsRect.left + window.left + 1, item.BoundsRect.top + window.top + 1};
    PostMessageW(Handle, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(p.x, p.y));
}

void TWinSkinForm::CancelMenu() {
    InMenuLoop = false;
}

void TWinSkinForm::MenuSelect(TMessage& m) {
    m.Result = 0;
    if (!MenuBar || InMenuLoop) return;
    if (TMenuBtn* b = MenuBar->FindBtn(GetWinXY({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})))
        CheckMenu(*b);
}

// ---- The menu loop ------------------------------------------------------------------------------

bool TWinSkinForm::CheckMenu(TMenuBtn& item) {
    if (InMenuLoop || !MenuBar) return false;
    TMenuLoopGuard guard(*this);
    bool shown = false;
    for (int index = item.Index; index >= 0; index = FSwitchTo) {
        FSwitchTo = -1;
        PostMessageW(Handle, WM_COMMAND, MenuBar->Buttons.at(size_t(index))->CommandId, 0);
        if (!MenuBar->Buttons[size_t(index)]->SubMenu) break;
        guard.Begin();
        bool ran = OpenDropDown(index);
        if (guard.Gone()) return shown || ran;
        shown = shown || ran;
        if (!ran) break;
    }
    return shown;
}

// One drop-down, tracked until it closes; false when the window went meanwhile.
bool TWinSkinForm::OpenDropDown(int index) {
    if (TMenuItem* fw = MenuBar->Buttons[size_t(index)]->FrameworkItem) TidyDropDown(*fw);
    if (size_t(index) >= MenuBar->Buttons.size()) return false;
    TMenuBtn& b = *MenuBar->Buttons[size_t(index)];
    HMENU sub = b.SubMenu;
    RECT r = b.BoundsRect, window{};
    GetWindowRect(Handle, &window);
    OpenIndex = index;
    MakeOwnerDrawn(sub);
    InMenuLoop = true;
    b.State = 2;
    b.Draw();
    if (Host) Host->MenuComing(1);
    GetCursorPos(&FLastCursor);
    std::weak_ptr<int> life = FLife;
    HWND wnd = Handle;
    if (b.Enabled) {
        // Queued before the menu's own messages: the menu opens with its first item selected.
        PostMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
        UINT flags = DropDownFlags | (LeftScrollBar ? TPM_RIGHTALIGN : 0);
        TrackPopupMenu(sub, flags, (LeftScrollBar ? r.right : r.left) + window.left, r.bottom + window.top, 0,
                       wnd, nullptr);
    }
    if (life.expired() || !IsWindow(wnd)) return false;
    RestoreOwnerDrawn();
    if (size_t(index) < MenuBar->Buttons.size()) {
        TMenuBtn& after = *MenuBar->Buttons[size_t(index)];
        after.State = 1;
        after.Draw();
        if (HotObject == &after) HotObject = nullptr;
    }
    Pressed = nullptr;
    return true;
}

// Separators at either end of the drop-down, or doubled, are hidden.
void TWinSkinForm::TidyDropDown(TMenuItem& item) {
    std::vector<TMenuEntry> entries;
    for (int i = 0; i < item.Count(); ++i)
        entries.push_back({item.Items(i)->IsLine(), item.Items(i)->Visible()});
    std::vector<bool> shown = TidySeparators(entries);
    for (int i = 0; i < item.Count(); ++i)
        if (item.Items(i)->Visible() != shown[size_t(i)]) item.Items(i)->SetVisible(shown[size_t(i)]);
}

void TWinSkinForm::SwitchTo(int index) {
    if (index < 0 || index == OpenIndex) return;
    FSwitchTo = index;
    EndMenu();
}

// The bar's items are reached from the drop-downs: the arrow keys at their ends and the mouse.
void TWinSkinForm::MenuFilter(THookMessage& h) {
    if (h.Code != MSGF_MENU || !InMenuLoop || !MenuBar) return;
    MSG& msg = *reinterpret_cast<MSG*>(h.LParam);
    if (msg.message == WM_KEYDOWN && MenuBar->RightToLeft() &&
        (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT))
        msg.wParam = msg.wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
    int target = -1;
    if (msg.message == WM_KEYDOWN)
        target = KeyTarget(msg.wParam);
    else if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU)
        CancelMenu();
    else if (msg.message == WM_MOUSEMOVE)
        target = MouseTarget(msg.pt);
    if (target < 0 || target == OpenIndex) return;
    SwitchTo(target);
    h.Result = 1;
}

// Right on an item without a drop-down of its own, Left on the first level.
int TWinSkinForm::KeyTarget(WPARAM key) {
    if (key != VK_RIGHT && key != VK_LEFT) return -1;
    std::vector<HWND> open = OpenMenuWindows();
    int count = int(MenuBar->Buttons.size());
    if (key == VK_LEFT) return open.size() <= 1 ? WrapBarIndex(OpenIndex, count, -1) : -1;
    HMENU deepest =
        open.empty() ? nullptr : reinterpret_cast<HMENU>(SendMessageW(open.front(), MN_GETHMENU, 0, 0));
    int hilited = deepest ? HilitedItem(deepest) : -1;
    if (hilited >= 0 && GetSubMenu(deepest, hilited)) return -1;
    return WrapBarIndex(OpenIndex, count, 1);
}

int TWinSkinForm::MouseTarget(POINT screen) {
    if (screen.x == FLastCursor.x && screen.y == FLastCursor.y) return -1;
    FLastCursor = screen;
    TMenuBtn* b = MenuBar->FindBtn(GetWinXY(screen));
    return b ? b->Index : -1;
}

// ---- Keyboard -----------------------------------------------------------------------------------

// Alt alone opens the first item, Alt and a letter the item with that accelerator.
bool TWinSkinForm::WMSysKeyMenu(TMessage& m) {
    if (!MenuBar) return false;
    if (InMenuLoop) {
        m.Result = 0;
        return true;
    }
    WPARAM ch = WPARAM(m.LParam);
    if (ch == ' ' || ch == '-' || GetCapture()) return false;
    TMenuBtn* b = ch == 0 ? MenuBar->FirstBtn() : FindButtonFromAccel(ch);
    if (!b && ch != 0) return false;
    m.Result = 1;
    if (b) CheckMenu(*b);
    return true;
}

void TWinSkinForm::CMDialogChar(TMessage& m) {
    FOldWindowProc(m);
    if (m.Result || !MenuBar || InMenuLoop) return;
    bool altOnly = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0;
    TMenuBtn* b = altOnly ? FindButtonFromAccel(m.WParam) : nullptr;
    if (!b) return;
    ClickButton(*b);
    m.Result = 1;
}

// A system command carried by another menu goes on as a system command.
bool TWinSkinForm::WMCommand(TMessage& m) {
    if (m.LParam != 0 || !IsSystemCommand(LOWORD(m.WParam))) return false;
    PostMessageW(Handle, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
    m.Result = 0;
    return true;
}
