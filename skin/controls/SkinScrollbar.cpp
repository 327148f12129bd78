// Window scroll bars: the overlay pair, the skinner of framework controls and that of bare windows.
#include "SkinScrollbar.h"

#include "SkinControlList.h"
#include "SysUtils.h"
#include "TypInfo.h"

namespace {

// Where the window's client area starts inside the window.
POINT ClientOffset(HWND Wnd) {
    RECT w;
    GetWindowRect(Wnd, &w);
    POINT p{0, 0};
    ClientToScreen(Wnd, &p);
    return {p.x - w.left, p.y - w.top};
}

template <class F> void ForEachBar(TBarPair& Pair, F&& Fn) {
    for (auto* bar : {Pair.HorzBar.get(), Pair.VertBar.get()})
        if (bar) Fn(*bar);
}

} // namespace

// ---- The pair of overlays -------------------------------------------------------------------------

void TBarPair::Create(TSkinControl& Skinner, HWND Target) {
    HorzBar = std::make_unique<TWScrollbar>(Skinner, Target, sbkHorz, false);
    VertBar = std::make_unique<TWScrollbar>(Skinner, Target, sbkVert, true);
}

void TBarPair::Free() {
    HorzBar.reset();
    VertBar.reset();
}

void TBarPair::SetScrollbarPos() {
    ForEachBar(*this, [](TWScrollbar& b) { b.SetPosition(); });
}

void TBarPair::Hide() {
    ForEachBar(*this, [](TWScrollbar& b) { b.HideScrollbar(); });
}

void TBarPair::Refresh(HWND Target) {
    const LONG_PTR style = GetWindowLongPtrW(Target, GWL_STYLE);
    ForEachBar(*this, [style](TWScrollbar& b) {
        if (b.Shown())
            b.Repaint();
        else if (style & (b.Vertical() ? WS_VSCROLL : WS_HSCROLL))
            b.SetPosition();
    });
}

void TBarPair::Scrolled(UINT Msg, WPARAM wParam) {
    TWScrollbar* bar = (Msg == WM_VSCROLL ? VertBar : HorzBar).get();
    if (bar) bar->Scrolled(LOWORD(wParam));
}

bool TBarPair::Follow(const TMessage& Message, HWND Target) {
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        SetScrollbarPos();
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        Scrolled(Message.Msg, Message.WParam);
        return true;
    case WM_MOUSEWHEEL:
        Refresh(Target);
        return true;
    }
    return false;
}

void TBarPair::Retarget(HWND Target) {
    ForEachBar(*this, [Target](TWScrollbar& b) { b.Retarget(Target, b.Vertical()); });
}

void TBarPair::PaintOver(HDC DC, HWND Target, HBRUSH Face) {
    Refresh(Target);
    const RECT corner = Corner(Target);
    if (!IsRectEmpty(&corner)) FillRect(DC, &corner, Face);
}

RECT TBarPair::Corner(HWND Target) const {
    if (!HorzBar || !VertBar || !HorzBar->Shown() || !VertBar->Shown()) return {};
    const RECT &h = HorzBar->BarRect(), &v = VertBar->BarRect();
    RECT r{v.left, h.top, v.right, h.bottom};
    const POINT offset = ClientOffset(Target);
    OffsetRect(&r, offset.x, offset.y);
    return r;
}

// ---- Framework controls ---------------------------------------------------------------------------

void TSkinScrollbar::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    if (Initialized) return;
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    if (!Initialized || !Handle) return;
    FlatBorder = Kind != 1 && HasOwnBorder();
    Bars.Create(*this, Handle);
    if (!Control->Visible()) Bars.Hide();
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// A control drawn without a border keeps its own non-client painting.
bool TSkinScrollbar::HasOwnBorder() const {
    if (LowerCase(GetEnumProperty(Control, "BorderStyle")) == "bsnone") return false;
    return (GetWindowLongEx(GWL_EXSTYLE) & WS_EX_CLIENTEDGE) || (GetWindowLongEx(GWL_STYLE) & WS_BORDER);
}

void TSkinScrollbar::Unsubclass() {
    TSkinControl::Unsubclass();
    if (Status != ssDeleted) Bars.Free();
    if (Status != ssDeleted && Handle && IsWindow(Handle))
        RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// The control paints its own frame and bars first (the overlays cover the bars, and a bar the
// system cannot describe stays visible); the flat border goes over the sunken one.
bool TSkinScrollbar::BeforeProc(TMessage& Message) {
    if (Message.Msg == WM_NCDESTROY) return WindowGone(Message);
    if (Message.Msg != WM_NCPAINT || !FlatBorder || !Handle) return TSkinControl::BeforeProc(Message);
    if (!DefaultSurvived(Message)) return false;
    TWindowDC dc(Handle);
    BENCPAINT(dc);
    Bars.PaintOver(dc, Handle, SkinData->FaceBrush);
    return false;
}

void TSkinScrollbar::AfterProc(TMessage& Message) {
    if (Message.Msg == CM_RECREATEWND) return Recreated();
    if (!Handle) return; // between a window and the one remade for it
    if (Bars.Follow(Message, Handle)) return;
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        return Message.WParam ? Bars.SetScrollbarPos() : Bars.Hide();
    case WM_SKINPAINTNC:
        if (Message.LParam != SkinMessageTag) break;
        if (Message.WParam) BENCPAINT(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = SkinMessageTag;
        return;
    }
    TSkinControl::AfterProc(Message);
}

// A framework control's window goes when the control changes a creation setting (its scroll bars):
// the skinner stays on the control, its overlays hidden until the new window is there.
bool TSkinScrollbar::WindowGone(TMessage& Message) {
    if (!DefaultSurvived(Message)) return false;
    Bars.Hide();
    Handle = nullptr;
    return false;
}

void TSkinScrollbar::Recreated() {
    Handle = RemadeHandle();
    if (Handle) Bars.Retarget(Handle);
}

void TSkinScrollbar::BENCPAINT(HDC DC) {
    RECT r;
    if (!GetWindowRect(Handle, &r)) return;
    OffsetRect(&r, -r.left, -r.top);
    try {
        DrawBorder(DC, r);
    } catch (...) { // the border stays as the control drew it
    }
}

// A ButtonShadow line with a ButtonFace ring inside it.
void TSkinScrollbar::DrawBorder(HDC DC, const RECT& R) {
    TGdiHandle<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(SkinData->Colors[csButtonShadow])));
    FrameRect(DC, &R, shadow);
    RECT inner = R;
    InflateRect(&inner, -1, -1);
    FrameRect(DC, &inner, SkinData->FaceBrush);
}

void TSkinScrollbar::DrawControl(HDC DC, const RECT&) {
    Bars.PaintOver(DC, Handle, SkinData->FaceBrush);
}

// ---- Bare windows ---------------------------------------------------------------------------------

void TSkinScrollbarH::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas,
                               TSkinControlList* AForm) {
    if (Initialized) return;
    TSkinControl::Inithwnd(AHandle, ASkinData, ACanvas, AForm);
    Bars.Create(*this, Handle);
}

void TSkinScrollbarH::Unsubclass() {
    TSkinControl::Unsubclass();
    if (Status != ssDeleted) Bars.Free();
}

void TSkinScrollbarH::AfterProc(TMessage& Message) {
    if (!IsWindowVisible(Handle)) Bars.Hide();
    if (Message.Msg == WM_NCPAINT) return Bars.SetScrollbarPos(); // the system drew its own bars
    if (!Bars.Follow(Message, Handle)) TSkinControl::AfterProc(Message);
}

void TSkinScrollbarH::DrawControl(HDC DC, const RECT&) {
    Bars.PaintOver(DC, Handle, SkinData->FaceBrush);
}
