// Hidden notification windows: a component without a window of its own gets a message-only window
// whose messages go to a handler, so that the system can post it notifications on the GUI thread.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>

using TWndHandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

// Every message after creation goes to handler; it returns what the message expects (0 for
// messages it ignores). Null when the window cannot be made.
HWND AllocateHWnd(TWndHandler handler);
void DeallocateHWnd(HWND wnd);

// Exceptions never leave the window procedure: one escaping a handler goes here (the application
// installs its error box); without a sink it is dropped after a debug-output line.
using THWndErrorSink = void (*)(std::exception_ptr error);
void SetHWndErrorSink(THWndErrorSink sink);
