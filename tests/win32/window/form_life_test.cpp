// Taking windows over and giving them back, and what repeated resizing and activation cost.
#include "FormTestHelpers.h"

#include "FrameworkTest.h"
#include "SkinMessages.h"

namespace {

// What a plain window's procedure saw, and what it may do on a posted WM_APP.
struct TPlainLog {
    bool FramePaintingDuringMenuChange = true;
    std::function<void()> OnApp;
} Log;

LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_MENUCHANGED) Log.FramePaintingDuringMenuChange = MainForm->SkinData1->FramePainting;
    if (msg == WM_APP && Log.OnApp) Log.OnApp();
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

// A plain top-level window of its own class, destroyed with the object.
struct TPlainWindow {
    HWND Wnd;
    explicit TPlainWindow(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HMENU menu = nullptr) {
        static ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = PlainProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QlPlainFormTest";
            return RegisterClassW(&wc);
        }();
        Wnd = CreateWindowExW(0, MAKEINTATOM(atom), L"plain", style, 50, 50, 300, 200, nullptr, menu,
                              GetModuleHandleW(nullptr), nullptr);
    }
    ~TPlainWindow() {
        if (IsWindow(Wnd)) DestroyWindow(Wnd);
    }
    RECT Rect() const {
        RECT r{};
        GetWindowRect(Wnd, &r);
        return r;
    }
    SIZE Client() const {
        RECT r{};
        GetClientRect(Wnd, &r);
        return {r.right, r.bottom};
    }
};

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b);
}

} // namespace

using LifeTest = MainFrameTest;

TEST_F(LifeTest, GivenBackBeforeActivationTheWindowShowsAgainAtItsSize) {
    TPlainWindow plain;
    RECT before = plain.Rect();
    struct THidingHost : TSkinFormHost {
        bool HideWhileSkinning() const override { return true; }
        void FormActivated(TWinSkinForm&) override {}
    } host;
    TWinSkinForm skin;
    skin.Host = &host;
    skin.InitDlg(&Data(), plain.Wnd);
    EXPECT_FALSE(IsWindowVisible(plain.Wnd));
    // Deactivation before activation is never refused.
    EXPECT_EQ(SendMessageW(plain.Wnd, WM_NCACTIVATE, FALSE, 0), TRUE);
    skin.UnSubclass();
    EXPECT_TRUE(IsWindowVisible(plain.Wnd));
    EXPECT_TRUE(SameRect(plain.Rect(), before));
}

TEST_F(LifeTest, GivenBackAfterActivationEverythingIsAsBefore) {
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"File");
    TPlainWindow plain(WS_OVERLAPPEDWINDOW | WS_VISIBLE, menu);
    SIZE client = plain.Client();
    LONG_PTR proc = GetWindowLongPtrW(plain.Wnd, GWLP_WNDPROC),
             style = GetWindowLongPtrW(plain.Wnd, GWL_STYLE);
    TWinSkinForm skin;
    skin.InitDlg(&Data(), plain.Wnd);
    SendMessageW(plain.Wnd, WM_SKINACTIVATE, 0, 1000);
    EXPECT_EQ(SendMessageW(plain.Wnd, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(plain.Client().cx, client.cx);
    EXPECT_EQ(plain.Client().cy, client.cy);
    // The region given to the window stays the window's.
    TGdiHandle<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(plain.Wnd, rgn), ERROR);
    // A menu change is handled with frame painting off, and takes the menu off the window.
    SendMessageW(plain.Wnd, CM_MENUCHANGED, 0, 0);
    EXPECT_FALSE(Log.FramePaintingDuringMenuChange);
    EXPECT_TRUE(Data().FramePainting);
    EXPECT_EQ(GetMenu(plain.Wnd), nullptr);
    // A hot button and the hover timer go with the skin.
    skin.HotObject = skin.SysButtons.front().get();
    skin.UnSubclass();
    EXPECT_EQ(skin.HotObject, nullptr);
    EXPECT_FALSE(skin.HoverTimer->Enabled());
    EXPECT_EQ(GetMenu(plain.Wnd), menu);
    EXPECT_EQ(GetWindowLongPtrW(plain.Wnd, GWLP_WNDPROC), proc);
    EXPECT_EQ(GetWindowLongPtrW(plain.Wnd, GWL_STYLE), style);
    EXPECT_EQ(GetWindowRgn(plain.Wnd, rgn), ERROR);
    EXPECT_EQ(plain.Client().cx, client.cx);
    EXPECT_EQ(plain.Client().cy, client.cy);
}

TEST_F(LifeTest, WindowWithoutCaptionGetsNoFrame) {
    TPlainWindow plain(WS_POPUP | WS_VISIBLE);
    TWinSkinForm skin;
    skin.InitDlg(&Data(), plain.Wnd);
    SendMessageW(plain.Wnd, WM_SKINACTIVATE, 0, 1000);
    EXPECT_EQ(skin.BorderStyle, sbsNone);
    EXPECT_EQ(skin.Frame.Top, 0);
    EXPECT_EQ(plain.Client().cx, 300);
    EXPECT_EQ(plain.Client().cy, 200);
}

TEST_F(LifeTest, TextChangeThatFreesTheWindowWhilePumpingIsSurvived) {
    auto plain = std::make_unique<TPlainWindow>();
    auto skin = std::make_unique<TWinSkinForm>();
    skin->InitDlg(&Data(), plain->Wnd);
    SendMessageW(plain->Wnd, WM_SKINACTIVATE, 0, 1000);
    skin->IsUnicode = false; // the path that lets pending messages run
    Log.OnApp = [&] {
        skin.reset();
        DestroyWindow(plain->Wnd);
    };
    PostMessageW(plain->Wnd, WM_APP, 0, 0);
    SetWindowTextW(plain->Wnd, L"new text");
    Log.OnApp = nullptr;
    EXPECT_EQ(skin, nullptr);
    EXPECT_FALSE(IsWindow(plain->Wnd));
}

TEST_F(LifeTest, TextChangeOfAMaximizedWindowRepaintsItsOwnFrame) {
    SendMessageW(Wnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    PumpFor(20);
    int titles = Skin().TitleCompositions;
    std::string caption = MainForm->Caption();
    MainForm->SetCaption("maximized caption");
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_SKINMDIREPAINT, WM_SKINMDIREPAINT, PM_REMOVE));
    EXPECT_GT(Skin().TitleCompositions, titles);
    MainForm->SetCaption(caption);
    SendMessageW(Wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
}

TEST_F(LifeTest, ResizingLeavesNoObjectsBehind) {
    int i = 0;
    ExpectFlatCounts(
        [&] {
            ++i;
            SetWindowPos(Wnd(), nullptr, 0, 0, 700 + i % 7, 500 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
            PumpFor(0);
        },
        200);
    SendMessageW(Wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Skin().ResizeForm(false);
}

TEST_F(LifeTest, ActivationChangesLeaveNoObjectsBehind) {
    bool mine = true;
    ExpectFlatCounts(
        [&] {
            mine = !mine;
            SetActiveWindow(mine ? Wnd() : OtherWindow());
            PumpFor(0);
        },
        200);
}

namespace {

// A system dialog box with one button, 200 pixels wide.
struct TDialogBox {
    HWND Wnd, Button;
    explicit TDialogBox(const wchar_t* caption) {
        Wnd = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", caption,
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 80, 80, 200,
                              120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        Button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 60, 40, 75, 23, Wnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    ~TDialogBox() { DestroyWindow(Wnd); }
    int Width() const {
        RECT r{};
        GetWindowRect(Wnd, &r);
        return r.right - r.left;
    }
    int ButtonLeft() const {
        RECT r{};
        GetWindowRect(Button, &r);
        MapWindowPoints(nullptr, Wnd, reinterpret_cast<POINT*>(&r), 2);
        return r.left;
    }
};

} // namespace

TEST_F(LifeTest, DialogBoxGrowsToItsCaptionAndKeepsItsControlsCentred) {
    TDialogBox box(L"连接设备 — a dialog box caption that is far wider than the box itself");
    RECT client{};
    GetClientRect(box.Wnd, &client);
    TWinSkinForm skin;
    skin.InitDlg(&Data(), box.Wnd);
    SendMessageW(box.Wnd, WM_SKINACTIVATE, 0, 1000);
    ASSERT_TRUE(skin.IsDialogBox);
    const RECT& m = Data().Title->Margins;
    int plain = client.right + skin.Frame.Left + skin.Frame.Right;
    // The text's room lies between the margins, right of the icon and left of the close button.
    RECT icon{}, close{};
    for (auto& b : skin.SysButtons)
        if (b->Visible) (b->BoundsRect.left < box.Width() / 2 ? icon : close) = b->BoundsRect;
    ASSERT_GT(close.left, 0);
    int needed = std::max<int>(icon.right, skin.Frame.Left) + m.left + skin.CaptionTextWidth + m.right +
                 (box.Width() - close.left);
    ASSERT_GT(needed, plain);
    EXPECT_EQ(box.Width(), needed);
    EXPECT_EQ(box.ButtonLeft(), 60 + (needed - plain) / 2);
}

TEST_F(LifeTest, DialogBoxWhoseCaptionFitsKeepsItsClientAndControls) {
    TDialogBox box(L"OK");
    RECT before{}, after{};
    GetClientRect(box.Wnd, &before);
    TWinSkinForm skin;
    skin.InitDlg(&Data(), box.Wnd);
    SendMessageW(box.Wnd, WM_SKINACTIVATE, 0, 1000);
    GetClientRect(box.Wnd, &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(box.ButtonLeft(), 60);
}

namespace {

// What one window went through during a resize: client erases, and frame paints through a region
// made for another size.
struct TResizeWatch {
    HWND Wnd = nullptr;
    int Erases = 0, ClippedFramePaints = 0;
} Watch;

LRESULT CALLBACK WatchResize(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (call->hwnd == Watch.Wnd && call->message == WM_ERASEBKGND) ++Watch.Erases;
    if (call->hwnd == Watch.Wnd && call->message == WM_NCPAINT) {
        RECT window{}, box{};
        GetWindowRect(call->hwnd, &window);
        TGdiHandle<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(call->hwnd, rgn) != ERROR) GetRgnBox(rgn, &box);
        if (box.right != window.right - window.left || box.bottom != window.bottom - window.top)
            ++Watch.ClippedFramePaints;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct TCallHook {
    HHOOK Hook;
    ~TCallHook() { UnhookWindowsHookEx(Hook); }
};

} // namespace

// The region follows the new size before the frame is painted, so a growing window's new strips are
// not clipped away, and setting it does not erase the client a second time.
TEST_F(LifeTest, ResizePaintsTheFrameThroughTheNewRegionAndErasesOnce) {
    TPlainWindow plain;
    TWinSkinForm skin;
    skin.InitDlg(&Data(), plain.Wnd);
    SendMessageW(plain.Wnd, WM_SKINACTIVATE, 0, 1000);
    for (SIZE s : {SIZE{260, 180}, SIZE{420, 300}}) {
        SCOPED_TRACE(s.cx);
        Watch = {plain.Wnd};
        TCallHook hook{SetWindowsHookExW(WH_CALLWNDPROC, WatchResize, nullptr, GetCurrentThreadId())};
        SetWindowPos(plain.Wnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_LE(Watch.Erases, 1);
        EXPECT_EQ(Watch.ClippedFramePaints, 0);
    }
}
