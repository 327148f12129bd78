// The program: the main window from its stored description, then the message loop.
#include "MainUnit.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    try {
        Application->Initialize();
        Application->CreateForm(MainForm);
        Application->Run();
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    return 0;
}
