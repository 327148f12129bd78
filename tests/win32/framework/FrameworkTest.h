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
// Runs `cycle` once (classes registered, system fonts cached), then `rounds` times, and checks that
// the process's GDI and USER objects and the thread's windows are back where they were.
void ExpectNoLeaks(const std::function<void()>& cycle, int rounds = 500);

// Leak measures that work under Wine, where GetGuiResources counts nothing: the highest handle index
// a batch of new brushes gets (freed entries are taken first, so it only grows when objects were
// left alive), and the windows of this thread, children included.
unsigned GdiHighWater();
int ThreadWindows();

// While alive, every window activated on this thread is shown to `answer` (which posts a reply).
class TActivationHook {
  public:
    explicit TActivationHook(std::function<void(HWND)> answer);

  private:
    THook FHook{WH_CBT, {}};
};
