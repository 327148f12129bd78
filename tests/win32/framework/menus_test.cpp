// Menus on real windows: built from a description, native items following the objects, handles
// owned by the items, clicks through real WM_COMMANDs and menu loops, shortcuts, dialog characters,
// owner drawing and pop-up menus.
#include "FrameworkTest.h"
#include "MenuTestForm.h"

#include <gtest/gtest.h>

namespace {
std::u16string MenuText(HMENU menu, UINT command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return reinterpret_cast<const char16_t*>(text);
}

MENUITEMINFOW NativeItem(HMENU menu, UINT command) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP | MIIM_DATA;
    EXPECT_TRUE(GetMenuItemInfoW(menu, command, FALSE, &info));
    return info;
}

TOwned<TMenuForm> ShownMenuForm() {
    auto form = ReadMenuForm();
    form->Show();
    Pump();
    form->Log.clear();
    return form;
}

// Keys as if Ctrl were held down while the block runs.
class TCtrlDown {
  public:
    TCtrlDown() {
        GetKeyboardState(FSaved);
        BYTE keys[256];
        std::copy(FSaved, FSaved + 256, keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        SetKeyboardState(keys);
    }
    TCtrlDown(const TCtrlDown&) = delete;
    TCtrlDown& operator=(const TCtrlDown&) = delete;
    ~TCtrlDown() { SetKeyboardState(FSaved); }

  private:
    BYTE FSaved[256];
};

// A solid 16 by 16 image in the form's image list.
void AddImage(TImageList& images, TColor color) {
    TBitmap image;
    image.SetSize(16, 16);
    image.Canvas().Brush().SetColor(color);
    image.Canvas().FillRect({0, 0, 16, 16});
    images.AddMasked(image, clNone);
}
} // namespace

TEST(Menus, DescriptionBuildsTheItemsAndTheNativeMenus) {
    auto form = ReadMenuForm();
    ASSERT_TRUE(form->MainMenu1 && form->File1 && form->Open1 && form->Cut1 && form->ImageList1);
    EXPECT_EQ(form->Menu(), form->MainMenu1); // named before the menu was read
    EXPECT_EQ(form->Edit1->PopupMenu(), form->PopupMenu1);
    EXPECT_EQ(form->MainMenu1->Images(), form->ImageList1);
    EXPECT_EQ(form->MainMenu1->Items()->Count(), 3);
    EXPECT_EQ(form->File1->Count(), 4);
    EXPECT_EQ(form->Open1->Parent(), form->File1);
    EXPECT_EQ(form->File1->GetParentComponent(), form->MainMenu1);
    EXPECT_EQ(form->Open1->GetParentComponent(), form->File1);
    EXPECT_EQ(form->Open1->GetParentMenu(), form->MainMenu1);
    EXPECT_TRUE(form->File1->IsTopLevel());
    EXPECT_FALSE(form->Open1->IsTopLevel());
    EXPECT_EQ(form->Open1->ShortCut(), scCtrl | 'O');
    EXPECT_EQ(form->File1->Find("open..."), form->Open1);
    EXPECT_EQ(form->MainMenu1->FindItem(form->Large1->Command(), fkCommand), form->Large1);
    EXPECT_EQ(form->MainMenu1->FindItem(form->Cut1->Command(), fkCommand), nullptr); // another menu's

    form->HandleNeeded();
    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(bar, form->MainMenu1->Handle());
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(GetSubMenu(bar, 0), form->File1->Handle());
    EXPECT_EQ(GetSubMenu(bar, 2), nullptr); // Help has no items: it sends its command
    EXPECT_EQ(GetMenuItemID(bar, 2), form->Help1->Command());
    HMENU file = form->File1->Handle();
    EXPECT_EQ(GetMenuItemCount(file), 3); // the hidden item is left out
    EXPECT_EQ(MenuText(file, form->Open1->Command()), u"&Open...\tCtrl+O");
    EXPECT_EQ(MenuText(file, form->Exit1->Command()), u"E&xit 退出");
    EXPECT_TRUE(NativeItem(file, form->Exit1->Command()).fState & MFS_GRAYED);
    EXPECT_TRUE(NativeItem(file, GetMenuItemID(file, 1)).fType & MFT_SEPARATOR);
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), form->Open1->Command());
    EXPECT_EQ(NativeItem(file, form->Open1->Command()).hbmpItem, HBMMENU_CALLBACK); // its image
    MENUITEMINFOW small = NativeItem(form->View1->Handle(), form->Small1->Command());
    EXPECT_TRUE(small.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(small.fState & MFS_CHECKED);
    EXPECT_EQ(small.dwItemData, reinterpret_cast<ULONG_PTR>(form->Small1));
}

TEST(Menus, WrittenDescriptionReadsBackTheSame) {
    auto form = ReadMenuForm();
    std::string text = WriteComponentText(form.get());
    EXPECT_NE(text.find("  Menu = MainMenu1\n"), std::string::npos);
    EXPECT_NE(text.find("    PopupMenu = PopupMenu1\n"), std::string::npos);
    EXPECT_NE(text.find("    Images = ImageList1\n"), std::string::npos);
    EXPECT_NE(text.find("      object Open1: TMenuItem\n"), std::string::npos); // nested in File1
    auto copy = ReadMenuForm(text);
    EXPECT_EQ(WriteComponentText(copy.get()), text);
    EXPECT_EQ(copy->Open1->Parent(), copy->File1);
    EXPECT_EQ(copy->Menu(), copy->MainMenu1);
}

TEST(Menus, ItemsOutsideAMenuAreRefused) {
    EXPECT_THROW(ReadMenuForm("object MenuForm: TMenuForm\n  object X1: TMenuItem\n  end\nend\n"),
                 EParserError);
    auto form = ReadMenuForm();
    EXPECT_THROW(form->View1->Add(form->Open1), EMenuError); // it has a parent
    EXPECT_THROW(form->Open1->Add(form->File1), EMenuError); // an item into itself
    TOwned<TMenuItem> item(new TMenuItem(nullptr));
    EXPECT_THROW(form->File1->Insert(9, item.get()), EMenuError);
    EXPECT_EQ(item->Parent(), nullptr);
}

TEST(Menus, NativeItemsFollowTheirItems) {
    auto form = ShownMenuForm();
    HMENU bar = form->MainMenu1->Handle(), file = form->File1->Handle();
    int changes = form->MenuChanges;
    form->Open1->SetCaption("&Load");
    EXPECT_EQ(MenuText(file, form->Open1->Command()), u"&Load\tCtrl+O");
    EXPECT_GT(form->MenuChanges, changes); // the form hears of it
    form->Exit1->SetEnabled(true);
    EXPECT_FALSE(NativeItem(file, form->Exit1->Command()).fState & MFS_GRAYED);
    form->Large1->SetChecked(true); // radio: the other one of its group goes off
    EXPECT_FALSE(form->Small1->Checked());
    EXPECT_FALSE(NativeItem(form->View1->Handle(), form->Small1->Command()).fState & MFS_CHECKED);
    form->Exit1->SetDefault(true);
    EXPECT_FALSE(form->Open1->Default());
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), form->Exit1->Command());

    form->Open1->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(file), 2);
    form->Open1->SetVisible(true);
    EXPECT_EQ(GetMenuItemID(file, 0), form->Open1->Command()); // back in its place

    auto* about = new TMenuItem(form.get());
    about->SetCaption("&About");
    form->Help1->Add(about); // Help opens a drop-down from now on
    EXPECT_EQ(GetSubMenu(bar, 2), form->Help1->Handle());
    EXPECT_EQ(MenuText(form->Help1->Handle(), about->Command()), u"&About");
    about->Free();
    EXPECT_EQ(GetSubMenu(bar, 2), nullptr);
    EXPECT_EQ(form->Help1->Count(), 0);
}

TEST(Menus, EachItemOwnsItsHandle) {
    auto form = ShownMenuForm();
    HMENU bar = form->MainMenu1->Handle(), file = form->File1->Handle(), view = form->View1->Handle();
    form->RecreateWnd(); // the old window must not take the menu with it
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_EQ(GetMenu(form->Handle()), bar);

    form->File1->Free(); // with its items and their handles
    EXPECT_FALSE(IsMenu(file));
    EXPECT_EQ(form->Open1, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetSubMenu(bar, 0), view);

    form->ImageList1->Free();
    EXPECT_EQ(form->MainMenu1->Images(), nullptr);
    form->PopupMenu1->Free();
    EXPECT_EQ(form->Edit1->PopupMenu(), nullptr);
    form->MainMenu1->Free(); // while the window shows it
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(view));
}

TEST(Menus, FreeingTheFormFreesEveryHandle) {
    auto form = ShownMenuForm();
    HMENU bar = form->MainMenu1->Handle(), view = form->View1->Handle(), popup = form->PopupMenu1->Handle();
    form.reset();
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(view));
    EXPECT_FALSE(IsMenu(popup));
}

TEST(Menus, CommandsReachTheirItems) {
    auto form = ShownMenuForm();
    HWND wnd = form->Handle();
    PostMessageW(wnd, WM_COMMAND, form->Open1->Command(), 0);
    PostMessageW(wnd, WM_COMMAND, form->Large1->Command(), 0); // auto-checked radio item
    PostMessageW(wnd, WM_COMMAND, form->Grid1->Command(), 0);
    SendMessageW(wnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->File1->Handle()), 0);
    Pump();
    EXPECT_EQ(form->Log, (std::vector<std::string>{"File1", "Open1", "Large1", "Grid1"}));
    EXPECT_TRUE(form->Large1->Checked());
    EXPECT_FALSE(form->Small1->Checked());
    EXPECT_TRUE(form->Grid1->Checked());
    // a control's notification with the same number is not a menu's
    form->Log.clear();
    SendMessageW(wnd, WM_COMMAND, MAKEWPARAM(form->Open1->Command(), EN_CHANGE),
                 reinterpret_cast<LPARAM>(form->Edit1->Handle()));
    EXPECT_TRUE(form->Log.empty());
}

// The system's own menu loop on the menu bar, opened by Alt+F: Home and Enter choose Open.
TEST(Menus, KeyboardMenuLoopClicksTheChosenItem) {
    auto form = ShownMenuForm();
    TMenuAnswer answer({{VK_HOME, VK_RETURN}});
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    EXPECT_EQ(answer.MenusOpened(), 1);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"File1", "Open1"}));
}

TEST(Menus, ShortCutsClickEnabledItems) {
    auto form = ShownMenuForm();
    {
        TCtrlDown ctrl;
        PostMessageW(form->Edit1->Handle(), WM_KEYDOWN, 'O', 0);
        Pump();
        EXPECT_EQ(form->Log, std::vector<std::string>{"Open1"});
        form->File1->SetEnabled(false); // a disabled parent disables its shortcuts
        PostMessageW(form->Edit1->Handle(), WM_KEYDOWN, 'O', 0);
        Pump();
    }
    EXPECT_EQ(form->Log, std::vector<std::string>{"Open1"});
    EXPECT_EQ(form->Edit1->Text(), ""); // the edit got no letter from the shortcut
}

// Alt+character, and characters for controls that do not take text, reach the form from the loop.
TEST(Menus, DialogCharsReachTheForm) {
    auto form = ShownMenuForm();
    int buttonSysChars = 0;
    TWndMethod buttonProc = form->Button1->WindowProc;
    form->Button1->WindowProc.Code = [&](TMessage& m) {
        if (m.Msg == WM_SYSCHAR) ++buttonSysChars;
        buttonProc(m);
    };
    form->DialogCharAnswer = 1; // used up
    PostMessageW(form->Button1->Handle(), WM_SYSCHAR, 'g', 0);
    PostMessageW(form->Button1->Handle(), WM_CHAR, 'h', 0);
    PostMessageW(form->Edit1->Handle(), WM_CHAR, 'x', 0); // text for the edit
    Pump();
    EXPECT_EQ(form->DialogChars, (std::vector<WPARAM>{'g', 'h'}));
    EXPECT_EQ(buttonSysChars, 0);
    EXPECT_EQ(form->Edit1->Text(), "x");
    form->Button1->WindowProc = buttonProc;
}

TEST(PopupMenu, ChosenItemIsClickedOnceTheMenuHasClosed) {
    auto form = ShownMenuForm();
    {
        TMenuAnswer answer({{VK_END, VK_RETURN}});
        form->PopupMenu1->Popup(200, 200);
        EXPECT_EQ(answer.MenusOpened(), 1);
    }
    EXPECT_EQ(form->Log, std::vector<std::string>{"popup"}); // the click is posted
    Pump();
    EXPECT_EQ(form->Log, (std::vector<std::string>{"popup", "Paste1"}));
    TMenuAnswer cancel({{VK_ESCAPE}});
    form->PopupMenu1->Popup(200, 200);
    Pump();
    EXPECT_EQ(form->Log.back(), "popup");
}

TEST(PopupMenu, ControlShowsItsMenuForAContextMenu) {
    auto form = ShownMenuForm();
    TMenuAnswer answer({{VK_ESCAPE}, {VK_ESCAPE}, {VK_ESCAPE}});
    SendMessageW(form->Edit1->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Edit1->Handle()),
                 MAKELPARAM(150, 150));
    EXPECT_EQ(form->PopupMenu1->PopupComponent(), form->Edit1);
    SendMessageW(form->Edit1->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Edit1->Handle()), -1);
    EXPECT_EQ(answer.MenusOpened(), 2);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"popup", "popup"}));
    form->PopupMenu1->AutoPopup = false; // the edit's own menu then, not ours
    SendMessageW(form->Edit1->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Edit1->Handle()), -1);
    EXPECT_EQ(answer.MenusOpened(), 3);
    EXPECT_EQ(form->Log.size(), 2u);
    form->Edit1->Free();
    EXPECT_EQ(form->PopupMenu1->PopupComponent(), nullptr);
}

// Handlers measure and draw the items of a shown menu; items without them get the default look.
TEST(OwnerDraw, HandlersServeTheShownMenu) {
    auto form = ReadMenuForm();
    SIZE measured{};
    std::vector<std::pair<RECT, TOwnerDrawState>> drawn;
    form->Cut1->OnMeasureItem.Code = [&](TObject*, TCanvas&, int& w, int& h) {
        w = 150;
        h = 30;
        measured = {w, h};
    };
    form->Cut1->OnAdvancedDrawItem.Code = [&](TObject*, TCanvas& c, const RECT& r, TOwnerDrawState s) {
        EXPECT_TRUE(c.HandleAllocated());
        drawn.push_back({r, s});
    };
    form->PopupMenu1->SetOwnerDraw(true); // Paste1 too, with the default look
    form->Show();
    Pump();
    TMenuAnswer answer({{VK_HOME, VK_RETURN}});
    form->PopupMenu1->Popup(200, 200);
    Pump();
    EXPECT_EQ(measured.cx, 150);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().first.bottom - drawn.back().first.top, 30);
    EXPECT_GE(drawn.back().first.right - drawn.back().first.left, 150);
    EXPECT_TRUE(drawn.back().second & ODS_SELECTED); // Home selected it
    EXPECT_EQ(form->Log.back(), "Cut1");
}

TEST(OwnerDraw, DefaultLookShowsStateAndImage) {
    auto form = ReadMenuForm();
    AddImage(*form->ImageList1, clRed);
    TBitmap bmp;
    bmp.SetSize(200, 24);
    const RECT item{0, 0, 200, 24};
    auto pixel = [&](int x, int y) { return GetPixel(bmp.MemoryDC(), x, y); };
    form->Open1->DrawDefault(bmp.Canvas(), item, ODS_SELECTED);
    EXPECT_EQ(pixel(199, 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(10, 12), RGB(255, 0, 0)); // the image in the glyph box
    form->Open1->DrawDefault(bmp.Canvas(), item, ODS_GRAYED);
    EXPECT_EQ(pixel(199, 1), GetSysColor(COLOR_MENU));
    EXPECT_NE(pixel(10, 12), RGB(255, 0, 0));        // greyed
    form->Exit1->DrawDefault(bmp.Canvas(), item, 0); // no image, not checked: an empty glyph box
    EXPECT_EQ(pixel(10, 12), GetSysColor(COLOR_MENU));

    TClientDC screen(nullptr);
    TCanvas canvas(screen);
    int w = 0, h = 0;
    form->Open1->MeasureItem(canvas, w, h);
    EXPECT_GE(h, 16 + 4);
    int wider = 0;
    form->Open1->OnMeasureItem.Code = [](TObject*, TCanvas&, int& width, int&) { width += 10; };
    form->Open1->MeasureItem(canvas, wider, h);
    EXPECT_EQ(wider, w + 10);
}

// An item the system draws gets only its image through WM_MEASUREITEM / WM_DRAWITEM; made
// owner-drawn, it is measured and drawn whole.
TEST(OwnerDraw, FormRoutesMenuItemMessages) {
    auto form = ShownMenuForm();
    AddImage(*form->ImageList1, clLime);
    HWND wnd = form->Handle();
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, form->Open1->Command(), 0, 0, 0};
    EXPECT_TRUE(SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemWidth, 16u);
    EXPECT_EQ(measure.itemHeight, 16u);
    TBitmap bmp;
    bmp.SetSize(16, 16);
    DRAWITEMSTRUCT draw{ODT_MENU,
                        0,
                        form->Open1->Command(),
                        ODA_DRAWENTIRE,
                        0,
                        reinterpret_cast<HWND>(form->File1->Handle()),
                        bmp.MemoryDC(),
                        {0, 0, 16, 16},
                        0};
    EXPECT_TRUE(SendMessageW(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_EQ(GetPixel(bmp.MemoryDC(), 8, 8), RGB(0, 255, 0));

    form->MainMenu1->SetOwnerDraw(true);
    EXPECT_TRUE(NativeItem(form->File1->Handle(), form->Open1->Command()).fType & MFT_OWNERDRAW);
    form->Open1->OnMeasureItem.Code = [](TObject*, TCanvas&, int& w, int& h) { w = 99, h = 21; };
    EXPECT_TRUE(SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemWidth, 99u);
    EXPECT_EQ(measure.itemHeight, 21u);
}

TEST(MenuText, ShortCutsAndAccelerators) {
    EXPECT_EQ(ShortCutToText(scCtrl | 'O'), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | scAlt | VK_F5), "Shift+Ctrl+Alt+F5");
    EXPECT_EQ(ShortCutToText(VK_DELETE), "Del");
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_TRUE(IsAccel('x', "E&xit"));
    EXPECT_TRUE(IsAccel('X', "E&xit"));
    EXPECT_FALSE(IsAccel('e', "E&xit"));
    EXPECT_FALSE(IsAccel('b', "a&&b")); // "&&" is a plain "&"
    EXPECT_TRUE(IsAccel('c', "a&&b&c"));
    EXPECT_TRUE(IsAccel(u'读', "&读取"));
    EXPECT_EQ(StripHotkey("a&&b&c"), "a&bc");
}
