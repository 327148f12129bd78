// Hit testing over the whole frame, the caption buttons' commands and the client size through the
// window's states.
#include "FormTestHelpers.h"

namespace {

LRESULT HitTest(HWND wnd, POINT screen) {
    return SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

// Takes a posted WM_SYSCOMMAND for the window out of the queue; 0 when there is none.
WPARAM TakePostedCommand(HWND wnd) {
    MSG msg;
    return PeekMessageW(&msg, wnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) ? msg.wParam & 0xFFF0 : 0;
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

using MouseTest = MainFrameTest;

TEST_F(MouseTest, EveryFramePixelIsNonClientAndEveryClientPixelClient) {
    SIZE s = WindowSize();
    const TFrameGeometry& g = Skin().Frame;
    RECT client{g.Left, g.Top, s.cx - g.Right, s.cy - g.Bottom};
    int wrong = 0;
    for (int y = 0; y < s.cy; y += 3)
        for (int x = 0; x < s.cx; x += (y < g.Top || y >= s.cy - g.Bottom) ? 3 : 1) {
            if (x >= g.Left && x < s.cx - g.Right && y >= g.Top && y < s.cy - g.Bottom) x = s.cx - g.Right;
            LRESULT hit = HitTest(Wnd(), ToScreen({x, y}));
            wrong += hit == HTCLIENT || hit == HTNOWHERE;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(HitTest(Wnd(), ToScreen(Centre(client))), HTCLIENT);
    EXPECT_EQ(HitTest(Wnd(), ToScreen({s.cx / 2, g.Top / 2})), HTCAPTION);
    EXPECT_EQ(HitTest(Wnd(), ToScreen(Centre(Button(0, 0).BoundsRect))), HTCAPTION);
    EXPECT_EQ(HitTest(Wnd(), ToScreen({1, s.cy / 2})), HTBORDER);
    EXPECT_EQ(HitTest(Wnd(), ToScreen({s.cx / 2, s.cy - 2})), HTBORDER);
    EXPECT_EQ(HitTest(Wnd(), ToScreen({s.cx + 5, s.cy / 2})), HTNOWHERE);
}

TEST_F(MouseTest, CoordinatesLeftOfThePrimaryMonitorReadSigned) {
    RECT old{};
    GetWindowRect(Wnd(), &old);
    SetWindowPos(Wnd(), nullptr, -900, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ActivateWindow(Wnd());
    TWinSysButton& close = Button(0, 0);
    POINT p = ToScreen(Centre(close.BoundsRect));
    ASSERT_LT(p.x, 0);
    SetCursorPos(p.x, p.y);
    SendMessageW(Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(p.x, p.y));
    ASSERT_TRUE(Skin().Active);
    EXPECT_EQ(Skin().HotObject, &close);
    EXPECT_EQ(HitTest(Wnd(), ToScreen({WindowSize().cx - 100, 10})), HTCAPTION);
    SetWindowPos(Wnd(), nullptr, old.left, old.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(MouseTest, OnlyThePressedButtonActsAndOnlyOverItself) {
    POINT close = ToScreen(Centre(Button(0, 0).BoundsRect)),
          minimize = ToScreen(Centre(Button(2, 8).BoundsRect));
    SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(close.x, close.y));
    SendMessageW(Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(minimize.x, minimize.y));
    SendMessageW(Wnd(), WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(minimize.x, minimize.y));
    EXPECT_EQ(TakePostedCommand(Wnd()), 0u);
    SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(close.x, close.y));
    SendMessageW(Wnd(), WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(close.x, close.y));
    EXPECT_EQ(TakePostedCommand(Wnd()), WPARAM(SC_CLOSE));
}

TEST_F(MouseTest, DoubleClickOnTheIconClosesOnlyWhenTheSystemMenuAllowsIt) {
    POINT icon = ToScreen(Centre(Button(3, 0).BoundsRect));
    HMENU menu = GetSystemMenu(Wnd(), FALSE);
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    SendMessageW(Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(icon.x, icon.y));
    EXPECT_EQ(TakePostedCommand(Wnd()), 0u);
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    SendMessageW(Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(icon.x, icon.y));
    EXPECT_EQ(TakePostedCommand(Wnd()), WPARAM(SC_CLOSE));
    Skin().HoverTimer->SetEnabled(true);
}

TEST_F(MouseTest, ClientSizeStaysThroughMinimizeMaximizeAndRestore) {
    const SIZE expected{855, 591};
    EXPECT_EQ(ClientSize().cx, expected.cx);
    EXPECT_EQ(ClientSize().cy, expected.cy);
    const TFrameGeometry& g = Skin().Frame;
    EXPECT_EQ(WindowSize().cx, expected.cx + g.Left + g.Right);
    EXPECT_EQ(WindowSize().cy, expected.cy + g.Top + g.Bottom);
    for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE}) {
        SendMessageW(Wnd(), WM_SYSCOMMAND, command, 0);
        PumpFor(20);
        SendMessageW(Wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
        PumpFor(20);
        EXPECT_EQ(ClientSize().cx, expected.cx) << command;
        EXPECT_EQ(ClientSize().cy, expected.cy) << command;
    }
}
