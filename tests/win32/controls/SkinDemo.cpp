#include "SkinDemo.h"

#include "SkinControlList.h"
#include "WinSkinData.h"

#include <cwchar>

int RunSkinDemo(const wchar_t* CommandLine, int Width, int Height,
                const std::function<void(TForm&)>& AddControls) {
    try {
        TSkinData skin(nullptr);
        skin.SetSkinFile(QL_DEFAULT_SKIN);
        TForm* form = new TForm(nullptr);
        form->SetBounds(40, 40, Width, Height);
        form->SetColor(skin.Colors[csButtonFace]);
        AddControls(*form);
        TSkinControlList list(nullptr, &skin);
        list.InitControls(form);
        list.InitHwndControls(form->Handle());
        form->Show();
        SetTimer(nullptr, 0, 100, nullptr); // wakes the loop to look at the clock
        DWORD end = GetTickCount() + DWORD(std::wcstol(CommandLine, nullptr, 10));
        while (form->Visible() && (CommandLine[0] == 0 || GetTickCount() < end))
            Application->HandleMessage();
        list.DeleteControls();
        form->Free();
    } catch (...) {
        Application->HandleException(std::current_exception());
        return 1;
    }
    return 0;
}
