// A form holding panel, memo, list boxes, scroll bar, radio buttons and group, bit and speed
// buttons and a media player, read from a description with its handlers bound by name.
#pragma once

#include "Buttons.h"
#include "ExtCtrls.h"
#include "MPlayer.h"
#include "TestForm.h"

#include <vector>

class TStdForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TStdForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TSpeedButton *SpeedButtonA = nullptr, *SpeedButtonB = nullptr, *SpeedButtonC = nullptr;
    TMemo* Memo1 = nullptr;
    TListBox *ListBox1 = nullptr, *ListBox2 = nullptr;
    TScrollBar* ScrollBar1 = nullptr;
    TRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TBitBtn *BitBtnOK = nullptr, *BitBtnClose = nullptr;
    TMediaPlayer* MediaPlayer1 = nullptr;

    // What the handlers saw, in order.
    std::vector<std::string> Events;
    std::vector<TScrollCode> ScrollCodes;
    std::vector<TMPBtnType> PlayerClicks;
    std::vector<TOwnerDrawState> DrawnStates;
    int SnapScroll = 0;                 // OnScroll rounds to multiples of this when set
    TMPBtnType RefusedButton = btEject; // OnClick of the player refuses this one
    bool Refuse = false;

    void Note(TObject* Sender, const char* what);
    void Memo1Change(TObject* s) { Note(s, "change"); }
    void ListBox1Click(TObject* s) { Note(s, "click"); }
    void ListBox1DblClick(TObject* s) { Note(s, "dblclick"); }
    void ListBox2DrawItem(TWinControl* Control, int Index, const RECT& Rect, TOwnerDrawState State);
    void ScrollBar1Change(TObject* s) { Note(s, "change"); }
    void ScrollBar1Scroll(TObject* Sender, TScrollCode Code, int& Position);
    void RadioClick(TObject* s) { Note(s, "click"); }
    void ButtonClick(TObject* s) { Note(s, "click"); }
    void MediaPlayer1Click(TObject* Sender, TMPBtnType Button, bool& DoDefault);
    void MediaPlayer1Notify(TObject* s) { Note(s, "notify"); }
    void FormClose(TObject* s, TCloseAction&) { Note(s, "close"); }
};

// The glyph strip the bit button gets: two 12 x 12 images (green, then grey) on an olive ground.
void DrawTestGlyph(TBitmap& bmp);
// The description of the form, with that glyph as the bit button's.
std::string StdControlsText();
TOwned<TStdForm> ReadStdForm(const std::string& text = StdControlsText());
// That form shown, with the messages of its showing handled.
TOwned<TStdForm> ShownStdForm();
