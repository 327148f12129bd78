// The main window with its skinned frame, and reading the frame's pixels back from the screen.
#pragma once

#include "FrameworkTest.h"
#include "MainWindow.h"
#include "WinSkinDlg.h"

#include <gtest/gtest.h>

// One main window for a whole suite, skinned and active.
class MainFrameTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static HWND Wnd() { return MainForm->Handle(); }
    static TWinSkinForm& Skin() { return *SkinManager->FindSkinForm(Wnd()); }
    static TSkinData& Data() { return *MainForm->SkinData1; }
    static SIZE WindowSize();
    static SIZE ClientSize();
    // A point in window coordinates as the screen has it.
    static POINT ToScreen(POINT window);
    static TWinSysButton& Button(int action, int visibility);

  private:
    static TMainWindow* FWindow;
};

// The window's pixels as they are on screen, window coordinates.
class TWindowPixels {
  public:
    explicit TWindowPixels(HWND wnd);
    TColor At(int x, int y) { return FBitmap.Canvas().Pixel(x, y); }

  private:
    TBitmap FBitmap;
};

bool InWindowRegion(HWND wnd, int x, int y);
// Frame `frame` of a strip of `count` frames, side by side or stacked.
TColor FramePixel(TBitmap& image, int frame, int count, bool stacked, int x, int y);
// Makes the window the active one (or another window, when `wnd` is one of ours).
void ActivateWindow(HWND wnd);
// A plain top-level window that can take the activation away.
HWND OtherWindow();
// Pumps for `ms` milliseconds.
void PumpFor(DWORD ms);
