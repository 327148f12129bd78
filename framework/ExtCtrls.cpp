// TTimer over a hidden notification window and SetTimer.
#include "ExtCtrls.h"

#include "AllocateHWnd.h"
#include "Graphics.h" // EOutOfResources

const TClassInfo& TTimer::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTimer>("TTimer", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                       .Int("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                       .Event("OnTimer", &TTimer::OnTimer)
                                       .Build();
    return info;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    DeallocateHWnd(FWindow);
}

void TTimer::SetEnabled(bool v) {
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t v) {
    FInterval = v;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (!FWindow) {
        FWindow = AllocateHWnd([this](UINT msg, WPARAM, LPARAM) -> LRESULT {
            if (msg == WM_TIMER) OnTimer(this); // what it throws goes to the error sink
            return 0;
        });
        if (!FWindow) throw EOutOfResources("Not enough timers available");
    }
    KillTimer(FWindow, 1);
    if (FEnabled && FInterval > 0 && !SetTimer(FWindow, 1, FInterval, nullptr))
        throw EOutOfResources("Not enough timers available");
}
