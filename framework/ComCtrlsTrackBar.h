// The track bar: a thumb the user moves along a range, over the common controls' track bar.
#pragma once

#include "ComCtrlsRange.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };
extern const TEnumNames TrackBarOrientationNames, TickMarkNames, TickStyleNames;

// OnChange runs when the user moves the thumb (mouse or keys), not when the program does.
class TTrackBar : public TRangeControl {
    QL_CLASS_INFO()
  public:
    explicit TTrackBar(TComponent* AOwner);

    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation v);
    // With tsAuto, a tick every Frequency positions; with tsManual, ticks where SetTick put them.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark v);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v);
    void SetTick(int value);
    // How far the arrow keys and Page Up/Down move the thumb.
    int LineSize() const { return FLineSize; }
    void SetLineSize(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    TNotifyEvent OnChange;

  protected:
    int WindowPosition() const override;
    void WriteRange() override;
    void WritePosition() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    void UserMoved();

    TTrackBarOrientation FOrientation = trHorizontal;
    int FFrequency = 1, FLineSize = 1, FPageSize = 2;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    std::vector<int> FTicks;
};
