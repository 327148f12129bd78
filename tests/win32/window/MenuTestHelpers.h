// What the skinned menu tests share: a skin with a menu bar image, a form with a menu bar, menus
// driven step by step from a timer, and synthetic input.
#pragma once

#include "ManagerTestHelpers.h"

#include <functional>
#include <string>
#include <vector>

// The default skin with a menu bar image of two stacked frames, each as high as the menu bar:
// columns of their own colour in the 3-pixel margins, one colour between them.
constexpr int MenuBarMargin = 3;
TMemoryStream& MenuBarSkin();
TColor MenuBarColumn(int frame, int x, int width);

// A form with a menu bar: File (Open, two separators, Save, Exit, a trailing separator),
// Edit (Cut, Copy) and Help (About). Clicks are logged by item name.
struct TMenuForm {
    TMenuForm();
    TMenuForm(const TMenuForm&) = delete;
    TMenuForm& operator=(const TMenuForm&) = delete;
    ~TMenuForm();
    HWND Wnd() const { return Form->Handle(); }
    TWinSkinForm* Skin() const;
    bool Skinned() const;
    TMenuItem* Add(TMenuItem* parent, const std::string& name, const std::string& caption);

    TForm* Form;
    TMainMenu* Menu;
    HMENU MenuHandle = nullptr;
    TMenuItem *File = nullptr, *Open = nullptr, *Save = nullptr, *Edit = nullptr, *Help = nullptr;
    std::vector<std::string> Log;
};

// The visible menu windows of this thread, the topmost first.
std::vector<HWND> OpenMenus();

// Runs `open` (which enters a menu loop, directly or by input it sends) while a timer works
// through the steps; a step returning false is tried again at the next tick. Whatever the steps
// did, a menu still open after `ms` is ended and the run fails, so no test hangs in a menu loop.
class TMenuScript {
  public:
    using TStep = std::function<bool()>;
    explicit TMenuScript(std::vector<TStep> steps) : FSteps(std::move(steps)) {}
    // True when every step ran.
    bool Run(const std::function<void()>& open, DWORD ms = 4000);

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<TStep> FSteps;
    size_t FNext = 0;
    DWORD FStart = 0, FLimit = 0;
    bool FExpired = false;
};

// Synthetic input, as the user's keyboard and mouse would give it.
void PressKey(WORD key);
void PressAlt();
void MoveMouse(POINT screen);
void ClickMouse(POINT screen);
// The centre of a menu bar item, on the screen.
POINT BarItemCentre(TWinSkinForm& skin, int index);
