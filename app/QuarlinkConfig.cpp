// The program: the start options, the main window from its stored description, then the message loop.
#include "MainUnit.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    TMainForm::StartOptions = ParseStartOptions(GetCommandLineW());
    return RunApplication([] {
        Application->CreateForm(MainForm);
        MainForm->ApplyStartOptions();
    });
}
