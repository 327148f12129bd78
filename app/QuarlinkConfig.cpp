// The program: the main window from its stored description, then the message loop.
#include "MainUnit.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return RunApplication([] { Application->CreateForm(MainForm); });
}
