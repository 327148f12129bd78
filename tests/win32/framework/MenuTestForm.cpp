#include "MenuTestForm.h"

#include <gtest/gtest.h>

#include <iterator>

const char* const MenuFormText = R"(object MenuForm: TMenuForm
  Left = 60
  Top = 60
  Caption = 'Menus 菜单'
  ClientHeight = 160
  ClientWidth = 320
  Menu = MainMenu1
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 120
    Height = 21
    PopupMenu = PopupMenu1
    TabOrder = 0
  end
  object Button1: TButton
    Left = 8
    Top = 40
    Width = 75
    Height = 25
    Caption = '&Go'
    TabOrder = 1
  end
  object MainMenu1: TMainMenu
    Images = ImageList1
    object File1: TMenuItem
      Caption = '&File'
      OnClick = ItemClick
      object Open1: TMenuItem
        Caption = '&Open...'
        Default = True
        ImageIndex = 0
        ShortCut = 16463
        OnClick = ItemClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Hidden1: TMenuItem
        Caption = 'Hidden'
        Visible = False
      end
      object Exit1: TMenuItem
        Caption = 'E&xit 退出'
        Enabled = False
        OnClick = ItemClick
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
        OnClick = ItemClick
      end
      object Large1: TMenuItem
        AutoCheck = True
        Caption = '&Large'
        GroupIndex = 1
        RadioItem = True
        OnClick = ItemClick
      end
      object Grid1: TMenuItem
        AutoCheck = True
        Caption = '&Grid'
        OnClick = ItemClick
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      OnClick = ItemClick
    end
  end
  object PopupMenu1: TPopupMenu
    OnPopup = PopupMenu1Popup
    object Cut1: TMenuItem
      Caption = 'Cu&t'
      OnClick = ItemClick
    end
    object Paste1: TMenuItem
      Caption = '&Paste'
      OnClick = ItemClick
    end
  end
  object ImageList1: TImageList
  end
end
)";

const char* const FrameText = R"(object Frame: TMDIFrame
  Left = 40
  Top = 40
  Width = 600
  Height = 420
  Caption = 'MDI'
  FormStyle = fsMDIForm
  Menu = FrameMenu
  WindowMenu = Window1
  object StatusBar1: TStatusBar
    Height = 19
  end
  object FrameMenu: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object New1: TMenuItem
        Caption = '&New'
        ShortCut = 16462
        OnClick = New1Click
      end
    end
    object Window1: TMenuItem
      Caption = '&Window'
      object Cascade1: TMenuItem
        Caption = '&Cascade'
      end
      object Tile1: TMenuItem
        Caption = '&Tile'
      end
    end
  end
end
)";

const char* const ChildText = R"(object Child: TMDIChild
  Width = 240
  Height = 160
  FormStyle = fsMDIChild
  OnClose = FormClose
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 100
    Height = 21
    TabOrder = 0
  end
end
)";

const TClassInfo& TMenuForm::StaticClassInfo() {
    static const TClassInfo info{"TMenuForm", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TMenuForm::TMenuForm(TComponent* AOwner) : TForm(AOwner) {
    Handler("ItemClick", &TMenuForm::ItemClick);
    Handler("PopupMenu1Popup", &TMenuForm::PopupMenu1Popup);
    Field("Edit1", Edit1);
    Field("Button1", Button1);
    Field("MainMenu1", MainMenu1);
    Field("PopupMenu1", PopupMenu1);
    Field("ImageList1", ImageList1);
    for (auto [name, field] : {std::pair{"File1", &File1},
                               {"Open1", &Open1},
                               {"Exit1", &Exit1},
                               {"View1", &View1},
                               {"Small1", &Small1},
                               {"Large1", &Large1},
                               {"Grid1", &Grid1},
                               {"Help1", &Help1},
                               {"Cut1", &Cut1},
                               {"Paste1", &Paste1}})
        Field(name, *field);
}

void TMenuForm::ItemClick(TObject* Sender) {
    Log.push_back(static_cast<TComponent*>(Sender)->Name());
}

void TMenuForm::WndProc(TMessage& Message) {
    if (Message.Msg == CM_MENUCHANGED) ++MenuChanges;
    if (Message.Msg == CM_DIALOGCHAR) {
        DialogChars.push_back(Message.WParam);
        Message.Result = DialogCharAnswer;
        return;
    }
    TForm::WndProc(Message);
}

const TClassInfo& TMDIFrame::StaticClassInfo() {
    static const TClassInfo info{"TMDIFrame", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TMDIFrame::TMDIFrame(TComponent* AOwner) : TForm(AOwner) {
    Handler("New1Click", &TMDIFrame::New1Click);
    Field("FrameMenu", FrameMenu);
    Field("File1", File1);
    Field("New1", New1);
    Field("Window1", Window1);
    Field("StatusBar1", StatusBar1);
}

const TClassInfo& TMDIChild::StaticClassInfo() {
    static const TClassInfo info{"TMDIChild", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

TMDIChild::TMDIChild(TComponent* AOwner) : TForm(AOwner) {
    Handler("FormClose", &TMDIChild::FormClose);
    Field("Edit1", Edit1);
}

TOwned<TMenuForm> ReadMenuForm(const std::string& text) {
    Application->Initialize();
    TOwned<TMenuForm> form(new TMenuForm(nullptr));
    ReadComponentText(form.get(), text);
    return form;
}

TOwned<TMDIFrame> ReadMDIFrame() {
    Application->Initialize();
    TOwned<TMDIFrame> frame(new TMDIFrame(nullptr));
    ReadComponentText(frame.get(), FrameText);
    return frame;
}

// The caption is in the description: the client lists the child under the caption it was made with.
TMDIChild* ReadMDIChild(const std::string& caption) {
    auto* child = new TMDIChild(Application);
    std::string text = ChildText;
    text.insert(text.find("  FormStyle"), "  Caption = '" + caption + "'\n");
    try {
        ReadComponentText(child, text);
    } catch (...) {
        child->Free();
        throw;
    }
    return child;
}

TMDIForms::TMDIForms(bool show) : Frame(ReadMDIFrame()) {
    if (show)
        Frame->Show();
    else
        Frame->HandleNeeded();
    A = ReadMDIChild("Child A");
    B = ReadMDIChild("Child B");
    Pump();
}

TMDIForms::~TMDIForms() {
    Frame.reset(); // takes the children's windows down
    for (TMDIChild* c : {A, B})
        if (c) c->Free();
}

// ---- Answering menu loops -----------------------------------------------------------------------

namespace {
TMenuAnswer* Current = nullptr;

bool IsMenuWindow(HWND wnd) {
    wchar_t name[16] = {};
    GetClassNameW(wnd, name, 16);
    return lstrcmpW(name, L"#32768") == 0;
}
} // namespace

TMenuAnswer::TMenuAnswer(std::initializer_list<std::initializer_list<WPARAM>> keys)
    : FKeys(std::rbegin(keys), std::rend(keys)), FHook([this](int code, HWND wnd) { Watch(code, wnd); }) {
    Current = this;
    FTimer = SetTimer(nullptr, 0, 3000, Expire);
}

TMenuAnswer::~TMenuAnswer() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
}

void TMenuAnswer::Watch(int code, HWND wnd) {
    if (!IsMenuWindow(wnd)) return;
    if (code == HCBT_DESTROYWND) --FOpenNow;
    if (code != HCBT_CREATEWND) return;
    ++FOpened;
    ++FOpenNow;
    if (FKeys.empty()) return;
    for (WPARAM key : FKeys.back())
        PostMessageW(wnd, WM_KEYDOWN, key, 0);
    FKeys.pop_back();
}

void CALLBACK TMenuAnswer::Expire(HWND, UINT, UINT_PTR, DWORD) {
    if (!Current || Current->FOpenNow <= 0) return;
    ADD_FAILURE() << "a menu loop was still running: ended";
    EndMenu();
}
