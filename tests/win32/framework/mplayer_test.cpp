// The media player's strip: which buttons show and are enabled in each mode, clicks by mouse and
// keyboard, refused clicks, notifications, and a description written and read back.
#include "FrameworkTest.h"
#include "StdForm.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

namespace {
POINT Middle(TMediaPlayer* player, TMPBtnType button) {
    RECT r = player->ButtonRect(button);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Press(TMediaPlayer* player, TMPBtnType button) {
    POINT p = Middle(player, button);
    SendMessageW(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

void Release(TMediaPlayer* player, TMPBtnType button) {
    POINT p = Middle(player, button);
    SendMessageW(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void ClickOn(TMediaPlayer* player, TMPBtnType button) {
    Press(player, button);
    Release(player, button);
}

constexpr TButtonSet Bit(TMPBtnType b) {
    return 1u << b;
}
} // namespace

TEST(MediaPlayer, ModesEnableTheirButtons) {
    auto form = ShownStdForm();
    TMediaPlayer* player = form->MediaPlayer1;
    EXPECT_EQ(player->Mode(), mpStopped); // AutoOpen
    EXPECT_EQ(player->EnabledButtons(), AllMPButtons & ~(Bit(btPause) | Bit(btStop)));
    ClickOn(player, btPlay);
    EXPECT_EQ(player->Mode(), mpPlaying);
    EXPECT_TRUE(player->EnabledButtons() & Bit(btPause));
    EXPECT_FALSE(player->EnabledButtons() & Bit(btPlay));
    ClickOn(player, btPause);
    EXPECT_EQ(player->Mode(), mpPaused);
    ClickOn(player, btPause); // resumes
    EXPECT_EQ(player->Mode(), mpPlaying);
    ClickOn(player, btRecord); // disabled while playing: nothing happens
    EXPECT_EQ(player->Mode(), mpPlaying);
    ClickOn(player, btEject);
    EXPECT_EQ(player->Mode(), mpOpen);
    EXPECT_EQ(player->EnabledButtons(), Bit(btEject));
    ClickOn(player, btEject); // and the door closes
    EXPECT_EQ(player->Mode(), mpStopped);
    EXPECT_EQ(form->PlayerClicks, (std::vector<TMPBtnType>{btPlay, btPause, btPause, btEject, btEject}));
    player->Close();
    EXPECT_EQ(player->EnabledButtons(), 0u);
    EXPECT_THROW(player->Play(), Exception);
    player->SetAutoEnable(false); // the stored set decides again
    EXPECT_EQ(player->EnabledButtons(), AllMPButtons);
}

TEST(MediaPlayer, ClickNeedsPressAndReleaseOnTheSameButton) {
    auto form = ShownStdForm();
    TMediaPlayer* player = form->MediaPlayer1;
    Press(player, btPlay);
    Release(player, btNext);
    EXPECT_EQ(player->Mode(), mpStopped);
    EXPECT_TRUE(form->PlayerClicks.empty());
    // a refused click runs OnClick but not the action, and notifies nothing
    form->Refuse = true;
    form->RefusedButton = btPlay;
    ClickOn(player, btPlay);
    Pump();
    EXPECT_EQ(player->Mode(), mpStopped);
    EXPECT_EQ(form->PlayerClicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_EQ(std::count(form->Events.begin(), form->Events.end(), "MediaPlayer1 notify"), 0);
    form->Refuse = false;
    ClickOn(player, btPlay);
    EXPECT_EQ(std::count(form->Events.begin(), form->Events.end(), "MediaPlayer1 notify"), 0); // posted
    Pump();
    EXPECT_EQ(form->Events.back(), "MediaPlayer1 notify");
    EXPECT_EQ(player->NotifyValue(), nvSuccessful);
    // a command by the program notifies only when asked to
    form->Events.clear();
    player->Stop();
    player->Notify = true;
    player->Play();
    Pump();
    EXPECT_EQ(form->Events, std::vector<std::string>{"MediaPlayer1 notify"});
    EXPECT_FALSE(player->Notify);
    SendMessageW(player->Handle(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 0);
    EXPECT_EQ(player->NotifyValue(), nvAborted);
}

TEST(MediaPlayer, KeyboardMovesTheFocusAndPresses) {
    auto form = ShownStdForm();
    SetForegroundWindow(form->Handle());
    TMediaPlayer* player = form->MediaPlayer1;
    player->SetFocus();
    HWND wnd = player->Handle();
    SendMessageW(wnd, WM_KEYDOWN, VK_RIGHT, 1); // Pause and Stop are disabled: on to Next
    SendMessageW(wnd, WM_KEYDOWN, VK_LEFT, 1);  // and back to Play
    SendMessageW(wnd, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(player->Mode(), mpStopped); // acts on release
    SendMessageW(wnd, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(player->Mode(), mpPlaying);
    SendMessageW(wnd, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(wnd, WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(wnd, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(player->Mode(), mpPaused);
    EXPECT_EQ(form->PlayerClicks, (std::vector<TMPBtnType>{btPlay, btPause}));
}

TEST(MediaPlayer, VisibleButtonsShareTheStripAndShowTheirState) {
    auto form = ShownStdForm();
    TMediaPlayer* player = form->MediaPlayer1;
    player->SetVisibleButtons(Bit(btPlay) | Bit(btStop) | Bit(btEject));
    int width = player->ClientWidth() / 3;
    EXPECT_EQ(player->ButtonRect(btStop).left, width);
    EXPECT_EQ(player->ButtonRect(btEject).right, 3 * width);
    EXPECT_EQ(player->ButtonRect(btPause).right, 0); // hidden
    EXPECT_EQ(player->ButtonAt(width + 1), btStop);
    EXPECT_EQ(player->ButtonAt(3 * width + 1), -1);
    // the coloured play glyph in green; disabled stop glyph in the shadow colour
    HWND wnd = player->Handle();
    UpdateWindow(wnd);
    POINT play = Middle(player, btPlay), stop = Middle(player, btStop);
    EXPECT_EQ(ScreenPixel(wnd, play.x, play.y), ColorToRGB(clGreen));
    EXPECT_EQ(ScreenPixel(wnd, stop.x, stop.y), ColorToRGB(clBtnShadow));
    player->SetColoredButtons(0);
    UpdateWindow(wnd);
    EXPECT_EQ(ScreenPixel(wnd, play.x, play.y), ColorToRGB(clBtnText));
    EXPECT_EQ(GetEnumProperty(player, "AutoEnable"), "True");
}

// Every published value survives being written and read again.
TEST(Descriptions, StandardControlsWrittenAndReadBack) {
    auto form = ReadStdForm();
    form->MediaPlayer1->SetVisibleButtons(Bit(btPlay) | Bit(btStop));
    form->SpeedButtonC->ButtonGlyph().Layout = blGlyphTop;
    form->ListBox2->SetItemHeight(24);
    std::string text = WriteComponentText(form.get());
    auto again = ReadStdForm(text);
    EXPECT_EQ(WriteComponentText(again.get()), text);
    EXPECT_EQ(again->MediaPlayer1->VisibleButtons(), Bit(btPlay) | Bit(btStop));
    EXPECT_EQ(again->MediaPlayer1->ColoredButtons(), form->MediaPlayer1->ColoredButtons());
    EXPECT_EQ(again->BitBtnOK->Kind(), bkOK);
    EXPECT_EQ(again->BitBtnOK->ButtonGlyph().Glyph().Width(), 24);
    EXPECT_EQ(again->SpeedButtonC->ButtonGlyph().Layout, blGlyphTop);
    EXPECT_EQ(again->RadioGroup1->ItemIndex(), 2);
    EXPECT_EQ(again->RadioGroup1->ButtonCount(), 4); // made by the group, not stored
    EXPECT_EQ(again->ListBox2->ItemHeight(), 24);
    EXPECT_EQ(again->Memo1->Lines()[1], "第二行");
    EXPECT_EQ(again->ScrollBar1->PageSize(), 20);
    EXPECT_EQ(again->Panel1->BevelInner(), bvLowered);
    EXPECT_EQ(text.find("TGroupButton"), std::string::npos);
    EXPECT_EQ(GetProperty(again->ScrollBar1, "Kind"), "sbHorizontal");
    EXPECT_EQ(GetIntProperty(again->ScrollBar1, "Position"), 50);
    EXPECT_EQ(GetProperty(again->BitBtnClose, "Layout"), "blGlyphRight");
}
