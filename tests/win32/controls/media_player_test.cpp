// The media player skinned: each visible button is a Buttons face in its state, with the player's
// own glyph, and the player's own clicking works as without the skin.
#include "ComCtrls.h"
#include "MPlayer.h"
#include "SkinMediaPlayer.h"
#include "SkinProgress.h"
#include "SkinTrackBar.h"
#include "SkinnedFormTest.h"
#include "StdCtrls.h"

#include <commctrl.h>

namespace {

constexpr TButtonSet Shown = 1u << btPlay | 1u << btPause | 1u << btStop;

class TMediaPlayerTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        Player = Add<TMediaPlayer>(10, 10, 120, 30);
        Player->SetVisibleButtons(Shown);
        Player->SetAutoEnable(false);
        Player->SetEnabledButtons(1u << btPlay | 1u << btStop);
        Player->OnClick.Code = [this](TObject*, TMPBtnType b, bool& doDefault) {
            Clicked.push_back(b);
            doDefault = false;
        };
        Other = Add<TButton>(10, 250, 60, 25);
        Form->Show();
        Pump();
        SetFocus(Other->Handle()); // the player would have it, showing its focused button
        Pump();
    }
    // Pixels of the face's top-left and bottom-right margin corners that differ from the frame's,
    // magenta standing for the skin's face colour under it.
    int CornerMismatches(const TCapture& c, const RECT& r, int frame) {
        TDataSkinButton& b = *SkinData->Button;
        const int fw = b.Image.Width() / b.Frame, fh = b.Image.Height(), x0 = fw * (frame - 1);
        const RECT& m = b.Margins;
        int bad = 0;
        auto check = [&](int sx, int sy, int dx, int dy) {
            COLORREF want = ImagePixel(b.Image, x0 + sx, sy);
            if (want == RGB(255, 0, 255)) want = SkinColor(csButtonFace);
            bad += c.At(dx, dy) != want;
        };
        for (int y = 0; y < m.top; y++)
            for (int x = 0; x < m.left; x++) {
                check(x, y, r.left + x, r.top + y);
                check(fw - 1 - x, fh - 1 - y, r.right - 1 - x, r.bottom - 1 - y);
            }
        return bad;
    }
    // The frame each visible button shows, 0 for none.
    std::vector<int> Frames() {
        TCapture c = Capture(Player->Handle());
        std::vector<int> frames;
        for (TMPBtnType b : {btPlay, btPause, btStop}) {
            int found = 0;
            for (int f = 1; f <= SkinData->Button->Frame && !found; f++)
                if (CornerMismatches(c, Player->ButtonRect(b), f) == 0) found = f;
            frames.push_back(found);
        }
        return frames;
    }
    static LPARAM Over(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

    TMediaPlayer* Player = nullptr;
    TButton* Other = nullptr;
    std::vector<TMPBtnType> Clicked;
};

TEST_F(TMediaPlayerTest, ThreeVisibleButtonsAreThreeEqualSkinFacesWithTheDisabledOneGreyed) {
    Skin<TSkinMP>(Player);
    EXPECT_EQ(Player->ButtonRect(btPause), (RECT{40, 0, 80, 30}));
    EXPECT_EQ(Frames(), (std::vector<int>{1, 3, 1}));
    // the glyph is the player's: its middle is not the face
    TCapture c = Capture(Player->Handle());
    EXPECT_NE(c.At(20 + 1, 15), c.At(20 + 1, 4));
}

TEST_F(TMediaPlayerTest, HoverAndPressShowTheirFramesAndOnlyAReleaseOverThePressedButtonClicks) {
    Skin<TSkinMP>(Player);
    HWND w = Player->Handle();
    SendMessageW(w, WM_MOUSEMOVE, 0, Over(Player->ButtonRect(btStop)));
    EXPECT_EQ(Frames(), (std::vector<int>{1, 3, 4}));
    SendMessageW(w, WM_MOUSEMOVE, 0, Over(Player->ButtonRect(btPause)));
    EXPECT_EQ(Frames(), (std::vector<int>{1, 3, 1})) << "a disabled button is never hot";

    SendMessageW(w, WM_MOUSEMOVE, 0, Over(Player->ButtonRect(btPlay)));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, Over(Player->ButtonRect(btPlay)));
    Pump();
    EXPECT_EQ(Frames(), (std::vector<int>{2, 3, 1}));
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, Over(Player->ButtonRect(btStop)));
    SendMessageW(w, WM_LBUTTONUP, 0, Over(Player->ButtonRect(btStop)));
    Pump();
    EXPECT_TRUE(Clicked.empty());

    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, Over(Player->ButtonRect(btStop)));
    SendMessageW(w, WM_LBUTTONUP, 0, Over(Player->ButtonRect(btStop)));
    Pump();
    EXPECT_EQ(Clicked, std::vector<TMPBtnType>{btStop});
    EXPECT_EQ(Frames(), (std::vector<int>{1, 3, 4}));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Frames(), (std::vector<int>{1, 3, 5})) << "the key focus is on the last pressed";
}

TEST_F(TMediaPlayerTest, DetachingGivesEachFamilyItsPlainLookBack) {
    auto* track = Add<TTrackBar>(10, 60, 150, 45);
    auto* progress = Add<TProgressBar>(10, 120, 150, 19);
    progress->SetPosition(40);
    ExpectPlainLookAfterDetach<TSkinMP>(Player);
    ExpectPlainLookAfterDetach<TSkinTrackBar>(track);
    ExpectPlainLookAfterDetach<TSkinProgress>(progress);
}

TEST_F(TMediaPlayerTest, SelectionGivesEachFamilyItsSkinnerFrameworkMadeOrBare) {
    auto* track = Add<TTrackBar>(10, 60, 150, 45);
    auto* progress = Add<TProgressBar>(10, 120, 150, 19);
    HWND bareTrack = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 200, 60, 150, 45,
                                     Form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND bareProgress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 200, 120, 150, 19,
                                        Form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    List->InitControls(Form.get());
    List->InitHwndControls(Form->Handle());
    EXPECT_TRUE(dynamic_cast<TSkinMP*>(List->FindSkinner(Player)));
    EXPECT_TRUE(dynamic_cast<TSkinTrackBar*>(List->FindSkinner(track)));
    EXPECT_TRUE(dynamic_cast<TSkinProgress*>(List->FindSkinner(progress)));
    EXPECT_TRUE(dynamic_cast<TSkinTrackBar*>(List->FindSkinner(bareTrack)));
    EXPECT_TRUE(dynamic_cast<TSkinProgress*>(List->FindSkinner(bareProgress)));

    List->DeleteControls();
    SkinData->SkinControls.Exclude(xcTrackBar);
    SkinData->SkinControls.Exclude(xcProgress);
    List->InitControls(Form.get());
    EXPECT_FALSE(List->FindSkinner(track));
    EXPECT_FALSE(List->FindSkinner(progress));
    EXPECT_TRUE(List->FindSkinner(Player));
}

TEST_F(TMediaPlayerTest, TwoHundredAttachDetachRoundsOfTheThreeFamiliesLeaveNothing) {
    auto* track = Add<TTrackBar>(10, 60, 150, 45);
    auto* progress = Add<TProgressBar>(10, 120, 150, 19);
    progress->SetPosition(60);
    Pump();
    ExpectFlatCounts(
        [&] {
            Skin<TSkinMP>(Player);
            Skin<TSkinTrackBar>(track);
            Skin<TSkinProgress>(progress);
            SendMessageW(Player->Handle(), WM_MOUSEMOVE, 0, Over(Player->ButtonRect(btPlay)));
            SendMessageW(track->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
            Repaint(Form->Handle());
            List->DeleteControls();
        },
        200);
}

} // namespace
