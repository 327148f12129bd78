// The up-down control: two arrow buttons that step a position, usually beside an edit field (its
// associate) that shows the position, over the common controls' up-down control.
#pragma once

#include "ComCtrlsRange.h"

enum TUDOrientation { udHorizontal, udVertical };
enum TUDAlignButton { udLeft, udRight };
// Named apart from the media player's buttons, which share the plain names.
enum TUDBtnType { udbtNext, udbtPrev };
extern const TEnumNames UDOrientationNames, UDAlignButtonNames;

using TUDClickEvent = TEvent<TObject*, TUDBtnType>;
using TUDChangingEvent = TEvent<TObject*, bool&>;

// A click of the user's (mouse, or arrow keys in the associate) first asks OnChanging, which may
// refuse the step, then moves the position and runs OnClick with the button that stepped; a click
// against an end of the range (without Wrap) moves nothing and runs no OnClick.
// With an associate, the position is what the associate's text says.
class TUpDown : public TRangeControl {
    QL_CLASS_INFO()
  public:
    explicit TUpDown(TComponent* AOwner);

    int Increment() const { return FIncrement; }
    void SetIncrement(int v);
    // The control the buttons sit beside and write the position into; null for none.
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* v);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation v);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton v);
    // The arrow keys in the associate step the position.
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool v);
    // Past one end the position goes on from the other.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool v);
    // Thousands separators in the associate's text.
    bool Thousands() const { return FThousands; }
    void SetThousands(bool v);

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    int WindowPosition() const override;
    void WriteRange() override;
    void WritePosition() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    void SendBuddy();
    void PlaceBesideAssociate();
    void DeltaPos(TMessage& Message);
    void Scrolled(TMessage& Message);

    int FIncrement = 1;
    TWinControl* FAssociate = nullptr;
    TUDOrientation FOrientation = udVertical;
    TUDAlignButton FAlignButton = udRight;
    bool FArrowKeys = true, FWrap = false, FThousands = true;
    TUDBtnType FStepping = udbtNext; // the button of the step being made
};
