object DemoForm: TDemoForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'QUARLINK Config   framework demo (框架演示)  '
  ClientHeight = 330
  ClientWidth = 560
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Position = poDesktopCenter
  object GroupBox9: TGroupBox
    Left = 16
    Top = 8
    Width = 417
    Height = 65
    Caption = 'Conncet(连接)'
    TabOrder = 1
    object Label1: TLabel
      Left = 8
      Top = 28
      Caption = 'Device IP Address(设备IP地址):    '
    end
    object EditIP: TEdit
      Left = 176
      Top = 24
      Width = 89
      Height = 21
      TabOrder = 0
      Text = '127.0.0.1'
    end
  end
  object ButtonConnect: TButton
    Left = 456
    Top = 16
    Width = 89
    Height = 25
    Caption = 'Connect(连接)'
    TabOrder = 0
  end
  object ButtonRead: TButton
    Left = 456
    Top = 48
    Width = 89
    Height = 25
    Caption = 'Read(读取)'
    TabOrder = 2
    OnClick = ButtonReadClick
  end
  object GroupBox7: TGroupBox
    Left = 16
    Top = 88
    Width = 417
    Height = 209
    Caption = 'CAN0(0通道)'
    TabOrder = 3
    object GroupBox18: TGroupBox
      Left = 16
      Top = 24
      Width = 385
      Height = 81
      Caption = 'Standard Buadrate(标准波特率)'
      TabOrder = 0
      object Label2: TLabel
        Left = 42
        Top = 24
        Caption = 'Arbitrate(仲裁域波特率):      '
      end
      object Label3: TLabel
        Left = 42
        Top = 52
        Caption = 'Data(数据域波特率):     '
      end
      object ComboBoxArbitration: TComboBox
        Left = 200
        Top = 20
        Width = 89
        Height = 21
        Style = csDropDownList
        ItemIndex = 0
        TabOrder = 0
        Items.Strings = (
          '1000K'
          '500K'
          '250K'
          '125K')
      end
      object ComboBoxData: TComboBox
        Left = 200
        Top = 48
        Width = 89
        Height = 21
        Style = csDropDownList
        ItemIndex = 1
        TabOrder = 1
        Items.Strings = (
          '5000K'
          '2000K'
          '1000K')
      end
    end
    object GroupBox1: TGroupBox
      Left = 16
      Top = 112
      Width = 385
      Height = 81
      Caption = 'Custom Buadrate(自定义波特率)'
      TabOrder = 1
      object CheckBoxCustom: TCheckBox
        Left = 40
        Top = 20
        Width = 150
        Height = 17
        Caption = '使用自定义波特率 '
        TabOrder = 0
        OnClick = CheckBoxCustomClick
      end
      object Label4: TLabel
        Left = 42
        Top = 50
        Caption = 'Arbitrate(仲裁域波特率): 0x     '
      end
      object EditArbitration: TEdit
        Left = 200
        Top = 46
        Width = 81
        Height = 21
        Enabled = False
        MaxLength = 8
        TabOrder = 1
        Text = '00050B2E'
      end
    end
  end
  object StatusBar1: TStatusBar
    Height = 19
    Panels = <
      item
        Text = 'Data sent'
        Width = 300
      end
      item
        Text = 'MAC 00-11-22-33-44-55 (地址)'
      end>
  end
  object CloseTimer: TTimer
    Enabled = False
    OnTimer = CloseTimerTimer
  end
end
