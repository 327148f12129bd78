// Scroll bars skinned: overlays show the skin's arrows, track and thumb over the native bars, follow
// their control, and pass presses on so that the control scrolls as it would without the skin.
#include "SkinComboBox.h"
#include "SkinScControl.h"
#include "SkinScrollbar.h"
#include "SkinnedFormTest.h"
#include "StdCtrls.h"

#include <string>

namespace {

constexpr int ArrowFrames = 23;

// Runs `during` once from inside the modal loop a press starts, then lets the button up.
struct TDuringPress {
    static inline std::function<void()> During;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (auto f = std::exchange(During, nullptr)) f();
    }
};

class TScrollTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        Memo = Add<TMemo>(10, 10, 160, 120);
        Memo->SetScrollBars(ssVertical);
        Memo->SetWordWrap(false);
        Form->Show();
        Pump();
    }
    // Lines added, the memo scrolled back to its first one.
    void AddLines(int n) {
        for (int i = 0; i < n; i++)
            Memo->Lines().Add("line " + std::to_string(i));
        SendMessageW(Memo->Handle(), WM_VSCROLL, SB_TOP, 0);
        Pump();
    }
    int FirstLine() const { return int(SendMessageW(Memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }

    TBitmap& Strip() { return SkinData->Scrollbar->Image; }
    int Arrow() const { return GetSystemMetrics(SM_CXHSCROLL); }
    // The frame of the arrow strip a square of the overlay shows (0: none matches).
    int StripFrameAt(HWND Overlay, int along, bool vertical = true) {
        RECT r =
            vertical ? RECT{0, along, Arrow(), along + Arrow()} : RECT{along, 0, along + Arrow(), Arrow()};
        return BestFrame(Capture(Overlay), r, Strip(), ArrowFrames);
    }
    int BarLength(HWND Overlay) {
        RECT r;
        GetClientRect(Overlay, &r);
        return r.bottom;
    }
    // Where the thumb's grip is: the square of the overlay's bar that shows a grip frame.
    int GripAt(HWND Overlay, int frame) {
        TCapture c = Capture(Overlay);
        for (int y = Arrow(); y + Arrow() <= c.H - Arrow(); y++) {
            RECT r{0, y, Arrow(), y + Arrow()};
            if (StretchedMatch(c, r, Strip(), frame, ArrowFrames) == 1.0) return y;
        }
        return -1;
    }
    // The top-left margin of the thumb, 1:1 from frame `frame` of the thumb strip (magenta aside).
    int ThumbCornerMismatches(HWND Overlay, int frame) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        GetScrollBarInfo(Memo->Handle(), OBJID_VSCROLL, &info);
        TDataSkinObject& thumb = *SkinData->VertScrollThumb;
        const int fw = thumb.Image.Width() / thumb.Frame, x0 = fw * (frame - 1);
        TCapture c = Capture(Overlay);
        int bad = 0;
        for (int y = 0; y < thumb.Margins.top; y++)
            for (int x = 0; x < thumb.Margins.left; x++) {
                COLORREF want = ImagePixel(thumb.Image, x0 + x, y);
                bad += want != RGB(255, 0, 255) && c.At(x, info.xyThumbTop + y) != want;
            }
        return bad;
    }
    // A press on the overlay at (x, y); `during` runs inside the control's tracking, after `hold` ms.
    void Press(HWND Overlay, int x, int y, int hold, std::function<void()> during = {}) {
        POINT at{x, y};
        ClientToScreen(Overlay, &at);
        SetCursorPos(at.x, at.y);
        TDuringPress::During = [during] {
            if (during) during();
            POINT p;
            GetCursorPos(&p);
            HWND tracking = GetCapture();
            ScreenToClient(tracking, &p);
            PostMessageW(tracking, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            PostMessageW(tracking, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        };
        SetTimer(nullptr, 0, UINT(hold), TDuringPress::Tick);
        SendMessageW(Overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Pump();
    }
    HWND VertOverlay(TSkinScrollbar* s) { return s->Bars.VertBar->Handle(); }

    TMemo* Memo = nullptr;
};

// Giving the memo its bar makes its window anew: the skinner stays and its overlay follows.
TEST_F(TScrollTest, TheOverlayShowsWhenTheMemoGainsItsBarAndGoesWhenItLosesIt) {
    Memo->SetScrollBars(ssNone);
    auto* s = Skin<TSkinScrollbar>(Memo);
    EXPECT_FALSE(s->Bars.VertBar->Shown());
    EXPECT_FALSE(IsWindowVisible(VertOverlay(s)));
    Memo->SetScrollBars(ssVertical);
    AddLines(40);
    ASSERT_TRUE(s->Bars.VertBar->Shown());
    EXPECT_TRUE(IsWindowVisible(VertOverlay(s)));
    RECT over, memo;
    GetWindowRect(VertOverlay(s), &over);
    GetWindowRect(Memo->Handle(), &memo);
    EXPECT_EQ(over.right, memo.right - 2) << "over the native bar, inside the border";
    EXPECT_EQ(over.bottom - over.top, memo.bottom - memo.top - 4);
    EXPECT_FALSE(s->Bars.HorzBar->Shown());
    Memo->SetScrollBars(ssNone);
    Pump();
    EXPECT_FALSE(IsWindowVisible(VertOverlay(s)));
}

TEST_F(TScrollTest, TheOverlayFollowsTheMemoWhenItMovesResizesAndHides) {
    AddLines(40);
    auto* s = Skin<TSkinScrollbar>(Memo);
    Memo->SetBounds(60, 40, 200, 150);
    Pump();
    RECT over, memo;
    GetWindowRect(VertOverlay(s), &over);
    GetWindowRect(Memo->Handle(), &memo);
    EXPECT_EQ(over.right, memo.right - 2);
    EXPECT_EQ(over.top, memo.top + 2);
    EXPECT_EQ(over.bottom, memo.bottom - 2);
    Memo->SetVisible(false);
    Pump();
    EXPECT_FALSE(IsWindowVisible(VertOverlay(s)));
    Memo->SetVisible(true);
    Pump();
    EXPECT_TRUE(IsWindowVisible(VertOverlay(s)));
}

TEST_F(TScrollTest, ArrowsTrackAndThumbAreTheSkinsFrames) {
    AddLines(12); // a thumb long enough for its grip
    auto* s = Skin<TSkinScrollbar>(Memo);
    HWND o = VertOverlay(s);
    Repaint(o);
    const int len = BarLength(o);
    EXPECT_EQ(StripFrameAt(o, 0), 9) << "up arrow, normal";
    EXPECT_EQ(StripFrameAt(o, len - Arrow()), 13) << "down arrow, normal";
    EXPECT_GE(GripAt(o, 20), Arrow()) << "the grip on the thumb, normal";
    EXPECT_EQ(ThumbCornerMismatches(o, 1), 0) << "the thumb's fitted corner";
    SendMessageW(o, WM_MOUSEMOVE, 0, MAKELPARAM(5, GripAt(o, 20) + 3));
    EXPECT_GE(GripAt(o, 22), Arrow()) << "the grip, hot";
    EXPECT_EQ(ThumbCornerMismatches(o, 3), 0) << "the thumb, hot";
    SendMessageW(o, WM_MOUSELEAVE, 0, 0);
    // the track below the thumb: the track strip's first frame, stretched along the bar
    RECT track{0, len - Arrow() - 8, Arrow(), len - Arrow()};
    EXPECT_EQ(BestFrame(Capture(o), track, SkinData->VertScroll->Image, SkinData->VertScroll->Frame), 1);
}

TEST_F(TScrollTest, HoverAndPressShowTheirFrames) {
    AddLines(40);
    auto* s = Skin<TSkinScrollbar>(Memo);
    HWND o = VertOverlay(s);
    const int len = BarLength(o);
    SendMessageW(o, WM_MOUSEMOVE, 0, MAKELPARAM(5, len - 5));
    EXPECT_EQ(StripFrameAt(o, len - Arrow()), 16) << "down arrow, hot";
    EXPECT_EQ(StripFrameAt(o, 0), 9);
    SendMessageW(o, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(StripFrameAt(o, len - Arrow()), 13);
    int during = 0;
    Press(o, 5, len - 5, 50, [&] { during = StripFrameAt(o, len - Arrow()); });
    EXPECT_EQ(during, 14) << "down arrow, pressed";
    EXPECT_NE(StripFrameAt(o, len - Arrow()), 14) << "released";
}

TEST_F(TScrollTest, ArrowPageClicksAndTheWheelScrollTheMemo) {
    AddLines(60);
    auto* s = Skin<TSkinScrollbar>(Memo);
    HWND o = VertOverlay(s);
    const int len = BarLength(o);
    Press(o, 5, len - 5, 1);
    EXPECT_EQ(FirstLine(), 1) << "one line for a short click";
    Press(o, 5, len - 5, 700);
    EXPECT_GT(FirstLine(), 3) << "the held arrow repeats";
    const int held = FirstLine();
    SendMessageW(o, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump();
    const int before = FirstLine();
    EXPECT_GT(before, held) << "the wheel over the bar scrolls the memo";
    Press(o, 5, len - Arrow() - 2, 1);
    const int paged = FirstLine();
    EXPECT_GT(paged, before + 3) << "a page down";
    Press(o, 5, 2, 1);
    EXPECT_EQ(FirstLine(), paged - 1) << "and a line up";
}

TEST_F(TScrollTest, ADraggedThumbStaysBetweenTheArrowsAndTheMemoFollows) {
    AddLines(16);
    auto* s = Skin<TSkinScrollbar>(Memo);
    HWND o = VertOverlay(s);
    const int len = BarLength(o);
    const int grip = GripAt(o, 20);
    ASSERT_GT(grip, 0);
    RECT bar;
    GetWindowRect(o, &bar);
    int dragged = -1;
    // past the end, but near enough to the bar that the system keeps the drag
    Press(o, 5, grip + 3, 50, [&] {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, bar.bottom + 20);
        RedrawWindow(o, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        dragged = GripAt(o, 21);
    });
    EXPECT_GT(dragged, len / 2) << "the pressed grip sits at the end of the track";
    EXPECT_LE(dragged + Arrow(), len - Arrow());
    const int last = FirstLine();
    EXPECT_GT(last, 5) << "the memo scrolled to its end";
    const int end = GripAt(o, 20);
    Press(o, 5, end + 3, 50, [&] {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, bar.top - 20);
        RedrawWindow(o, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        dragged = GripAt(o, 21);
    });
    EXPECT_GE(dragged, Arrow()) << "clamped at the first arrow";
    EXPECT_LT(dragged, Arrow() + 20);
    EXPECT_EQ(FirstLine(), 0);
}

TEST_F(TScrollTest, TheCornerBetweenTwoBarsIsTheFaceColour) {
    Memo->SetScrollBars(ssBoth);
    for (int i = 0; i < 40; i++)
        Memo->Lines().Add(std::string(80, 'x'));
    Pump();
    auto* s = Skin<TSkinScrollbar>(Memo);
    Repaint(Memo->Handle());
    ASSERT_TRUE(s->Bars.HorzBar->Shown());
    ASSERT_TRUE(s->Bars.VertBar->Shown());
    TCapture c = Capture(Memo->Handle());
    EXPECT_EQ(c.At(c.W - 4, c.H - 4), SkinColor(csButtonFace));
    EXPECT_EQ(c.At(0, 0), SkinColor(csButtonShadow)) << "the flat border";
    EXPECT_EQ(c.At(1, 1), SkinColor(csButtonFace));
}

TEST_F(TScrollTest, AScrollBarControlIsCoveredAndClicksMoveIt) {
    auto* bar = Add<TScrollBar>(10, 150, 200, 17);
    bar->SetParams(50, 0, 100);
    Pump();
    auto* s = Skin<TSkinScControl>(bar);
    HWND o = s->Bar->Handle();
    ASSERT_TRUE(IsWindowVisible(o));
    RECT over, own;
    GetWindowRect(o, &over);
    GetWindowRect(bar->Handle(), &own);
    EXPECT_TRUE(EqualRect(&over, &own));
    Repaint(o);
    EXPECT_EQ(StripFrameAt(o, 0, false), 1) << "left arrow";
    EXPECT_EQ(StripFrameAt(o, 200 - Arrow(), false), 5) << "right arrow";
    for (int x : {5, 190, 190}) { // the button comes up at once: one step each
        PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
        SendMessageW(o, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
        Pump();
    }
    EXPECT_EQ(bar->Position(), 51);
}

// A range with nothing to scroll would have divided by zero when the thumb was placed.
TEST_F(TScrollTest, AnEmptyRangeDrawsWithoutAThumbPlaceToDivideBy) {
    auto* bar = Add<TScrollBar>(10, 150, 200, 17);
    bar->SetParams(5, 5, 5);
    HWND bare = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 300, 20, 17, 150,
                                Form->Handle(), nullptr, nullptr, nullptr);
    SendMessageW(bare, SBM_SETRANGE, 3, 3);
    Pump();
    auto* s = Skin<TSkinScControl>(bar);
    auto* h = new TSkinScControl(List.get());
    h->Inithwnd(bare, SkinData.get(), &List->ControlCanvas, List.get());
    Repaint(Form->Handle());
    EXPECT_EQ(StripFrameAt(s->Bar->Handle(), 0, false), 1);
    EXPECT_EQ(StripFrameAt(h->Bar->Handle(), 0), 9);
    EXPECT_EQ(StripFrameAt(h->Bar->Handle(), 150 - Arrow()), 13);
}

TEST_F(TScrollTest, AUnicodeListBoxKeepsItsTextWhileSkinned) {
    const wchar_t* text = L"\u8BF7\u5148\u8FDE\u63A5\uFF01"; // not in the ANSI code page of the tests
    HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 200, 10,
                               150, 120, Form->Handle(), nullptr, nullptr, nullptr);
    SendMessageW(box, LB_ADDSTRING, 0, LPARAM(text));
    LONG_PTR own = GetWindowLongPtrW(box, GWLP_WNDPROC);
    auto* s = new TSkinScrollbarH(List.get());
    s->Inithwnd(box, SkinData.get(), &List->ControlCanvas, List.get());
    EXPECT_TRUE(IsWindowUnicode(box));
    EXPECT_FALSE(s->Bars.VertBar->Shown()) << "one line needs no bar";
    for (int i = 0; i < 30; i++)
        SendMessageW(box, LB_ADDSTRING, 0, LPARAM(text));
    Pump();
    wchar_t got[32] = {};
    SendMessageW(box, LB_GETTEXT, 0, LPARAM(got));
    EXPECT_STREQ(got, text);
    SendMessageW(box, LB_GETTEXT, 30, LPARAM(got));
    EXPECT_STREQ(got, text);
    EXPECT_TRUE(s->Bars.VertBar->Shown()) << "the bar appears when the list needs it";
    List->DeleteControls();
    EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), own);
}

TEST_F(TScrollTest, ADroppedDownListHasItsBarSkinned) {
    auto* combo = Add<TComboBox>(200, 10, 120, 23);
    combo->SetStyle(csDropDownList);
    for (int i = 0; i < 40; i++)
        combo->Items().Add("item " + std::to_string(i));
    Pump();
    auto* s = Skin<TSkinComBox>(combo);
    ASSERT_TRUE(s->ListScrollbar);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    TWScrollbar& bar = *s->ListScrollbar->Bars.VertBar;
    ASSERT_TRUE(bar.Shown());
    EXPECT_TRUE(IsWindowVisible(bar.Handle()));
    Repaint(bar.Handle());
    EXPECT_EQ(StripFrameAt(bar.Handle(), 0), 9);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));
}

TEST_F(TScrollTest, DetachingGivesBackThePlainLook) {
    AddLines(40);
    Repaint(Form->Handle());
    TCapture plain = Capture(Memo->Handle());
    const void* own = Memo->WindowProc.Data;
    auto* s = Skin<TSkinScrollbar>(Memo);
    HWND o = VertOverlay(s);
    Repaint(Form->Handle());
    ASSERT_NE(Capture(Memo->Handle()), plain);
    List->DeleteControls();
    Repaint(Form->Handle());
    EXPECT_FALSE(IsWindow(o));
    EXPECT_EQ(Capture(Memo->Handle()), plain);
    EXPECT_EQ(Memo->WindowProc.Data, own);
}

TEST_F(TScrollTest, TwoHundredAttachDetachRoundsLeaveNothing) {
    AddLines(40);
    auto* bar = Add<TScrollBar>(10, 150, 200, 17);
    Pump();
    ExpectFlatCounts(
        [&] {
            Skin<TSkinScrollbar>(Memo);
            Skin<TSkinScControl>(bar);
            List->DeleteControls();
        },
        200);
}

} // namespace
