// The form skinner's window procedure: three levels of messages, and the form handler.
#include "WinSkinForm.h"

#include "Forms.h"
#include "Guards.h"
#include "SkinDraw.h"
#include "SkinMessages.h"

void TWinSkinForm::Default(TMessage& m) {
    FSubclass.CallPrevious(m);
}

void TWinSkinForm::WinWndProc(TMessage& m) {
    if (m.Msg == WM_NCDESTROY) return WMNCDestroy(m);
    if (SkinState == 0 && m.Msg == WM_NCPAINT) {
        m.Result = 0;
        return;
    }
    if (Level1(m)) return;
    if (!SkinFrame) return Default(m);
    if (Level2(m)) return;
    Level3(m);
}

// Every skinned window.
bool TWinSkinForm::Level1(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        WMEraseBkgnd(m);
        return true;
    case WM_NCACTIVATE:
        // Before activation the frame is not ours to paint yet, and deactivation is never vetoed.
        if (!Activated && FormStyle != sfsMDIChild) {
            m.Result = TRUE;
            return true;
        }
        if (SkinFrame) return false;
        Default(m);
        return true;
    case WM_UNDOCUMENTEDCAPTION:
        m.Result = 0;
        return true;
    case WM_CTLCOLORBTN:
        Default(m);
        if (!Form) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        return true;
    case WM_CTLCOLORSTATIC:
        WMCtlColor(m);
        return true;
    case WM_SKINACTIVATE:
        if (!Activated) Activate();
        m.Result = 0;
        return true;
    case WM_SKINQUERY:
        m.Result = 1;
        return true;
    default:
        return false;
    }
}

// Windows with a skinned frame.
bool TWinSkinForm::Level2(TMessage& m) {
    if (IsChildWindow && FormStyle != sfsMDIChild) {
        Default(m);
        return true;
    }
    switch (m.Msg) {
    case WM_ACTIVATE:
        Active = LOWORD(m.WParam) != WA_INACTIVE;
        return false;
    case WM_NCACTIVATE:
        Active = m.WParam != 0;
        return false;
    case WM_SIZE:
        WMSize(m);
        return true;
    case WM_GETMINMAXINFO:
        WMGetMinMaxInfo(m);
        return true;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        Default(m);
        return true;
    case WM_SYSCOMMAND:
        WMSysCommand(m);
        return true;
    case WM_SETTEXT:
        if (Form) return false;
        WMSetText(m);
        return true;
    case CM_MENUCHANGED: {
        {
            TRestore<bool> quiet(SkinData->FramePainting, false);
            Default(m);
        }
        MenuChanged();
        return true;
    }
    case WM_COMMAND:
        return WMCommand(m);
    case WM_SKINMENUSELECT:
        MenuSelect(m);
        return true;
    default:
        return false;
    }
}

// The frame itself, once it is ours.
void TWinSkinForm::Level3(TMessage& m) {
    if ((FormStyle == sfsMDIChild && Maximized()) || SkinState == 0) return Default(m);
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        return WMNCCalcSize(m);
    case WM_NCPAINT:
        return WMNCPaint(m);
    case WM_NCACTIVATE:
        return WMNCActivate(m);
    case WM_NCHITTEST:
        return WMNCHitTest(m);
    case WM_WINDOWPOSCHANGING:
        return WMWindowPosChanging(m);
    case WM_SETICON:
        return WMSetIcon(m);
    case WM_SKINFRAMEPAINT:
        return UpdateNc(nullptr);
    }
    if (NCMouse(m))
        m.Result = 0;
    else
        Default(m);
}

// A non-client mouse message the caption buttons took (or that is ignored) goes no further.
bool TWinSkinForm::NCMouse(TMessage& m) {
    switch (m.Msg) {
    case WM_NCMOUSEMOVE:
        return WMNCMouseMove(m);
    case WM_NCLBUTTONDOWN:
        return WMNCLButtonDown(m);
    case WM_NCLBUTTONUP:
        return WMNCLButtonUp(m);
    case WM_NCLBUTTONDBLCLK:
        return WMNCLButtonDblClk(m);
    case WM_NCRBUTTONUP:
        return WMNCRButtonUp(m);
    default:
        return false;
    }
}

// The system would draw its own caption with the new icon.
void TWinSkinForm::WMSetIcon(TMessage& m) {
    SendMessageW(Handle, WM_SETREDRAW, FALSE, 0);
    Default(m);
    SendMessageW(Handle, WM_SETREDRAW, TRUE, 0);
    GetIcon();
    UpdateNc(nullptr);
}

void TWinSkinForm::WMNCCalcSize(TMessage& m) {
    bool own = !(FormStyle == sfsMDIChild && WindowState != swsNormal) && BorderStyle != sbsNone;
    if (!m.WParam) {
        RECT window = *reinterpret_cast<RECT*>(m.LParam);
        Default(m);
        if (own) *reinterpret_cast<RECT*>(m.LParam) = ClientAreaOf(window, Frame);
        m.Result = 0;
        return;
    }
    auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    RECT window = p->rgrc[0];
    Default(m);
    if (own) {
        RECT client = ClientAreaOf(window, Frame);
        client.right = Max(client.left, client.right);
        client.bottom = Max(client.top, client.bottom);
        p->rgrc[0] = client;
    }
    p->rgrc[1] = p->rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::WMNCPaint(TMessage& m) {
    UpdateStyle(true);
    m.Result = 0;
    if (!SkinData->FramePainting) return;
    if (BorderStyle == sbsNone) return Default(m);
    UpdateNc(nullptr);
}

void TWinSkinForm::WMNCActivate(TMessage& m) {
    Active = m.WParam != 0;
    HoverTimer->SetEnabled(Active);
    if (!Active) EndControlHover();
    if (FormStyle == sfsMDIform && MDIClient) SendMessageW(MDIClient, WM_NCACTIVATE, m.WParam, m.LParam);
    if (FormStyle == sfsMDIChild) Default(m);
    UpdateNc(nullptr);
    m.Result = 1;
}

bool TWinSkinForm::RegionFollowsSize() const {
    bool mdiOk = FormStyle != sfsMDIChild || WindowState == swsNormal;
    return !Minimized() && (SkinState == 1 || SkinState == 3) && mdiOk;
}

void TWinSkinForm::WMSize(TMessage& m) {
    Default(m);
    WindowState = WindowStateOfSize(m.WParam, WindowState);
    // The frame sorts its children's looks and its strip out once the change has settled.
    if (FormStyle == sfsMDIChild && Host && Maximized() != Host->MDIMaximized())
        PostMessageW(GetParent(Handle), WM_SKINMDIREPAINT, reinterpret_cast<WPARAM>(Handle), 0);
    if (!RegionFollowsSize()) return;
    // Normally the region was made for this size already. Otherwise the frame was painted through
    // the old one and what it cut off is painted now: a redrawing region change would erase the
    // whole client once more.
    Cropwindow(false);
    UpdateNc(nullptr);
}

// The region is made for the new size before the window takes it, so the frame painted on the way
// is not clipped by the old one: a growing window shows no unpainted strip.
void TWinSkinForm::WMWindowPosChanging(TMessage& m) {
    Default(m);
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (!(pos->flags & SWP_NOSIZE) && RegionFollowsSize()) CropTo({pos->cx, pos->cy}, false);
}

void TWinSkinForm::WMGetMinMaxInfo(TMessage& m) {
    Default(m);
    ReadWindowState();
    EnableSysbtn(Minimized() || (FormStyle == sfsMDIChild && Maximized()));
}

void TWinSkinForm::WMSysCommand(TMessage& m) {
    UINT command = UINT(m.WParam & 0xFFF0);
    if (command == SC_KEYMENU && WMSysKeyMenu(m)) return;
    if (command == SC_KEYMENU && m.LParam == ' ') {
        RECT client{};
        GetClientRect(Handle, &client);
        POINT p{0, 0};
        ClientToScreen(Handle, &p);
        PopSysmenu(p);
        m.Result = 0;
        return;
    }
    if (command == SC_MINIMIZE) {
        WindowState = swsMin;
        if (FormStyle == sfsMDIChild) EnableSysbtn(true);
    } else if (command == SC_MAXIMIZE) {
        WindowState = swsMax;
    } else if (command == SC_RESTORE) {
        WindowState = swsNormal;
        if (FormStyle == sfsMDIChild) EnableSysbtn(false);
    }
    Default(m);
}

void TWinSkinForm::WMEraseBkgnd(TMessage& m) {
    Default(m);
    if (!Form) {
        RECT client{};
        GetClientRect(Handle, &client);
        FillRect(reinterpret_cast<HDC>(m.WParam), &client, SkinData->FaceBrush);
    }
    m.Result = 1;
}

void TWinSkinForm::WMCtlColor(TMessage& m) {
    Default(m);
    if (Form) return;
    SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
    m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush.get());
}

// The system would draw its own caption with the new text: it is told nothing is visible while
// the text changes, then the skinned title bar shows it.
void TWinSkinForm::WMSetText(TMessage& m) {
    auto passOn = [this](TMessage& msg) { Form&& FFormHooked ? FOldWindowProc(msg) : Default(msg); };
    if (!IsWindowVisible(Handle) || SkinState != 1) return passOn(m);
    std::weak_ptr<int> life = FLife;
    HWND wnd = Handle;
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    passOn(m);
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    if (!IsUnicode) {
        // An ANSI window's pending paints run now; any of them may free the window or this object.
        Application->ProcessMessages();
        if (life.expired() || !IsWindow(wnd)) return;
    }
    if (Maximized() && FormStyle == sfsMDIChild)
        PostMessageW(GetParent(wnd), WM_SKINMDIREPAINT, reinterpret_cast<WPARAM>(wnd), 0);
    else if (Maximized() || Minimized())
        UpdateNc(nullptr);
    else
        Refresh();
}

// The window's own procedure has had the message and the subclass has let go.
void TWinSkinForm::WMNCDestroy(TMessage&) {
    SkinState = 4;
    if (HoverTimer) HoverTimer->SetEnabled(false);
    HotObject = Pressed = nullptr;
    if (FFormHooked && Form) Form->WindowProc = FOldWindowProc;
    FFormHooked = false;
    if (Controls) Controls->DeleteControls();
    InitMainMenu(false);
    SkinState = 6;
}

// The form handler, in front of the framework form's own.
void TWinSkinForm::NewWndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        return WMSetText(m);
    case WM_SKINCHANGED:
        return SkinChange();
    case WM_SKINPAINTNC:
        if (m.LParam != SkinMessageTag) break;
        if (m.WParam) UpdateNc(reinterpret_cast<HDC>(m.WParam));
        m.Result = SkinMessageTag;
        return;
    case WM_SKINASK:
        m.Result = m.LParam == SkinMessageTag ? SkinMessageTag : 1;
        return;
    case CM_DIALOGCHAR:
        return CMDialogChar(m);
    }
    FOldWindowProc(m);
}
