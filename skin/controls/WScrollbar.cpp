// The scroll-bar overlay: placing it over the native bar, forwarding presses, painting the skin.
#include "WScrollbar.h"

#include "ErrorSink.h"
#include "GdiHandles.h"
#include "SkinMap.h"
#include "WinSubClass.h"

#include <cstdlib>

namespace {

constexpr wchar_t OverlayClass[] = L"QlScrollOverlay";

bool RegisterOverlayClass(WNDPROC Proc) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, OverlayClass, &wc)) return true;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = OverlayClass;
    return RegisterClassW(&wc) != 0;
}

bool IsChild(HWND Wnd) {
    return GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_CHILD;
}

POINT PosOf(LPARAM Pos) {
    return {short(LOWORD(Pos)), short(HIWORD(Pos))};
}

RECT ParentBounds(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    MapWindowPoints(nullptr, GetParent(Wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TWScrollbar::TWScrollbar(const TSkinControl& Skinner, HWND Target, TBarKind Kind, bool Vertical)
    : FSkinData(Skinner.SkinData), FTarget(Target), FKind(Kind),
      FVertical(Kind == sbkControl ? Vertical : Kind == sbkVert), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {
    SetPosition();
}

TWScrollbar::~TWScrollbar() {
    *FAlive = false;
    if (HWND wnd = FWnd.get()) SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
}

// A child of the target's parent, just above the target; over a pop-up (a drop-down list) an owned
// pop-up that never takes the activation.
void TWScrollbar::CreateOverlay() {
    if (!RegisterOverlayClass(OverlayProc)) return;
    const bool child = IsChild(FTarget);
    const DWORD style = child ? WS_CHILD | WS_CLIPSIBLINGS : WS_POPUP;
    const DWORD exStyle = WS_EX_TOOLWINDOW | (child ? 0 : WS_EX_NOACTIVATE);
    HWND parent = child ? GetParent(FTarget) : FTarget;
    FWnd.reset(CreateWindowExW(exStyle, OverlayClass, L"", style, 0, 0, 0, 0, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    if (FWnd) SetWindowLongPtrW(FWnd.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TWScrollbar::Retarget(HWND Target, bool Vertical) {
    FTarget = Target;
    if (FKind == sbkControl) FVertical = Vertical;
    SetPosition();
}

// ---- Bar information ------------------------------------------------------------------------------

bool TWScrollbar::GetBarInfo(TBarInfo& Info) const {
    return FKind == sbkControl ? GetControlInfo(Info) : GetWindowBarInfo(Info);
}

// A bar the window's style does not ask for counts as invisible whatever the system reports.
bool TWScrollbar::GetWindowBarInfo(TBarInfo& Info) const {
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    if (!FSkinData || !FSkinData->GetScrollBarInfo(FTarget, FVertical ? OBJID_VSCROLL : OBJID_HSCROLL, sbi))
        return false;
    const LONG_PTR style = GetWindowLongPtrW(FTarget, GWL_STYLE);
    Info.Bar = sbi.rcScrollBar;
    Info.Thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
    Info.State = sbi.rgstate[0];
    if (!(style & (FVertical ? WS_VSCROLL : WS_HSCROLL)) || IsRectEmpty(&Info.Bar))
        Info.State |= STATE_SYSTEM_INVISIBLE;
    return true;
}

// A scroll-bar control: the whole control is the bar; the thumb from its range.
bool TWScrollbar::GetControlInfo(TBarInfo& Info) const {
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(FTarget, SB_CTL, &si)) return false;
    Info.Bar = ParentBounds(FTarget);
    const TScrollRange range{si.nMin, si.nMax, int(si.nPage), si.nPos};
    Info.Thumb = ThumbSpan(Length(Info.Bar), FArrowSize, range);
    Info.State = IsWindowEnabled(FTarget) ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return true;
}

// ---- Placing --------------------------------------------------------------------------------------

void TWScrollbar::SetPosition() {
    TBarInfo info;
    if (!GetBarInfo(info)) return;
    if (!IsWindowVisible(FTarget) || (info.State & STATE_SYSTEM_INVISIBLE)) return HideScrollbar();
    // Made when its bar first shows: most bars (a closed drop-down list's) never do.
    if (!FWnd) CreateOverlay();
    if (!FWnd) return;
    Place(info);
    Repaint(); // a target without WS_CLIPSIBLINGS may have painted its own bar over the overlay
}

void TWScrollbar::Place(const TBarInfo& Info) {
    const int w = Info.Bar.right - Info.Bar.left, h = Info.Bar.bottom - Info.Bar.top;
    FBarLength = FVertical ? h : w;
    if (FKind == sbkControl) {
        FBarRect = {0, 0, w, h};
    } else {
        FBarOrigin = {Info.Bar.left, Info.Bar.top};
        FBarRect = Info.Bar;
        MapWindowPoints(nullptr, FTarget, reinterpret_cast<POINT*>(&FBarRect), 2);
    }
    const POINT at = OverlayOrigin(Info);
    HWND above = IsChild(FTarget) ? GetWindow(FTarget, GW_HWNDPREV) : HWND_TOP;
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
    if (above == FWnd.get()) flags |= SWP_NOZORDER;
    SetWindowPos(FWnd.get(), above ? above : HWND_TOP, 0, 0, 0, 0, flags);
    MoveWindow(FWnd.get(), at.x, at.y, w, h, TRUE);
    FShown = true;
}

POINT TWScrollbar::OverlayOrigin(const TBarInfo& Info) const {
    POINT at{Info.Bar.left, Info.Bar.top};
    if (FKind != sbkControl && IsChild(FTarget)) ScreenToClient(GetParent(FTarget), &at);
    return at;
}

void TWScrollbar::HideScrollbar() {
    if (FWnd) ShowWindow(FWnd.get(), SW_HIDE);
    FShown = false;
}

void TWScrollbar::Repaint() {
    if (!FShown || !FWnd) return;
    InvalidateRect(FWnd.get(), nullptr, FALSE);
    UpdateWindow(FWnd.get());
}

void TWScrollbar::Scrolled(int Code) {
    FHotPart = TScrollPart(Code);
    Repaint();
}

// ---- Messages -------------------------------------------------------------------------------------

LRESULT CALLBACK TWScrollbar::OverlayProc(HWND Wnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto* bar = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    if (Msg == WM_NCDESTROY && bar) bar->FWnd.release(); // the parent took it down first
    if (!bar) return DefWindowProcW(Wnd, Msg, wParam, lParam);
    LRESULT result = 0;
    if (!GuardCallback([&] { result = bar->Message(Msg, wParam, lParam); })) return 0;
    return result;
}

LRESULT TWScrollbar::Message(UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
    case WM_PAINT: {
        TPaintDC dc(FWnd.get());
        Paint(dc);
        return 0;
    }
    case WM_ERASEBKGND: // the paint covers everything
        return 1;
    case WM_MOUSEACTIVATE: // a click on a bar leaves the focus where it is
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        MouseMove(lParam);
        return 0;
    case WM_MOUSELEAVE:
        MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(lParam);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(lParam);
        return 0;
    case WM_MOUSEWHEEL: // the control scrolls, as under its native bar
    case WM_MOUSEHWHEEL:
        return SendMessageW(FTarget, Msg, wParam, lParam);
    }
    return DefWindowProcW(FWnd.get(), Msg, wParam, lParam);
}

// ---- Mouse ----------------------------------------------------------------------------------------

TScrollPart TWScrollbar::PartAt(LPARAM Pos) const {
    TBarInfo info;
    if (!GetBarInfo(info)) return spNone;
    return ::PartAt(AlongAxis(PosOf(Pos)), FBarLength, FArrowSize, info.Thumb);
}

void TWScrollbar::SetHotPart(TScrollPart Part) {
    if (Part == FHotPart) return;
    FHotPart = Part;
    Repaint();
}

void TWScrollbar::MouseMove(LPARAM Pos) {
    SetHotPart(PartAt(Pos));
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FWnd.get(), 0};
    if (pTrackMouseEvent) pTrackMouseEvent(&track);
}

void TWScrollbar::MouseLeave() {
    if (!FPressed) SetHotPart(spNone);
}

// The control's tracking runs inside the forwarded press, until the button comes up.
void TWScrollbar::ButtonDown(LPARAM Pos) {
    GetCursorPos(&FPressCursor);
    TBarInfo info;
    if (!GetBarInfo(info)) return;
    FPressThumb = info.Thumb;
    FHotPart = PartAt(Pos);
    FPressed = true;
    Repaint();
    ReleaseCapture();
    std::shared_ptr<const bool> alive = FAlive;
    SendMessageW(FTarget, ForwardDown(), ForwardHit(), ForwardPos(Pos));
    if (!*alive) return; // the press un-skinned the control
    FPressed = false;
    ReleaseCapture();
    Repaint();
}

void TWScrollbar::ButtonUp(LPARAM Pos) {
    FPressed = false;
    ReleaseCapture();
    PostMessageW(FTarget, ForwardUp(), ForwardHit(), ForwardPos(Pos));
    Repaint();
}

LPARAM TWScrollbar::ForwardPos(LPARAM Pos) const {
    if (FKind == sbkControl) return Pos;
    POINT p = PosOf(Pos);
    return MAKELPARAM(p.x + FBarOrigin.x, p.y + FBarOrigin.y);
}

UINT TWScrollbar::ForwardDown() const {
    return FKind == sbkControl ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
}

UINT TWScrollbar::ForwardUp() const {
    return FKind == sbkControl ? WM_LBUTTONUP : WM_NCLBUTTONUP;
}

WPARAM TWScrollbar::ForwardHit() const {
    if (FKind == sbkControl) return MK_LBUTTON;
    return FVertical ? HTVSCROLL : HTHSCROLL;
}

// ---- Painting -------------------------------------------------------------------------------------

TSpan TWScrollbar::ShownThumb(const TBarInfo& Info) const {
    if (!FPressed || FHotPart != spThumb || FKind == sbkControl) return Info.Thumb;
    POINT now;
    GetCursorPos(&now);
    const POINT rel{now.x - FBarOrigin.x, now.y - FBarOrigin.y};
    const int across = FVertical ? rel.x : rel.y;
    if (!DragKept(AlongAxis(rel), across, FBarLength, FArrowSize)) return FPressThumb; // as the system does
    return DraggedThumb(FPressThumb, AlongAxis(now) - AlongAxis(FPressCursor), FBarLength, FArrowSize);
}

// The strip's own thickness, unless it is far from the system's.
int TWScrollbar::Thickness() const {
    const int strip = FSkinData->Scrollbar->Image.Height();
    return std::abs(strip - FArrowSize) > 2 ? FArrowSize : strip;
}

void TWScrollbar::Paint(HDC DC) {
    TDataSkinObject* strip = FSkinData ? FSkinData->Scrollbar.get() : nullptr;
    TBarInfo info;
    if (!strip || strip->Image.Empty() || !GetBarInfo(info) || (info.State & STATE_SYSTEM_INVISIBLE)) return;
    RECT client;
    GetClientRect(FWnd.get(), &client);
    const int w = info.Bar.right - info.Bar.left, h = info.Bar.bottom - info.Bar.top;
    if (w <= 0 || h <= 0 || w > client.right || h > client.bottom) return; // until the next placement
    const int length = FVertical ? h : w, t = Thickness();
    // a control's bar is drawn at the strip's thickness and stretched to the control
    const bool stretched = FKind == sbkControl;
    TBitmap work;
    work.SetSize(stretched ? (FVertical ? t : length) : w, stretched ? (FVertical ? length : t) : h);
    RECT all{0, 0, work.Width(), work.Height()};
    FillRect(work.MemoryDC(), &all, FSkinData->FaceBrush);
    DrawBar(work.MemoryDC(), length, t, !(info.State & STATE_SYSTEM_UNAVAILABLE), ShownThumb(info));
    if (stretched)
        StretchBlt(DC, 0, 0, client.right, client.bottom, work.MemoryDC(), 0, 0, all.right, all.bottom,
                   SRCCOPY);
    else
        BitBlt(DC, 0, 0, w, h, work.MemoryDC(), 0, 0, SRCCOPY);
}

void TWScrollbar::DrawBar(HDC DC, int BarLength, int T, bool Enabled, TSpan Thumb) {
    DrawTrack(DC, BarLength, T, Enabled);
    DrawArrows(DC, BarLength, T);
    if (Enabled) DrawThumb(DC, BarLength, T, Thumb);
}

void TWScrollbar::DrawTrack(HDC DC, int BarLength, int T, bool Enabled) {
    TDataSkinObject* track = (FVertical ? FSkinData->VertScroll : FSkinData->HorzScroll).get();
    const TSpan span = TrackSpan(BarLength, FArrowSize);
    if (!track || span.Length() <= 0) return;
    const TBox b = SpanBox(span, T, FVertical);
    DrawSkinMap(DC, {b.Left, b.Top, b.Right, b.Bottom}, *track, TrackFrame(Enabled), track->Frame);
}

void TWScrollbar::DrawArrows(HDC DC, int BarLength, int T) {
    TBitmap& strip = FSkinData->Scrollbar->Image;
    for (bool second : {false, true}) {
        const TSpan span =
            second ? SecondArrowSpan(BarLength, FArrowSize) : FirstArrowSpan(BarLength, FArrowSize);
        const TBox b = SpanBox(span, T, FVertical);
        DrawSkinMap2(DC, {b.Left, b.Top, b.Right, b.Bottom}, strip,
                     ArrowFrame(FVertical, second, FHotPart, FPressed), 23);
    }
}

// Only a thumb that lies within the bar; its grip only when the thumb can hold it.
void TWScrollbar::DrawThumb(HDC DC, int BarLength, int T, TSpan Thumb) {
    if (Thumb.Start < 0 || Thumb.Length() <= 0 || Thumb.End > BarLength) return;
    TDataSkinObject* body = (FVertical ? FSkinData->VertScrollThumb : FSkinData->HorzScrollThumb).get();
    const bool dragged = FPressed && FHotPart == spThumb;
    if (body) {
        const TBox b = SpanBox(Thumb, T, FVertical);
        DrawSkinMap(DC, {b.Left, b.Top, b.Right, b.Bottom}, *body, ThumbFrame(FHotPart, dragged),
                    body->Frame);
    }
    TBitmap& strip = FSkinData->Scrollbar->Image;
    const int grip = strip.Height();
    if (Thumb.Length() < grip - 1) return;
    const TBox g = CentredBox(Thumb, grip, T, FVertical);
    DrawSkinMap2(DC, {g.Left, g.Top, g.Right, g.Bottom}, strip, GripFrame(FVertical, FHotPart, dragged), 23);
}
