// The skinned menus with a form that has a menu bar: the bar drawn from the skin, drop-downs and
// their items, the system menu, the keyboard and the mouse in the menu loop, and giving back.
#include "MenuTestHelpers.h"

#include "FrameworkTest.h"
#include "MenuRules.h"
#include "SkinMessages.h"

#include <set>

namespace {

TSkinData& Data() {
    return *MainForm->SkinData1;
}

void SetActive(bool on) {
    Data().SetActive(on);
    RunSkinAction();
}

bool Skinned(HWND wnd) {
    return SendMessageW(wnd, WM_SKINQUERY, 0, 0) == 1;
}

// A menu window's pixel against a skin image's; where the image is magenta the menu's background
// shows, one of the colours of MenuBackground's middle part.
struct TPixelMatch {
    int Compared = 0, Failures = 0;
    void Same(TColor screen, TColor image) {
        ++Compared;
        if (image == SkinTransColor ? !Background().count(screen) : screen != image) ++Failures;
    }
    static const std::set<TColor>& Background() {
        static const std::set<TColor> colours = [] {
            TDataSkinObject& bg = *Data().MenuBackground;
            const RECT& m = bg.Margins;
            std::set<TColor> c;
            for (int y = m.top; y < bg.Image.Height() - m.bottom; ++y)
                for (int x = m.left; x < bg.Image.Width() - m.right; ++x)
                    c.insert(bg.Image.Canvas().Pixel(x, y));
            return c;
        }();
        return colours;
    }
};

RECT ItemRectInWindow(HWND menuWnd, HMENU menu, int index) {
    RECT r{}, window{};
    GetMenuItemRect(menuWnd, menu, UINT(index), &r);
    GetWindowRect(menuWnd, &window);
    OffsetRect(&r, -window.left, -window.top);
    return r;
}

// The fixed corners of a MenuItem frame, 1:1 at the item's corners.
void MatchItemCorners(TPixelMatch& m, TWindowPixels& screen, const RECT& item, int frame) {
    TDataSkinObject& skin = *Data().MenuItem;
    int w = skin.Image.Width() / 5, h = skin.Image.Height();
    const RECT& g = skin.Margins;
    for (int y = 0; y < g.top; ++y)
        for (int x = 0; x < g.left; ++x) {
            m.Same(screen.At(item.left + x, item.top + y), FramePixel(skin.Image, frame, 5, false, x, y));
            m.Same(screen.At(item.right - 1 - x, item.bottom - 1 - y),
                   FramePixel(skin.Image, frame, 5, false, w - 1 - x, h - 1 - y));
        }
}

} // namespace

class MenuSkinTest : public SkinnedMainWindowTest {
  protected:
    static void SetUpTestSuite() {
        SkinnedMainWindowTest::SetUpTestSuite();
        Data().LoadFromStream(MenuBarSkin());
        RunSkinAction();
    }
    void SetUp() override {
        ASSERT_NE(SkinManager, nullptr);
        ASSERT_NE(Data().MenuBarSkin, nullptr);
        if (!Data().Active()) SetActive(true);
        SetCursorPos(1000, 700);
        Form = std::make_unique<TMenuForm>();
        ASSERT_TRUE(Form->Skinned());
        ActivateWindow(Form->Wnd());
        Skin().UpdateNc(nullptr);
    }
    void TearDown() override { Form.reset(); }

    TWinSkinForm& Skin() { return *Form->Skin(); }
    int Open() { return Skin().OpenIndex; }
    // Alt opens the first item's drop-down; the steps run while menus are open.
    bool RunFromAlt(std::vector<TMenuScript::TStep> steps) {
        TMenuScript script(std::move(steps));
        return script.Run([] { PressAlt(); });
    }
    // Waits until the drop-down of bar item `index` is open, then presses the key.
    TMenuScript::TStep OpenThenPress(int index, WORD key) {
        return [this, index, key] {
            if (Open() != index || OpenMenus().empty()) return false;
            PressKey(key);
            return true;
        };
    }
    TMenuScript::TStep Closed() {
        return [] { return OpenMenus().empty(); };
    }

    std::unique_ptr<TMenuForm> Form;
};

TEST_F(MenuSkinTest, TheBarReplacesTheSystemMenuBarAndTheClientKeepsItsSize) {
    HWND wnd = Form->Wnd();
    EXPECT_EQ(GetMenu(wnd), nullptr);
    ASSERT_NE(Skin().MenuBar, nullptr);
    ASSERT_EQ(Skin().MenuBar->Buttons.size(), 3u);
    EXPECT_EQ(Skin().MenuBar->Buttons[0]->Caption, u"&File");
    EXPECT_EQ(Skin().MenuBar->Buttons[0]->FrameworkItem, Form->File);
    EXPECT_EQ(Skin().MenuBar->Buttons[2]->SubMenu, Form->Help->Handle());
    EXPECT_EQ(Skin().Frame.MenuBar, GetSystemMetrics(SM_CYMENU));
    RECT skinned{};
    GetClientRect(wnd, &skinned);
    SetActive(false);
    EXPECT_EQ(GetMenu(wnd), Form->MenuHandle);
    RECT plain{};
    GetClientRect(wnd, &plain);
    EXPECT_EQ(skinned.right, plain.right);
    EXPECT_EQ(skinned.bottom, plain.bottom);
    SetActive(true);
    ASSERT_TRUE(Form->Skinned());
    RECT again{};
    GetClientRect(wnd, &again);
    EXPECT_EQ(again.right, plain.right);
    EXPECT_EQ(again.bottom, plain.bottom);
    EXPECT_EQ(GetMenu(wnd), nullptr);
}

TEST_F(MenuSkinTest, TheStripShowsTheMenuBarImageActiveAndInactive) {
    TDataSkinObject& bar = *Data().MenuBarSkin;
    int imageWidth = bar.Image.Width();
    for (int frame : {1, 2}) {
        if (frame == 2) ActivateWindow(OtherWindow());
        Skin().UpdateNc(nullptr);
        TWindowPixels screen(Form->Wnd());
        RECT strip = Skin().MenuBar->StripRect;
        int width = strip.right - strip.left, failures = 0, compared = 0;
        for (int y = strip.top; y < strip.bottom; ++y)
            for (int x = 0; x < width; ++x) {
                bool margin = x < MenuBarMargin || x >= width - MenuBarMargin;
                POINT p{strip.left + x, y};
                bool onItem = false;
                for (auto& b : Skin().MenuBar->Buttons)
                    onItem = onItem || PtInRect(&b->BoundsRect, p);
                if (onItem && !margin) continue;
                int imageX = x < MenuBarMargin            ? x
                             : x >= width - MenuBarMargin ? x - width + imageWidth
                                                          : MenuBarMargin;
                ++compared;
                if (screen.At(p.x, p.y) != MenuBarColumn(frame, imageX, imageWidth)) ++failures;
            }
        EXPECT_GT(compared, width * 2) << "frame " << frame;
        EXPECT_EQ(failures, 0) << "frame " << frame;
    }
}

TEST_F(MenuSkinTest, DropDownItemsAreDrawnFromTheMenuItemFrames) {
    TPixelMatch selected, normal;
    bool skinnedWindow = false;
    HMENU file = Form->File->Handle();
    bool ran =
        RunFromAlt({[&] {
                        std::vector<HWND> open = OpenMenus();
                        if (Open() != 0 || open.size() != 1) return false;
                        if (!(GetMenuState(file, 0, MF_BYPOSITION) & MF_HILITE)) return false;
                        HWND menu = open.front();
                        skinnedWindow = Skinned(menu) && SkinManager->FindSkinMenu(menu);
                        RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
                        TWindowPixels screen(menu);
                        MatchItemCorners(selected, screen, ItemRectInWindow(menu, file, 0), 4);
                        MatchItemCorners(normal, screen, ItemRectInWindow(menu, file, 2), 1);
                        return true;
                    },
                    [] {
                        PressKey(VK_ESCAPE);
                        return true;
                    }});
    EXPECT_TRUE(ran);
    EXPECT_TRUE(skinnedWindow);
    EXPECT_GT(selected.Compared, 4);
    EXPECT_EQ(selected.Failures, 0);
    EXPECT_GT(normal.Compared, 4);
    EXPECT_EQ(normal.Failures, 0);
    // The drop-down's separators were tidied: one between Open and Save, none at the end.
    EXPECT_EQ(GetMenuItemCount(file), 4);
    EXPECT_TRUE(SkinManager->Menus.empty());
    EXPECT_EQ(newskinmenu, nullptr);
}

TEST_F(MenuSkinTest, ArrowsWrapAroundTheBarBothWaysAndEscapeEndsCleanly) {
    int loops = Skin().MenuLoops;
    std::vector<int> seen;
    auto note = [&](int index, WORD key) {
        return [&, index, key, step = OpenThenPress(index, key)] {
            if (!step()) return false;
            seen.push_back(index);
            return true;
        };
    };
    bool ran = RunFromAlt({note(0, VK_RIGHT), note(1, VK_RIGHT), note(2, VK_RIGHT), note(0, VK_LEFT),
                           note(2, VK_LEFT), note(1, VK_ESCAPE), Closed()});
    EXPECT_TRUE(ran);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 2, 1}));
    EXPECT_FALSE(Skin().InMenuLoop);
    EXPECT_EQ(Skin().OpenIndex, -1);
    EXPECT_FALSE(Skin().MenuHookInstalled());
    EXPECT_EQ(Skin().MenuLoops, loops + 1);
    EXPECT_TRUE(Form->Log.empty() || Form->Log.back() != "Open");
}

TEST_F(MenuSkinTest, EnterRunsTheSelectedItem) {
    bool ran = RunFromAlt({OpenThenPress(0, VK_RETURN), Closed()});
    EXPECT_TRUE(ran);
    PumpUntil([this] { return !Form->Log.empty() && Form->Log.back() == "Open"; }, 500);
    ASSERT_FALSE(Form->Log.empty());
    EXPECT_EQ(Form->Log.back(), "Open");
    EXPECT_FALSE(Skin().InMenuLoop);
}

TEST_F(MenuSkinTest, AltAndAnAcceleratorOpenThatItem) {
    bool ran = TMenuScript({OpenThenPress(2, VK_ESCAPE), Closed()}).Run([] {
        INPUT in[4]{};
        for (INPUT& i : in)
            i.type = INPUT_KEYBOARD;
        in[0].ki.wVk = VK_MENU;
        in[1].ki.wVk = 'H';
        in[2].ki.wVk = 'H';
        in[2].ki.dwFlags = KEYEVENTF_KEYUP;
        in[3].ki.wVk = VK_MENU;
        in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, in, sizeof(INPUT));
    });
    EXPECT_TRUE(ran);
}

TEST_F(MenuSkinTest, TheMouseSlidesBetweenDropDownsInOneLoop) {
    int loops = Skin().MenuLoops;
    std::vector<int> seen;
    auto moveTo = [&](int from, int to) -> TMenuScript::TStep {
        return [&, from, to] {
            if (Open() != from || OpenMenus().empty()) return false;
            seen.push_back(from);
            MoveMouse(BarItemCentre(Skin(), to));
            return true;
        };
    };
    bool ran = TMenuScript({moveTo(0, 1), moveTo(1, 2), moveTo(2, 0), OpenThenPress(0, VK_ESCAPE), Closed()})
                   .Run([this] { ClickMouse(BarItemCentre(Skin(), 0)); });
    EXPECT_TRUE(ran);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Skin().MenuLoops, loops + 1);
    EXPECT_FALSE(Skin().MenuHookInstalled());
    EXPECT_FALSE(Skin().InMenuLoop);
}

TEST_F(MenuSkinTest, TheSystemMenuIsSkinnedWithTheWindowsOwnEntries) {
    TPixelMatch border;
    bool skinnedWindow = false;
    int entries = 0;
    bool ran = TMenuScript({[&] {
                                std::vector<HWND> open = OpenMenus();
                                if (open.empty()) return false;
                                HWND menu = open.front();
                                skinnedWindow = Skinned(menu) && SkinManager->PopupKind == 2;
                                TDataSkinObject& bg = *Data().MenuBackground;
                                // The fallback for the whole-window region paints the same border.
                                {
                                    TWindowDC dc(menu);
                                    RECT corner{0, 0, 3, 3};
                                    FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                                }
                                SendMessageW(menu, WM_NCPAINT, 1, 0);
                                TWindowPixels screen(menu);
                                for (int y = 0; y < 3; ++y)
                                    for (int x = 0; x < 3; ++x)
                                        border.Same(screen.At(x, y), bg.Image.Canvas().Pixel(x, y));
                                entries = GetMenuItemCount(
                                    reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
                                PressKey(VK_ESCAPE);
                                return true;
                            },
                            Closed()})
                   .Run([this] {
                       RECT r{};
                       GetWindowRect(Form->Wnd(), &r);
                       Skin().PopSysmenu({r.left + 10, r.top + 10});
                   });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(skinnedWindow);
    EXPECT_EQ(border.Compared, 9);
    EXPECT_EQ(border.Failures, 0);
    EXPECT_EQ(entries, GetMenuItemCount(GetSystemMenu(Form->Wnd(), FALSE)));
    ASSERT_NE(Skin().SysMenu, nullptr);
    EXPECT_EQ(Skin().SysMenu->Images(), Data().MenuImages.get());
    EXPECT_EQ(Skin().SysMenu->Items()->Count(), entries);
    // The form is sizeable and not maximized; the main window is neither sizeable nor maximizable.
    auto entry = [](TWinSkinForm& skin, UINT command) {
        for (int i = 0; i < skin.SysMenu->Items()->Count(); ++i)
            if (TMenuItem* item = skin.SysMenu->Items()->Items(i); UINT(item->Tag) == command) return item;
        return static_cast<TMenuItem*>(nullptr);
    };
    ASSERT_NE(entry(Skin(), SC_SIZE), nullptr);
    EXPECT_TRUE(entry(Skin(), SC_SIZE)->Enabled());
    EXPECT_FALSE(entry(Skin(), SC_RESTORE)->Enabled());
    EXPECT_EQ(entry(Skin(), SC_CLOSE)->ImageIndex(), 3);
    TWinSkinForm& main = *SkinManager->FindSkinForm(MainForm->Handle());
    main.CreateSysmenu2();
    EXPECT_FALSE(entry(main, SC_SIZE)->Enabled());
    EXPECT_FALSE(entry(main, SC_MAXIMIZE)->Enabled());
    EXPECT_TRUE(entry(main, SC_MINIMIZE)->Enabled());
    EXPECT_TRUE(SkinManager->Menus.empty());
    EXPECT_EQ(SkinManager->PopupKind, 0);
}

TEST_F(MenuSkinTest, AFailingDropDownStillRemovesTheHookAndEndsTheLoop) {
    TMenuBtn& help = *Skin().MenuBar->Buttons[2];
    HMENU gone = CreatePopupMenu();
    DestroyMenu(gone);
    help.FrameworkItem = nullptr;
    help.SubMenu = gone;
    int loops = Skin().MenuLoops;
    EXPECT_TRUE(Skin().CheckMenu(help));
    EXPECT_EQ(Skin().MenuLoops, loops + 1);
    EXPECT_FALSE(Skin().MenuHookInstalled());
    EXPECT_FALSE(Skin().InMenuLoop);
    EXPECT_EQ(Skin().OpenIndex, -1);
    Skin().MenuBar->UpdataBtn(Form->MenuHandle);
}

TEST_F(MenuSkinTest, TheWindowMayGoWhileItsMenuIsOpen) {
    bool ran = RunFromAlt({[this] {
        if (OpenMenus().empty()) return false;
        Form->Form->Free();
        Form->Form = nullptr;
        return true;
    }});
    EXPECT_TRUE(ran);
    PumpFor(50);
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_TRUE(SkinManager->Menus.empty());
    Form.release(); // its form is gone already
}

TEST_F(MenuSkinTest, SwitchingOffTakesBackOnlyTheSkinsItemHandlers) {
    int own = 0;
    SetActive(false);
    Form->Save->OnAdvancedDrawItem.Code = [&](TObject*, TCanvas&, const RECT&, TOwnerDrawState) { ++own; };
    SetActive(true);
    ASSERT_TRUE(Form->Skinned());
    TMenuItem* open = Form->Open;
    EXPECT_EQ(open->OnAdvancedDrawItem.Data, Form->Skin());
    EXPECT_EQ(open->OnMeasureItem.Data, Form->Skin());
    EXPECT_EQ(Form->File->OnAdvancedDrawItem.Data, nullptr) << "the bar draws its own items";
    EXPECT_TRUE(static_cast<bool>(Form->Save->OnAdvancedDrawItem));
    EXPECT_EQ(Form->Save->OnAdvancedDrawItem.Data, nullptr);
    SetActive(false);
    EXPECT_FALSE(static_cast<bool>(open->OnAdvancedDrawItem));
    EXPECT_FALSE(static_cast<bool>(open->OnMeasureItem));
    ASSERT_TRUE(static_cast<bool>(Form->Save->OnAdvancedDrawItem));
    TCanvas canvas;
    Form->Save->OnAdvancedDrawItem(Form->Save, canvas, RECT{}, 0);
    EXPECT_EQ(own, 1);
    SetActive(true);
}

TEST_F(MenuSkinTest, APopupSkinnerLetsGoOfItsWindowBeforeItIsFreed) {
    HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    LONG_PTR proc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    bool active = true;
    auto pop = std::make_unique<TWinSkinPopMenu>(&active);
    pop->InitSkin(wnd, &Data(), nullptr);
    EXPECT_TRUE(Skinned(wnd));
    newskinmenu = pop.get();
    pop.reset();
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), proc);
    EXPECT_FALSE(Skinned(wnd));
    EXPECT_EQ(newskinmenu, nullptr);
    DestroyWindow(wnd);
}

TEST_F(MenuSkinTest, ManyRoundsOfSkinningAFormWithAMenuLeaveNothingBehind) {
    HWND wnd = Form->Wnd();
    ExpectFlatCounts(
        [&] {
            SkinManager->DeleteForm(wnd);
            EXPECT_EQ(GetMenu(wnd), Form->MenuHandle);
            SkinManager->AddForm(wnd);
            PumpUntil([this] { return Form->Skinned(); });
            EXPECT_EQ(GetMenu(wnd), nullptr);
        },
        200);
    SkinManager->DeleteForm(wnd);
    EXPECT_EQ(GetMenu(wnd), Form->MenuHandle);
}

TEST_F(MenuSkinTest, OpeningAndClosingMenusLeavesNothingBehind) {
    ExpectFlatCounts([&] { RunFromAlt({OpenThenPress(0, VK_ESCAPE), Closed()}); }, 20);
}

TEST_F(MenuSkinTest, AnItemWithoutADropDownOnlySendsItsCommand) {
    TMenuBtn& help = *Skin().MenuBar->Buttons[2];
    help.FrameworkItem = nullptr;
    help.SubMenu = nullptr;
    int loops = Skin().MenuLoops;
    EXPECT_FALSE(Skin().CheckMenu(help));
    PumpFor(20);
    EXPECT_EQ(Skin().MenuLoops, loops);
    EXPECT_FALSE(Skin().MenuHookInstalled());
    ASSERT_FALSE(Form->Log.empty());
    EXPECT_EQ(Form->Log.back(), "Help");
    Skin().MenuBar->UpdataBtn(Form->MenuHandle);
}

TEST_F(MenuSkinTest, ARawMenusItemsKeepTheSystemsDrawing) {
    TForm* bare = new TForm(nullptr);
    HMENU bar = CreateMenu(), file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"&Open");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    bare->SetBounds(80, 80, 300, 200);
    bare->HandleNeeded();
    SetMenu(bare->Handle(), bar);
    bare->Show();
    PumpUntil([bare] {
        TWinSkinForm* s = SkinManager->FindSkinForm(bare->Handle());
        return s && s->SkinState == 1 && s->MenuBar;
    });
    ActivateWindow(bare->Handle());
    TWinSkinForm* skin = SkinManager->FindSkinForm(bare->Handle());
    ASSERT_TRUE(skin && skin->MenuBar);
    EXPECT_EQ(skin->MenuBar->Buttons.at(0)->Caption, u"&File");
    UINT typeWhileOpen = MFT_OWNERDRAW;
    bool ran = TMenuScript({[&] {
                                if (OpenMenus().empty()) return false;
                                MENUITEMINFOW info{};
                                info.cbSize = sizeof info;
                                info.fMask = MIIM_FTYPE;
                                GetMenuItemInfoW(file, 0, TRUE, &info);
                                typeWhileOpen = info.fType;
                                PressKey(VK_ESCAPE);
                                return true;
                            },
                            Closed()})
                   .Run([] { PressAlt(); });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(typeWhileOpen & MFT_OWNERDRAW);
    bare->Free();
    DestroyMenu(bar);
    Application->ProcessMessages();
}
