// Combo boxes: a flat frame and the skin's drop-down button (ComboButton: normal, pressed,
// disabled, hot), drawn over the combo after it painted itself. The edit part of a drop-down combo
// is subclassed too, so that its paints and presses reach the skinner.
#pragma once

#include "SkinScrollbar.h"
#include "SubClass.h"
#include "WinSubClass.h"

#include <memory>

enum TComboFrame { cfNormal = 1, cfPressed = 2, cfDisabled = 3, cfHot = 4 };

// The button frame of the flat style: focus, press and hover win over disabled.
TComboFrame ComboFrameFlat(bool Enabled, bool Focused, TEnumSet<TSkinControlState> State);
// The frame of the fitted style: disabled wins.
TComboFrame ComboFrameFitted(bool Enabled, bool Focused, TEnumSet<TSkinControlState> State);

class TSkinComBox : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ~TSkinComBox() override;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    LONG_PTR ComboStyle = 0, ComboExStyle = 0;
    HWND EditHandle = nullptr;                      // the edit part of a drop-down combo, subclassed
    HWND ListHandle = nullptr;                      // the list of a simple combo
    std::unique_ptr<TSkinScrollbarH> ListScrollbar; // the list's scroll bars

  private:
    void AttachParts();
    void FindBtn();
    void AttachList(HWND List);
    void ReleaseEdit();
    void ButtonProc(TMessage& Message);
    void Pressed(bool Down);
    void RefreshState();
    bool ButtonLeft() const { return ComboExStyle & WS_EX_LEFTSCROLLBAR; }
    void DrawControl1(HDC DC, const RECT& R);
    void DrawFitted(HDC DC, const RECT& R);

    struct TEditKind {
        static constexpr wchar_t Property[] = L"QlSkinComboEdit";
    };
    TSubclassOf<TEditKind> FEdit;
};
