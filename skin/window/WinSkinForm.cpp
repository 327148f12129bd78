#include "WinSkinForm.h"

#include "ErrorSink.h"
#include "Forms.h"
#include "SkinMessages.h"

TWinSkinForm::TWinSkinForm(TComponent* AOwner) : TComponent(AOwner) {
    FDoubleClickTime = GetDoubleClickTime();
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        FCaptionFont.reset(CreateFontIndirectW(&ncm.lfCaptionFont));
    FSubclass.OnMessage.Bind(this, &TWinSkinForm::WinWndProc);
}

TWinSkinForm::~TWinSkinForm() {
    GuardCallback([this] { UnSubclass(); });
    if (Form) Form->RemoveFreeNotification(this);
}

void TWinSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Form) {
        Form = nullptr;
        FFormHooked = false;
    }
}

DWORD TWinSkinForm::Style() const {
    return static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
}

void TWinSkinForm::SetStyle(DWORD style) {
    SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(style));
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (GetWindowPlacement(Handle, &wp)) WindowState = WindowStateOf(wp.showCmd);
}

// ---- Take-over -----------------------------------------------------------------------------------

void TWinSkinForm::InitTform(TSkinData* skin, TCustomForm* form) {
    Form = form;
    form->FreeNotification(this);
    form->AutoScroll = false;
    InitSkin(skin, form->Handle());
    if (SkinFrame && !FFormHooked) {
        FOldWindowProc = form->WindowProc;
        form->WindowProc.Bind(this, &TWinSkinForm::NewWndProc);
        FFormHooked = true;
    }
    FSavedColor = form->Color();
    form->SetColor(skin->Colors[csButtonFace]);
}

void TWinSkinForm::InitDlg(TSkinData* skin, HWND wnd) {
    InitSkin(skin, wnd);
}

void TWinSkinForm::InitSkin(TSkinData* skin, HWND wnd) {
    if (FSubclass.Attached()) return;
    Handle = wnd;
    SkinData = skin;
    Controls = std::make_unique<TSkinControlList>(nullptr, skin);
    HoverTimer = std::make_unique<TTimer>(nullptr);
    HoverTimer->SetEnabled(false);
    HoverTimer->SetInterval(250);
    HoverTimer->OnTimer.Bind(this, &TWinSkinForm::OnTimer);
    SkinFrame = skin->SkinControls.Contains(xcMainMenu);
    ReadWindow();
    StopUpdate();
    FSubclass.Attach(wnd);
    IsUnicode = FSubclass.Unicode();
    SubclassMDI();
    if (!SkinFrame) {
        SkinState = 1;
        return;
    }
    MenuHandle = GetMenu(wnd);
    // The menu bar is drawn by the system until the skinned menu bar exists; its strip keeps the
    // system's height.
    if (MenuHandle && FormStyle != sfsMDIChild) Frame.MenuBar = GetSystemMetrics(SM_CYMENU);
    if (!Minimized()) EnableSysbtn(false);
    InitSkinData();
}

void TWinSkinForm::ReadWindow() {
    DWORD style = Style();
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
    LeftScrollBar = exStyle & WS_EX_LEFTSCROLLBAR;
    IsChildWindow = style & WS_CHILD;
    char cls[101] = {};
    GetClassNameA(Handle, cls, sizeof cls);
    WindowClassName = cls;
    OwnerWindow = GetWindow(Handle, GW_OWNER);
    BorderIcons = BorderIconsOf(style, SysMenuHandle != nullptr);
    ReadWindowState();
    Sizeable = style & WS_THICKFRAME;
    FindMDIClient();
    if (exStyle & WS_EX_MDICHILD) {
        FormStyle = sfsMDIChild;
        if (SkinData->Options.Contains(xoMDIChildBorder)) SkinFrame = false;
    }
    IsDialogBox = IsDialogClass(WindowClassName);
    BorderStyle = BorderStyleOf(style, exStyle, IsDialogBox);
    if (StripsCaption(GetVersion(), exStyle, OwnerWindow != nullptr, FormStyle == sfsMDIChild))
        BorderIcons.Include(sbicaption);
}

void TWinSkinForm::FindMDIClient() {
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (lstrcmpiW(cls, L"MDIClient") == 0) {
            FormStyle = sfsMDIform;
            MDIClient = child;
            if (Host) Host->MDIFrameFound(*this, child);
            return;
        }
    }
}

void TWinSkinForm::InitSkinData() {
    if (SkinData->SkinPending) return;
    int menuBar = Frame.MenuBar;
    Frame = FrameGeometryOf(*SkinData, BorderStyle == sbsNone);
    Frame.MenuBar = BorderStyle == sbsNone ? 0 : menuBar;
    DeleteSysbtn();
    for (auto& def : SkinData->SysButtonList)
        SysButtons.push_back(std::make_unique<TWinSysButton>(*this, *def));
    for (auto& border : Strips)
        for (auto& strip : border)
            strip.Clear();
    FTitleValid = false;
}

// Nothing of the window shows between take-over and activation, so the old frame never flashes.
void TWinSkinForm::StopUpdate() {
    DWORD style = Style();
    if (!Host || !Host->HideWhileSkinning() || IsChildWindow || !SkinFrame || BorderStyle == sbsNone ||
        !(style & WS_VISIBLE))
        return;
    SetStyle(style & ~WS_VISIBLE);
    FVisibleCleared = true;
}

// A window hidden while it was taken over shows again, painted once whole: while hidden, its
// resize and its controls' attaching painted nothing.
void TWinSkinForm::ShowTakenOver() {
    if (!FVisibleCleared) return;
    BeginUpdate();
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::BeginUpdate() {
    if (!FVisibleCleared) return;
    FVisibleCleared = false;
    SetStyle(Style() | WS_VISIBLE);
}

void TWinSkinForm::EnableSysbtn(bool on) {
    if (!BorderIcons.Contains(sbicaption)) return;
    DWORD style = Style();
    SetStyle(on ? style | WS_CAPTION : style & ~WS_CAPTION);
}

// While the frame is painted the system menu style goes, so the system draws and hit-tests no
// caption buttons of its own; a minimized window gets it back.
void TWinSkinForm::UpdateStyle(bool paint) {
    if (BorderIcons.Contains(sbicaption)) return;
    DWORD style = Style();
    DWORD wanted = paint ? style & ~WS_SYSMENU : (SysMenuHandle ? style | WS_SYSMENU : style);
    if (wanted != style) SetStyle(wanted);
}

void TWinSkinForm::GetBorderSize() {
    RECT window{};
    GetClientRect(Handle, &SavedClientRect);
    GetWindowRect(Handle, &window);
    NonClientSize = {window.right - window.left - SavedClientRect.right,
                     window.bottom - window.top - SavedClientRect.bottom};
}

void TWinSkinForm::Activate() {
    Activated = true;
    SysMenuHandle = GetSystemMenu(Handle, FALSE);
    if (SysMenuHandle) BorderIcons.Include(sbisystem);
    GetIcon();
    GetBorderSize();
    InitMenuBar();
    InitMainMenu(true);
    if (Form)
        Controls->InitControls(Form);
    else
        Controls->InitHwndControls(Handle);
    // An MDI child is framed like a top-level window: it gets its new frame size at once.
    bool framed = !IsChildWindow || FormStyle == sfsMDIChild;
    if (SkinState == 0 && framed && BorderStyle != sbsNone && !Minimized()) {
        SkinState = 5;
        ResizeForm(false);
        SkinState = 1;
        if (Maximized())
            Refresh();
        else
            Cropwindow();
    }
    ShowTakenOver();
    SendMessageW(Handle, WM_SKINDONE, 0, SkinMessageTag);
    SkinState = 1;
    HoverTimer->SetEnabled(true);
    if (Host) Host->FormActivated(*this);
}

void TWinSkinForm::Refresh() {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The window gets the size whose client area is the one it had: the skin's frame replaces the
// system's.
void TWinSkinForm::ResizeForm(bool keepClient) {
    if (Maximized()) {
        Refresh();
        return;
    }
    if (keepClient || IsDialogBox || SkinState == 3) GetClientRect(Handle, &SavedClientRect);
    SIZE outer = OuterSizeOf(SizeOf(SavedClientRect), Frame);
    if (IsDialogBox && !keepClient) outer.cx = WidenForCaption(outer.cx);
    SetWindowPos(Handle, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A dialog box's caption is not cut short: the box grows, its controls stay centred.
int TWinSkinForm::WidenForCaption(int width) {
    TCaptionFit fit = FitCaption(width, CaptionRoom());
    if (fit.Shift > 0) ShiftChildren(fit.Shift);
    return fit.Width;
}

// The box's width at which the caption's text room holds the whole text: the buttons and margins
// keep their width whatever the box's.
int TWinSkinForm::CaptionRoom() {
    CaptionText = WindowText();
    SIZE text{};
    {
        TWindowDC dc(Handle);
        TSaveDC save(dc);
        if (FCaptionFont) SelectObject(dc, FCaptionFont);
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(CaptionText.c_str()),
                              int(CaptionText.size()), &text);
    }
    CaptionTextWidth = text.cx;
    RECT window{};
    GetWindowRect(Handle, &window);
    const SIZE size{window.right - window.left, window.bottom - window.top};
    FrameWidth = size.cx; // the buttons are placed for the present width
    SetSysbtnRect();
    const RECT room = CaptionTextRect(size);
    return size.cx - (room.right - room.left) + CaptionTextWidth;
}

void TWinSkinForm::ShiftChildren(int dx) {
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + dx, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
    }
}

void TWinSkinForm::SkinChange() {
    if (Form) Form->SetColor(SkinData->Colors[csButtonFace]);
    SkinState = 3;
    Controls->SkinChange();
    InitSkinData();
    if (SkinFrame && SkinState != 0) {
        ResizeForm(true);
        Cropwindow();
    }
    SendMessageW(Handle, WM_SKINDONE, 0, SkinMessageTag);
    SkinState = 1;
}

void TWinSkinForm::DeleteSysbtn() {
    HotObject = Pressed = nullptr;
    SysButtons.clear();
}

// ---- Giving the window back ----------------------------------------------------------------------

void TWinSkinForm::UnSubclass() {
    if (HoverTimer) HoverTimer->SetEnabled(false);
    HotObject = Pressed = nullptr;
    if (!FSubclass.Attached()) return;
    if (FFormHooked && Form) {
        Form->WindowProc = FOldWindowProc;
        if (SkinState != 4 && FSavedColor != clNone) Form->SetColor(FSavedColor);
    }
    FFormHooked = false;
    FSubclass.Release();
    Controls->DeleteControls();
    InitMainMenu(false);
    BeginUpdate();
    UnSubclassMDI();
    if (!SkinFrame) return;
    UpdateStyle(false);
    EnableSysbtn(true);
    if (FMenuDetached && MenuHandle && IsWindow(Handle)) SetMenu(Handle, MenuHandle);
    FMenuDetached = false;
    MenuBar.reset();
    if (SkinState != 4 && (FormStyle == sfsMDIChild || !IsChildWindow)) RestoreSize();
    Uncropwindow();
    SkinState = 6;
}

// Before activation nothing was measured: the size is left as it is.
void TWinSkinForm::RestoreSize() {
    if (NonClientSize.cx == 0 && NonClientSize.cy == 0) return;
    RECT r{};
    GetWindowRect(Handle, &r);
    if (FormStyle == sfsMDIChild)
        MapWindowPoints(nullptr, GetParent(Handle), reinterpret_cast<POINT*>(&r), 2);
    int w = r.right - r.left + NonClientSize.cx - Frame.Left - Frame.Right;
    int h = r.bottom - r.top + NonClientSize.cy - Frame.Top - Frame.Bottom - Frame.MenuBar;
    SetWindowPos(Handle, nullptr, r.left, r.top, w, h, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}
