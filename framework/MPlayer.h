// A media player's button strip: nine buttons, their enabling and their events. It plays nothing:
// each button's default action moves a small mode machine, as a device would change its mode.
#pragma once

#include "Controls.h"

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = uint32_t; // bit (1 << TMPBtnType) per button
constexpr TButtonSet AllMPButtons = 0x1FF;
extern const TEnumNames MPBtnTypeNames;

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpPaused, mpOpen };
enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// DoDefault false keeps the button's action from running.
using TMPBtnClickEvent = TEvent<TObject*, TMPBtnType, bool&>;

// The visible buttons share the width equally, left to right in the order of TMPBtnType. A button
// is pressed with the left mouse button (it acts when released over it) or, while the player has
// the focus, with Space on the focused button (arrow keys move that focus).
class TMediaPlayer : public TCustomControl {
    QL_CLASS_INFO()
  public:
    explicit TMediaPlayer(TComponent* AOwner);

    TButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TButtonSet v);
    // With AutoEnable the mode decides which buttons are enabled; otherwise this set does.
    TButtonSet EnabledButtons() const;
    void SetEnabledButtons(TButtonSet v);
    // Enabled coloured buttons show their glyph in its colour, the others in black.
    TButtonSet ColoredButtons() const { return FColoredButtons; }
    void SetColoredButtons(TButtonSet v);
    bool AutoEnable() const { return FAutoEnable; }
    void SetAutoEnable(bool v);
    bool AutoOpen = false; // opens when its description has been read

    TMPModes Mode() const { return FMode; }
    // The next command reports its end through OnNotify (a button's action always does); reset by
    // each command.
    bool Notify = false;
    TMPNotifyValues NotifyValue() const { return FNotifyValue; }

    // The device's commands. Each but Open raises Exception while the player is not open.
    void Open();
    void Close();
    void Play();
    void Pause(); // pauses, or resumes what was paused
    void Stop();
    void Next();
    void Previous();
    void Step();
    void Back();
    void StartRecording();
    void Eject(); // opens the door, or closes it again

    // Geometry of the strip: the button under x (-1: none) and a button's rectangle (empty when hidden).
    int ButtonAt(int x) const;
    RECT ButtonRect(TMPBtnType button) const;
    // What a click of that button does: OnClick, then (unless refused) its action.
    void ClickButton(TMPBtnType button);
    // The button shown pressed now (-1: none) and the one the keys act on; a skin draws from them.
    int PressedButton() const { return FPressed >= 0 && FPressedShown ? FPressed : -1; }
    int FocusButton() const { return FFocusButton; }
    bool ButtonEnabled(TMPBtnType button) const { return IsEnabled(button); }
    // The button's glyph centred in R as the strip shows it: coloured, black or embossed when
    // disabled, one pixel down and right while pressed.
    void PaintGlyph(HDC DC, TMPBtnType button, const RECT& R, bool pressed) const;

    TMPBtnClickEvent OnClick; // hides the control's plain OnClick: the player reports the button
    TNotifyEvent OnNotify;

  protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;

  private:
    bool IsEnabled(int button) const;
    int VisibleCount() const;
    void Run(TMPBtnType command);
    void SetMode(TMPModes mode);
    void NotifyDone(WPARAM flags);
    void DrawButton(TCanvas& canvas, TMPBtnType button);
    void MouseDown(int x);
    void MouseMove(int x);
    void MouseUp(int x);
    void KeyDown(WPARAM key);
    void SpaceUp();
    void MoveFocus(int step);
    void SetPressed(int button);

    TButtonSet FVisibleButtons = AllMPButtons, FEnabledButtons = AllMPButtons, FColoredButtons = AllMPButtons;
    bool FAutoEnable = true;
    TMPModes FMode = mpNotReady, FPausedMode = mpPlaying;
    TMPNotifyValues FNotifyValue = nvSuccessful;
    int FPressed = -1; // the button held down, shown pressed while the mouse is over it
    bool FPressedShown = false;
    int FFocusButton = btPlay;
};
