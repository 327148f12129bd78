// Scroll-bar controls skinned (framework TScrollBar or a bare "ScrollBar" window): one overlay over
// the whole control, its picture drawn at the strip's thickness and stretched to the control.
#pragma once

#include "WScrollbar.h"
#include "WinSubClass.h"

#include <memory>

class TSkinScControl : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) override;
    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    std::unique_ptr<TWScrollbar> Bar;

  private:
    bool IsVertical() const;
    void Recreated();
};
