// The control skinner base: attaching, detaching and the message flow.
#include "WinSubClass.h"

#include "SkinControlList.h"
#include "SkinDraw.h"

// The control's WindowProc calls the skinner through this link. When the skinner goes while
// another handler sits on top of it, the link stays behind and passes every message on.
struct TSkinControl::THookLink {
    TSkinControl* Skinner;
    TWndMethod Previous;
};

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

TSkinControl::~TSkinControl() {
    *FAlive = false;
    ReleaseWindowProc();
    ReleaseSubclass();
    ForgetForm();
}

void TSkinControl::ReleaseWindowProc() {
    if (!FHook) return;
    if (Control && Control->WindowProc.Data == this)
        Control->WindowProc = FHook->Previous;
    else
        FHook->Skinner = nullptr;
    FHook.reset();
}

// The framework subclass gives the procedure back only while it is on top and the window lives.
void TSkinControl::ReleaseSubclass() {
    FSubclass.Release();
}

void TSkinControl::ForgetForm() {
    if (TSkinControlList* form = std::exchange(Form, nullptr)) form->DeleteControl(this);
}

// ---- Attaching ------------------------------------------------------------------------------------

void TSkinControl::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    TControl* control = Adopt(AForm, ASkinData, ACanvas, AParentBK);
    if (!control) return;
    Unicode = Handle && IsWindowUnicode(Handle);
    HookWindowProc(control);
    Enlist();
    control->Invalidate();
    Attached();
}

TControl* TSkinControl::Adopt(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas,
                              bool AParentBK) {
    if (Initialized) return nullptr;
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control) return nullptr;
    ParentBK = AParentBK;
    SkinData = ASkinData;
    Form = AForm;
    Canvas = ACanvas;
    Control = control;
    if (auto* win = dynamic_cast<TWinControl*>(control)) Handle = win->Handle();
    return control;
}

void TSkinControl::Enlist() {
    if (Form) Form->AddControlList(this);
    if (ParentBK) {
        SavedColor = Control->Color();
        Control->SetColor(FaceColor());
    }
}

bool TSkinControl::PaintWholeFace(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        WMPaint(Message);
        return true;
    case WM_ERASEBKGND: // the paint covers the whole face: nothing to erase first
        Message.Result = 1;
        return true;
    }
    return false;
}

void TSkinControl::HookWindowProc(TControl* AControl) {
    FHook = std::make_shared<THookLink>(THookLink{this, AControl->WindowProc});
    AControl->WindowProc.Data = this;
    AControl->WindowProc.Code = [link = FHook](TMessage& m) {
        if (link->Skinner)
            link->Skinner->NewWndProc(m);
        else
            link->Previous(m);
    };
}

void TSkinControl::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) {
    if (Initialized) return;
    Handle = AHandle;
    SkinData = ASkinData;
    Canvas = ACanvas;
    Form = AForm;
    Enabled = true;
    if (Form) Form->AddControlList(this);
    Unicode = IsWindowUnicode(Handle);
    Caption = WindowText();
    FSubclass.OnMessage.Bind(this, &TSkinControl::NewWndProc);
    FSubclass.Attach(Handle);
    InvalidateRect(Handle, nullptr, TRUE);
    Attached();
}

void TSkinControl::Attached() {
    if (Handle) Enabled = !(GetWindowLongEx(GWL_STYLE) & WS_DISABLED);
    Initialized = true;
    Status = ssAttached;
}

void TSkinControl::Unsubclass() {
    if (ParentBK && Control) Control->SetColor(SavedColor);
}

void TSkinControl::SkinChange() {
    if (ParentBK && Control) Control->SetColor(FaceColor());
    Invalidate();
}

// ---- Messages -------------------------------------------------------------------------------------

void TSkinControl::NewWndProc(TMessage& Message) {
    if (Message.Msg == WM_SKINONOFF) {
        Active = Message.WParam > 0;
        if (Active) Invalidate();
        return;
    }
    // a switched-off skinner still learns that its window is gone
    if (!Active && Message.Msg != WM_NCDESTROY) return Default(Message);
    if (BeforeProc(Message) && DefaultSurvived(Message)) AfterProc(Message);
}

bool TSkinControl::DefaultSurvived(TMessage& Message) {
    std::shared_ptr<const bool> alive = FAlive;
    Default(Message);
    return *alive;
}

void TSkinControl::Default(TMessage& Message) {
    if (FHook)
        FHook->Previous(Message);
    else
        FSubclass.CallPrevious(Message);
}

bool TSkinControl::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCDESTROY:
        if (!DefaultSurvived(Message)) return false;
        Active = false;
        Status = ssDeleted;
        Unsubclass();
        return false;
    case WM_SKINQUERY:
        Message.Result = 1;
        return false;
    }
    return true;
}

void TSkinControl::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_SKINENABLED:
        Invalidate();
        break;
    case WM_PAINT:
        PaintControl(reinterpret_cast<HDC>(Message.WParam));
        break;
    }
}

void TSkinControl::Invalidate() {
    if (GraphicControl) return GraphicControl->Repaint();
    if (!Handle || Destroying() || Status == ssDeleted || !IsWindow(Handle)) return;
    InvalidateRect(Handle, nullptr, TRUE);
    UpdateWindow(Handle);
}

void TSkinControl::MouseLeave() {
    if (Handle) SendMessageW(Handle, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::MouseEntered() {
    State.Include(scMouseIn);
    if (Form) Form->HoverControl = this;
}

void TSkinControl::MouseLeft() {
    State.Exclude(scMouseIn);
    State.Exclude(scDown);
    if (Form && Form->HoverControl == this) Form->HoverControl = nullptr;
}

void TSkinControl::TrackLeave() const {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle, 0};
    if (pTrackMouseEvent) pTrackMouseEvent(&track);
}

HWND TSkinControl::RemadeHandle() const {
    auto* win = dynamic_cast<TWinControl*>(Control);
    return win ? win->Handle() : nullptr;
}

LONG_PTR TSkinControl::GetWindowLongEx(int Index) const {
    return Unicode ? GetWindowLongPtrW(Handle, Index) : GetWindowLongPtrA(Handle, Index);
}

std::u16string TSkinControl::WindowText() const {
    wchar_t text[1000];
    LRESULT n = SendMessageW(Handle, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return {reinterpret_cast<const char16_t*>(text), static_cast<size_t>(n > 0 ? n : 0)};
}

// ---- Painting -------------------------------------------------------------------------------------

void TSkinControl::PaintControl(HDC DC) {
    if (!Handle || !GetWindowRect(Handle, &WindowRect)) return;
    RECT r{0, 0, WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top};
    try {
        if (DC) return DrawControl(DC, r);
        TWindowDC dc(Handle);
        DrawControl(dc, r);
    } catch (...) { // the control stays as painted so far
    }
}

void TSkinControl::WMPaint(TMessage& Message) {
    if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) return PaintControl(dc);
    TPaintDC dc(Handle);
    PaintControl(dc);
}

void TSkinControl::WMERASEBKGND(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (Control) {
        try {
            DrawParentImage(Control, dc, true);
        } catch (...) { // as a failed paint: the background stays as it was
        }
    } else {
        RECT r;
        GetClientRect(Handle, &r);
        FillParentBG(dc, r);
    }
    Message.Result = 1;
}

void TSkinControl::DrawControl(HDC, const RECT&) {}
