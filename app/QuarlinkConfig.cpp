// The program: the start options, the main window from its stored description, then the message loop.
#include "MainUnit.h"
#include "StartTiming.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    TStartTiming timing;
    TMainForm::StartOptions = ParseStartOptions(GetCommandLineW());
    return RunApplication([&timing] {
        Application->CreateForm(MainForm);
        MainForm->ApplyStartOptions();
        const std::string& file = TMainForm::StartOptions.TimingFile;
        if (!file.empty()) TimeFirstPaint(timing, file);
    });
}
