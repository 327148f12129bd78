// Owner of a window the framework makes outside any control (a pop-up menu's hidden owner, an MDI
// frame's client window): destroyed with its owner unless the system took it down first (release()).
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct TDestroyWindow {
    void operator()(HWND wnd) const { DestroyWindow(wnd); }
};
using TWindowOwner = std::unique_ptr<std::remove_pointer_t<HWND>, TDestroyWindow>;
