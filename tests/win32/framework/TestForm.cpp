#include "TestForm.h"

const char* const EveryControlText = R"(object TestForm: TTestForm
  Left = 100
  Top = 80
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'QUARLINK 测试'
  ClientHeight = 260
  ClientWidth = 420
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Position = poDesktopCenter
  OnClose = FormClose
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 300
    Height = 120
    Caption = 'Ethernet (以太网)'
    TabOrder = 1
    object Label1: TLabel
      Left = 16
      Top = 28
      Caption = 'HostIP(主机IP地址):'
    end
    object Edit1: TEdit
      Left = 152
      Top = 24
      Width = 81
      Height = 21
      MaxLength = 8
      TabOrder = 2
      Text = '00050B2E'
      OnChange = Edit1Change
    end
    object CheckBox1: TCheckBox
      Left = 16
      Top = 60
      Width = 150
      Height = 17
      Caption = '使用自定义波特率 '
      TabOrder = 0
      OnClick = CheckBox1Click
    end
    object ComboBox1: TComboBox
      Left = 152
      Top = 84
      Width = 89
      Height = 21
      Style = csDropDownList
      ItemIndex = 1
      TabOrder = 1
      Items.Strings = (
        '1000K'
        '500K'
        '250K')
    end
  end
  object Button1: TButton
    Left = 320
    Top = 16
    Width = 89
    Height = 25
    Caption = 'Read(读取)'
    TabOrder = 0
    OnClick = Button1Click
  end
  object StatusBar1: TStatusBar
    Height = 19
    Panels = <
      item
        Width = 150
      end
      item
        Alignment = taCenter
      end>
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 250
    OnTimer = Timer1Timer
  end
end
)";

const TClassInfo& TTestForm::StaticClassInfo() {
    static const TClassInfo info{"TTestForm", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TTestForm::TTestForm(TComponent* AOwner) : TForm(AOwner) {
    Handler("Button1Click", &TTestForm::Button1Click);
    Handler("Edit1Change", &TTestForm::Edit1Change);
    Handler("CheckBox1Click", &TTestForm::CheckBox1Click);
    Handler("Timer1Timer", &TTestForm::Timer1Timer);
    Handler("FormClose", &TTestForm::FormClose);
    Field("GroupBox1", GroupBox1);
    Field("Label1", Label1);
    Field("Edit1", Edit1);
    Field("CheckBox1", CheckBox1);
    Field("ComboBox1", ComboBox1);
    Field("Button1", Button1);
    Field("StatusBar1", StatusBar1);
    Field("Timer1", Timer1);
}

void TTestForm::Button1Click(TObject*) {
    ++Clicks;
    if (OnButton) OnButton();
}

const TClassInfo& TResForm::StaticClassInfo() {
    static const TClassInfo info{"TResForm", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TResForm::TResForm(TComponent* AOwner) : TForm(AOwner) {
    Handler("FormCreate", &TResForm::FormCreate);
    Handler("FormClose", &TResForm::FormClose);
}

TOwned<TTestForm> ReadTestForm(const std::string& text) {
    Application->Initialize();
    TOwned<TTestForm> form(new TTestForm(nullptr));
    ReadComponentText(form.get(), text);
    return form;
}
