// What the message loop hands to MDI frames, menus and forms before it dispatches a message.
#include "Forms.h"

namespace {
// The form of the nearest framework control, within one top-level window (never through an owner:
// a message box's keys are not its owner's).
TCustomForm* FormOfWindow(HWND wnd) {
    for (; wnd; wnd = (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr)
        if (TControl* c = FindControl(wnd)) return GetParentForm(c);
    return nullptr;
}

bool IsKeyDown(const MSG& msg) {
    return msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
}
} // namespace

// Ctrl+F4, Ctrl+F6 and Alt+- for the active MDI child.
bool TApplication::IsMDIMsg(MSG& msg) {
    if (!IsKeyDown(msg)) return false;
    TCustomForm* form = FormOfWindow(msg.hwnd);
    TCustomForm* frame = form ? form->MDIFrame() : nullptr;
    return frame && frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &msg);
}

bool TApplication::IsShortCutMsg(const MSG& msg) {
    if (!IsKeyDown(msg)) return false;
    TCustomForm* form = FormOfWindow(msg.hwnd);
    return form && form->IsShortCut(ShortCutOfKey(msg.wParam));
}

// Alt+character, and characters a control does not take as text, go to the form as CM_DIALOGCHAR
// (through its window, where a skinner listens); an answer other than 0 uses the character up.
bool TApplication::IsDialogCharMsg(const MSG& msg) {
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    TCustomForm* form = FormOfWindow(msg.hwnd);
    if (!form) return false;
    if (msg.message == WM_CHAR &&
        (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS))
        return false;
    return SendMessageW(form->Handle(), CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}
