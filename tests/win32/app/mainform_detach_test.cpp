// The real main window skinned and given back: its client area, every control in it, looks and
// works as it did before it was skinned.
#include "MainWindow.h"
#include "WinSkinDlg.h"

#include <gtest/gtest.h>

namespace {

// The client area as the screen shows it, children included, one row per string; focus on the same
// control and no mouse over the window, so that only the skin can differ.
std::vector<std::string> ClientPixels(HWND wnd) {
    SetCursorPos(1020, 760);
    SetFocus(MainForm->ButtonConnect->Handle());
    PumpUntil([] { return false; }, 50);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
    RECT r{};
    GetClientRect(wnd, &r);
    TBitmap shot;
    shot.SetSize(r.right, r.bottom);
    {
        TClientDC dc(wnd);
        BitBlt(shot.MemoryDC(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    }
    GdiFlush();
    std::vector<std::string> rows;
    for (int y = 0; y < r.bottom; ++y)
        rows.emplace_back(static_cast<const char*>(std::as_const(shot).ScanLine(y)), size_t(r.right) * 3);
    return rows;
}

// The first differing row and column, for the failure message.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (a.size() != b.size()) return Format("%d rows, then %d", int(a.size()), int(b.size()));
    for (size_t y = 0; y < a.size(); ++y)
        for (size_t x = 0; x < a[y].size(); ++x)
            if (a[y][x] != b[y][x]) return Format("first at x %d, y %d", int(x / 3), int(y));
    return "none";
}

// A plain window on a fixed place, its look and hooks noted, then
// skinned as the program skins it and used a little.
class DetachTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TMainForm::StartOptions.Plain = true;
        W = std::make_unique<TMainWindow>();
        TMainForm::StartOptions = {};
        SetWindowPos(Wnd(), HWND_TOP, 20, 10, 0, 0, SWP_NOSIZE);
        PlainLook = ClientPixels(Wnd());
        PlainHooks = Hooks(MainForm);
        Skin();
    }
    void TearDown() override { W.reset(); }

    static HWND Wnd() { return MainForm->Handle(); }
    static void Skin() {
        MainForm->SkinData1->SetActive(true);
        ASSERT_TRUE(PumpUntil([] { return SkinnedWindows(MainForm) > 20; }, 2000));
        // A tick and an untick, a list choice and back: state the skinners saw, the control keeps.
        Click(MainForm->CheckBoxBuadrateCustomCAN[0]);
        Click(MainForm->CheckBoxBuadrateCustomCAN[0]);
        SendMessageW(MainForm->ComboBoxtDataBaudrateIndexCAN[1]->Handle(), CB_SETCURSEL, 3, 0);
        SendMessageW(MainForm->ComboBoxtDataBaudrateIndexCAN[1]->Handle(), CB_SETCURSEL, 0, 0);
    }
    void ExpectAsBefore() {
        Application->ProcessMessages();
        EXPECT_EQ(SkinnedWindows(MainForm), 0);
        EXPECT_EQ(Hooks(MainForm), PlainHooks);
        std::vector<std::string> look = ClientPixels(Wnd());
        EXPECT_TRUE(look == PlainLook) << FirstDifference(PlainLook, look);
    }

    std::unique_ptr<TMainWindow> W;
    std::vector<std::string> PlainLook;
    std::vector<TControlHooks> PlainHooks;
};

TEST_F(DetachTest, GivenBackTheWindowLooksAndHooksAsItDidPlain) {
    EXPECT_NE(ClientPixels(Wnd()), PlainLook) << "the skin shows";
    MainForm->SkinData1->SetActive(false);
    ASSERT_TRUE(PumpUntil([] { return SkinnedWindows(MainForm) == 0; }, 2000));
    ExpectAsBefore();
}

TEST_F(DetachTest, FreedTheSkinnerLeavesTheWindowAsItWasPlain) {
    ASSERT_TRUE(SkinManager->DeleteForm(Wnd()));
    ExpectAsBefore();
}

} // namespace
