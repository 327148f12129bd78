// Skinned buttons, check boxes, radio buttons, track bars, progress bars and a media player,
// framework-made and bare, to look at: skin_controls_demo [milliseconds until it closes]. One button
// starts disabled, one check box grayed.
#include "Buttons.h"
#include "ComCtrls.h"
#include "MPlayer.h"
#include "Forms.h"
#include "SkinControlList.h"
#include "StdCtrls.h"
#include "WinSkinData.h"

#include <commctrl.h>
#include <cwchar>

namespace {

template <class T> T* Add(TWinControl& parent, int x, int y, int w, int h, const char* caption) {
    auto* c = new T(&parent);
    c->SetParent(&parent);
    c->SetBounds(x, y, w, h);
    c->SetCaption(caption);
    return c;
}

void AddControls(TForm& form) {
    Add<TButton>(form, 10, 10, 89, 25, "Connect(连接)");
    Add<TButton>(form, 110, 10, 89, 25, "Read(读取)")->SetDefault(true);
    Add<TButton>(form, 210, 10, 89, 25, "Write(写入)")->SetEnabled(false);
    Add<TBitBtn>(form, 310, 10, 89, 25, "Bit||button");
    Add<TCheckBox>(form, 10, 50, 140, 21, "Checked")->SetChecked(true);
    Add<TCheckBox>(form, 160, 50, 140, 21, "Grayed")->SetState(cbGrayed);
    Add<TRadioButton>(form, 10, 80, 140, 21, "Radio on")->SetChecked(true);
    Add<TRadioButton>(form, 160, 80, 140, 21, "Radio off");
    HWND parent = form.Handle();
    for (auto [style, x, text] :
         {std::tuple{BS_PUSHBUTTON, 10, L"Bare button"}, std::tuple{BS_AUTOCHECKBOX, 110, L"Bare check"},
          std::tuple{BS_AUTORADIOBUTTON, 210, L"Bare radio"}})
        CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, 120, 95, 25, parent, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
}

void AddRangeControls(TForm& form) {
    Add<TTrackBar>(form, 10, 160, 200, 45, "")->SetPosition(3);
    auto* upright = Add<TTrackBar>(form, 360, 10, 200, 45, "");
    upright->SetOrientation(trVertical);
    upright->SetPosition(7);
    Add<TProgressBar>(form, 10, 215, 200, 19, "")->SetPosition(60);
    auto* rising = Add<TProgressBar>(form, 410, 10, 200, 19, "");
    rising->SetOrientation(pbVertical);
    rising->SetPosition(35);
    auto* player = Add<TMediaPlayer>(form, 10, 245, 253, 30, "");
    player->SetAutoEnable(false);
    player->SetEnabledButtons(AllMPButtons & ~(1u << btRecord));
    HWND parent = form.Handle();
    HWND track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 220, 160,
                                 130, 45, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(track, TBM_SETPOS, TRUE, 80);
    HWND progress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 220, 215, 130, 19, parent,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(progress, PBM_SETPOS, 85, 0);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    try {
        TSkinData skin(nullptr);
        skin.SetSkinFile(QL_DEFAULT_SKIN);
        TForm* form = new TForm(nullptr);
        form->SetBounds(40, 40, 460, 320);
        form->SetColor(skin.Colors[csButtonFace]);
        AddControls(*form);
        AddRangeControls(*form);
        TSkinControlList list(nullptr, &skin);
        list.InitControls(form);
        list.InitHwndControls(form->Handle());
        form->Show();
        SetTimer(nullptr, 0, 100, nullptr); // wakes the loop to look at the clock
        DWORD end = GetTickCount() + DWORD(std::wcstol(commandLine, nullptr, 10));
        while (form->Visible() && (commandLine[0] == 0 || GetTickCount() < end))
            Application->HandleMessage();
        list.DeleteControls();
        form->Free();
    } catch (...) {
        Application->HandleException(std::current_exception());
        return 1;
    }
    return 0;
}
