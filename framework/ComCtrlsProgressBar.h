// The progress bar, over the common controls' progress bar.
#pragma once

#include "ComCtrlsRange.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };
extern const TEnumNames ProgressBarOrientationNames;

class TProgressBar : public TRangeControl {
    QL_CLASS_INFO()
  public:
    explicit TProgressBar(TComponent* AOwner);

    // StepIt advances by Step and starts over from Min past Max; StepBy stops at the ends.
    int Step() const { return FStep; }
    void SetStep(int v);
    void StepIt();
    void StepBy(int delta);
    // A continuous bar instead of blocks.
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool v);
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation v);

  protected:
    int WindowPosition() const override;
    void WriteRange() override;
    void WritePosition() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

  private:
    int FStep = 10;
    bool FSmooth = false;
    TProgressBarOrientation FOrientation = pbHorizontal;
};
