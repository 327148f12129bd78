// What the track bar, the progress bar and the up-down share: a range and a position in it, kept by
// the object while there is no window and read from the window while there is one (the user moves
// it there). Min is never above Max (moving one bound past the other takes the other along), and
// the position stays between them.
#pragma once

#include "Controls.h"

#include <algorithm>

struct TRangeValues {
    int Min = 0, Max = 100, Position = 0;

    void SetMin(int v) {
        Min = v;
        Max = std::max(Max, v);
        SetPosition(Position);
    }
    void SetMax(int v) {
        Max = v;
        Min = std::min(Min, v);
        SetPosition(Position);
    }
    void SetPosition(int v) { Position = std::clamp(v, Min, Max); }
};

class TRangeControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    TRangeControl(TComponent* AOwner, const TRangeValues& initial);

    int Min() const { return FRange.Min; }
    void SetMin(int v);
    int Max() const { return FRange.Max; }
    void SetMax(int v);
    int Position() const;
    void SetPosition(int v);

  protected:
    // The window's own messages: its position, and range and position (the window must exist).
    virtual int WindowPosition() const = 0;
    virtual void WriteRange() = 0;
    virtual void WritePosition() = 0;
    // A control turned to the other orientation takes the other shape (unless it is being read).
    void TurnBounds();
    void DestroyWnd() override;

    TRangeValues FRange;
};
