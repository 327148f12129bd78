// Answers the real dialogs the window opens, as a user would: a WH_CBT hook sees each one as it is
// activated, notes what it shows and presses a button by posting to it. A dialog that shows up
// without being activated is answered too, by a timer, and reported as a failure instead of
// leaving the test waiting forever.
#pragma once

#include "Hooks.h"

#include <windows.h>

#include <string>
#include <vector>

struct TSeenDialog {
    bool Input = false; // the input dialog; otherwise a message box
    std::string Caption;
    std::string Text;  // a message box's text; the input dialog's prompt
    std::string Value; // the input dialog's starting text
    bool StopIcon = false;
};

class TDialogAnswerer {
  public:
    // Message boxes are answered with OK; the input dialog as SetInputAnswer says (Cancel at first).
    TDialogAnswerer();
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
    ~TDialogAnswerer();

    // OK after typing `text`, or Cancel when `ok` is false.
    void SetInputAnswer(bool ok, const std::string& text = "");
    const std::vector<TSeenDialog>& Seen() const { return FSeen; }
    // What was seen since the last call, which forgets it.
    std::vector<TSeenDialog> Take();

  private:
    void Hooked(const THookMessage& m);
    static void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Overlooked(HWND wnd, LPARAM);
    bool Unanswered(HWND wnd) const; // one of our dialogs, not answered yet
    void Activated(HWND wnd) noexcept;
    void AnswerMessageBox(HWND box);
    void AnswerInput(HWND dialog);

    THook FHook{WH_CBT, {}};
    UINT_PTR FTimer = 0;
    std::vector<TSeenDialog> FSeen;
    std::vector<HWND> FAnswered; // live dialogs already answered: activation may come again
    bool FInputOk = false;
    std::string FInputText;
};
