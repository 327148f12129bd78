// Window scroll bars skinned: the horizontal and vertical bar of a control (memo, list box, list
// view) or of a bare window (a combo box's list) covered by overlay windows that follow the
// control. A framework control also gets a flat border instead of its sunken one.
#pragma once

#include "WScrollbar.h"
#include "WinSubClass.h"

#include <memory>

// The two overlays of one window.
class TBarPair {
  public:
    void Create(TSkinControl& Skinner, HWND Target);
    void Free();
    // Re-placed after the window moved, resized, showed or changed its bars.
    void SetScrollbarPos();
    void Hide();
    // A repaint of the window: shown overlays repaint, a bar that has just appeared is placed.
    void Refresh(HWND Target);
    // The scroll notifications the window gets: the part being scrolled shows as hot.
    void Scrolled(UINT Msg, WPARAM wParam);
    // What moving, sizing, scrolling and the wheel do to both; false for other messages.
    bool Follow(const TMessage& Message, HWND Target);
    void Retarget(HWND Target);
    // After the window painted itself: Refresh, and the corner between two bars in the face colour.
    void PaintOver(HDC DC, HWND Target, HBRUSH Face);
    // The square between two shown bars, in window coordinates; empty otherwise.
    RECT Corner(HWND Target) const;
    bool Exists() const { return HorzBar != nullptr; }

    std::unique_ptr<TWScrollbar> HorzBar, VertBar;
};

class TSkinScrollbar : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    // The border is drawn flat (a framework control with a border of its own).
    bool FlatBorder = false;
    TBarPair Bars;

  private:
    bool HasOwnBorder() const;
    void BENCPAINT(HDC DC);
    void DrawBorder(HDC DC, const RECT& R);
    bool WindowGone(TMessage& Message);
    void Recreated();
};

// The same for a window without a framework object; it is subclassed with the procedures of its own
// character set, so a Unicode list keeps its text.
class TSkinScrollbarH : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    TBarPair Bars;
};
