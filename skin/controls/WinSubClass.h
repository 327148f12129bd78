// The control skinner base: a small object that takes over the painting of one control and leaves
// the control its own input handling, focus and data. It attaches to a framework control through
// the control's WindowProc, or to a bare window through a framework subclass, and sits in the
// TSkinControlList of the form skinner that made it.
#pragma once

#include "Controls.h"
#include "SkinMessages.h"
#include "SubClass.h"
#include "WinSkinData.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

class TSkinControlList;

enum TSkinControlState : uint8_t { scMouseIn, scDown };

// The framework's enabled-changed notice.
enum : UINT { CM_SKINENABLED = 0xB00C };

// Skinner life: new, attached, and the window destroyed (Status 2 and 4 are the box skinners').
enum : int32_t { ssNew = 0, ssAttached = 1, ssDeleted = 6 };

class TSkinControl : public TComponent {
  public:
    // Owner: the skinned control (Init) or the control list (Inithwnd); it frees the skinner.
    explicit TSkinControl(TComponent* AOwner);
    ~TSkinControl() override;

    // Attaches to the owning framework control. A second call does nothing.
    virtual void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK);
    // Attaches to a window that has no framework object (or is used as if it had none).
    virtual void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm);
    // Undoes what the skinner changed on the control; the base gives back the colour ParentBK took.
    virtual void Unsubclass();
    // True lets the message go on to the control; false when the skinner consumed it.
    virtual bool BeforeProc(TMessage& Message);
    virtual void AfterProc(TMessage& Message);
    // Paints the whole window now, on DC or (0) on the window DC. Drawing errors are swallowed.
    virtual void PaintControl(HDC DC);
    // Draws the face into DC within R (window coordinates, origin 0,0).
    virtual void DrawControl(HDC DC, const RECT& R);
    // A new skin: re-read what depends on it and repaint.
    virtual void SkinChange();
    virtual int GetState() { return 1; }

    // Every message of the control while attached.
    void NewWndProc(TMessage& Message);
    // The control's own handling of the message.
    void Default(TMessage& Message);
    // Default, telling whether the skinner outlived it (a handler may un-skin or free the control).
    bool DefaultSurvived(TMessage& Message);
    // Repaints now (a windowless control: its part of the parent); nothing for a window that is
    // not, or no longer, there.
    void Invalidate();
    void MouseLeave();

    TEnumSet<TSkinControlState> State;
    TCanvas* Canvas = nullptr;
    bool Enabled = false;
    bool Focused = false;
    std::u16string Caption;
    bool Active = true;
    bool Unicode = true;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    TControl* Control = nullptr;
    RECT WindowRect{};
    TControl* GraphicControl = nullptr;
    bool ParentBK = false;
    TColor SavedColor = clNone;
    bool Initialized = false;
    int32_t Status = ssNew;
    TSkinControlList* Form = nullptr;
    int32_t Kind = 0;

  protected:
    // The WM_PAINT handler descendants call from BeforeProc.
    void WMPaint(TMessage& Message);
    // Paints what lies under the control (framework control) or the parent colour (bare window).
    void WMERASEBKGND(TMessage& Message);
    // The fields an attach to the owning framework control sets; null when there is nothing to take.
    TControl* Adopt(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK);
    // Lists the skinner with its form and, with ParentBK, gives the control the skin's face colour.
    void Enlist();
    // WM_PAINT and WM_ERASEBKGND of a skinner that paints the whole face; true when consumed.
    bool PaintWholeFace(TMessage& Message);
    // Swaps the control's WindowProc for NewWndProc (the other attach steps are Init's).
    void HookWindowProc(TControl* AControl);
    // The framework control's window after it was made anew (null for a bare window).
    HWND RemadeHandle() const;
    LONG_PTR GetWindowLongEx(int Index) const;
    std::u16string WindowText() const;
    bool Destroying() const { return ComponentState & csDestroying; }
    // Hover: marks scMouseIn and tells the list which skinner the mouse is over.
    void MouseEntered();
    void MouseLeft();
    void TrackLeave() const;

    // Fills and text. None keep GDI objects selected.
    void FillBG(HDC DC, const RECT& R) const;
    void FillParentBG(HDC DC, const RECT& R) const;
    TColor GetParentColor(TColor Default) const;
    static void FillColor(HDC DC, const RECT& R, TColor Color);
    TColor FaceColor() const;
    void DrawCaption(TCanvas& C, const RECT& R, const std::u16string& Text, bool AEnabled,
                     UINT Alignment) const;
    void MyDrawCaption(TCanvas& C, const RECT& R, const std::u16string& Text, bool AEnabled,
                       TAlignment Alignment) const;
    void DrawFocus(HDC DC, const std::u16string& Text, const RECT& R, UINT Flags) const;
    // An icon of the list (when Index is not -1 and it fits) and one line of text after it, both
    // centred vertically in R. Alignment 0 left, 1 centre, 2 right.
    void DrawImgCaption(TCanvas& C, const RECT& R, HIMAGELIST Images, int Index, const std::u16string& Text,
                        int Alignment) const;

    // False from the moment the skinner is destroyed; a handler holding a copy can tell.
    std::shared_ptr<const bool> AliveToken() const { return FAlive; }

  private:
    struct THookLink;
    void ReleaseWindowProc();
    void ReleaseSubclass();
    void ForgetForm();
    void Attached();

    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    std::shared_ptr<THookLink> FHook; // framework control: the link its WindowProc calls through
    struct TKindTag {
        static constexpr wchar_t Property[] = L"QlSkinControl";
    };
    TSubclassOf<TKindTag> FSubclass; // bare window
};

// The text box of Text drawn with Format within R: measured, then centred vertically, and
// horizontally for DT_CENTER (otherwise it keeps R's left and right).
RECT PlaceText(HDC DC, const std::u16string& Text, const RECT& R, UINT Format);
// Where an icon-and-text caption starts in a box W wide: 3 from the left (0), centred (1) or 2 from
// the right (2); never below 1.
int CaptionStart(int Alignment, int W, int IconW, int TextW);
// A bare window's font (WM_GETFONT) as a canvas font; nothing when it has none.
void TakeWindowFont(TFont& Font, HWND Wnd);
// Replaces the first occurrence only.
std::u16string StringReplaceW(const std::u16string& Text, const std::u16string& Old,
                              const std::u16string& New);
