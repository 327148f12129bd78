// TTimer: OnTimer every Interval milliseconds while Enabled, on the GUI thread. TPanel: a container
// drawn by the framework.
#pragma once

#include "Classes.h"
#include "StdCtrls.h"
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
    // An exception leaving the handler goes to the application's error box; the timer goes on.
    TNotifyEvent OnTimer;

  private:
    void UpdateTimer();

    bool FEnabled = true;
    uint32_t FInterval = 1000;
    HWND FWindow = nullptr;
};

// ---- Panel --------------------------------------------------------------------------------------

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumNames BevelCutNames;

// A container with a caption: from the edge in, the outer bevel, BorderWidth of its colour and the
// inner bevel, each bevel BevelWidth wide. Aligned children share what lies inside.
class TCustomPanel : public TCustomControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    void WndProc(TMessage& Message) override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void AdjustClientRect(RECT& r) const override;

  private:
    void FrameChanged();

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone, FBevelOuter = bvRaised;
    int FBevelWidth = 1, FBorderWidth = 0;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
};

class TPanel : public TCustomPanel {
    QL_CLASS_INFO()
  public:
    using TCustomPanel::TCustomPanel;
};
