// The form of the standard controls, to look at: framework_stdctrls_demo [milliseconds until it closes].
#include "StdForm.h"

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    try {
        auto form = ReadStdForm();
        form->Show();
        SetTimer(nullptr, 0, 100, nullptr); // wakes the loop to look at the clock
        DWORD end = GetTickCount() + DWORD(std::wcstol(commandLine, nullptr, 10));
        while (form->Visible() && (commandLine[0] == 0 || GetTickCount() < end))
            Application->HandleMessage();
    } catch (...) {
        Application->HandleException(std::current_exception());
        return 1;
    }
    return 0;
}
