object GalleryMdiFrame: TGalleryMdiFrame
  Left = 120
  Top = 90
  Width = 560
  Height = 400
  Caption = 'MDI frame (多文档窗口)'
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  FormStyle = fsMDIForm
  Menu = MdiMenu
  WindowMenu = MdiWindow
  OnClose = FormClose
  object MdiMenu: TMainMenu
    object MdiFile: TMenuItem
      Caption = '&File'
      object MdiNew: TMenuItem
        Caption = '&New child'
        ShortCut = 16462
        OnClick = MdiNewClick
      end
      object MdiClose: TMenuItem
        Caption = '&Close'
        OnClick = MdiCloseClick
      end
    end
    object MdiWindow: TMenuItem
      Caption = '&Window'
      object MdiCascade: TMenuItem
        Caption = '&Cascade'
        OnClick = MdiCascadeClick
      end
      object MdiTile: TMenuItem
        Caption = '&Tile'
        OnClick = MdiTileClick
      end
    end
  end
end
