object DemoChild: TDemoChild
  Left = 0
  Top = 0
  Caption = 'Every control (所有控件)'
  ClientHeight = 690
  ClientWidth = 1224
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  FormStyle = fsMDIChild
  Position = poDesigned
  PopupMenu = PopupMenu1
  object GroupBox9: TGroupBox
    Left = 16
    Top = 58
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
    Top = 66
    Width = 89
    Height = 25
    Caption = 'Connect(连接)'
    TabOrder = 0
  end
  object ButtonRead: TButton
    Left = 456
    Top = 98
    Width = 89
    Height = 25
    Caption = 'Read(读取)'
    TabOrder = 2
  end
  object GroupBox7: TGroupBox
    Left = 16
    Top = 138
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
  object Panel1: TPanel
    Left = 16
    Top = 374
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
    end
    object SpeedButtonB: TSpeedButton
      Left = 32
      Top = 9
      Width = 23
      Height = 22
      GroupIndex = 1
      Caption = 'B'
    end
    object SpeedButtonC: TSpeedButton
      Left = 60
      Top = 9
      Width = 23
      Height = 22
      Flat = True
      Caption = 'C'
    end
  end
  object Memo1: TMemo
    Left = 16
    Top = 422
    Width = 250
    Height = 89
    Lines.Strings = (
      'Line one'
      '第二行'
      'Line three')
    ScrollBars = ssVertical
    TabOrder = 1
  end
  object ListBox1: TListBox
    Left = 276
    Top = 374
    Width = 120
    Height = 97
    Sorted = True
    Items.Strings = (
      'Charlie'
      'alpha'
      'Bravo')
    ItemIndex = 1
    TabOrder = 2
  end
  object ListBox2: TListBox
    Left = 404
    Top = 374
    Width = 124
    Height = 97
    ItemHeight = 20
    Style = lbOwnerDrawFixed
    Items.Strings = (
      'red'
      'green'
      'blue')
    TabOrder = 3
  end
  object ScrollBar1: TScrollBar
    Left = 276
    Top = 482
    Width = 252
    Height = 17
    LargeChange = 25
    Max = 200
    Min = 10
    PageSize = 20
    Position = 50
    SmallChange = 5
    TabOrder = 4
  end
  object RadioButton1: TRadioButton
    Left = 16
    Top = 522
    Caption = 'Radio one'
    Checked = True
    TabOrder = 5
  end
  object RadioButton2: TRadioButton
    Left = 16
    Top = 546
    Caption = 'Radio two (二)'
    TabOrder = 6
  end
  object RadioGroup1: TRadioGroup
    Left = 138
    Top = 514
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
  end
  object BitBtnOK: TBitBtn
    Left = 400
    Top = 514
    Width = 128
    Height = 30
    TabOrder = 8
    Kind = bkOK
    NumGlyphs = 2
  end
  object BitBtnClose: TBitBtn
    Left = 400
    Top = 554
    Width = 128
    Height = 30
    TabOrder = 9
    Kind = bkClose
    Layout = blGlyphRight
  end
  object MediaPlayer1: TMediaPlayer
    Left = 16
    Top = 602
    Width = 253
    Height = 30
    AutoOpen = True
    ColoredButtons = [btPlay, btPause, btStop, btRecord]
    TabOrder = 10
  end
  object ToolBar1: TToolBar
    Flat = True
    Images = ImageList1
    List = True
    ShowCaptions = True
    object ToolButtonRead: TToolButton
      Caption = 'Read(读取)'
      ImageIndex = 0
    end
    object ToolButtonGap: TToolButton
      Style = tbsSeparator
    end
    object ToolButtonLock: TToolButton
      Caption = 'Lock'
      ImageIndex = 1
      Style = tbsCheck
    end
  end
  object HeaderControl1: THeaderControl
    Sections = <
      item
        Text = 'Name'
        Width = 120
      end
      item
        Alignment = taRightJustify
        Text = 'Value'
        Width = 80
      end>
  end
  object TrackBar1: TTrackBar
    Left = 568
    Top = 56
    Width = 200
    Max = 20
    Frequency = 2
    PageSize = 4
    Position = 5
  end
  object TrackBar2: TTrackBar
    Left = 776
    Top = 56
    Width = 45
    Height = 120
    Orientation = trVertical
    TickMarks = tmBoth
  end
  object ProgressBar1: TProgressBar
    Left = 568
    Top = 108
    Width = 200
    Position = 40
  end
  object ProgressBar2: TProgressBar
    Left = 828
    Top = 56
    Width = 17
    Height = 120
    Orientation = pbVertical
    Position = 70
    Smooth = True
  end
  object Edit1: TEdit
    Left = 568
    Top = 136
    Width = 60
    TabOrder = 0
  end
  object UpDown1: TUpDown
    Associate = Edit1
    Max = 10
    Position = 3
  end
  object DateTimePicker1: TDateTimePicker
    Left = 568
    Top = 166
    Date = '2024-05-17'
    Time = '13:45:00'
  end
  object DateTimePicker2: TDateTimePicker
    Left = 568
    Top = 194
    Kind = dtkTime
    Time = '08:30:00'
  end
  object ListView1: TListView
    Left = 568
    Top = 224
    Width = 280
    Height = 120
    Columns = <
      item
        Caption = 'Channel'
        Width = 100
      end
      item
        Alignment = taRightJustify
        Caption = 'Arbitration'
        Width = 80
      end
      item
        Caption = 'Data'
        Width = 80
      end>
    Items.Strings = (
      'CAN0'#9'500K'#9'2M'
      'CAN1'#9'1M')
    GridLines = True
    RowSelect = True
    ViewStyle = vsReport
  end
  object PageControl1: TPageControl
    Left = 568
    Top = 352
    Width = 280
    Height = 200
    ActivePage = TabSheet2
    object TabSheet1: TTabSheet
      Caption = 'Ethernet'
      object LabelHost: TLabel
        Left = 8
        Top = 12
        Caption = 'HostIP(主机IP地址):'
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'CAN0'
      object ButtonApply: TButton
        Left = 8
        Top = 8
        Caption = 'Apply'
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'CAN1'
      TabVisible = False
    end
  end
  object TabTop: TTabControl
    Left = 860
    Top = 56
    Width = 170
    Height = 240
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 1
  end
  object TabBottom: TTabControl
    Left = 1038
    Top = 56
    Width = 170
    Height = 240
    TabPosition = tpBottom
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 0
  end
  object TabLeft: TTabControl
    Left = 860
    Top = 306
    Width = 170
    Height = 246
    TabPosition = tpLeft
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 1
  end
  object TabRight: TTabControl
    Left = 1038
    Top = 306
    Width = 170
    Height = 246
    TabPosition = tpRight
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 2
  end
  object ImageList1: TImageList
  end
  object PopupMenu1: TPopupMenu
    object Cut1: TMenuItem
      Caption = 'Cu&t'
    end
    object Copy1: TMenuItem
      Caption = '&Copy'
      Default = True
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Paste1: TMenuItem
      Caption = '&Paste 粘贴'
      Enabled = False
    end
  end
end
