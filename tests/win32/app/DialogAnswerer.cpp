#include "DialogAnswerer.h"

#include "Forms.h"
#include "StdCtrls.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
TDialogAnswerer* Current = nullptr;

std::string ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(name));
}

std::string TextOf(HWND wnd) {
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, u'\0');
    text.resize(static_cast<size_t>(
        GetWindowTextW(wnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return Utf16ToUtf8(text);
}

HWND ChildOfClass(HWND parent, const std::string& className, const char* text = nullptr) {
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (ClassOf(w) == className && (!text || TextOf(w) == text)) return w;
    return nullptr;
}
} // namespace

TDialogAnswerer::TDialogAnswerer() {
    Current = this;
    FHook.OnHook.Code = [this](THookMessage& m) { Hooked(m); };
    FHook.Install();
    FTimer = SetTimer(nullptr, 0, 1000, Watch);
}

TDialogAnswerer::~TDialogAnswerer() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
}

void TDialogAnswerer::SetInputAnswer(bool ok, const std::string& text) {
    FInputOk = ok;
    FInputText = text;
}

std::vector<TSeenDialog> TDialogAnswerer::Take() {
    return std::exchange(FSeen, {});
}

void TDialogAnswerer::Hooked(const THookMessage& m) {
    if (m.Code == HCBT_DESTROYWND) std::erase(FAnswered, reinterpret_cast<HWND>(m.WParam));
    if (m.Code == HCBT_ACTIVATE) Activated(reinterpret_cast<HWND>(m.WParam));
}

// Runs inside the dialogs' own message loops, long after any activation would have come.
void CALLBACK TDialogAnswerer::Watch(HWND, UINT, UINT_PTR, DWORD) {
    if (Current) EnumThreadWindows(GetCurrentThreadId(), Overlooked, 0);
}

BOOL CALLBACK TDialogAnswerer::Overlooked(HWND wnd, LPARAM) {
    if (IsWindowVisible(wnd) && Current->Unanswered(wnd)) {
        ADD_FAILURE() << "a dialog was shown but never activated: " << TextOf(wnd);
        Current->Activated(wnd);
    }
    return TRUE;
}

// Wine also activates windows of its own: only the two kinds of dialog are answered.
bool TDialogAnswerer::Unanswered(HWND wnd) const {
    std::string cls = ClassOf(wnd);
    return (cls == "#32770" || cls == "TForm") &&
           std::find(FAnswered.begin(), FAnswered.end(), wnd) == FAnswered.end();
}

// Called from the hook and the timer: nothing may leave it.
void TDialogAnswerer::Activated(HWND wnd) noexcept {
    if (!Unanswered(wnd)) return;
    try {
        if (ClassOf(wnd) == "#32770")
            AnswerMessageBox(wnd);
        else
            AnswerInput(wnd);
    } catch (...) {
        ADD_FAILURE() << "answering a dialog failed";
    }
    FAnswered.push_back(wnd);
}

void TDialogAnswerer::AnswerMessageBox(HWND box) {
    TSeenDialog seen;
    seen.Caption = TextOf(box);
    HICON stop = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_HAND));
    for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (ClassOf(w) != "Static") continue;
        if ((GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            seen.StopIcon = reinterpret_cast<HICON>(SendMessageW(w, STM_GETICON, 0, 0)) == stop;
        else
            seen.Text += TextOf(w);
    }
    FSeen.push_back(seen);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// The input dialog is a framework form: its prompt is a windowless label, found through the form.
void TDialogAnswerer::AnswerInput(HWND dialog) {
    TSeenDialog seen;
    seen.Input = true;
    seen.Caption = TextOf(dialog);
    if (auto* form = dynamic_cast<TForm*>(FindControl(dialog)))
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* label = dynamic_cast<TLabel*>(form->Components(i))) seen.Text = label->Caption();
    HWND edit = ChildOfClass(dialog, "TEdit");
    seen.Value = TextOf(edit);
    FSeen.push_back(seen);
    if (FInputOk)
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideChars(Utf8ToUtf16(FInputText))));
    PostMessageW(ChildOfClass(dialog, "TButton", FInputOk ? "OK" : "Cancel"), BM_CLICK, 0, 0);
}
