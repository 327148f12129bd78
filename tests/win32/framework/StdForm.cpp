#include "StdForm.h"

namespace {
const char* const Template = R"(object StdForm: TStdForm
  Left = 60
  Top = 40
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Standard controls (标准控件)'
  ClientHeight = 300
  ClientWidth = 528
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  OnClose = FormClose
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 250
    Height = 41
    BevelInner = bvLowered
    BorderWidth = 2
    Caption = 'Panel (面板)'
    Alignment = taRightJustify
    object SpeedButtonA: TSpeedButton
      Left = 8
      Top = 9
      Width = 23
      Height = 22
      GroupIndex = 1
      Down = True
      Caption = 'A'
      OnClick = ButtonClick
    end
    object SpeedButtonB: TSpeedButton
      Left = 32
      Top = 9
      Width = 23
      Height = 22
      GroupIndex = 1
      Caption = 'B'
      OnClick = ButtonClick
    end
    object SpeedButtonC: TSpeedButton
      Left = 60
      Top = 9
      Width = 23
      Height = 22
      Flat = True
      Caption = 'C'
      OnClick = ButtonClick
    end
  end
  object Memo1: TMemo
    Left = 8
    Top = 56
    Width = 250
    Height = 89
    Lines.Strings = (
      'Line one'
      '第二行'
      'Line three')
    ScrollBars = ssVertical
    TabOrder = 1
    OnChange = Memo1Change
  end
  object ListBox1: TListBox
    Left = 268
    Top = 8
    Width = 120
    Height = 97
    Sorted = True
    Items.Strings = (
      'Charlie'
      'alpha'
      'Bravo')
    ItemIndex = 1
    TabOrder = 2
    OnClick = ListBox1Click
    OnDblClick = ListBox1DblClick
  end
  object ListBox2: TListBox
    Left = 396
    Top = 8
    Width = 124
    Height = 97
    ItemHeight = 20
    Style = lbOwnerDrawFixed
    Items.Strings = (
      'red'
      'green'
      'blue')
    TabOrder = 3
    OnDrawItem = ListBox2DrawItem
  end
  object ScrollBar1: TScrollBar
    Left = 268
    Top = 116
    Width = 252
    Height = 17
    LargeChange = 25
    Max = 200
    Min = 10
    PageSize = 20
    Position = 50
    SmallChange = 5
    TabOrder = 4
    OnChange = ScrollBar1Change
    OnScroll = ScrollBar1Scroll
  end
  object RadioButton1: TRadioButton
    Left = 8
    Top = 156
    Caption = 'Radio one'
    Checked = True
    TabOrder = 5
    OnClick = RadioClick
  end
  object RadioButton2: TRadioButton
    Left = 8
    Top = 180
    Caption = 'Radio two (二)'
    TabOrder = 6
    OnClick = RadioClick
  end
  object RadioGroup1: TRadioGroup
    Left = 130
    Top = 148
    Width = 250
    Height = 72
    Caption = 'Bit rate (波特率)'
    Columns = 2
    Items.Strings = (
      '1000K'
      '500K'
      '250K'
      '125K')
    ItemIndex = 2
    TabOrder = 7
    OnClick = RadioClick
  end
  object BitBtnOK: TBitBtn
    Left = 392
    Top = 148
    Width = 128
    Height = 30
    TabOrder = 8
    OnClick = ButtonClick
    Kind = bkOK
    NumGlyphs = 2
    Glyph.Data = {GLYPH}
  end
  object BitBtnClose: TBitBtn
    Left = 392
    Top = 188
    Width = 128
    Height = 30
    TabOrder = 9
    OnClick = ButtonClick
    Kind = bkClose
    Layout = blGlyphRight
  end
  object MediaPlayer1: TMediaPlayer
    Left = 8
    Top = 236
    Width = 253
    Height = 30
    AutoOpen = True
    ColoredButtons = [btPlay, btPause, btStop, btRecord]
    TabOrder = 10
    OnClick = MediaPlayer1Click
    OnNotify = MediaPlayer1Notify
  end
end
)";

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}
} // namespace

const TClassInfo& TStdForm::StaticClassInfo() {
    static const TClassInfo info{"TStdForm", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TStdForm::TStdForm(TComponent* AOwner) : TForm(AOwner) {
    Handler("Memo1Change", &TStdForm::Memo1Change);
    Handler("ListBox1Click", &TStdForm::ListBox1Click);
    Handler("ListBox1DblClick", &TStdForm::ListBox1DblClick);
    Handler("ListBox2DrawItem", &TStdForm::ListBox2DrawItem);
    Handler("ScrollBar1Change", &TStdForm::ScrollBar1Change);
    Handler("ScrollBar1Scroll", &TStdForm::ScrollBar1Scroll);
    Handler("RadioClick", &TStdForm::RadioClick);
    Handler("ButtonClick", &TStdForm::ButtonClick);
    Handler("MediaPlayer1Click", &TStdForm::MediaPlayer1Click);
    Handler("MediaPlayer1Notify", &TStdForm::MediaPlayer1Notify);
    Handler("FormClose", &TStdForm::FormClose);
    Field("Panel1", Panel1);
    Field("SpeedButtonA", SpeedButtonA);
    Field("SpeedButtonB", SpeedButtonB);
    Field("SpeedButtonC", SpeedButtonC);
    Field("Memo1", Memo1);
    Field("ListBox1", ListBox1);
    Field("ListBox2", ListBox2);
    Field("ScrollBar1", ScrollBar1);
    Field("RadioButton1", RadioButton1);
    Field("RadioButton2", RadioButton2);
    Field("RadioGroup1", RadioGroup1);
    Field("BitBtnOK", BitBtnOK);
    Field("BitBtnClose", BitBtnClose);
    Field("MediaPlayer1", MediaPlayer1);
}

void TStdForm::Note(TObject* Sender, const char* what) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    Events.push_back((c ? c->Name() : std::string("?")) + " " + what);
}

// Each item in the colour it names, so that a test can read it back.
void TStdForm::ListBox2DrawItem(TWinControl*, int Index, const RECT& Rect, TOwnerDrawState State) {
    static const TColor colors[] = {clRed, clLime, clBlue};
    DrawnStates.push_back(State);
    TCanvas& c = ListBox2->Canvas();
    c.Brush().SetColor(colors[Index % 3]);
    c.FillRect(Rect);
    if (State & (1u << odSelected)) c.TextOut(Rect.left + 24, Rect.top + 2, u"*");
}

void TStdForm::ScrollBar1Scroll(TObject*, TScrollCode Code, int& Position) {
    ScrollCodes.push_back(Code);
    if (SnapScroll) Position = Position / SnapScroll * SnapScroll;
}

void TStdForm::MediaPlayer1Click(TObject* Sender, TMPBtnType Button, bool& DoDefault) {
    PlayerClicks.push_back(Button);
    if (Refuse && Button == RefusedButton) DoDefault = false;
    Note(Sender, "click");
}

void DrawTestGlyph(TBitmap& bmp) {
    bmp.SetSize(24, 12);
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(clOlive);
    c.FillRect({0, 0, 24, 12});
    c.Brush().SetColor(clLime);
    c.FillRect({2, 2, 10, 10});
    c.Brush().SetColor(clGray);
    c.FillRect({14, 2, 22, 10});
}

std::string StdControlsText() {
    TBitmap glyph;
    DrawTestGlyph(glyph);
    TMemoryStream data;
    glyph.SaveToStream(data);
    std::string text = Template;
    text.replace(text.find("GLYPH"), 5, Hex(data.Bytes()));
    return text;
}

TOwned<TStdForm> ReadStdForm(const std::string& text) {
    Application->Initialize();
    TOwned<TStdForm> form(new TStdForm(nullptr));
    ReadComponentText(form.get(), text);
    return form;
}

TOwned<TStdForm> ShownStdForm() {
    auto form = ReadStdForm();
    form->Show();
    Application->ProcessMessages();
    return form;
}
