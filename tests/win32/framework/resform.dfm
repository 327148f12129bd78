object ResForm: TResForm
  Caption = 'From the resource (资源)'
  ClientHeight = 120
  ClientWidth = 240
  OnClose = FormClose
  OnCreate = FormCreate
end
