// TTimer: OnTimer every Interval milliseconds while Enabled, on the GUI thread.
#pragma once

#include "Classes.h"
#include "TypInfo.h"

#include <windows.h>

class TTimer : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t v);
    // An exception leaving the handler goes to the error sink (the application's error box); the
    // timer goes on.
    TNotifyEvent OnTimer;

  private:
    void UpdateTimer();

    bool FEnabled = true;
    uint32_t FInterval = 1000;
    HWND FWindow = nullptr;
};
