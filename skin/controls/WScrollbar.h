// The overlay window that stands in for one scroll bar: a window of the engine's own placed exactly
// over the native bar and painted from the skin. Presses on it go to the control as if they had hit
// the native bar, so the control's own (and the system's modal) scroll tracking stays in charge.
#pragma once

#include "ScrollGeometry.h"
#include "WindowOwner.h"

#include <windows.h>

#include <memory>

class TSkinControl;
class TSkinData;

// A window's horizontal or vertical bar, or a scroll-bar control of its own.
enum TBarKind : uint8_t { sbkHorz = 0, sbkVert = 1, sbkControl = 2 };

// The bar at one moment: where it is and where the control says its thumb is.
struct TBarInfo {
    RECT Bar{};      // screen coordinates; a control's bounds in its parent's client coordinates
    TSpan Thumb;     // along the axis, from the bar's start
    DWORD State = 0; // STATE_SYSTEM_* of the bar
};

class TWScrollbar {
  public:
    // Kind sbkControl: Target is the scroll-bar control. Vertical matters for that kind only. The
    // skinner's skin paints it.
    TWScrollbar(const TSkinControl& Skinner, HWND Target, TBarKind Kind, bool Vertical);
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Shows the overlay over the bar, or hides it when the target or its bar is not visible.
    void SetPosition();
    void HideScrollbar();
    // Paints now, when shown.
    void Repaint();
    // The control scrolled with this code (keyboard, wheel, the press): it shows as the hot part.
    void Scrolled(int Code);
    // The control's window was made anew.
    void Retarget(HWND Target, bool Vertical);

    HWND Handle() const { return FWnd.get(); }
    bool Shown() const { return FShown; }
    bool Vertical() const { return FVertical; }
    // The bar in the target's client coordinates, as last placed.
    const RECT& BarRect() const { return FBarRect; }
    TScrollPart HotPart() const { return FHotPart; }
    bool Pressed() const { return FPressed; }

  private:
    static LRESULT CALLBACK OverlayProc(HWND Wnd, UINT Msg, WPARAM wParam, LPARAM lParam);
    LRESULT Message(UINT Msg, WPARAM wParam, LPARAM lParam);
    void CreateOverlay();

    // Bar information.
    bool GetBarInfo(TBarInfo& Info) const;
    bool GetWindowBarInfo(TBarInfo& Info) const;
    bool GetControlInfo(TBarInfo& Info) const;
    int AlongAxis(POINT P) const { return FVertical ? P.y : P.x; }
    int Length(const RECT& R) const { return FVertical ? R.bottom - R.top : R.right - R.left; }
    // Where the overlay goes: parent client coordinates for a child, the screen for a pop-up.
    POINT OverlayOrigin(const TBarInfo& Info) const;
    void Place(const TBarInfo& Info);

    // Mouse.
    void MouseMove(LPARAM Pos);
    void MouseLeave();
    void ButtonDown(LPARAM Pos);
    void ButtonUp(LPARAM Pos);
    void SetHotPart(TScrollPart Part);
    TScrollPart PartAt(LPARAM Pos) const;
    // The press as the control expects it: at the native bar, in screen coordinates for a
    // window's bar, in the control's own for a scroll-bar control.
    LPARAM ForwardPos(LPARAM Pos) const;
    UINT ForwardDown() const;
    UINT ForwardUp() const;
    WPARAM ForwardHit() const;

    // Painting.
    void Paint(HDC DC);
    // The thumb where the drag has taken it (a window's bar), else where the control says.
    TSpan ShownThumb(const TBarInfo& Info) const;
    int Thickness() const;
    void DrawBar(HDC DC, int BarLength, int T, bool Enabled, TSpan Thumb);
    void DrawTrack(HDC DC, int BarLength, int T, bool Enabled);
    void DrawArrows(HDC DC, int BarLength, int T);
    void DrawThumb(HDC DC, int BarLength, int T, TSpan Thumb);

    TSkinData* FSkinData;
    HWND FTarget;
    TBarKind FKind;
    bool FVertical;
    int FArrowSize;
    TWindowOwner FWnd;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);

    RECT FBarRect{};
    int FBarLength = 0;
    POINT FBarOrigin{};
    POINT FPressCursor{};
    TSpan FPressThumb;
    TScrollPart FHotPart = spNone;
    bool FShown = false;
    bool FPressed = false;
};
