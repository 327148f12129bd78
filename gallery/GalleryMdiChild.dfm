object GalleryMdiChild: TGalleryMdiChild
  Left = 0
  Top = 0
  ClientWidth = 260
  ClientHeight = 150
  Caption = 'Child'
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  FormStyle = fsMDIChild
  OnClose = FormClose
  object ChildLabel: TLabel
    Left = 12
    Top = 14
    Caption = 'An MDI child (子窗口)'
  end
  object ChildEdit: TEdit
    Left = 12
    Top = 40
    Width = 160
    Height = 21
    Text = 'Text'
  end
  object ChildCheck: TCheckBox
    Left = 12
    Top = 72
    Width = 160
    Height = 21
    Caption = 'A check box'
    Checked = True
  end
  object ChildButton: TButton
    Left = 12
    Top = 104
    Width = 100
    Height = 25
    Caption = 'Button'
  end
end
