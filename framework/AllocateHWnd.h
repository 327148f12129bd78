// Hidden notification windows: a component without a window of its own gets a message-only window
// whose messages go to a handler, so that the system can post it notifications on the GUI thread.
#pragma once

#include <windows.h>

#include <functional>

using TWndHandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

// Every message after creation goes to handler; it returns what the message expects (0 for
// messages it ignores). An exception leaving the handler goes to the error sink (ErrorSink.h) and
// the message gets 0. Null when the window cannot be made.
HWND AllocateHWnd(TWndHandler handler);
void DeallocateHWnd(HWND wnd);
