// A window message as a control's handlers see it, and the numbers of the framework's own
// notifications (CM_*) and of notifications reflected from a parent to its child control (CN_*).
#pragma once

#include "Classes.h"

#include <windows.h>

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A control's message handler. Its WindowProc property holds one; a skinner swaps it for its own
// and puts the saved one back when it lets go.
using TWndMethod = TEvent<TMessage&>;

enum : UINT {
    CM_BASE = 0xB000,
    CM_DIALOGKEY = CM_BASE + 5,    // wParam: virtual key; non-zero result: the key was used
    CM_DIALOGCHAR = CM_BASE + 6,   // wParam: character, lParam: key data; from the message loop to the form
    CM_FOCUSCHANGED = CM_BASE + 7, // to the form, broadcast to every control; lParam: the focused control
    CM_PARENTFONTCHANGED = CM_BASE + 8,
    CM_PARENTCOLORCHANGED = CM_BASE + 9,
    CM_VISIBLECHANGED = CM_BASE + 11, // wParam: the new visibility
    CM_ENABLEDCHANGED = CM_BASE + 12,
    CM_COLORCHANGED = CM_BASE + 13,
    CM_FONTCHANGED = CM_BASE + 14,
    CM_TEXTCHANGED = CM_BASE + 18,
    CM_MOUSEENTER = CM_BASE + 19, // lParam: the control
    CM_MOUSELEAVE = CM_BASE + 20, // lParam: the control
    // to a menu bar's window; wParam: items came, went or were shown or hidden; lParam: the item
    CM_MENUCHANGED = CM_BASE + 21,
    CM_ENTER = CM_BASE + 26,          // the control got the focus
    CM_EXIT = CM_BASE + 27,           // the control lost the focus
    CM_RELEASE = CM_BASE + 33,        // posted to a form that frees itself once its handlers returned
    CM_RECREATEWND = CM_BASE + 51,    // sent to a control after its window was made anew
    CM_SKINNINGDONE = CM_BASE + 0x4E, // the skin engine's end-of-skinning notice, as controls get it

    CN_BASE = 0xBC00,
    CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM,
    CN_COMMAND = CN_BASE + WM_COMMAND,
    CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM,
    CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
    CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG,
    CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
    CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
    CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX,
    CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR,
    CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
    CN_DELETEITEM = CN_BASE + WM_DELETEITEM,
    CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
    CN_HSCROLL = CN_BASE + WM_HSCROLL,
    CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
    CN_NOTIFY = CN_BASE + WM_NOTIFY,
    CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM,
    CN_VSCROLL = CN_BASE + WM_VSCROLL,
};

// The tag of the skin engine's private messages (lParam, or the answer).
constexpr LPARAM SkinMessageTag = 0x41A2;

// The engine's end-of-skinning notice (0xBC4E with lParam SkinMessageTag) has the number of a
// reflected WM_NOTIFY: it becomes CM_SKINNINGDONE where a message enters a control, before any
// handler could read its lParam as an NMHDR.
inline void GuardSkinNotice(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY && Message.LParam == SkinMessageTag) Message.Msg = CM_SKINNINGDONE;
}
