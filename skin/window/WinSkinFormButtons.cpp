// Caption buttons: visibility, layout, the window commands, and the non-client mouse.
#include "WinSkinForm.h"

#include "SkinMessages.h"
#include "WinSubClass.h"

#include <windowsx.h>

TButtonScene TWinSkinForm::Scene() const {
    TButtonScene s;
    s.Maximized = Maximized();
    s.Active = Active;
    s.DialogClass = IsDialogBox;
    s.Border = BorderStyle;
    s.Icons = BorderIcons;
    s.MDIChildMaximized = MenuBar && MDIChildMax();
    HWND wnd = Handle;
    s.Custom = [wnd](int action, int code) {
        return SendMessageW(wnd, WM_SKINBUTTONVISIBLE, WPARAM(action), code) > 0;
    };
    return s;
}

TButtonPlace TWinSkinForm::Place() const {
    TButtonPlace p;
    p.FrameWidth = FrameWidth;
    p.BorderLeft = Frame.Left;
    p.BorderTop = Frame.Top;
    p.BorderRight = Frame.Right;
    p.MenuBarHeight = Frame.MenuBar;
    p.MenuLeft = SkinData->MenuBarSkin ? int(SkinData->MenuBarSkin->Margins.left) : 0;
    p.LeftScrollBar = LeftScrollBar;
    // Buttons aligned to the references stand inside the side strips.
    p.RefA = FrameWidth - Frame.Right;
    p.RefB = Frame.Left;
    return p;
}

// An icon button without an image of its own takes the small icon's size.
SIZE TWinSkinForm::ButtonSize(const TWinSysButton& b) const {
    const TBitmap& image = b.Def.Image;
    if (image.Empty()) return DrawsIconImage(b.Def.Action) ? SIZE{IconSize, IconSize} : SIZE{0, 0};
    return {image.Width() / b.Def.Frame, image.Height()};
}

bool TWinSkinForm::Checkvisible(size_t i) {
    TWinSysButton& b = *SysButtons.at(i);
    b.Visible = ButtonVisible(b.Def, Scene());
    return b.Visible;
}

void TWinSkinForm::SetSysbtnRect() {
    TButtonPlace place = Place();
    for (size_t i = 0; i < SysButtons.size(); ++i) {
        TWinSysButton& b = *SysButtons[i];
        SIZE size = ButtonSize(b);
        if (!Checkvisible(i) || size.cx <= 0 || size.cy <= 0) continue;
        POINT at = ButtonOrigin(b.Def, size, place);
        b.BoundsRect = {at.x, at.y, at.x + size.cx, at.y + size.cy};
    }
}

TWinSysButton* TWinSkinForm::FindBtn(POINT p) {
    for (auto& b : SysButtons)
        if (b->Visible && b->Def.Action >= 0 && PtInRect(&b->BoundsRect, p)) return b.get();
    return nullptr;
}

POINT TWinSkinForm::GetWinXY(POINT screen) const {
    POINT p = screen;
    ScreenToClient(Handle, &p);
    if (!(FormStyle == sfsMDIChild && Minimized())) {
        p.x += Frame.Left;
        p.y += Frame.Top + Frame.MenuBar;
    }
    return p;
}

TWinSysButton* TWinSkinForm::ButtonAt(LPARAM screenPoint) {
    return FindBtn(GetWinXY({GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)}));
}

// A caption button, else a menu bar item.
TNCObject* TWinSkinForm::ObjectAt(LPARAM screenPoint) {
    if (TWinSysButton* b = ButtonAt(screenPoint)) return b;
    if (!MenuBar) return nullptr;
    return MenuBar->FindBtn(GetWinXY({GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)}));
}

// ---- Commands ------------------------------------------------------------------------------------

void TWinSkinForm::SysBtnAction(POINT screen) {
    auto* b = dynamic_cast<TWinSysButton*>(HotObject);
    if (!b) return;
    int action = b->Def.Action;
    switch (action) {
    case -1:
        return;
    case 0:
        PostClose(SC_CLOSE);
        return;
    case 1:
    case 22:
        Maximize();
        return;
    case 2:
    case 23:
        Minimize();
        return;
    case 3:
    case 11:
    case 12:
        PopSysmenu({screen.x + 1, screen.y + 1});
        return;
    case 7:
    case 60:
        MDIChildAction(SC_MINIMIZE);
        return;
    case 8:
    case 61:
        MDIChildAction(SC_RESTORE);
        return;
    case 9:
    case 62:
        MDIChildAction(SC_CLOSE);
        return;
    default:
        PostMessageW(Handle, WM_SKINBUTTONACTION, WPARAM(action), 0);
    }
}

// Every way of closing from the frame asks the system menu first.
void TWinSkinForm::PostClose(UINT command) {
    if (!CheckSysmenu()) return;
    HoverTimer->SetEnabled(false);
    if (command == SC_CLOSE)
        PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        PostMessageW(Handle, WM_CLOSE, 0, 0);
}

bool TWinSkinForm::CheckSysmenu() {
    HMENU menu = SysMenuHandle ? SysMenuHandle : GetSystemMenu(Handle, FALSE);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!menu || !GetMenuItemInfoW(menu, SC_CLOSE, FALSE, &info)) return false;
    return !(info.fState & MFS_DISABLED);
}

void TWinSkinForm::Maximize() {
    if (Maximized()) return Restore();
    WindowState = swsMax;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::Restore() {
    WindowState = swsNormal;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::Minimize() {
    if (Minimized()) return Restore();
    WindowState = swsMin;
    UpdateStyle(false);
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::MDIChildAction(UINT command) {
    if (FormStyle != sfsMDIform || !MDIClient) return;
    HWND child = reinterpret_cast<HWND>(SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, 0));
    if (child) SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// A second call within the double-click time while a button is hot is a double click on the icon:
// the window closes.
void TWinSkinForm::PopSysmenu(POINT screen) {
    DWORD now = GetTickCount();
    if (now - FLastSysMenuTick > FDoubleClickTime) {
        FLastSysMenuTick = now;
        if (Host) Host->MenuComing(2);
        CreateSysmenu2();
        SysMenu->Popup(screen.x, screen.y);
    } else if (HotObject) {
        PostClose(WM_CLOSE);
    }
}

// ---- The non-client mouse --------------------------------------------------------------------------

// The system's answer stands for the borders and the client area; the rest of the title bar is
// caption (its top three rows keep the system's answer), the menu strip is menu, and what is left
// below them is border.
void TWinSkinForm::WMNCHitTest(TMessage& m) {
    Default(m);
    if (m.Result != HTNOWHERE && m.Result != HTCAPTION) return;
    POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    RECT window{};
    GetWindowRect(Handle, &window);
    if (!PtInRect(&window, screen)) return;
    POINT p = GetWinXY(screen);
    if (p.y >= Frame.Top + Frame.MenuBar)
        m.Result = HTBORDER;
    else if (p.y >= Frame.Top && Frame.MenuBar > 0)
        m.Result = HTMENU;
    else if (p.y > 3)
        m.Result = HTCAPTION;
}

bool TWinSkinForm::WMNCMouseMove(TMessage& m) {
    if (!Active || InMenuLoop) return true;
    if (TNCObject* b = ObjectAt(m.LParam)) {
        b->MouseEnter();
        return true;
    }
    if (HotObject) HotObject->MouseLeave();
    return false;
}

bool TWinSkinForm::WMNCLButtonDown(TMessage& m) {
    if (TWinSysButton* b = ButtonAt(m.LParam)) {
        if (!Active) SetForegroundWindow(Handle);
        Pressed = b;
        b->MouseDown();
        return true;
    }
    if (TMenuBtn* item = MenuBar
                             ? MenuBar->FindBtn(GetWinXY({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}))
                             : nullptr) {
        if (!Active) SetForegroundWindow(Handle);
        item->MouseDown();
        CheckMenu(*item);
        return true;
    }
    // The rest of the strip is ours too: the system has no menu bar there to track.
    if (m.WParam == HTMENU && MenuBar) return true;
    if (Maximized() && Active && m.WParam == HTCAPTION) m.WParam = HTMENU;
    return false;
}

// Only the button that was pressed acts, and only when released over itself.
bool TWinSkinForm::WMNCLButtonUp(TMessage& m) {
    TWinSysButton* b = ButtonAt(m.LParam);
    TNCObject* pressed = std::exchange(Pressed, nullptr);
    if (!b) return false;
    if (b == pressed && b == HotObject) {
        b->MouseUp();
        SysBtnAction({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    }
    return true;
}

bool TWinSkinForm::WMNCLButtonDblClk(TMessage& m) {
    if (TWinSysButton* b = ButtonAt(m.LParam)) {
        if (DrawsIconImage(b->Def.Action)) PostClose(SC_CLOSE);
        return true;
    }
    if (m.WParam != HTCAPTION) return false;
    if (Maximized() || Minimized())
        Restore();
    else if (BorderIcons.Contains(sbiMax))
        Maximize();
    else
        return false;
    return true;
}

bool TWinSkinForm::WMNCRButtonUp(TMessage& m) {
    if (m.WParam != HTCAPTION || FormStyle == sfsMDIChild) return false;
    PopSysmenu({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
    return true;
}

void TWinSkinForm::OnTimer(TObject*) {
    if (InMenuLoop) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (HotObject && !PtInRect(&HotObject->BoundsRect, GetWinXY(cursor))) HotObject->MouseLeave();
    // Framework controls report their own leaving; bare windows may miss theirs.
    RECT r{};
    TSkinControl* hover = Controls ? Controls->HoverControl : nullptr;
    if (!Form && hover && !(GetWindowRect(hover->Handle, &r) && PtInRect(&r, cursor))) EndControlHover();
}

void TWinSkinForm::EndControlHover() {
    if (!Controls || !Controls->HoverControl) return;
    TSkinControl* hover = Controls->HoverControl;
    Controls->HoverControl = nullptr;
    hover->MouseLeave();
}
