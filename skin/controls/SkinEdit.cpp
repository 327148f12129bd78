// Edit fields: a flat frame over the border after each paint of the edit.
#include "SkinEdit.h"

#include "SkinFlatFrame.h"

namespace {

// Only the border is drawn: the client area stays the edit's.
RECT InnerRect(HWND Wnd) {
    RECT client, window;
    GetClientRect(Wnd, &client);
    GetWindowRect(Wnd, &window);
    MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    InflateRect(&client, -1, -1); // the white ring takes the client's outermost pixel
    return client;
}

} // namespace

void TSkinEdit::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCPAINT: // a frame-only repaint brings the system border back
        return PaintControl(nullptr);
    case WM_PRINTCLIENT:
        return PaintControl1(reinterpret_cast<HDC>(Message.WParam));
    case WM_SKINPAINTCLIENT:
        if (Message.LParam == SkinPaintTag) return PaintInto(Message);
        break;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinEdit::PaintInto(TMessage& Message) {
    if (Message.WParam) {
        TMessage paint{WM_PAINT, Message.WParam, 0, 0};
        Default(paint);
    }
    Message.Result = SkinPaintTag;
}

void TSkinEdit::DrawControl(HDC DC, const RECT& R) {
    if (!HasBorder(Handle, WindowRect)) return;
    TExcludeInner inner(DC, InnerRect(Handle));
    FrameRing(DC, R, 0, SkinData ? SkinData->Colors[csButtonShadow] : clBtnShadow);
    FrameRing(DC, R, 1, clWhite);
    FrameRing(DC, R, 2, clWhite);
}

void TSkinEdit::PaintControl1(HDC DC) {
    RECT w, client;
    if (!DC || !GetWindowRect(Handle, &w) || !GetClientRect(Handle, &client)) return;
    RECT r{0, 0, w.right - w.left, w.bottom - w.top};
    if (client.right >= r.right - 2 || client.bottom >= r.bottom - 2) return;
    FrameRing(DC, r, 1, static_cast<HBRUSH>(GetCurrentObject(DC, OBJ_BRUSH)));
    FrameRing(DC, r, 0, SkinData ? SkinData->Colors[csButtonShadow] : clBtnShadow);
}
