// Helpers of the framework tests: pumping the queue, answering windows as they are activated,
// finding child windows and reading pixels back.
#pragma once

#include "Forms.h"

#include <functional>
#include <string>

void Pump();
std::u16string WindowText(HWND wnd);
// The first child (at any depth) of that class whose text is `text` (any text when null).
HWND FindChild(HWND parent, const char16_t* className, const char16_t* text = nullptr);
// The texts of the "Static" children of a message box, joined by newlines, icons left out.
std::u16string MessageBoxText(HWND box);
// The pixel at (x, y) of a window's client area as it is on screen.
COLORREF ScreenPixel(HWND wnd, int x, int y);

// Runs `round` once (classes registered, system fonts cached), then 500 times, and fails the test when
// GDI objects, windows, menus or forms were left: one per round shows.
void ExpectNoneLeft(const std::function<void()>& round);

// While alive, every CBT hook call on this thread (code and window) is shown to `watch`. One at a time.
class TCbtHook {
  public:
    explicit TCbtHook(std::function<void(int, HWND)> watch);
    TCbtHook(const TCbtHook&) = delete;
    TCbtHook& operator=(const TCbtHook&) = delete;
    ~TCbtHook();

  private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK FHook;
};

// While alive, every window activated on this thread is shown to `answer` (which posts a reply).
class TActivationHook : public TCbtHook {
  public:
    explicit TActivationHook(std::function<void(HWND)> answer)
        : TCbtHook([answer](int code, HWND wnd) {
              if (code == HCBT_ACTIVATE) answer(wnd);
          }) {}
};
