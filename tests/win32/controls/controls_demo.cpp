// Skinned buttons, check boxes and radio buttons, framework-made and bare, scrolling controls, track
// bars, progress bars and a media player, to look at: skin_controls_demo [milliseconds until it
// closes]. One button starts disabled, one check box grayed.
#include "Buttons.h"
#include "ComCtrls.h"
#include "MPlayer.h"
#include "SkinDemo.h"
#include "StdCtrls.h"

#include <commctrl.h>
#include <string>

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

// A memo with both bars, a list box and a scroll-bar control.
void AddScrolling(TForm& form) {
    auto* memo = Add<TMemo>(form, 10, 160, 190, 110, "");
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    auto* list = Add<TListBox>(form, 210, 160, 190, 110, "");
    for (int i = 1; i <= 30; i++) {
        memo->Lines().Add("Line " + std::to_string(i) + " of a memo wider than its window");
        list->Items().Add("Item " + std::to_string(i));
    }
    Add<TScrollBar>(form, 10, 280, 390, 17, "")->SetParams(30, 0, 100);
}

// Track bars, progress bars and a media player, right of the rest.
void AddRangeControls(TForm& form) {
    Add<TTrackBar>(form, 440, 160, 200, 45, "")->SetPosition(3);
    auto* upright = Add<TTrackBar>(form, 790, 10, 200, 45, "");
    upright->SetOrientation(trVertical);
    upright->SetPosition(7);
    Add<TProgressBar>(form, 440, 215, 200, 19, "")->SetPosition(60);
    auto* rising = Add<TProgressBar>(form, 840, 10, 200, 19, "");
    rising->SetOrientation(pbVertical);
    rising->SetPosition(35);
    auto* player = Add<TMediaPlayer>(form, 440, 245, 253, 30, "");
    player->SetAutoEnable(false);
    player->SetEnabledButtons(AllMPButtons & ~(1u << btRecord));
    HWND parent = form.Handle();
    HWND track = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 650, 160,
                                 130, 45, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(track, TBM_SETPOS, TRUE, 80);
    HWND progress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 650, 215, 130, 19, parent,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(progress, PBM_SETPOS, 85, 0);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    return RunSkinDemo(commandLine, 1060, 340, [](TForm& form) {
        AddControls(form);
        AddScrolling(form);
        AddRangeControls(form);
    });
}
