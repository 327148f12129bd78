// Skinned buttons, check boxes and radio buttons, framework-made and bare, and scrolling controls,
// to look at: skin_controls_demo [milliseconds until it closes]. One button starts disabled, one check
// box grayed.
#include "Buttons.h"
#include "Forms.h"
#include "SkinControlList.h"
#include "StdCtrls.h"
#include "WinSkinData.h"

#include <cwchar>
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

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    try {
        TSkinData skin(nullptr);
        skin.SetSkinFile(QL_DEFAULT_SKIN);
        TForm* form = new TForm(nullptr);
        form->SetBounds(40, 40, 420, 340);
        form->SetColor(skin.Colors[csButtonFace]);
        AddControls(*form);
        AddScrolling(*form);
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
