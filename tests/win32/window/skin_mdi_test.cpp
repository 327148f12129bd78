// An MDI frame with a menu bar and two children under the skin manager: the children skinned, a
// maximized child's buttons in the frame's menu strip (drawn, clicked), the frame's menu bar after
// the last child, arranging, the Window menu, and giving everything back.
#include "MenuTestHelpers.h"

#include "FrameworkTest.h"
#include "SkinMessages.h"

#include <climits>

namespace {

TSkinData& Data() {
    return *MainForm->SkinData1;
}

bool Skinned(HWND wnd) {
    return SendMessageW(wnd, WM_SKINQUERY, 0, 0) == 1;
}

LONG_PTR ProcOf(HWND wnd) {
    return GetWindowLongPtrW(wnd, GWLP_WNDPROC);
}

// A frame with File and Window menus and two children that go when closed.
struct TMdiFrame {
    TMdiFrame() : Frame(new TForm(nullptr)), Menu(new TMainMenu(Frame)) {
        Frame->SetFormStyle(fsMDIForm);
        auto* file = Add(Menu->Items(), "File", "&File");
        Add(file, "New", "&New");
        Window = Add(Menu->Items(), "Window", "&Window");
        Add(Window, "Cascade", "&Cascade");
        Frame->SetBounds(40, 40, 520, 380);
        Frame->SetMenu(Menu);
        Frame->SetWindowMenu(Window);
        Frame->Show();
        MenuHandle = Menu->Handle();
        AddChild("Alpha");
        AddChild("Beta");
    }
    TMdiFrame(const TMdiFrame&) = delete;
    TMdiFrame& operator=(const TMdiFrame&) = delete;
    ~TMdiFrame() {
        Frame->Free();
        Application->ProcessMessages();
    }

    TMenuItem* Add(TMenuItem* parent, const std::string& name, const std::string& caption) {
        auto* item = new TMenuItem(Frame);
        item->SetName(name);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    TForm* AddChild(const std::string& caption) {
        auto* child = new TForm(Frame);
        child->OnClose.Code = [](TObject*, TCloseAction& action) { action = caFree; };
        child->SetBounds(10, 10, 200, 140);
        child->SetCaption(caption);
        child->SetFormStyle(fsMDIChild);
        return child;
    }

    HWND Wnd() const { return Frame->Handle(); }
    HWND Client() const { return Frame->ClientHandle(); }
    TWinSkinForm* Skin() const { return SkinManager ? SkinManager->FindSkinForm(Wnd()) : nullptr; }
    HWND Active() const { return reinterpret_cast<HWND>(SendMessageW(Client(), WM_MDIGETACTIVE, 0, 0)); }
    std::vector<HWND> Children() const {
        std::vector<HWND> list;
        for (HWND w = GetWindow(Client(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_MDICHILD) list.push_back(w);
        return list;
    }
    bool AllSkinned() const {
        TWinSkinForm* skin = Skin();
        if (!skin || skin->SkinState != 1) return false;
        for (HWND child : Children())
            if (!Skinned(child)) return false;
        return true;
    }

    TForm* Frame;
    TMainMenu* Menu;
    TMenuItem* Window = nullptr;
    HMENU MenuHandle = nullptr;
};

} // namespace

class MdiSkinTest : public SkinnedMainWindowTest {
  protected:
    void SetUp() override {
        ASSERT_NE(SkinManager, nullptr);
        SetCursorPos(1000, 700);
        Mdi = std::make_unique<TMdiFrame>();
        ASSERT_TRUE(PumpUntil([this] { return Mdi->AllSkinned(); }));
        ActivateWindow(Mdi->Wnd());
        PumpFor(30);
    }
    void TearDown() override { Mdi.reset(); }

    TWinSkinForm& Skin() { return *Mdi->Skin(); }
    TWinSysButton& MdiButton(int action) {
        for (auto& b : Skin().SysButtons)
            if (b->Def.Action == action && b->Def.Visibility == 100) return *b;
        throw Exception("no MDI button");
    }
    bool MdiButtonsShown() {
        Skin().SetSysbtnRect();
        return MdiButton(7).Visible && MdiButton(8).Visible && MdiButton(9).Visible;
    }
    void Maximize(HWND child) {
        SendMessageW(Mdi->Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
        PumpUntil([this] { return SkinManager->MDIMaximized(); });
        PumpFor(30);
    }
    // A left click on the button as the mouse would give it, in screen coordinates.
    void Click(TWinSysButton& b) {
        RECT window{};
        GetWindowRect(Mdi->Wnd(), &window);
        LPARAM at = MAKELPARAM(window.left + (b.BoundsRect.left + b.BoundsRect.right) / 2,
                               window.top + (b.BoundsRect.top + b.BoundsRect.bottom) / 2);
        SendMessageW(Mdi->Wnd(), WM_NCMOUSEMOVE, HTMENU, at);
        SendMessageW(Mdi->Wnd(), WM_NCLBUTTONDOWN, HTMENU, at);
        SendMessageW(Mdi->Wnd(), WM_NCLBUTTONUP, HTMENU, at);
        PumpFor(30);
    }
    // Frame 1 of the button's image against the window DC.
    int MismatchedPixels(TWinSysButton& b) {
        TWindowPixels screen(Mdi->Wnd());
        TBitmap& image = b.Def.Image;
        int w = image.Width() / b.Def.Frame, bad = 0, compared = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < w; ++x) {
                TColor c = image.Canvas().Pixel(x, y),
                       shown = screen.At(b.BoundsRect.left + x, b.BoundsRect.top + y);
                // Magenta is see-through: the strip shows there.
                if (c == SkinTransColor ? shown == c : (++compared, shown != c)) ++bad;
            }
        EXPECT_GE(compared, w) << "the image has a face to compare";
        return bad;
    }

    std::unique_ptr<TMdiFrame> Mdi;
};

TEST_F(MdiSkinTest, FrameAndChildrenAreSkinnedAndTheClientWatched) {
    EXPECT_EQ(Skin().FormStyle, sfsMDIform);
    EXPECT_EQ(Skin().MDIClient, Mdi->Client());
    EXPECT_TRUE(Skin().MDIClientSubclassed());
    EXPECT_EQ(SkinManager->MDIClientWindow, Mdi->Client());
    ASSERT_EQ(Mdi->Children().size(), 2u);
    for (HWND child : Mdi->Children()) {
        TWinSkinForm& skin = *SkinManager->FindSkinForm(child);
        EXPECT_EQ(skin.FormStyle, sfsMDIChild);
        // The skin's frame stands around the client area, not the system's.
        RECT window{};
        GetWindowRect(child, &window);
        POINT client{0, 0};
        ClientToScreen(child, &client);
        EXPECT_EQ(client.x - window.left, skin.Frame.Left);
        EXPECT_EQ(client.y - window.top, skin.Frame.Top + skin.Frame.MenuBar);
    }
    EXPECT_EQ(GetMenu(Mdi->Wnd()), nullptr);
    ASSERT_NE(Skin().MenuBar, nullptr);
    EXPECT_EQ(Skin().MenuBar->Buttons.size(), 2u);
    // The client shows no scroll bars of its own while the frame is skinned.
    EXPECT_FALSE(GetWindowLongPtrW(Mdi->Client(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_FALSE(MdiButtonsShown());
    // A child made later is skinned as well.
    Mdi->AddChild("Gamma");
    EXPECT_TRUE(PumpUntil([this] { return Mdi->Children().size() == 3 && Mdi->AllSkinned(); }));
}

TEST_F(MdiSkinTest, AMaximizedChildShowsItsButtonsInTheFrameMenuStrip) {
    HWND child = Mdi->Active();
    ASSERT_NE(child, nullptr);
    TWinSkinForm* childSkin = SkinManager->FindSkinForm(child);
    ASSERT_NE(childSkin, nullptr);
    Maximize(child);
    EXPECT_TRUE(SkinManager->MDIMaximized());
    EXPECT_EQ(childSkin->WindowState, swsMax);
    EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_CAPTION) << "keeps its caption";
    // No skinned frame: no region of ours.
    EXPECT_EQ(GetWindowRgn(child, TGdiHandle<HRGN>(CreateRectRgn(0, 0, 0, 0)).get()), ERROR);
    ASSERT_TRUE(MdiButtonsShown());
    Skin().UpdateNc(nullptr);
    RECT strip = Skin().MenuBar->StripRect;
    int lastLeft = INT_MIN;
    for (int action : {7, 8, 9}) {
        TWinSysButton& b = MdiButton(action);
        SCOPED_TRACE(action);
        EXPECT_GE(b.BoundsRect.top, strip.top);
        EXPECT_LE(b.BoundsRect.bottom, strip.bottom);
        EXPECT_LE(b.BoundsRect.right, strip.right);
        EXPECT_LT(lastLeft, b.BoundsRect.left) << "minimize, restore, close from the left";
        ASSERT_FALSE(b.Def.Image.Empty());
        lastLeft = b.BoundsRect.left;
        EXPECT_EQ(MismatchedPixels(b), 0);
    }
}

TEST_F(MdiSkinTest, TheRestoreButtonRestoresTheChildAndItsSkinnedLook) {
    HWND child = Mdi->Active();
    Maximize(child);
    ASSERT_TRUE(MdiButtonsShown());
    Click(MdiButton(8));
    EXPECT_TRUE(PumpUntil([this] { return !SkinManager->MDIMaximized(); }));
    EXPECT_FALSE(IsZoomed(child));
    EXPECT_EQ(SkinManager->FindSkinForm(child)->WindowState, swsNormal);
    EXPECT_NE(GetWindowRgn(child, TGdiHandle<HRGN>(CreateRectRgn(0, 0, 0, 0)).get()), ERROR);
    EXPECT_FALSE(MdiButtonsShown());
}

TEST_F(MdiSkinTest, TheCloseButtonClosesTheChildAndTheLastOneGivesTheBarBack) {
    Maximize(Mdi->Active());
    Click(MdiButton(9));
    EXPECT_TRUE(PumpUntil([this] { return Mdi->Children().size() == 1; }));
    // The other child takes the maximized place.
    HWND last = Mdi->Active();
    ASSERT_NE(last, nullptr);
    Maximize(last);
    Click(MdiButton(9));
    EXPECT_TRUE(PumpUntil([this] { return Mdi->Children().empty(); }));
    PumpFor(30);
    EXPECT_FALSE(SkinManager->MDIMaximized());
    EXPECT_FALSE(MdiButtonsShown());
    EXPECT_TRUE(Data().MenuUpdate) << "the menu switch is back once no child is left";
    ASSERT_NE(Skin().MenuBar, nullptr);
    EXPECT_EQ(Skin().MenuBar->Buttons.size(), 2u);
    EXPECT_EQ(GetMenu(Mdi->Wnd()), nullptr);
}

TEST_F(MdiSkinTest, TheMinimizeButtonMinimizesTheActiveChild) {
    HWND child = Mdi->Active();
    Maximize(child);
    Click(MdiButton(7));
    EXPECT_TRUE(PumpUntil([child] { return IsIconic(child) != FALSE; }));
}

TEST_F(MdiSkinTest, TilingOrCascadingWhileMaximizedGivesTheChildrenTheirSkinnedLook) {
    for (bool tile : {true, false}) {
        SCOPED_TRACE(tile ? "tile" : "cascade");
        Maximize(Mdi->Active());
        ASSERT_TRUE(SkinManager->MDIMaximized());
        tile ? Mdi->Frame->Tile() : Mdi->Frame->Cascade();
        PumpFor(30);
        EXPECT_FALSE(SkinManager->MDIMaximized());
        EXPECT_FALSE(MdiButtonsShown());
        for (HWND child : Mdi->Children()) {
            EXPECT_FALSE(IsZoomed(child));
            EXPECT_EQ(SkinManager->FindSkinForm(child)->WindowState, swsNormal);
            EXPECT_NE(GetWindowRgn(child, TGdiHandle<HRGN>(CreateRectRgn(0, 0, 0, 0)).get()), ERROR);
        }
    }
}

TEST_F(MdiSkinTest, TheWindowMenuListsTheChildrenAndActivatesOne) {
    TMenuBtn& window = *Skin().MenuBar->Buttons[1];
    ASSERT_NE(window.SubMenu, nullptr);
    HMENU list = window.SubMenu;
    std::vector<std::u16string> captions;
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(list); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(list, UINT(i), text, 63, MF_BYPOSITION);
        captions.push_back(reinterpret_cast<const char16_t*>(text));
        ids.push_back(GetMenuItemID(list, i));
    }
    auto find = [&](const std::u16string& name) {
        for (size_t i = 0; i < captions.size(); ++i)
            if (captions[i].find(name) != std::u16string::npos) return ids[i];
        return UINT(0);
    };
    UINT alpha = find(u"Alpha"), beta = find(u"Beta");
    ASSERT_NE(alpha, 0u);
    ASSERT_NE(beta, 0u);
    HWND before = Mdi->Active();
    UINT other = WindowText(before) == u"Alpha" ? beta : alpha;
    SendMessageW(Mdi->Wnd(), WM_COMMAND, other, 0);
    PumpFor(20);
    EXPECT_NE(Mdi->Active(), before);
    EXPECT_TRUE(Mdi->AllSkinned());
}

TEST_F(MdiSkinTest, SwitchingOffGivesEverythingBackAndTwiceIsHarmless) {
    HWND client = Mdi->Client();
    Data().MenuUpdate = true;
    Maximize(Mdi->Active());
    // A new child turns the shared menu switch off while it is made.
    Mdi->AddChild("Gamma");
    PumpUntil([this] { return Mdi->AllSkinned(); });
    SkinManager->DeleteForm(Mdi->Wnd());
    EXPECT_TRUE(Data().MenuUpdate) << "the frame gives the menu switch back";
    EXPECT_EQ(GetMenu(Mdi->Wnd()), Mdi->MenuHandle);
    EXPECT_FALSE(GetPropW(client, L"QlSkinMDIClient"));
    EXPECT_EQ(ProcOf(client), GetClassLongPtrW(client, GCLP_WNDPROC)) << "the system's procedure again";
    TWinSkinForm& spare = *new TWinSkinForm(nullptr);
    spare.UnSubclassMDI();
    spare.UnSubclassMDI();
    spare.Free();
    EXPECT_FALSE(SkinManager->FindSkinForm(Mdi->Wnd()));
    EXPECT_EQ(SkinManager->MDIFrameForm, nullptr);
}

TEST_F(MdiSkinTest, UnskinningTheClientTwiceIsHarmless) {
    LONG_PTR skinned = ProcOf(Mdi->Client());
    Skin().UnSubclassMDI();
    LONG_PTR bare = ProcOf(Mdi->Client());
    EXPECT_NE(bare, skinned);
    Skin().UnSubclassMDI();
    EXPECT_EQ(ProcOf(Mdi->Client()), bare);
    EXPECT_FALSE(Skin().MDIClientSubclassed());
}

TEST_F(MdiSkinTest, ManyRoundsOfSkinningAnMdiFrameLeaveNothingBehind) {
    HWND wnd = Mdi->Wnd(), client = Mdi->Client();
    SkinManager->DeleteForm(wnd);
    LONG_PTR bare = ProcOf(client);
    SkinManager->AddForm(wnd);
    PumpUntil([this] { return Mdi->AllSkinned(); });
    ExpectFlatCounts(
        [&] {
            SkinManager->DeleteForm(wnd);
            EXPECT_EQ(ProcOf(client), bare);
            EXPECT_EQ(GetMenu(wnd), Mdi->MenuHandle);
            SkinManager->AddForm(wnd);
            PumpUntil([this] { return Mdi->AllSkinned(); });
            EXPECT_EQ(GetMenu(wnd), nullptr);
        },
        100);
    SkinManager->DeleteForm(wnd);
    EXPECT_EQ(ProcOf(client), bare);
}
