// TWinControl: the window made on demand, its class, the window procedure every framework window
// shares, children and tab order, focus, and notifications reflected from a parent to its child.
#include "Controls.h"

#include "ErrorSink.h"
#include "Forms.h"
#include "Guards.h"
#include "Hooks.h"

#include <algorithm>

namespace {
// The control whose window is being made; when one creation starts another, the innermost.
TWinControl* CreationControl = nullptr;

// Children's control IDs start above the dialog manager's own (IDOK, IDCANCEL ...).
constexpr int FirstControlId = 100;

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

template <class T> void Erase(std::vector<T*>& list, const void* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// The creation parameter names the control; an MDI child carries it in its MDICREATESTRUCT.
LPARAM CreationParameter(const CREATESTRUCTW& cs) {
    if (!(cs.dwExStyle & WS_EX_MDICHILD)) return reinterpret_cast<LPARAM>(cs.lpCreateParams);
    return cs.lpCreateParams ? static_cast<const MDICREATESTRUCTW*>(cs.lpCreateParams)->lParam : 0;
}

// The lowest control ID from FirstControlId on that no child of parent has.
int FreeControlId(HWND parent) {
    std::vector<int> used;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        used.push_back(GetDlgCtrlID(w));
    std::sort(used.begin(), used.end());
    int id = FirstControlId;
    for (int u : used)
        if (u == id) ++id;
    return id;
}
} // namespace

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// While a control's window is made it is the creation state, and a CBT hook attaches it to its
// window at HCBT_CREATEWND: before the window's first message, and before hooks installed earlier
// hear of the window. A creation inside this one (from a hook, say) leaves it as it was.
class TWinControl::TCreation {
  public:
    explicit TCreation(TWinControl* control) : FControl(control), FOuter(CreationControl) {
        FHook.OnHook.Code = [this](THookMessage& m) { Hooked(m); };
        FHook.Install();
        CreationControl = control;
    }
    TCreation(const TCreation&) = delete;
    TCreation& operator=(const TCreation&) = delete;
    ~TCreation() { CreationControl = FOuter; }

  private:
    void Hooked(THookMessage& m) {
        if (m.Code != HCBT_CREATEWND || FControl->FHandle) return;
        auto wnd = reinterpret_cast<HWND>(m.WParam);
        const CREATESTRUCTW& cs = *reinterpret_cast<const CBT_CREATEWNDW*>(m.LParam)->lpcs;
        // a window of another class by the same name would never hear from its control
        bool framework = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) == StdWndProc;
        if (framework && CreationParameter(cs) == reinterpret_cast<LPARAM>(FControl))
            FControl->AttachHandle(wnd);
    }

    TWinControl* FControl;
    TWinControl* FOuter;
    THook FHook{WH_CBT, {}};
};

// No exception leaves here: the window manager's frames cannot unwind.
LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(FindControl(wnd));
    if (!control && CreationControl && !CreationControl->FHandle) {
        // a hook that did not pass HCBT_CREATEWND on kept the window from the creation hook
        CreationControl->AttachHandle(wnd);
        control = static_cast<TWinControl*>(FindControl(wnd));
    }
    if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    GuardSkinNotice(m);
    GuardCallback([&] {
        control->WindowProc(m);
        if (msg == CM_RELEASE) control->Free(); // its handlers have all returned by now
    });
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
    HWND wnd = nullptr;
    {
        TCreation creation(this);
        wnd = CreateWindowHandle(p);
    }
    if (!wnd || FHandle != wnd) {
        if (wnd) DestroyWindow(wnd);        // made, but its control never attached: not left behind
        if (FHandle) DetachHandle(FHandle); // attached, then refused: the window is gone
        throw Exception(Format("Error creating the window of '%s'", Name().c_str()));
    }
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    UpdateBounds();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    HMENU id = nullptr;
    if (Params.Style & WS_CHILD) id = reinterpret_cast<HMENU>(INT_PTR(FreeControlId(Params.WndParent)));
    return CreateWindowExW(Params.ExStyle, WideChars(Params.WinClassName), WideChars(Params.Caption),
                           Params.Style, Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent,
                           id, ModuleInstance(), this);
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
    if (SetPropW(wnd, ControlPropName(), this)) FHandle = wnd;
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
    TRestore aligning(FAligning, true);
    RECT r = ClientRect();
    AdjustClientRect(r);
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

namespace {
// Where a notification names the child control it is about.
enum class TChildIn { LParam, NotifyHeader, DrawItem, MeasureItem, CompareItem, DeleteItem };

struct TReflection {
    UINT Msg;
    TChildIn Child;
    bool Colour; // the child answers CN_BASE + Msg with its own colours
};

// The notifications a parent hands back to the child they are about, as CN_BASE + message.
constexpr TReflection Reflections[] = {
    {WM_COMMAND, TChildIn::LParam, false},          {WM_NOTIFY, TChildIn::NotifyHeader, false},
    {WM_DRAWITEM, TChildIn::DrawItem, false},       {WM_MEASUREITEM, TChildIn::MeasureItem, false},
    {WM_COMPAREITEM, TChildIn::CompareItem, false}, {WM_DELETEITEM, TChildIn::DeleteItem, false},
    {WM_HSCROLL, TChildIn::LParam, false},          {WM_VSCROLL, TChildIn::LParam, false},
    {WM_CHARTOITEM, TChildIn::LParam, false},       {WM_VKEYTOITEM, TChildIn::LParam, false},
    {WM_CTLCOLORMSGBOX, TChildIn::LParam, true},    {WM_CTLCOLOREDIT, TChildIn::LParam, true},
    {WM_CTLCOLORLISTBOX, TChildIn::LParam, true},   {WM_CTLCOLORBTN, TChildIn::LParam, true},
    {WM_CTLCOLORDLG, TChildIn::LParam, true},       {WM_CTLCOLORSCROLLBAR, TChildIn::LParam, true},
    {WM_CTLCOLORSTATIC, TChildIn::LParam, true},
};

const TReflection* FindReflection(UINT msg) {
    for (const TReflection& r : Reflections)
        if (r.Msg == msg) return &r;
    return nullptr;
}

// Menu items are nobody's child: their owner-draw messages stay with the window.
HWND ReflectedChild(const TReflection& r, HWND parent, LPARAM lParam) {
    switch (r.Child) {
    case TChildIn::NotifyHeader:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case TChildIn::DrawItem: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item.CtlType == ODT_MENU ? nullptr : item.hwndItem;
    }
    case TChildIn::MeasureItem: { // names its child by control ID only
        const auto& item = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item.CtlType == ODT_MENU ? nullptr : GetDlgItem(parent, int(item.CtlID));
    }
    case TChildIn::CompareItem:
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case TChildIn::DeleteItem:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    default:
        return reinterpret_cast<HWND>(lParam);
    }
}

bool ReflectTo(HWND child, HWND self, TMessage& Message) {
    TControl* c = child && child != self ? FindControl(child) : nullptr;
    if (!c) return false;
    Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}
} // namespace

void TWinControl::WndProc(TMessage& Message) {
    if (Reflect(Message)) return;
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

// A child's notification goes back to the child as CN_BASE + message; a colour request reflected
// to this control is answered with its own colours.
bool TWinControl::Reflect(TMessage& Message) {
    if (const TReflection* r = FindReflection(Message.Msg))
        return ReflectTo(ReflectedChild(*r, FHandle, Message.LParam), FHandle, Message);
    const TReflection* r = FindReflection(Message.Msg - CN_BASE);
    if (!r || !r->Colour) return false;
    ColorReflected(Message);
    return true;
}
