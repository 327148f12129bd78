#include "comctrls_form.h"

const char* const ComCtrlsText = R"(object ComCtrlsForm: TComCtrlsForm
  Left = 40
  Top = 30
  BorderStyle = bsSingle
  Caption = 'Common controls (通用控件)'
  ClientHeight = 560
  ClientWidth = 760
  Font.Height = -11
  Font.Name = 'Tahoma'
  object ToolBar1: TToolBar
    Flat = True
    Images = ImageList1
    List = True
    ShowCaptions = True
    object ToolButtonRead: TToolButton
      Caption = 'Read(读取)'
      ImageIndex = 0
      OnClick = ToolButtonClick
    end
    object ToolButtonGap: TToolButton
      Style = tbsSeparator
    end
    object ToolButtonLock: TToolButton
      Caption = 'Lock'
      ImageIndex = 1
      Style = tbsCheck
      OnClick = ToolButtonClick
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
    OnSectionClick = HeaderSection
    OnSectionResize = HeaderSection
  end
  object TrackBar1: TTrackBar
    Left = 8
    Top = 56
    Width = 200
    Max = 20
    Frequency = 2
    PageSize = 4
    Position = 5
    OnChange = Changed
  end
  object TrackBar2: TTrackBar
    Left = 216
    Top = 56
    Width = 45
    Height = 120
    Orientation = trVertical
    TickMarks = tmBoth
  end
  object ProgressBar1: TProgressBar
    Left = 8
    Top = 108
    Width = 200
    Position = 40
  end
  object ProgressBar2: TProgressBar
    Left = 268
    Top = 56
    Width = 17
    Height = 120
    Orientation = pbVertical
    Position = 70
    Smooth = True
  end
  object Edit1: TEdit
    Left = 8
    Top = 136
    Width = 60
    TabOrder = 0
  end
  object UpDown1: TUpDown
    Associate = Edit1
    Max = 10
    Position = 3
    OnChanging = Changing
    OnClick = UpDown1Click
  end
  object DateTimePicker1: TDateTimePicker
    Left = 8
    Top = 166
    Date = '2024-05-17'
    Time = '13:45:00'
    OnChange = Changed
  end
  object DateTimePicker2: TDateTimePicker
    Left = 8
    Top = 194
    Kind = dtkTime
    Time = '08:30:00'
  end
  object ListView1: TListView
    Left = 8
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
    OnColumnClick = ListView1ColumnClick
    OnSelectItem = ListView1SelectItem
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 352
    Width = 280
    Height = 200
    ActivePage = TabSheet2
    OnChange = Changed
    OnChanging = Changing
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
    Left = 300
    Top = 56
    Width = 220
    Height = 240
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 1
    OnChange = Changed
    OnChanging = Changing
  end
  object TabBottom: TTabControl
    Left = 530
    Top = 56
    Width = 220
    Height = 240
    TabPosition = tpBottom
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 0
  end
  object TabLeft: TTabControl
    Left = 300
    Top = 306
    Width = 220
    Height = 246
    TabPosition = tpLeft
    Tabs.Strings = (
      'One'
      'Two'
      'Three')
    TabIndex = 1
  end
  object TabRight: TTabControl
    Left = 530
    Top = 306
    Width = 220
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
end
)";

const TClassInfo& TComCtrlsForm::StaticClassInfo() {
    static const TClassInfo info{"TComCtrlsForm", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TComCtrlsForm::TComCtrlsForm(TComponent* AOwner) : TForm(AOwner) {
    Handler("Changed", &TComCtrlsForm::Changed);
    Handler("Changing", &TComCtrlsForm::Changing);
    Handler("ToolButtonClick", &TComCtrlsForm::ToolButtonClick);
    Handler("UpDown1Click", &TComCtrlsForm::UpDown1Click);
    Handler("ListView1ColumnClick", &TComCtrlsForm::ListView1ColumnClick);
    Handler("ListView1SelectItem", &TComCtrlsForm::ListView1SelectItem);
    Handler("HeaderSection", &TComCtrlsForm::HeaderSection);
    Field("ToolBar1", ToolBar1);
    Field("ToolButtonRead", ToolButtonRead);
    Field("ToolButtonLock", ToolButtonLock);
    Field("ToolButtonGap", ToolButtonGap);
    Field("HeaderControl1", HeaderControl1);
    Field("TrackBar1", TrackBar1);
    Field("TrackBar2", TrackBar2);
    Field("ProgressBar1", ProgressBar1);
    Field("ProgressBar2", ProgressBar2);
    Field("Edit1", Edit1);
    Field("UpDown1", UpDown1);
    Field("DateTimePicker1", DateTimePicker1);
    Field("DateTimePicker2", DateTimePicker2);
    Field("ListView1", ListView1);
    Field("PageControl1", PageControl1);
    Field("TabSheet1", TabSheet1);
    Field("TabSheet2", TabSheet2);
    Field("TabSheet3", TabSheet3);
    Field("TabTop", TabTop);
    Field("TabBottom", TabBottom);
    Field("TabLeft", TabLeft);
    Field("TabRight", TabRight);
    Field("ImageList1", ImageList1);
}

void TComCtrlsForm::Note(TObject* Sender, const std::string& what) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    Log.push_back((c ? c->Name() : std::string("?")) + "." + what);
}

void TComCtrlsForm::Changed(TObject* Sender) {
    Note(Sender, "Change");
}

void TComCtrlsForm::Changing(TObject* Sender, bool& AllowChange) {
    Note(Sender, "Changing");
    AllowChange = !Refuse;
}

void TComCtrlsForm::ToolButtonClick(TObject* Sender) {
    Note(Sender, "Click");
}

void TComCtrlsForm::UpDown1Click(TObject* Sender, TUDBtnType Button) {
    Note(Sender, Button == udbtNext ? "Click next" : "Click prev");
}

void TComCtrlsForm::ListView1ColumnClick(TObject* Sender, TListColumn* Column) {
    Note(Sender, "ColumnClick " + Column->Caption());
}

void TComCtrlsForm::ListView1SelectItem(TObject* Sender, TListItem* Item, bool Selected) {
    Note(Sender, (Selected ? "Select " : "Unselect ") + Item->Caption());
}

void TComCtrlsForm::HeaderSection(TObject* Sender, THeaderSection* Section) {
    Note(Sender, "Section " + Section->Text() + " " + IntToStr(Section->Width()));
}

namespace {
// A square of one colour on white, which is the mask colour.
void AddSquare(TImageList& list, TColor colour) {
    TBitmap image;
    image.SetSize(16, 16);
    image.Canvas().Brush().SetColor(colour);
    RECT square{2, 2, 14, 14};
    image.Canvas().FillRect(square);
    list.AddMasked(image, clWhite);
}
} // namespace

TOwned<TComCtrlsForm> ReadComCtrlsForm(const std::string& text) {
    Application->Initialize();
    TOwned<TComCtrlsForm> form(new TComCtrlsForm(nullptr));
    ReadComponentText(form.get(), text);
    if (form->ImageList1) {
        AddSquare(*form->ImageList1, clRed);
        AddSquare(*form->ImageList1, clBlue);
    }
    return form;
}

TOwned<TComCtrlsForm> ShownComCtrlsForm() {
    auto form = ReadComCtrlsForm();
    form->Show();
    Pump();
    return form;
}

void ClickAt(HWND wnd, POINT p) {
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Pump();
}

void PressKey(HWND wnd, UINT key) {
    SendMessageW(wnd, WM_KEYDOWN, key, 1);
    SendMessageW(wnd, WM_KEYUP, key, LPARAM(0xC0000001u));
    Pump();
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
