#include "MainWindow.h"

#include "SkinMessages.h"
#include "WinSkinDlg.h"

#include <commctrl.h>

namespace {
void StartOnce() {
    static bool started = false;
    if (started) return;
    Application->Initialize();
    started = true;
}
} // namespace

// The program's own steps (CreateForm, then Run shows the main form), without the loop.
TMainWindow::TMainWindow() {
    StartOnce();
    Application->CreateForm(MainForm);
    MainForm->ApplyStartOptions();
    TOnReceive window = MainForm->NMUDP1->OnDataReceived;
    MainForm->NMUDP1->OnDataReceived.Code = [this, window](TObject* s, int32_t n, const std::string& ip,
                                                           int32_t port) {
        ++FDatagrams;
        window(s, n, ip, port);
        if (AfterDatagram) AfterDatagram(n, port);
    };
    MainForm->Show();
    Application->ProcessMessages();
}

TMainWindow::~TMainWindow() {
    MainForm->Free();
    MainForm = nullptr;
    Application->ProcessMessages();
    // The next window starts as the program does: with a manager that has not run yet.
    FreeSkinManager();
}

bool TMainWindow::AwaitDatagram(int before) {
    return PumpUntil([&] { return FDatagrams > before; });
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void Click(TWinControl* control) {
    SendMessageW(control->Handle(), BM_CLICK, 0, 0);
    Application->ProcessMessages();
}

void Type(TWinControl* edit, const std::string& text) {
    SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideChars(Utf8ToUtf16(text))));
}

std::string WindowText(TWinControl* control) {
    HWND wnd = control->Handle();
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, u'\0');
    text.resize(static_cast<size_t>(
        GetWindowTextW(wnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return Utf16ToUtf8(text);
}

std::string PanelText(TStatusBar* bar, int panel) {
    HWND wnd = bar->Handle();
    std::u16string text(LOWORD(SendMessageW(wnd, SB_GETTEXTLENGTHW, panel, 0)) + 1u, u'\0');
    text.resize(LOWORD(SendMessageW(wnd, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()))));
    return Utf16ToUtf8(text);
}

bool IsChecked(TCheckBox* box) {
    return SendMessageW(box->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(TWinControl* control) {
    return IsWindowEnabled(control->Handle());
}

int Selected(TComboBox* list) {
    return static_cast<int>(SendMessageW(list->Handle(), CB_GETCURSEL, 0, 0));
}

std::vector<std::string> Items(TComboBox* list) {
    std::vector<std::string> items;
    HWND wnd = list->Handle();
    int count = static_cast<int>(SendMessageW(wnd, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::u16string item(static_cast<size_t>(SendMessageW(wnd, CB_GETLBTEXTLEN, i, 0)) + 1, u'\0');
        item.resize(
            static_cast<size_t>(SendMessageW(wnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(Utf16ToUtf8(item));
    }
    return items;
}

namespace {
TControlHooks HooksOf(TWinControl* c) {
    HWND wnd = c->Handle();
    return {c->Name(), GetWindowLongPtrW(wnd, GWLP_WNDPROC), c->WindowProc.Data,
            GetWindowLongPtrW(wnd, GWL_STYLE), GetWindowLongPtrW(wnd, GWL_EXSTYLE)};
}

std::vector<TWinControl*> Windows(TMainForm* form) {
    std::vector<TWinControl*> windows{form};
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TWinControl*>(form->Components(i))) windows.push_back(c);
    return windows;
}
} // namespace

void PrintTo(const TControlHooks& h, std::ostream* os) {
    *os << h.Name << std::hex << " proc " << h.Procedure << " data " << h.WindowProcData << " style "
        << h.Style << " ex " << h.ExStyle << std::dec;
}

std::vector<TControlHooks> Hooks(TMainForm* form) {
    std::vector<TControlHooks> hooks;
    for (TWinControl* c : Windows(form))
        hooks.push_back(HooksOf(c));
    return hooks;
}

int SkinnedWindows(TMainForm* form) {
    int n = 0;
    for (TWinControl* c : Windows(form))
        n += SendMessageW(c->Handle(), WM_SKINQUERY, 0, 0) == 1;
    return n;
}
