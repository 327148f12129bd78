// The skin manager with the real main window: start-up from the stored Active setting, message
// boxes skinned as they open, switching off and on, switching skins, and many rounds of both.
#include "FrameCheck.h"
#include "ManagerTestHelpers.h"

#include "Dialogs.h"
#include "FrameworkTest.h"
#include "SkinMessages.h"
#include "SkinRead.h"
#include "SkinTestHelpers.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

TSkinData& Data() {
    return *MainForm->SkinData1;
}

HWND MainWnd() {
    return MainForm->Handle();
}

bool Skinned(HWND wnd) {
    return SendMessageW(wnd, WM_SKINQUERY, 0, 0) == 1;
}

void RunAction() {
    RunSkinAction();
}

// The default skin with another face colour, packed anew.
TMemoryStream& SecondSkin() {
    static TMemoryStream packed = [] {
        TMemoryStream out;
        EXPECT_TRUE(
            RepackWithIniEdit(QL_DEFAULT_SKIN, "ButtonFace=233 233 233", "ButtonFace=200 230 200", out));
        return out;
    }();
    packed.SetPosition(0);
    return packed;
}

TMemoryStream& FirstSkin() {
    static TMemoryStream bytes = [] {
        TMemoryStream s;
        s.LoadFromFile(QL_DEFAULT_SKIN);
        return s;
    }();
    bytes.SetPosition(0);
    return bytes;
}

// What un-skinning must give back.
struct TRestoredState {
    LONG_PTR Proc = 0, Style = 0;
    HMENU Menu = nullptr;
    bool Visible = false, HasRegion = false;
    SIZE Client{};

    static TRestoredState Of(HWND wnd) {
        TGdiHandle<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
        RECT c{};
        GetClientRect(wnd, &c);
        return {GetWindowLongPtrW(wnd, GWLP_WNDPROC), GetWindowLongPtrW(wnd, GWL_STYLE), GetMenu(wnd),
                IsWindowVisible(wnd) != FALSE,        GetWindowRgn(wnd, rgn) != ERROR,   {c.right, c.bottom}};
    }
    bool operator==(const TRestoredState& o) const {
        return Proc == o.Proc && Style == o.Style && Menu == o.Menu && Visible == o.Visible &&
               HasRegion == o.HasRegion && Client.cx == o.Client.cx && Client.cy == o.Client.cy;
    }
};

// A second framework form beside the main window, with a menu bar of its own.
struct TSideForm {
    TForm* Form = new TForm(nullptr);
    HMENU Menu = CreateMenu();
    TSideForm() {
        AppendMenuW(Menu, MF_STRING, 1, L"File");
        Form->SetBounds(40, 40, 300, 200);
        Form->Show();
        SetMenu(Form->Handle(), Menu);
        Application->ProcessMessages();
    }
    ~TSideForm() {
        Form->Free();
        Application->ProcessMessages();
    }
    HWND Wnd() const { return Form->Handle(); }
};

// Both windows show the skin's face colour in their client area and a frame from its borders.
void ExpectFace(HWND side, COLORREF face) {
    for (HWND wnd : {MainWnd(), side}) {
        TWinSkinForm* skin = SkinManager->FindSkinForm(wnd);
        ASSERT_NE(skin, nullptr);
        EXPECT_FALSE(skin->SysButtons.empty());
        RedrawWindow(wnd, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        TWindowPixels screen(wnd);
        TFrameCheck c{wnd, screen};
        ExpectSideStrips(c, *skin, Data(), 1 + (GetActiveWindow() != wnd));
    }
    EXPECT_EQ(MainForm->Color(), face);
    EXPECT_EQ(ScreenPixel(side, 2, 2), face);
}

void SetActive(bool on) {
    Data().SetActive(on);
    RunAction();
}

// Probes the dialog of the modal loop it runs in once it is skinned, then answers it as a user
// would: OK of a message box, Cancel (closing) of a framework dialog.
struct TBoxProbe {
    std::function<void(HWND)> Check;
    HWND Box = nullptr;
    bool Pressed = false;
    DWORD Start = 0;

    static TBoxProbe* Current;
    static bool Ready(HWND wnd) {
        TWinSkinForm* skin = SkinManager ? SkinManager->FindSkinForm(wnd) : nullptr;
        return wnd != MainWnd() && (!skin || skin->SkinState == 1);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TBoxProbe& p = *Current;
        HWND box = GetActiveWindow();
        bool ready = Ready(box);
        if (p.Pressed || (!ready && GetTickCount() - p.Start < 2000)) return;
        p.Box = box;
        RedrawWindow(box, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (ready && p.Check) p.Check(box);
        p.Pressed = true;
        if (HWND ok = GetDlgItem(box, IDOK))
            PostMessageW(ok, BM_CLICK, 0, 0);
        else
            PostMessageW(box, WM_CLOSE, 0, 0);
    }

    void Run(const std::function<void()>& open) {
        Current = this;
        Start = GetTickCount();
        UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
        open();
        KillTimer(nullptr, timer);
    }
    // Shows "请先连接！" the way the main window does.
    void Show() {
        Run([] { ShowMessage("请先连接！"); });
    }
};
TBoxProbe* TBoxProbe::Current = nullptr;

} // namespace

class ManagerTest : public SkinnedMainWindowTest {
  protected:
    void SetUp() override {
        ASSERT_NE(SkinManager, nullptr);
        if (!Data().Active()) SetActive(true);
        ActivateWindow(MainWnd());
        RunAction();
    }
};

constexpr int Rounds = 1000, MainWindowRounds = 20;

TEST_F(ManagerTest, TheMainWindowIsSkinnedFromItsStoredActiveSetting) {
    EXPECT_TRUE(Data().Active());
    EXPECT_TRUE(SkinManager->Active);
    EXPECT_EQ(SkinManager->RunState, 1);
    EXPECT_TRUE(SkinManager->HookInstalled());
    EXPECT_EQ(SkinManager->MainSkinData, &Data());
    TWinSkinForm* skin = SkinManager->FindSkinForm(MainWnd());
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->Form, MainForm);
    EXPECT_EQ(skin->Owner(), MainForm);
    EXPECT_TRUE(Skinned(MainWnd()));
    EXPECT_TRUE(IsWindowVisible(MainWnd()));
    EXPECT_FALSE(SkinManager->HideWhileSkinning());
    TWindowPixels screen(MainWnd());
    TFrameCheck c{MainWnd(), screen};
    ExpectSideStrips(c, *skin, Data(), 1);
}

TEST_F(ManagerTest, ActivatingAgainMakesNoSecondSkinner) {
    TWinSkinForm* skin = SkinManager->FindSkinForm(MainWnd());
    for (int i = 0; i < 3; ++i) {
        ActivateWindow(OtherWindow());
        ActivateWindow(MainWnd());
    }
    EXPECT_EQ(std::count_if(SkinManager->Forms.begin(), SkinManager->Forms.end(),
                            [](TWinSkinForm* f) { return f->Handle == MainWnd(); }),
              1);
    EXPECT_EQ(SkinManager->FindSkinForm(MainWnd()), skin);
    EXPECT_FALSE(SkinManager->AddForm(MainWnd()));
}

TEST_F(ManagerTest, MessageBoxIsSkinnedAndItsButtonStillCloses) {
    TBoxProbe probe;
    bool skinned = false;
    probe.Check = [&](HWND box) {
        TWinSkinForm* skin = SkinManager->FindSkinForm(box);
        skinned = skin && Skinned(box);
        if (!skinned) return;
        EXPECT_TRUE(IsWindowVisible(box));
        TWindowPixels screen(box);
        TFrameCheck c{box, screen};
        ExpectSideStrips(c, *skin, Data(), 1);
        // Its button is skinned too, at once: no plain face shows first.
        HWND ok = FindWindowExW(box, nullptr, L"Button", nullptr);
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(Skinned(ok));
    };
    probe.Show();
    EXPECT_TRUE(probe.Pressed);
    EXPECT_TRUE(skinned);
    EXPECT_FALSE(IsWindow(probe.Box));
    EXPECT_EQ(SkinManager->FindSkinForm(probe.Box), nullptr);
}

TEST_F(ManagerTest, TheInputDialogAndTheErrorBoxAreSkinnedToo) {
    for (int kind = 0; kind < 2; ++kind) {
        TBoxProbe probe;
        bool skinned = false;
        probe.Check = [&](HWND box) { skinned = Skinned(box) && SkinManager->FindSkinForm(box); };
        std::string value = "127.0.0.1";
        if (kind == 0)
            probe.Run([&] { EXPECT_FALSE(InputQuery("Host", "Host name:", value)); });
        else
            probe.Run([] { Application->ShowException(Exception("Invalid host")); });
        EXPECT_TRUE(probe.Pressed) << kind;
        EXPECT_TRUE(skinned) << kind;
        EXPECT_EQ(value, "127.0.0.1");
    }
    // Their skinners went with them.
    EXPECT_EQ(
        std::count_if(SkinManager->Forms.begin(), SkinManager->Forms.end(),
                      [](TWinSkinForm* f) { return f->Handle != MainWnd() && f->Handle != OtherWindow(); }),
        0);
}

// Action 7: one window is given back and taken over anew.
TEST_F(ManagerTest, OneWindowIsSkinnedAnewOnRequest) {
    TSideForm side;
    TWinSkinForm* before = SkinManager->FindSkinForm(side.Wnd());
    ASSERT_NE(before, nullptr);
    SkinManager->ChangeWindow = side.Wnd();
    SkinManager->RequestAction(&Data(), saReskinWindow, SkinActionInterval);
    RunAction();
    TWinSkinForm* after = SkinManager->FindSkinForm(side.Wnd());
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->SkinState, 1);
    EXPECT_TRUE(Skinned(side.Wnd()));
    EXPECT_EQ(std::count(SkinManager->Forms.begin(), SkinManager->Forms.end(), after), 1);
}

TEST_F(ManagerTest, TheHookIsInstalledOnceAndGoesWithStop) {
    SkinManager->InstallHook();
    SkinManager->InstallHook();
    EXPECT_TRUE(SkinManager->HookInstalled());
    SetActive(false);
    EXPECT_FALSE(SkinManager->HookInstalled());
    SetActive(true);
    EXPECT_TRUE(SkinManager->HookInstalled());
}

TEST_F(ManagerTest, FormsTaggedNinetyNineAndRefusedClassesStayPlain) {
    TSideForm side;
    EXPECT_TRUE(Skinned(side.Wnd()));
    side.Form->Hide();
    SkinManager->DeleteForm(side.Wnd());
    side.Form->Tag = 99;
    side.Form->Show();
    ActivateWindow(side.Wnd());
    EXPECT_FALSE(Skinned(side.Wnd()));
    Data().OnFormSkin.Code = [](TObject*, const std::string& cls, bool& skin) { skin = cls != "TForm"; };
    side.Form->Tag = 0;
    EXPECT_FALSE(SkinManager->AddForm(side.Wnd()));
    Data().OnFormSkin = {};
    EXPECT_TRUE(SkinManager->AddForm(side.Wnd()));
}

TEST_F(ManagerTest, OffGivesEveryWindowBackAndOnSkinsItAgain) {
    TSideForm side;
    ASSERT_TRUE(Skinned(side.Wnd()));
    SetActive(false);
    EXPECT_FALSE(Data().Active());
    EXPECT_TRUE(SkinManager->Forms.empty());
    EXPECT_FALSE(SkinManager->HookInstalled());
    TRestoredState mainState = TRestoredState::Of(MainWnd()), other = TRestoredState::Of(side.Wnd());
    EXPECT_FALSE(mainState.HasRegion);
    EXPECT_TRUE(mainState.Visible);
    EXPECT_EQ(other.Menu, side.Menu);
    // Nothing activated while off is skinned.
    ActivateWindow(side.Wnd());
    EXPECT_FALSE(Skinned(side.Wnd()));

    SetActive(true);
    EXPECT_TRUE(Skinned(MainWnd()));
    EXPECT_TRUE(Skinned(side.Wnd()));
    EXPECT_TRUE(SkinManager->HookInstalled());
    EXPECT_NE(GetWindowLongPtrW(MainWnd(), GWLP_WNDPROC), mainState.Proc);
    SetActive(false);
    EXPECT_TRUE(TRestoredState::Of(MainWnd()) == mainState);
    EXPECT_TRUE(TRestoredState::Of(side.Wnd()) == other);
}

TEST_F(ManagerTest, SwitchingSkinsFromAStreamAndAFileRepaintsEveryWindow) {
    TSideForm side;
    Data().LoadFromStream(SecondSkin());
    EXPECT_EQ(SkinManager->PendingAction, saSkinChanged);
    // Until the tick, no caption button is left pointing into the old skin's button list.
    EXPECT_TRUE(SkinManager->FindSkinForm(MainWnd())->SysButtons.empty());
    RunAction();
    EXPECT_EQ(Data().Colors[csButtonFace], RGB(200, 230, 200));
    ExpectFace(side.Wnd(), RGB(200, 230, 200));
    Data().LoadFromFile(QL_DEFAULT_SKIN);
    RunAction();
    ExpectFace(side.Wnd(), RGB(233, 233, 233));
}

// A missing file is passed over; a broken one is refused, and the skin it would have replaced
// stays on screen (marked pending, so that no new window takes it until a good load).
TEST_F(ManagerTest, AMissingOrBrokenSkinFileChangesNothingOnScreen) {
    std::string path = "broken_skin.skn";
    std::ofstream(path, std::ios::binary) << "not a skin archive at all";
    std::vector<std::string> reports;
    auto report = SkinReadReport;
    SkinReadReport = [&](const std::string& why) { reports.push_back(why); };
    TColor face = Data().Colors[csButtonFace];
    for (const std::string& file : {std::string("no_such_skin.skn"), path}) {
        Data().LoadFromFile(file);
        EXPECT_EQ(SkinManager->PendingAction, 0) << file;
        EXPECT_FALSE(SkinManager->ActionTimer->Enabled());
        EXPECT_FALSE(SkinManager->FindSkinForm(MainWnd())->SysButtons.empty());
        EXPECT_TRUE(Skinned(MainWnd()));
        EXPECT_EQ(Data().Colors[csButtonFace], face);
        TWindowPixels screen(MainWnd());
        TFrameCheck c{MainWnd(), screen};
        ExpectSideStrips(c, *SkinManager->FindSkinForm(MainWnd()), Data(), 1);
        EXPECT_EQ(reports.size(), file == path ? 1u : 0u);
    }
    SkinReadReport = report;
    std::remove(path.c_str());
    EXPECT_FALSE(Data().SkinPending) << "the skin in use is whole";
    Data().LoadFromStream(FirstSkin());
    EXPECT_FALSE(Data().SkinPending);
    RunAction();
}

TEST_F(ManagerTest, APendingSkinCannotBeSwitchedOnUntilAGoodLoad) {
    SetActive(false);
    Data().SkinPending = true;
    Data().SetActive(true);
    EXPECT_FALSE(Data().Active());
    EXPECT_EQ(SkinManager->PendingAction, 0);
    Data().LoadFromStream(FirstSkin());
    EXPECT_FALSE(Data().SkinPending);
    SetActive(true);
    EXPECT_TRUE(Skinned(MainWnd()));
}

// A skin that goes takes its windows, the pending action on it and the main-skin reference along.
TEST_F(ManagerTest, ARemovedSkinLeavesNothingPointingAtIt) {
    auto* dialogs = new TSkinData(nullptr);
    dialogs->SkinFormtype = sfDialog;
    dialogs->LoadFromStream(FirstSkin());
    dialogs->Loaded();
    TBoxProbe probe;
    bool usedDialogSkin = false, releasedWithIt = false;
    probe.Check = [&](HWND box) {
        TWinSkinForm* skin = SkinManager->FindSkinForm(box);
        usedDialogSkin = skin && skin->SkinData == dialogs;
        SkinManager->RequestAction(dialogs, saSkinChanged, 250);
        dialogs->Free();
        releasedWithIt = !SkinManager->FindSkinForm(box) && !Skinned(box);
        EXPECT_EQ(SkinManager->ActionTarget, nullptr);
        EXPECT_FALSE(SkinManager->ActionTimer->Enabled());
    };
    probe.Show();
    EXPECT_TRUE(usedDialogSkin);
    EXPECT_TRUE(releasedWithIt);
    SkinManager->OnTimer(nullptr); // nothing left to act on
    EXPECT_EQ(SkinManager->MainSkinData, &Data());
}

// The rounds run with the main window and a side form, then many more with the side form alone
// (the main window's forty controls make each round cost a tenth of a second).
TEST_F(ManagerTest, AThousandRoundsOfOffAndOnLeaveNothingBehind) {
    TSideForm side;
    SetActive(false);
    TRestoredState mainState = TRestoredState::Of(MainWnd()), other = TRestoredState::Of(side.Wnd());
    SetActive(true);
    auto offOn = [] {
        SetActive(false);
        SetActive(true);
    };
    ExpectFlatCounts(offOn, MainWindowRounds);
    EXPECT_TRUE(Skinned(MainWnd()));
    EXPECT_TRUE(Skinned(side.Wnd()));
    MainForm->Hide();
    ExpectFlatCounts(offOn, Rounds);
    EXPECT_TRUE(Skinned(side.Wnd()));
    SetActive(false);
    EXPECT_FALSE(SkinManager->HookInstalled());
    EXPECT_TRUE(TRestoredState::Of(side.Wnd()) == other);
    MainForm->Show();
    EXPECT_TRUE(TRestoredState::Of(MainWnd()) == mainState);
}

TEST_F(ManagerTest, AThousandSkinSwitchesLeaveNothingBehind) {
    TSideForm side;
    auto switchTwice = [] {
        Data().LoadFromStream(SecondSkin());
        RunAction();
        Data().LoadFromStream(FirstSkin());
        RunAction();
    };
    ExpectFlatCounts(switchTwice, MainWindowRounds);
    MainForm->Hide();
    ExpectFlatCounts(switchTwice, Rounds);
    MainForm->Show();
    EXPECT_EQ(Data().Colors[csButtonFace], RGB(233, 233, 233));
    EXPECT_EQ(SkinManager->FindSkinForm(side.Wnd())->SkinData, &Data());
    ExpectFace(side.Wnd(), RGB(233, 233, 233));
}

// Runs last: the manager goes, and every window is given back with it.
TEST_F(ManagerTest, ZFreeingTheManagerGivesEveryWindowBack) {
    TSideForm side;
    ASSERT_TRUE(Skinned(side.Wnd()));
    FreeSkinManager();
    EXPECT_EQ(SkinManager, nullptr);
    EXPECT_FALSE(Skinned(MainWnd()));
    EXPECT_FALSE(Skinned(side.Wnd()));
    EXPECT_FALSE(TRestoredState::Of(MainWnd()).HasRegion);
    // No hook calls back into the freed manager.
    ActivateWindow(OtherWindow());
    ActivateWindow(side.Wnd());
    EXPECT_FALSE(Skinned(side.Wnd()));
}
