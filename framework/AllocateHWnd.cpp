#include "AllocateHWnd.h"

#include "ErrorSink.h"

#include <memory>

namespace {
constexpr wchar_t ClassName[] = L"QlNotifyWindow";

TWndHandler* HandlerOf(HWND wnd) {
    return reinterpret_cast<TWndHandler*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

LRESULT CALLBACK NotifyWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // the window owns the handler from here on; WM_NCDESTROY frees it
        auto* pending = static_cast<std::unique_ptr<TWndHandler>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pending->release()));
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }
    TWndHandler* handler = HandlerOf(wnd);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        delete handler;
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }
    if (!handler) return DefWindowProcW(wnd, msg, wParam, lParam);
    LRESULT result = 0;
    GuardCallback([&] { result = (*handler)(msg, wParam, lParam); });
    return result;
}

bool RegisterNotifyClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, ClassName, &wc)) return true;
    wc.lpfnWndProc = NotifyWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = ClassName;
    return RegisterClassW(&wc) != 0;
}
} // namespace

HWND AllocateHWnd(TWndHandler handler) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterNotifyClass(instance)) return nullptr;
    auto pending = std::make_unique<TWndHandler>(std::move(handler));
    return CreateWindowExW(0, ClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, &pending);
}

void DeallocateHWnd(HWND wnd) {
    if (wnd) DestroyWindow(wnd);
}
