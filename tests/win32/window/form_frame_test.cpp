// The skinned frame as the screen shows it, compared with the skin's own bitmaps: margins pixel for
// pixel, stretched middles against the pixels their column or row may take, magenta outside the
// window region.
#include "FrameCheck.h"

#include <set>

namespace {

// The title bar apart from the caption text, the icon and the buttons.
std::vector<RECT> TitleContent(TWinSkinForm& skin, int width) {
    std::vector<RECT> skip;
    for (auto& b : skin.SysButtons)
        if (b->Visible) skip.push_back(b->BoundsRect);
    const RECT& m = skin.SkinData->Title->Margins;
    int textLeft = skin.Frame.Left, textRight = width - skin.Frame.Right;
    for (const RECT& r : skip) {
        if (r.left + r.right < width)
            textLeft = std::max(textLeft, int(r.right));
        else
            textRight = std::min(textRight, int(r.left));
    }
    skip.push_back({textLeft + m.left, 0, textRight - m.right, skin.Frame.Top});
    return skip;
}

void CheckWholeFrame(HWND wnd, TWinSkinForm& skin, TSkinData& data, int frame) {
    TWindowPixels screen(wnd);
    TFrameCheck c{wnd, screen};
    RECT r{};
    GetWindowRect(wnd, &r);
    int w = r.right - r.left;
    const TFrameGeometry& g = skin.Frame;
    ExpectSideStrips(c, skin, data, frame);
    CheckHorizontalStrip(c, *data.Borders[bdTop], frame, {g.Left, 0}, w - g.Left - g.Right,
                         TitleContent(skin, w));
    EXPECT_EQ(c.Failures, 0) << "title bar";
}

// The button's frame over whatever the title bar has beneath its magenta.
int ButtonMismatches(HWND wnd, TWinSysButton& b, int frame) {
    TWindowPixels screen(wnd);
    TFrameCheck c{wnd, screen};
    TBitmap& image = b.Def.Image;
    int fw = image.Width() / b.Def.Frame;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < fw; ++x) {
            TColor expected = FramePixel(image, frame, b.Def.Frame, false, x, y);
            if (expected != SkinTransColor) c.Same(b.BoundsRect.left + x, b.BoundsRect.top + y, expected);
        }
    return c.Failures;
}

} // namespace

using FrameTest = MainFrameTest;

TEST_F(FrameTest, ActiveFrameIsTheSkinsFirstFrames) {
    CheckWholeFrame(Wnd(), Skin(), Data(), 1);
    EXPECT_EQ(ButtonMismatches(Wnd(), Button(0, 0), 1), 0);
    EXPECT_EQ(ButtonMismatches(Wnd(), Button(2, 8), 1), 0);
}

TEST_F(FrameTest, InactiveFrameIsTheSecondFramesAndButtonsTheirFourth) {
    ActivateWindow(OtherWindow());
    ASSERT_FALSE(Skin().Active);
    CheckWholeFrame(Wnd(), Skin(), Data(), 2);
    EXPECT_EQ(ButtonMismatches(Wnd(), Button(0, 0), 4), 0);
    ActivateWindow(Wnd());
}

TEST_F(FrameTest, RegionLeavesTheMagentaCornersOutAndTheClientIn) {
    SIZE s = WindowSize();
    EXPECT_FALSE(InWindowRegion(Wnd(), 0, 0));
    EXPECT_FALSE(InWindowRegion(Wnd(), s.cx - 1, 0));
    EXPECT_TRUE(InWindowRegion(Wnd(), s.cx / 2, 1));
    EXPECT_TRUE(InWindowRegion(Wnd(), s.cx / 2, s.cy / 2));
    EXPECT_TRUE(InWindowRegion(Wnd(), 0, s.cy / 2));
}

TEST_F(FrameTest, CaptionButtonShowsHotAndPressedFrames) {
    TWinSysButton& close = Button(0, 0);
    POINT centre = ToScreen({(close.BoundsRect.left + close.BoundsRect.right) / 2,
                             (close.BoundsRect.top + close.BoundsRect.bottom) / 2});
    SetCursorPos(centre.x, centre.y);
    SendMessageW(Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(close.State, 3);
    EXPECT_EQ(ButtonMismatches(Wnd(), close, 3), 0) << "hot";
    SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(close.State, 2);
    EXPECT_EQ(ButtonMismatches(Wnd(), close, 2), 0) << "pressed";
    // Released elsewhere: nothing happens, and the button rests once the mouse has gone.
    POINT away = ToScreen({WindowSize().cx / 2, 10});
    SendMessageW(Wnd(), WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(away.x, away.y));
    SetCursorPos(away.x, away.y + 300);
    DWORD left = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return close.State == 1; }, 300));
    EXPECT_LE(GetTickCount() - left, 300u);
    EXPECT_EQ(ButtonMismatches(Wnd(), close, 1), 0) << "resting";
    EXPECT_TRUE(IsWindowVisible(Wnd()));
}

TEST_F(FrameTest, RepaintAtTheSameSizeComposesNothingAgain) {
    Skin().UpdateNc(nullptr);
    int titles = Skin().TitleCompositions, strips = Skin().Strips[bdLeft][0].Compositions();
    for (int i = 0; i < 5; ++i)
        Skin().UpdateNc(nullptr);
    EXPECT_EQ(Skin().TitleCompositions, titles);
    EXPECT_EQ(Skin().Strips[bdLeft][0].Compositions(), strips);
    std::string caption = MainForm->Caption();
    SetWindowTextW(Wnd(), L"Another caption");
    Skin().UpdateNc(nullptr);
    EXPECT_EQ(Skin().TitleCompositions, titles + 1);
    EXPECT_EQ(Skin().Strips[bdLeft][0].Compositions(), strips);
    MainForm->SetCaption(caption);
}

// No strip waits for a later paint: the frame at the new size is on screen when the resize
// returns, shrinking or growing.
TEST_F(FrameTest, ResizeLeavesNoFrameUnpaintedInBetween) {
    for (SIZE s : {SIZE{700, 480}, SIZE{900, 660}}) {
        SetWindowPos(Wnd(), nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SCOPED_TRACE(s.cx);
        CheckWholeFrame(Wnd(), Skin(), Data(), 1);
    }
    Skin().ResizeForm(false);
}
