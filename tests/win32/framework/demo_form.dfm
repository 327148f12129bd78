object DemoForm: TDemoForm
  Left = 4
  Top = 4
  Width = 1262
  Height = 820
  Caption = 'QUARLINK Config   framework demo (框架演示)  '
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  FormStyle = fsMDIForm
  Menu = MainMenu1
  WindowMenu = Window1
  object StatusBar1: TStatusBar
    Height = 19
    PopupMenu = PopupMenu1
    Panels = <
      item
        Text = 'Data sent'
        Width = 300
      end
      item
        Text = 'MAC 00-11-22-33-44-55 (地址)'
      end>
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object New1: TMenuItem
        Caption = '&New window'
        ShortCut = 16462
        OnClick = New1Click
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit 退出'
        OnClick = Exit1Click
      end
    end
    object View1: TMenuItem
      Caption = '&View'
      object Small1: TMenuItem
        AutoCheck = True
        Caption = '&Small'
        Checked = True
        GroupIndex = 1
        RadioItem = True
      end
      object Large1: TMenuItem
        AutoCheck = True
        Caption = '&Large'
        GroupIndex = 1
        RadioItem = True
      end
      object Grid1: TMenuItem
        AutoCheck = True
        Caption = '&Grid'
        Checked = True
      end
    end
    object Window1: TMenuItem
      Caption = '&Window'
      object Cascade1: TMenuItem
        Caption = '&Cascade'
        OnClick = Cascade1Click
      end
      object Tile1: TMenuItem
        Caption = '&Tile'
        OnClick = Tile1Click
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      object About1: TMenuItem
        Caption = '&About 关于'
        Default = True
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object CopyStatus1: TMenuItem
      Caption = '&Copy status'
    end
    object ClearStatus1: TMenuItem
      Caption = 'C&lear'
    end
  end
  object CloseTimer: TTimer
    Enabled = False
    OnTimer = CloseTimerTimer
  end
end
