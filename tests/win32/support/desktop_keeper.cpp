// Holds Wine's desktop open while a test run lasts. Wine closes the desktop about a second after
// its last user has gone and starts a new one for the next program; a test program that starts in
// that moment cannot create windows. This program stays a user of the desktop until the Wine server
// is stopped. It writes its argument's file once the desktop exists, so the run can wait for it.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    GetDesktopWindow();
    HWND keeper = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (argc > 1) {
        if (std::FILE* ready = std::fopen(argv[1], "w")) std::fclose(ready);
    }
    MSG msg;
    while (keeper && GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
