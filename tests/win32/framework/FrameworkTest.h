// Helpers of the framework tests: pumping the queue, answering windows as they are activated,
// finding child windows and reading pixels back.
#pragma once

#include "Forms.h"
#include "Hooks.h"

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
// Runs `cycle` once (classes registered, system fonts cached), then `rounds` times, and fails the
// test when GDI objects, windows, menus or forms were left: one per round shows.
void ExpectNoLeaks(const std::function<void()>& cycle, int rounds = 500);
// The same for cycles on forms that stay open: handles and windows flat, forms not counted.
void ExpectFlatCounts(const std::function<void()>& cycle, int rounds = 500);

// Leak measures that work under Wine, where GetGuiResources counts nothing: the highest handle slot
// a batch of new brushes (or menus) gets, and the windows of this thread, children included.
unsigned GdiHighWater();
unsigned UserHighWater();
int ThreadWindows();

// While alive, every CBT hook call on this thread (code and window) is shown to `watch`. One at a time.
class TCbtHook {
  public:
    explicit TCbtHook(std::function<void(int, HWND)> watch);

  private:
    THook FHook{WH_CBT, {}};
};

// While alive, every window activated on this thread is shown to `answer` (which posts a reply).
class TActivationHook : public TCbtHook {
  public:
    explicit TActivationHook(std::function<void(HWND)> answer)
        : TCbtHook([answer](int code, HWND wnd) {
              if (code == HCBT_ACTIVATE) answer(wnd);
          }) {}
};
