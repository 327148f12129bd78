// Containers that only take the skin's background: panels, tool bars and embedded forms through
// their colour (TSkinBox, not hooked at all), system dialogs through their erase and static-text
// colours (TSkinBoxH).
#pragma once

#include "WinSubClass.h"

// Box skinner life beside the base's: detached, and left alone on detach.
enum : int32_t { ssDetached = 2, ssLeftAlone = 4 };

class TSkinBox : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    // Takes the control's colour (ParentBK) and lists the skinner; the message stream stays the
    // control's. A second call changes nothing, so the saved colour stays the control's own.
    void Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) override;
    void Unsubclass() override;
    void AfterProc(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    bool BeforeProc(TMessage& Message) override;
};
