// TCustomForm: the top-level window, its frame styles and placement, closing, modal showing,
// keyboard focus within the form and its handler table.
#include "Forms.h"

#include "ControlsPublish.h"
#include "FormReader.h"
#include "Guards.h"

#include <algorithm>

const TEnumNames FormBorderStyleNames{"bsNone",   "bsSingle",     "bsSizeable",
                                      "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const TEnumNames BorderIconNames{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
const TEnumNames PositionNames{"poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
                               "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
const TEnumNames FormStyleNames{"fsNormal", "fsMDIChild", "fsMDIForm"};
const TEnumNames WindowStateNames{"wsNormal", "wsMinimized", "wsMaximized"};

namespace {
bool Has(TBorderIcons icons, TBorderIcon i) {
    return icons & (1u << i);
}

// The other windows of the thread are disabled while a form is modal.
class TDisabledWindows {
  public:
    explicit TDisabledWindows(HWND keep) : FKeep(keep) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;
    ~TDisabledWindows() {
        for (HWND w : FWindows)
            EnableWindow(w, TRUE);
    }

  private:
    static BOOL CALLBACK Disable(HWND w, LPARAM self) {
        auto* me = reinterpret_cast<TDisabledWindows*>(self);
        if (w != me->FKeep && IsWindowVisible(w) && IsWindowEnabled(w)) {
            EnableWindow(w, FALSE);
            me->FWindows.push_back(w);
        }
        return TRUE;
    }
    HWND FKeep;
    std::vector<HWND> FWindows;
};

std::string ResourceText(const std::string& name) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    std::u16string wide = Utf8ToUtf16(name);
    HRSRC res = FindResourceW(instance, WideChars(wide), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw EResNotFound(Format("Resource %s not found", name.c_str()));
    return std::string(static_cast<const char*>(bytes), SizeofResource(instance, res));
}
} // namespace

const TClassInfo& TCustomForm::StaticClassInfo() {
    static const TClassInfo info{"TCustomForm", &TCustomControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TForm> b("TForm", TCustomForm::StaticClassInfo());
        b.Creatable()
            .Enum("BorderStyle", FormBorderStyleNames, &TForm::BorderStyle, &TForm::SetBorderStyle)
            .Set("BorderIcons", BorderIconNames, &TForm::BorderIcons, &TForm::SetBorderIcons)
            .Enum("Position", PositionNames, &TForm::Position, &TForm::SetPosition)
            .Int("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
            .Int("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
            .Bool("AutoScroll", &TForm::AutoScroll, &TForm::AutoScroll)
            .Enum("FormStyle", FormStyleNames, &TForm::FormStyle, &TForm::SetFormStyle)
            .Obj<TMainMenu>("Menu", &TForm::Menu, &TForm::SetMenu)
            .Obj<TMenuItem>("WindowMenu", &TForm::WindowMenu, &TForm::SetWindowMenu)
            .Enum("WindowState", WindowStateNames, &TForm::WindowState, &TForm::SetWindowState)
            .Event("OnCreate", static_cast<TNotifyEvent TForm::*>(&TForm::OnCreate))
            .Event("OnDestroy", static_cast<TNotifyEvent TForm::*>(&TForm::OnDestroy))
            .Event("OnClose", static_cast<TCloseEvent TForm::*>(&TForm::OnClose));
        PublishCaption(b);
        PublishLook(b);
        PublishOnClick(b);
        return b.Build();
    }();
    return info;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner) {
    TControl::SetVisible(false);
    StoreBounds({0, 0, 320, 240});
    SetColor(clBtnFace);
    SetParentFont(false);
    Screen->AddForm(this);
}

void TCustomForm::BeforeDestruction() {
    try {
        OnDestroy(this);
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    Screen->RemoveForm(this);
    Application->FormDestroyed(this);
    TCustomControl::BeforeDestruction();
}

// ---- The frame ----------------------------------------------------------------------------------

DWORD TCustomForm::FrameStyle(DWORD& exStyle) const {
    static const DWORD styles[] = {WS_POPUP,
                                   WS_CAPTION,
                                   WS_CAPTION | WS_THICKFRAME,
                                   WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                                   WS_CAPTION,
                                   WS_CAPTION | WS_THICKFRAME};
    static const DWORD exStyles[] = {0, 0, 0, WS_EX_DLGMODALFRAME, WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW};
    DWORD style = styles[FBorderStyle];
    exStyle = exStyles[FBorderStyle];
    if (FBorderStyle == bsNone) return style;
    if (Has(FBorderIcons, biSystemMenu)) style |= WS_SYSMENU;
    if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
        if (Has(FBorderIcons, biMinimize)) style |= WS_MINIMIZEBOX;
        if (Has(FBorderIcons, biMaximize)) style |= WS_MAXIMIZEBOX;
    }
    if (Has(FBorderIcons, biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
        exStyle |= WS_EX_CONTEXTHELP;
    return style;
}

SIZE TCustomForm::FrameSize() const {
    DWORD ex = 0;
    DWORD style = FrameStyle(ex);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    return {r.right - r.left, r.bottom - r.top};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    FBorderStyle = v;
    UpdateFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    FBorderIcons = v;
    UpdateFrame();
}

void TCustomForm::UpdateFrame() {
    if (!HandleAllocated()) return;
    DWORD ex = 0;
    DWORD frame = FrameStyle(ex);
    const DWORD frameBits =
        WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME;
    const DWORD exBits = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP;
    HWND h = Handle();
    SetWindowLongW(h, GWL_STYLE, LONG((DWORD(GetWindowLongW(h, GWL_STYLE)) & ~frameBits) | frame));
    SetWindowLongW(h, GWL_EXSTYLE, LONG((DWORD(GetWindowLongW(h, GWL_EXSTYLE)) & ~exBits) | ex));
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- Size and place -----------------------------------------------------------------------------

RECT TCustomForm::ClientRect() const {
    if (HandleAllocated()) return TCustomControl::ClientRect();
    SIZE frame = FrameSize();
    return {0, 0, FClientWidth >= 0 ? FClientWidth : Width() - frame.cx,
            FClientHeight >= 0 ? FClientHeight : Height() - frame.cy};
}

// Before the window exists the frame is not known for sure: the client size waits for it.
void TCustomForm::SetClientSize(int AWidth, int AHeight) {
    if (HandleAllocated()) return TCustomControl::SetClientSize(AWidth, AHeight);
    SIZE frame = FrameSize();
    TCustomControl::SetBounds(Left(), Top(), AWidth + frame.cx, AHeight + frame.cy);
    FClientWidth = AWidth;
    FClientHeight = AHeight;
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!HandleAllocated()) {
        if (AWidth != Width()) FClientWidth = -1;
        if (AHeight != Height()) FClientHeight = -1;
    }
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::PlaceOnScreen(TCreateParams& Params) const {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (FPosition) {
    case poDefault:
    case poDefaultPosOnly:
        Params.X = Params.Y = CW_USEDEFAULT;
        return;
    case poDesktopCenter:
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (TCustomForm* main = Application->MainForm(); main && main != this) area = main->BoundsRect();
        break;
    case poScreenCenter:
        break;
    default:
        return;
    }
    Params.X = area.left + (area.right - area.left - Params.Width) / 2;
    Params.Y = std::max<LONG>(area.top, area.top + (area.bottom - area.top - Params.Height) / 2);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = FrameStyle(Params.ExStyle) | WS_CLIPCHILDREN | (Enabled() ? 0 : WS_DISABLED);
    RECT client = ClientRect();
    SIZE frame = FrameSize();
    Params.Width = client.right + frame.cx;
    Params.Height = client.bottom + frame.cy;
    PlaceOnScreen(Params);
    TCustomForm* main = Application->MainForm();
    if (main && main != this && main->HandleAllocated()) Params.WndParent = main->Handle();
    Params.WindowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

// The frame the system really draws decides the outer size: the client area is what was asked for.
void TCustomForm::CreateWnd() {
    RECT wanted = ClientRect();
    TCustomControl::CreateWnd();
    AttachMenu();
    CreateClient();
    FClientWidth = FClientHeight = -1;
    RECT got;
    GetClientRect(Handle(), &got);
    if (got.right != wanted.right || got.bottom != wanted.bottom)
        SetBounds(Left(), Top(), Width() + wanted.right - got.right, Height() + wanted.bottom - got.bottom);
}

// ---- Showing and closing ------------------------------------------------------------------------

void TCustomForm::SetVisible(bool v) {
    if (Loading()) {
        FShowAfterLoading = v;
        return;
    }
    if (!v && FFormStyle == fsMDIChild) throw Exception("Cannot hide an MDI child form");
    if (v) HandleNeeded();
    TCustomControl::SetVisible(v);
    if (v && FWindowState != wsNormal) ApplyWindowState();
}

void TCustomForm::Loaded() {
    TCustomControl::Loaded();
    for (const TField& f : FFields)
        f.Set(FindComponent(f.Name));
    if (std::exchange(FShowAfterLoading, false)) SetVisible(true);
}

void TCustomForm::Close() {
    if (FModal) return SetModalResult(mrCancel);
    TCloseAction action = DefaultCloseAction();
    OnClose(this, action);
    if (action == caNone) return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Release();
}

void TCustomForm::Release() {
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CloseModal() {
    TCloseAction action = caHide;
    OnClose(this, action);
    if (action == caNone) SetModalResult(mrNone);
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal) throw Exception("Cannot make a visible window modal");
    HWND previous = GetActiveWindow();
    ReleaseCapture();
    FModalResult = mrNone;
    {
        TRestore modal(FModal, true);
        TDisabledWindows disabled(Handle());
        Show();
        while (FModalResult == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated()) FModalResult = mrCancel;
            if (FModalResult != mrNone) CloseModal();
        }
        Hide();
    }
    if (previous) SetActiveWindow(previous);
    return FModalResult;
}

void TCustomForm::ReadDescriptionResource() {
    ReadComponentText(this, ResourceText(UpperCase(ClassName())));
    DoCreate();
}

void TCustomForm::DoCreate() {
    try {
        OnCreate(this);
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
}

// ---- Focus --------------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* c) {
    FActiveControl = c;
    if (c && HandleAllocated() && GetActiveWindow() == Handle() && c->CanFocus()) c->SetFocus();
}

void TCustomForm::SetFocusedControl(TWinControl* c) {
    TWinControl* old = std::exchange(FActiveControl, c);
    if (old != c) {
        if (old) old->Perform(CM_EXIT);
        c->Perform(CM_ENTER);
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(c));
}

void TCustomForm::ControlRemoved(TControl* c) {
    for (TControl* p = FActiveControl; p; p = p->Parent())
        if (p == c) FActiveControl = nullptr;
}

void TCustomForm::FocusActiveControl() {
    if (FActiveControl && FActiveControl->CanFocus())
        ::SetFocus(FActiveControl->Handle());
    else
        SelectNext(nullptr, true);
}

namespace {
void CollectTabStops(const TWinControl* parent, std::vector<TWinControl*>& out) {
    for (TWinControl* w : parent->TabList()) {
        out.push_back(w);
        CollectTabStops(w, out);
    }
}
} // namespace

bool TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list;
    CollectTabStops(this, list);
    int n = static_cast<int>(list.size());
    int at = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (at == n) at = forward ? -1 : n;
    for (int step = 1; step <= n; ++step) {
        TWinControl* w = list[static_cast<size_t>(((forward ? at + step : at - step) % n + n) % n)];
        if (w->TabStop() && w->CanFocus()) {
            w->SetFocus();
            return true;
        }
    }
    return false;
}

bool TCustomForm::DialogKey(TMessage& Message) {
    if (Message.WParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return true;
}

// ---- Messages -----------------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& Message) {
    // MDI first: a maximized child leaving with its frame needs the menu bar it is shown on
    if (MDIMessage(Message) || MenuMessage(Message)) return;
    switch (Message.Msg) {
    case WM_CLOSE:
        return Close();
    case WM_ACTIVATE:
        DefaultHandler(Message);
        if (LOWORD(Message.WParam) != WA_INACTIVE) Screen->SetActiveForm(this);
        return;
    case WM_SETFOCUS:
        DefaultHandler(Message);
        return FocusActiveControl();
    case CM_DIALOGKEY:
        if (DialogKey(Message)) return;
        break;
    }
    TCustomControl::WndProc(Message);
}

TMethod TCustomForm::MethodAddress(const std::string& name) const {
    auto it = FHandlers.find(LowerCase(name));
    return it == FHandlers.end() ? TMethod{} : it->second;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    ForgetMenus(AComponent);
    for (const TField& f : FFields)
        if (SameText(f.Name, AComponent->Name())) f.Set(nullptr);
}
