// MDI frames and children: the frame skinner watches its MDI client (children made, destroyed,
// arranged, the frame menu changed), and a maximized child's buttons live in the frame's menu strip.
#include "WinSkinForm.h"

#include "SkinDraw.h"
#include "SkinMessages.h"

namespace {
// RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME
constexpr UINT WholeFrameRedraw = 0x585;

bool IsMDIButton(const TWinSysButton& b) {
    return b.Def.Visibility == 100;
}
} // namespace

void TWinSkinForm::SubclassMDI() {
    if (!MDIClient || FMDISubclass.Attached()) return;
    FMDISubclass.OnMessage.Bind(this, &TWinSkinForm::WinMDIProc);
    FMDISubclass.Attach(MDIClient);
    if (!FMenuUpdateSaved) FSavedMenuUpdate = SkinData->MenuUpdate;
    FMenuUpdateSaved = true;
    // Children made before the take-over are skinned as well.
    if (Host)
        for (HWND child = GetWindow(MDIClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_MDICHILD) Host->MDIChildCreated(child);
}

// The shared menu switch goes back as the frame found it: children may have turned it off.
void TWinSkinForm::UnSubclassMDI() {
    FMDISubclass.Release();
    if (FMenuUpdateSaved && SkinData) SkinData->MenuUpdate = FSavedMenuUpdate;
    FMenuUpdateSaved = false;
}

void TWinSkinForm::DefaultMDI(TMessage& m) {
    FMDISubclass.CallPrevious(m);
}

bool TWinSkinForm::MDIFrameSkinned() const {
    return SkinFrame && FSubclass.Attached() && SkinState != 4 && SkinState != 6;
}

bool TWinSkinForm::MDIChildMax() const {
    if (FormStyle != sfsMDIform || !MDIClient) return false;
    BOOL maximized = FALSE;
    HWND child = reinterpret_cast<HWND>(
        SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return child && maximized;
}

void TWinSkinForm::WinMDIProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCDESTROY:
        DefaultMDI(m);
        UnSubclassMDI();
        return;
    case WM_NCCALCSIZE:
        if (MDIFrameSkinned() && !SkinData->Options.Contains(xoMDIScrollbar)) {
            auto style = GetWindowLongPtrW(MDIClient, GWL_STYLE);
            SetWindowLongPtrW(MDIClient, GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
        }
        return DefaultMDI(m);
    case WM_MDICREATE:
        SkinData->MenuUpdate = false;
        DefaultMDI(m);
        if (m.Result && Host && MDIFrameSkinned()) Host->MDIChildCreated(reinterpret_cast<HWND>(m.Result));
        return;
    case WM_MDIDESTROY:
        DefaultMDI(m);
        if (MDIFrameSkinned()) MDIDestroyed();
        return;
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (MDIFrameSkinned() && Host && Host->MDIMaximized()) Host->SetMDIMax(false);
        return DefaultMDI(m);
    case WM_MDISETMENU:
        DefaultMDI(m);
        if (MDIFrameSkinned()) MDIMenuSet(m);
        return;
    case WM_SKINMDIREPAINT:
        MDIRepaint();
        return;
    default:
        DefaultMDI(m);
    }
}

void TWinSkinForm::MDIDestroyed() {
    if (Host) Host->SetMDIMax(MDIChildMax());
    if (SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, 0) || !MenuBar) return;
    SkinData->MenuUpdate = FSavedMenuUpdate;
    MenuBar->UpdataBtn(MenuHandle);
    UpdateNc(nullptr);
}

// The client puts the new menu on the frame; the skinned strip stands in for it again.
void TWinSkinForm::MDIMenuSet(TMessage& m) {
    if (!MenuBar) return;
    if (m.WParam) MenuHandle = reinterpret_cast<HMENU>(m.WParam);
    DetachMenu();
    RebuildMenuBar();
}

// A child changed its state: the children's looks and the frame's strip follow.
void TWinSkinForm::MDIRepaint() {
    if (!MDIFrameSkinned()) return;
    if (Host) Host->SetMDIMax(MDIChildMax());
    RedrawWindow(Handle, nullptr, nullptr, WholeFrameRedraw);
}

void TWinSkinForm::MDIMaxChanged(bool maximized) {
    if (FormStyle != sfsMDIChild || !SkinFrame || !Activated) return;
    ReadWindowState();
    if (maximized || Minimized()) {
        if (maximized && Maximized()) Uncropwindow();
        EnableSysbtn(true);
        return;
    }
    WindowState = swsNormal;
    Cropwindow();
    EnableSysbtn(false);
    Refresh();
}

void TWinSkinForm::DrawMDIButtons(HDC dc, const RECT& strip) {
    if (FormStyle != sfsMDIform) return;
    SetSysbtnRect();
    bool any = false;
    for (auto& b : SysButtons) {
        if (!b->Visible || !IsMDIButton(*b) || b->Def.Image.Empty()) continue;
        RECT r = b->BoundsRect;
        OffsetRect(&r, -strip.left, -strip.top);
        DrawRect1(dc, r, b->Def.Image, 1, b->Def.Frame, true);
        any = true;
    }
    if (any && Host && !Host->MDIMaximized()) Host->SetMDIMax(true);
}

// A button over the title bar as last composed, an MDI button over the menu strip.
void TWinSkinForm::ButtonBackground(HDC dc, const TWinSysButton& b, SIZE size) {
    if (IsMDIButton(b) && MenuBar && !MenuBar->Background.Empty()) {
        const RECT& strip = MenuBar->StripRect;
        BitBlt(dc, 0, 0, size.cx, size.cy, MenuBar->Background.MemoryDC(), b.BoundsRect.left - strip.left,
               b.BoundsRect.top - strip.top, SRCCOPY);
    } else if (FTitleValid) {
        BitBlt(dc, 0, 0, size.cx, size.cy, FrameBitmap.MemoryDC(), b.BoundsRect.left, b.BoundsRect.top,
               SRCCOPY);
    }
}
