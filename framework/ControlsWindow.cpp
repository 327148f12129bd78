// TWinControl: the window made on demand, its class, the window procedure every framework window
// shares, children and tab order, focus, and notifications reflected from a parent to its child.
#include "Controls.h"

#include "Forms.h"

#include <algorithm>

namespace {
// The control whose window CreateWindowExW is making: its first messages arrive before the
// window property can name it. One GUI thread only.
TWinControl* CreationControl = nullptr;

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

template <class T> void Erase(std::vector<T*>& list, const void* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
} // namespace

// No exception leaves here: the window manager's frames cannot unwind.
LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(FindControl(wnd));
    if (!control && CreationControl) {
        control = std::exchange(CreationControl, nullptr);
        control->AttachHandle(wnd);
    }
    if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WindowProc(m);
        if (msg == CM_RELEASE) { // its handlers have all returned by now
            control->Free();
            return 0;
        }
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) control->DetachHandle(wnd);
    return m.Result;
}

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo info{"TWinControl", &TControl::StaticClassInfo(), {}, {}};
    return info;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    FBrush.SetColor(Color());
}

TWinControl::~TWinControl() {
    ComponentState |= csDestroying;
    DestroyHandle();
    while (!FControls.empty())
        FControls.back()->Free();
}

void TWinControl::BeforeDestruction() {
    ComponentState |= csDestroying;
    DestroyHandle();
    TControl::BeforeDestruction();
    while (!FControls.empty())
        FControls.back()->Free();
}

// ---- The window ---------------------------------------------------------------------------------

HWND TWinControl::Handle() {
    if (!FHandle && Parent()) Parent()->HandleNeeded(); // that makes ours too
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = Utf8ToUtf16(FText);
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED) |
                   (FTabStop ? WS_TABSTOP : 0);
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    if (Parent()) Params.WndParent = Parent()->Handle();
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    Params.WinClassName = Utf8ToUtf16(ClassName());
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ClassName) {
    WNDCLASSW standard{};
    if (!GetClassInfoW(nullptr, ClassName, &standard) &&
        !GetClassInfoW(ModuleInstance(), ClassName, &standard))
        throw Exception(Format("Window class of '%s' not found", Name().c_str()));
    FDefWndProc = standard.lpfnWndProc;
    Params.WindowClass = standard;
    // the parent's clipping would let a control paint over the siblings in front of it
    Params.WindowClass.style &= ~UINT(CS_GLOBALCLASS | CS_PARENTDC);
}

void TWinControl::RegisterWindowClass(TCreateParams& Params) {
    WNDCLASSW existing{};
    if (GetClassInfoW(ModuleInstance(), WideChars(Params.WinClassName), &existing)) return;
    WNDCLASSW wc = Params.WindowClass;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = WideChars(Params.WinClassName);
    if (!RegisterClassW(&wc))
        throw Exception(Format("Cannot register the window class of '%s'", Name().c_str()));
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if ((p.Style & WS_CHILD) && !p.WndParent)
        throw Exception(Format("Control '%s' has no parent window", Name().c_str()));
    RegisterWindowClass(p);
    CreationControl = this;
    HWND wnd = CreateWindowHandle(p);
    CreationControl = nullptr;
    if (!wnd || FHandle != wnd) throw Exception(Format("Error creating the window of '%s'", Name().c_str()));
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    UpdateBounds();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p) {
    return CreateWindowExW(p.ExStyle, WideChars(p.WinClassName), WideChars(p.Caption), p.Style, p.X, p.Y,
                           p.Width, p.Height, p.WndParent, nullptr, ModuleInstance(), nullptr);
}

void TWinControl::DestroyWindowHandle() {
    DestroyWindow(FHandle);
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    PlaceInZOrder();
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
    AlignControls();
}

void TWinControl::DestroyWnd() {
    if (!Destroying()) FText = GetText();
    DestroyWindowHandle();
    FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    // on the way out the system takes the children's windows down with ours; otherwise they
    // keep their state for the window that comes next
    if (!Destroying())
        for (TControl* c : FControls)
            if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    bool focused = Focused();
    DestroyHandle();
    CreateHandle();
    if (focused && CanFocus()) SetFocus();
    Perform(CM_RECREATEWND);
}

void TWinControl::AttachHandle(HWND wnd) {
    FHandle = wnd;
    SetPropW(wnd, ControlPropName(), this);
}

void TWinControl::DetachHandle(HWND wnd) {
    RemovePropW(wnd, ControlPropName());
    if (FHandle != wnd) return;
    FHandle = nullptr;
    FMouseInside = false;
    FMouseControl = FCaptureControl = nullptr;
}

// Later siblings lie above earlier ones, as they are listed.
void TWinControl::PlaceInZOrder() {
    if (!Parent()) return;
    auto& siblings = Parent()->FControls;
    HWND above = HWND_TOP;
    for (auto it = std::find(siblings.begin(), siblings.end(), this); it != siblings.end(); ++it) {
        auto* w = dynamic_cast<TWinControl*>(*it);
        if (w && w != this && w->FHandle) {
            above = w->FHandle;
            break;
        }
    }
    SetWindowPos(FHandle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// ---- Bounds and alignment -----------------------------------------------------------------------

RECT TWinControl::ClientRect() const {
    RECT r{0, 0, Width(), Height()};
    if (FHandle) GetClientRect(FHandle, &r);
    return r;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!FHandle) return TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RequestAlign();
}

void TWinControl::SetClientSize(int AWidth, int AHeight) {
    RECT client = ClientRect();
    SetBounds(Left(), Top(), Width() - client.right + AWidth, Height() - client.bottom + AHeight);
}

void TWinControl::UpdateBounds() {
    if (!FHandle || IsIconic(FHandle)) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    bool resized = r.right - r.left != Width() || r.bottom - r.top != Height();
    StoreBounds(r);
    if (resized) AlignControls();
}

void TWinControl::Realign() {
    if (FHandle) AlignControls();
}

// The children it moves ask for a new alignment in turn: that request is already being served.
void TWinControl::AlignControls() {
    if (FAligning) return;
    FAligning = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FAligning};
    RECT r = ClientRect();
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : FControls) {
            if (c->Align() != a || !c->Visible()) continue;
            int w = c->Width(), h = c->Height();
            switch (a) {
            case alTop:
                c->SetBounds(r.left, r.top, r.right - r.left, h), r.top += h;
                break;
            case alBottom:
                c->SetBounds(r.left, r.bottom - h, r.right - r.left, h), r.bottom -= h;
                break;
            case alLeft:
                c->SetBounds(r.left, r.top, w, r.bottom - r.top), r.left += w;
                break;
            case alRight:
                c->SetBounds(r.right - w, r.top, w, r.bottom - r.top), r.right -= w;
                break;
            default:
                c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
                break;
            }
        }
    }
    ControlsAligned(r);
}

void TWinControl::SetVisible(bool v) {
    if (v == Visible()) return;
    FVisible = v;
    if (FHandle && !Parent()) // a form: shown windows are activated
        ShowWindow(FHandle, v ? SW_SHOW : SW_HIDE);
    else if (FHandle)
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (v ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    Perform(CM_VISIBLECHANGED, v);
    RequestAlign();
}

// ---- Children and tab order ---------------------------------------------------------------------

void TWinControl::InsertControl(TControl* AControl) {
    AControl->FParent = this;
    FControls.push_back(AControl);
    auto* w = dynamic_cast<TWinControl*>(AControl);
    if (w) FTabList.push_back(w);
    if (AControl->FParentFont) AControl->TakeParentFont();
    if (AControl->FParentColor) AControl->TakeParentColor();
    if (w && FHandle) w->CreateHandle();
    AControl->Invalidate();
    AControl->RequestAlign();
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (AControl->FParent != this) return;
    if (TCustomForm* form = GetParentForm(this)) form->ControlRemoved(AControl);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) w->DestroyHandle();
    AControl->Invalidate();
    if (FMouseControl == AControl) FMouseControl = nullptr;
    if (FCaptureControl == AControl) FCaptureControl = nullptr;
    Erase(FControls, AControl);
    Erase(FTabList, AControl);
    AControl->FParent = nullptr;
    Realign();
}

int TWinControl::TabOrder() const {
    if (!Parent()) return FTabOrder;
    auto& list = Parent()->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int v) {
    FTabOrder = v;
    if (!Parent() || Loading()) return; // the parent sorts its list once the description is read
    auto& list = Parent()->FTabList;
    Erase(list, this);
    list.insert(list.begin() + std::clamp(v, 0, static_cast<int>(list.size())), this);
}

void TWinControl::SetTabStop(bool v) {
    FTabStop = v;
    if (!FHandle) return;
    LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, v ? style | WS_TABSTOP : style & ~LONG(WS_TABSTOP));
}

void TWinControl::FixupTabList() {
    auto key = [](const TWinControl* w) { return w->FTabOrder < 0 ? INT_MAX : w->FTabOrder; };
    std::stable_sort(FTabList.begin(), FTabList.end(),
                     [&](const TWinControl* a, const TWinControl* b) { return key(a) < key(b); });
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixupTabList();
}

// ---- Focus --------------------------------------------------------------------------------------

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw Exception("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

// ---- Messages -----------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        return WMPaint(Message);
    case WM_ERASEBKGND:
        return WMEraseBkgnd(Message);
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(Message);
        return UpdateBounds();
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetFocusedControl(this);
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (Reflect(Message)) return;
        break;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
        return ColorReflected(Message);
    case CM_ENABLEDCHANGED:
        if (FHandle) EnableWindow(FHandle, Enabled());
        break;
    case CM_COLORCHANGED:
        FBrush.SetColor(Color());
        NotifyChildren(CM_PARENTCOLORCHANGED);
        break;
    case CM_FONTCHANGED:
        if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
        NotifyChildren(CM_PARENTFONTCHANGED);
        break;
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(Message);
        break;
    default:
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK) {
            if (Message.Msg == WM_MOUSEMOVE) TrackMouse(Message);
            if (RouteMouseToGraphic(Message)) return;
        } else if (Message.Msg == WM_MOUSELEAVE) {
            TrackMouse(Message);
        }
    }
    TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (!FHandle) return TControl::DefaultHandler(Message);
    // the framework's own notifications end with the framework
    if (Message.Msg >= CM_BASE && Message.Msg < 0xC000) return;
    Message.Result = CallWindowProcW(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::Broadcast(TMessage& Message) {
    for (TControl* c : std::vector<TControl*>(FControls)) {
        c->WindowProc(Message);
        if (Message.Result) return;
    }
}

void TWinControl::NotifyChildren(UINT Msg) {
    for (TControl* c : std::vector<TControl*>(FControls))
        c->Perform(Msg);
}

void TWinControl::ColorReflected(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    Message.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
}

// A child's notification goes back to the child as CN_BASE + message.
bool TWinControl::Reflect(TMessage& Message) {
    HWND child = reinterpret_cast<HWND>(Message.LParam);
    switch (Message.Msg) {
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        child = item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
        break;
    }
    case WM_COMPAREITEM:
        child = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        child = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem;
        break;
    }
    return ReflectToChild(child, Message);
}

bool TWinControl::ReflectToChild(HWND child, TMessage& Message) {
    if (!child || child == FHandle) return false;
    TControl* c = FindControl(child);
    if (!c) return false;
    Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}
