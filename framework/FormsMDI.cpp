// MDI: a frame form holds a client window that makes, lists and arranges the MDI child forms.
#include "Forms.h"

namespace {
// The commands of the Window menu's list of children, above every menu item's command.
constexpr UINT kFirstMDIChild = 0xFF00;

TCustomForm* FindMDIFrame() {
    TCustomForm* main = Application->MainForm();
    if (main && main->FormStyle() == fsMDIForm) return main;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->FormStyle() == fsMDIForm) return Screen->Forms(i);
    return nullptr;
}

TCustomForm* FormOf(HWND wnd) {
    return dynamic_cast<TCustomForm*>(FindControl(wnd));
}
} // namespace

void TCustomForm::SetFormStyle(TFormStyle v) {
    if (v == FFormStyle) return;
    FFormStyle = v;
    if (HandleAllocated()) RecreateWnd();
    if (v == fsMDIChild) SetVisible(true); // after the description, when one is being read
}

TCloseAction TCustomForm::DefaultCloseAction() const {
    if (FFormStyle != fsMDIChild) return caHide;
    return BorderIcons() & (1u << biMinimize) ? caMinimize : caNone;
}

// ---- The frame ----------------------------------------------------------------------------------

void TCustomForm::CreateClient() {
    if (FFormStyle != fsMDIForm) return;
    CLIENTCREATESTRUCT create{FWindowMenu ? FWindowMenu->Handle() : nullptr, kFirstMDIChild};
    FClient.reset(
        CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                        WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                        0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), &create));
    if (!FClient) throw Exception(Format("Cannot create the MDI client window of '%s'", Name().c_str()));
}

// Below the frame's own controls, in the room they leave.
void TCustomForm::ControlsAligned(const RECT& Rest) {
    if (FClient)
        SetWindowPos(FClient.get(), HWND_BOTTOM, Rest.left, Rest.top, Rest.right - Rest.left,
                     Rest.bottom - Rest.top, SWP_NOACTIVATE);
}

void TCustomForm::SetWindowMenu(TMenuItem* v) {
    if (v == FWindowMenu) return;
    SetReference(FWindowMenu, v);
    if (!FClient || !v) return;
    SendMessageW(FClient.get(), WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(v->Handle()));
    DrawMenuBar(Handle());
}

TCustomForm* TCustomForm::MDIFrame() {
    if (FFormStyle == fsMDIForm) return this;
    if (FFormStyle != fsMDIChild || !HandleAllocated()) return nullptr;
    return FormOf(GetParent(GetParent(Handle())));
}

TCustomForm* TCustomForm::ActiveMDIChild() {
    if (!FClient) return nullptr;
    return FormOf(reinterpret_cast<HWND>(SendMessageW(FClient.get(), WM_MDIGETACTIVE, 0, 0)));
}

std::vector<HWND> TCustomForm::MDIChildWindows() const {
    std::vector<HWND> children;
    if (FClient)
        for (HWND w = GetWindow(FClient.get(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (FormOf(w)) children.push_back(w);
    return children;
}

// Through the client, which then gives back what a maximized child put on the menu bar (a child
// destroyed with the client would leave that behind, and takes far longer to go).
void TCustomForm::DestroyChildren() {
    for (HWND child : MDIChildWindows())
        SendMessageW(FClient.get(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
}

int TCustomForm::MDIChildCount() {
    return static_cast<int>(MDIChildWindows().size());
}

TCustomForm* TCustomForm::MDIChildren(int i) {
    return FormOf(MDIChildWindows().at(static_cast<size_t>(i)));
}

void TCustomForm::Cascade() {
    if (FClient) SendMessageW(FClient.get(), WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (FClient) SendMessageW(FClient.get(), WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::ArrangeIcons() {
    if (FClient) SendMessageW(FClient.get(), WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (FClient) SendMessageW(FClient.get(), WM_MDINEXT, 0, FALSE);
}

void TCustomForm::Previous() {
    if (FClient) SendMessageW(FClient.get(), WM_MDINEXT, 0, TRUE);
}

// ---- The children -------------------------------------------------------------------------------

// An MDI child is made by the frame's client (WM_MDICREATE), shown, at its stored place only when
// its position is as designed.
HWND TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
    if (FFormStyle != fsMDIChild) return TCustomControl::CreateWindowHandle(Params);
    TCustomForm* frame = FindMDIFrame();
    if (!frame) throw Exception("Cannot create form. No MDI forms are currently active");
    frame->HandleNeeded();
    bool designed = Position() == poDesigned;
    MDICREATESTRUCTW create{WideChars(Params.WinClassName),
                            WideChars(Params.Caption),
                            GetModuleHandleW(nullptr),
                            designed ? Left() : CW_USEDEFAULT,
                            designed ? Top() : CW_USEDEFAULT,
                            Params.Width,
                            Params.Height,
                            Params.Style | WS_VISIBLE,
                            reinterpret_cast<LPARAM>(this)}; // names the control at HCBT_CREATEWND
    return reinterpret_cast<HWND>(
        SendMessageW(frame->ClientHandle(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

// Through the client, so that it forgets the child and updates the Window menu.
void TCustomForm::DestroyWindowHandle() {
    HWND wnd = Handle();
    HWND client = FFormStyle == fsMDIChild ? GetParent(wnd) : nullptr;
    if (client)
        SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(wnd), 0);
    else
        TCustomControl::DestroyWindowHandle();
}

// ---- Window state -------------------------------------------------------------------------------

TWindowState TCustomForm::WindowState() const {
    if (!HandleAllocated() || !Visible()) return FWindowState;
    HWND wnd = const_cast<TCustomForm*>(this)->Handle();
    return IsZoomed(wnd) ? wsMaximized : IsIconic(wnd) ? wsMinimized : wsNormal;
}

void TCustomForm::SetWindowState(TWindowState v) {
    FWindowState = v;
    if (!Loading() && HandleAllocated() && Visible()) ApplyWindowState();
}

// An MDI child is maximized and restored by its client, which puts its buttons on the frame's bar.
void TCustomForm::ApplyWindowState() {
    HWND wnd = Handle();
    if (FFormStyle == fsMDIChild && FWindowState != wsMinimized) {
        UINT msg = FWindowState == wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE;
        SendMessageW(GetParent(wnd), msg, reinterpret_cast<WPARAM>(wnd), 0);
        return;
    }
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(wnd, commands[FWindowState]);
}

// ---- Messages -----------------------------------------------------------------------------------

// An MDI frame's client is placed by the alignment, not by DefFrameProcW at WM_SIZE.
void TCustomForm::DefaultHandler(TMessage& Message) {
    bool framework = Message.Msg >= CM_BASE && Message.Msg < 0xC000;
    bool frameSize = FFormStyle == fsMDIForm && Message.Msg == WM_SIZE;
    if (!HandleAllocated() || framework || FFormStyle == fsNormal || frameSize)
        return TCustomControl::DefaultHandler(Message);
    HWND wnd = Handle();
    if (FFormStyle == fsMDIChild)
        Message.Result = DefMDIChildProcW(wnd, Message.Msg, Message.WParam, Message.LParam);
    else
        Message.Result = DefFrameProcW(wnd, FClient.get(), Message.Msg, Message.WParam, Message.LParam);
}

bool TCustomForm::MDIMessage(TMessage& Message) {
    switch (Message.Msg) {
    case WM_DESTROY:
        DestroyChildren();
        FClient.release(); // the system takes the client down with the frame
        return false;
    case WM_SETTEXT: // the client does not rename the child in the Window menu itself
        if (FFormStyle != fsMDIChild) return false;
        DefaultHandler(Message);
        SendMessageW(GetParent(Handle()), WM_MDIREFRESHMENU, 0, 0);
        return true;
    case WM_SETFOCUS: // an active child keeps the focus
        if (FFormStyle != fsMDIForm || !ActiveMDIChild()) return false;
        DefaultHandler(Message);
        return true;
    }
    return false;
}
