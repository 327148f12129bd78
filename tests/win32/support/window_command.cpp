// Drives a top-level window of another program the way the system would, for screenshots and hand
// tests where no window manager is at hand:
//   window_command TITLE maximize|restore|minimize  the window command its caption buttons post
//   window_command TITLE resize W H STEPS MS        the outer size, from the current one to W x H in
//                                                  STEPS steps, MS milliseconds apart
//   window_command TITLE deactivate MS             a small window of this program takes the
//                                                  activation and keeps it for MS milliseconds
//   window_command TITLE caption TEXT              a new caption (any script: read as Unicode)
// TITLE is the start of the window's caption. Exit code 0 when done, 1 on bad arguments, 2 when no
// such window exists.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct TSearch {
    const char* Prefix;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND wnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TSearch*>(lParam);
    char title[256] = {};
    GetWindowTextA(wnd, title, sizeof title);
    if (!IsWindowVisible(wnd) || std::strncmp(title, search->Prefix, std::strlen(search->Prefix)) != 0)
        return TRUE;
    search->Found = wnd;
    return FALSE;
}

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
}

SIZE OuterSize(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// Linear steps from the current size; each step waits until the window has taken it.
void Resize(HWND wnd, SIZE to, int steps, DWORD ms) {
    SIZE from = OuterSize(wnd);
    for (int i = 1; i <= steps; ++i) {
        int w = from.cx + (to.cx - from.cx) * i / steps, h = from.cy + (to.cy - from.cy) * i / steps;
        SetWindowPos(wnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(ms);
    }
}

void Deactivate(DWORD ms) {
    HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"other", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                 40, 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    Pump(ms);
    DestroyWindow(other);
}

// The command line's argument `index` as Unicode, whatever the ANSI code page.
std::wstring WideArgument(int index) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring arg = args && index < count ? args[index] : L"";
    LocalFree(args);
    return arg;
}

bool Command(HWND wnd, int argc, char** argv) {
    std::string command = argv[2];
    if (command == "maximize") return PostMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (command == "restore") return PostMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (command == "minimize") return PostMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (command == "resize" && argc == 7) {
        Resize(wnd, {std::atoi(argv[3]), std::atoi(argv[4])}, std::max(1, std::atoi(argv[5])),
               DWORD(std::atoi(argv[6])));
        return true;
    }
    if (command == "caption" && argc == 4) return SetWindowTextW(wnd, WideArgument(3).c_str());
    if (command == "deactivate" && argc == 4) {
        Deactivate(DWORD(std::atoi(argv[3])));
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 1;
    TSearch search{argv[1]};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    if (!search.Found) return 2;
    return Command(search.Found, argc, argv) ? 0 : 1;
}
