// The frame rules on their own: border kinds, caption button visibility and placement.
#include "FormRules.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TDataSkinSysButton> Def(int action, int visibility, int visibility1 = 0, int align = 0,
                                        int x = 0) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Action = action;
    b->Visibility = visibility;
    b->Visibility1 = visibility1;
    b->Align = align;
    b->XCoord = x;
    b->YCoord = 5;
    return b;
}

TButtonScene SceneOf(DWORD style) {
    TButtonScene s;
    s.Icons = BorderIconsOf(style, false);
    s.Border = BorderStyleOf(style, 0, false);
    return s;
}

} // namespace

TEST(FormRules, BorderKindFollowsStylesAndClass) {
    EXPECT_EQ(BorderStyleOf(WS_POPUP, 0, false), sbsNone);
    EXPECT_EQ(BorderStyleOf(WS_BORDER, 0, false), sbsNone);
    EXPECT_EQ(BorderStyleOf(WS_CAPTION, 0, false), sbsSingle);
    EXPECT_EQ(BorderStyleOf(WS_CAPTION | WS_THICKFRAME, 0, false), sbsSizeable);
    EXPECT_EQ(BorderStyleOf(WS_CAPTION | DS_MODALFRAME, 0, false), sbsDialog);
    EXPECT_EQ(BorderStyleOf(WS_CAPTION | WS_THICKFRAME, WS_EX_DLGMODALFRAME, false), sbsDialog);
    EXPECT_EQ(BorderStyleOf(WS_POPUP, 0, true), sbsDialog);
    EXPECT_TRUE(IsDialogClass("#32770"));
    EXPECT_TRUE(IsDialogClass("TMessageForm"));
    EXPECT_FALSE(IsDialogClass("TMainForm"));
    EXPECT_EQ(WindowStateOf(SW_SHOWMAXIMIZED), swsMax);
    EXPECT_EQ(WindowStateOf(SW_SHOWMINNOACTIVE), swsMin);
    EXPECT_EQ(WindowStateOf(SW_SHOWNORMAL), swsNormal);
    EXPECT_FALSE(StripsCaption(0x1DB10106, 0, false, false)); // NT 6.1
    EXPECT_TRUE(StripsCaption(0x08930005, 0, false, false));  // NT 5.0
    EXPECT_FALSE(StripsCaption(0x08930005, 0, true, false));
}

TEST(FormRules, WithoutMaximizeBoxOnlyIconMinimizeAndCloseShow) {
    TButtonScene s = SceneOf(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_TRUE(ButtonVisible(*Def(0, 0), s));     // close
    EXPECT_FALSE(ButtonVisible(*Def(1, 2, 6), s)); // maximize
    EXPECT_TRUE(ButtonVisible(*Def(2, 8), s));     // minimize
    EXPECT_FALSE(ButtonVisible(*Def(1, 1), s));    // restore
    EXPECT_TRUE(ButtonVisible(*Def(3, 0), s));     // icon
}

TEST(FormRules, MaximizeAndRestoreSwapWithTheWindowState) {
    TButtonScene s = SceneOf(WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(ButtonVisible(*Def(1, 2, 6), s));
    EXPECT_FALSE(ButtonVisible(*Def(1, 1), s));
    s.Maximized = true;
    EXPECT_FALSE(ButtonVisible(*Def(1, 2, 6), s));
    EXPECT_TRUE(ButtonVisible(*Def(1, 1), s));
}

TEST(FormRules, VisibilityCodesAndActionMasks) {
    TButtonScene s = SceneOf(WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(ButtonVisible(*Def(5, -1, -1), s));
    EXPECT_FALSE(ButtonVisible(*Def(5, 5), s));
    EXPECT_FALSE(ButtonVisible(*Def(5, 50), s));
    EXPECT_TRUE(ButtonVisible(*Def(5, 500), s));
    EXPECT_FALSE(ButtonVisible(*Def(5, 2001), s));
    EXPECT_TRUE(ButtonVisible(*Def(5, 3), s));
    s.Active = false;
    EXPECT_FALSE(ButtonVisible(*Def(5, 3), s));
    EXPECT_TRUE(ButtonVisible(*Def(5, 4), s));
    // The MDI buttons need a maximized MDI child.
    EXPECT_FALSE(ButtonVisible(*Def(7, 100, 100), s));
    s.MDIChildMaximized = true;
    EXPECT_TRUE(ButtonVisible(*Def(7, 100, 100), s));
    // Close needs the system menu; a dialog border hides the icon.
    EXPECT_FALSE(ButtonVisible(*Def(0, 0), SceneOf(WS_CAPTION)));
    TButtonScene dialog = SceneOf(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    EXPECT_FALSE(ButtonVisible(*Def(3, 0), dialog));
    EXPECT_TRUE(ButtonVisible(*Def(5, 200), dialog));
    dialog.DialogClass = true;
    EXPECT_FALSE(ButtonVisible(*Def(5, 200), dialog));
}

TEST(FormRules, CustomVisibilityAsksTheWindow) {
    TButtonScene s = SceneOf(WS_OVERLAPPEDWINDOW);
    int asked = 0;
    s.Custom = [&](int action, int code) {
        ++asked;
        return action == 40 && code == 1500;
    };
    EXPECT_TRUE(ButtonVisible(*Def(40, 1500), s));
    EXPECT_FALSE(ButtonVisible(*Def(41, 1500), s));
    EXPECT_TRUE(ButtonVisible(*Def(40, 0, 1200), s)); // the second code is not asked
    EXPECT_EQ(asked, 2);
}

TEST(FormRules, PlacementByAlignment) {
    TButtonPlace p;
    p.FrameWidth = 863;
    p.BorderLeft = 4;
    p.BorderRight = 4;
    p.BorderTop = 29;
    p.MenuBarHeight = 19;
    p.RefA = 859;
    p.RefB = 4;
    SIZE s{21, 21};
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 0, 8), s, p).x, 8);
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 1, 25), s, p).x, 838);
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 2, 10), s, p).x, 859 - 21 - 10);
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 9, 10), s, p).x, 14);
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 100, 50), {13, 12}, p).x, 863 - 50 - 4);
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 100, 50), {13, 12}, p).y, 29 + 3);
    p.LeftScrollBar = true;
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 100, 50), {13, 12}, p).x, 54);
    EXPECT_EQ(ButtonOrigin(*Def(0, 0, 0, 42, 50), s, p).x, 0);
}

TEST(FormRules, ButtonFrames) {
    EXPECT_EQ(RestingButtonFrame(true, 6), 1);
    EXPECT_EQ(RestingButtonFrame(false, 6), 4);
    EXPECT_EQ(RestingButtonFrame(false, 3), 1);
    EXPECT_EQ(StateButtonFrame(3, 0), 3);
    EXPECT_EQ(StateButtonFrame(2, 0), 2);
    EXPECT_EQ(StateButtonFrame(3, 100), 4);
}
