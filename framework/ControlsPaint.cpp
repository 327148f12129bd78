// Painting and the mouse: a window paints itself and then its windowless children; windowless
// controls get their mouse messages and their enter/leave notifications through their parent.
#include "Controls.h"

#include <windowsx.h>

#include <algorithm>

namespace {
bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT msg) {
    return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
}
} // namespace

// ---- TWinControl --------------------------------------------------------------------------------

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

// With a DC in wParam the control paints into it (a skinner drawing a parent under a child does
// this); otherwise a window with windowless children paints them after itself. The paint handler
// runs directly on the paint DC: a second WM_PAINT through WindowProc would show whoever swapped
// it one paint twice.
void TWinControl::WMPaint(TMessage& Message) {
    if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) return PaintHandler(dc);
    bool windowless = std::any_of(FControls.begin(), FControls.end(),
                                  [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
    if (Subclassed() && !windowless) return DefaultHandler(Message);
    TPaintDC dc(FHandle);
    PaintHandler(dc);
}

void TWinControl::PaintHandler(HDC dc) {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    if (Subclassed()) return DefaultHandler(Message);
    RECT r = ClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush.Handle());
    Message.Result = 1;
}

void TWinControl::PaintWindow(HDC dc) {
    if (!Subclassed()) return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* First) {
    auto it = First ? std::find(FControls.begin(), FControls.end(), First) : FControls.begin();
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        TSaveDC saved(dc);
        OffsetWindowOrgEx(dc, -c->Left(), -c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
}

// ---- Mouse --------------------------------------------------------------------------------------

void TWinControl::TrackMouse(TMessage& Message) {
    if (Message.Msg == WM_MOUSELEAVE) {
        FMouseInside = false;
        SetMouseControl(nullptr);
        Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
        return;
    }
    if (!FMouseInside) {
        FMouseInside = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
        Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    }
    SetMouseControl(GraphicControlAt({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}));
}

void TWinControl::SetMouseControl(TControl* c) {
    if (c == FMouseControl) return;
    if (TControl* old = std::exchange(FMouseControl, c))
        old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (c) c->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(c));
}

TControl* TWinControl::GraphicControlAt(POINT p) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        RECT r = c->BoundsRect();
        if (!dynamic_cast<TWinControl*>(c) && c->Visible() && c->Enabled() && PtInRect(&r, p)) return c;
    }
    return nullptr;
}

// Mouse messages over a windowless child are its own, in its coordinates; a press keeps them
// going to it until the button is released.
bool TWinControl::RouteMouseToGraphic(TMessage& Message) {
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    TControl* target = FCaptureControl ? FCaptureControl : GraphicControlAt(p);
    if (!target) return false;
    if (IsButtonDown(Message.Msg)) {
        FCaptureControl = target;
        SetCapture(FHandle);
    }
    Message.Result =
        target->Perform(Message.Msg, Message.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
    if (IsButtonUp(Message.Msg) && FCaptureControl) {
        FCaptureControl = nullptr;
        ReleaseCapture();
    }
    return true;
}

void UseControlLook(TCanvas& canvas, const TControl& control) {
    canvas.Font().Assign(&control.Font());
    canvas.Brush().SetColor(control.Color());
    canvas.Brush().SetStyle(bsSolid);
}

// ---- TGraphicControl ----------------------------------------------------------------------------

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo info{"TGraphicControl", &TControl::StaticClassInfo(), {}, {}};
    return info;
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
    ClickOnMouseUp = true;
}

void TGraphicControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT && Message.WParam) {
        TLentCanvas lent(FCanvas, reinterpret_cast<HDC>(Message.WParam));
        UseControlLook(FCanvas, *this);
        Paint();
        return;
    }
    TControl::WndProc(Message);
}

// ---- TCustomControl -----------------------------------------------------------------------------

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
    ClickOnMouseUp = true;
}

void TCustomControl::PaintWindow(HDC dc) {
    TLentCanvas lent(FCanvas, dc);
    UseControlLook(FCanvas, *this);
    Paint();
}
