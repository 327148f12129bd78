// The skinner base and the control list: attaching and giving back, the private messages, the
// destroyed-window state, repainting only live windows, the click's redraw switch and its timer,
// and resources over many attach/detach cycles.
#include "ControlsTest.h"
#include "SkinButton.h"
#include "SkinCheckBox.h"
#include "SubClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

struct TProbeKind {
    static constexpr wchar_t Property[] = L"QlTestProbe";
};

// A subclass that counts the messages reaching it.
struct TProbe {
    std::vector<UINT> Seen;
    std::vector<WPARAM> Timers;
    TSubclassOf<TProbeKind> Subclass;
    explicit TProbe(HWND wnd) {
        Subclass.OnMessage.Code = [this](TMessage& m) {
            Seen.push_back(m.Msg);
            if (m.Msg == WM_TIMER) Timers.push_back(m.WParam);
            Subclass.CallPrevious(m);
        };
        Subclass.Attach(wnd);
    }
    bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }
};

struct TSkinnerBase : ::testing::Test {
    TSkinData& Skin = DefaultSkin();
    void SetUp() override { ASSERT_FALSE(Skin.SkinPending) << "the default skin did not load"; }
    TOwned<TForm> Form = ShownForm();
    TOwned<TSkinControlList> List{new TSkinControlList(nullptr, &Skin)};

    bool Identical(TBitmap& a, TBitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
        for (int y = 0; y < a.Height(); y++)
            for (int x = 0; x < a.Width(); x++)
                if (Px(a, x, y) != Px(b, x, y)) return false;
        return true;
    }
};

} // namespace

TEST_F(TSkinnerBase, DetachingGivesBackProcedureAndLook) {
    TButton* b = AddControl<TButton>(*Form, 10, 10, 89, 25, "Read");
    TCheckBox* cb = AddControl<TCheckBox>(*Form, 10, 50, 120, 21, "Check");
    auto* rb = AddControl<TRadioButton>(*Form, 10, 80, 120, 21, "Radio");
    HWND bare = AddBareWindow(Form->Handle(), L"BUTTON", BS_PUSHBUTTON, 150, 10, 89, 25, L"Bare");
    LONG_PTR bareProc = GetWindowLongPtrW(bare, GWLP_WNDPROC);
    const std::vector<HWND> windows{b->Handle(), cb->Handle(), rb->Handle(), bare};
    SetFocus(Form->Handle());
    std::vector<TBitmap> plain(windows.size()), skinned(windows.size()), after(windows.size());
    for (size_t i = 0; i < windows.size(); i++)
        Snapshot(windows[i], plain[i]);

    List->InitControls(Form.get());
    List->InitHwndControls(Form->Handle());
    ASSERT_EQ(List->Count(), 4);
    EXPECT_EQ(b->WindowProc.Data, List->FindSkinner(b));
    for (size_t i = 0; i < windows.size(); i++) {
        Snapshot(windows[i], skinned[i]);
        EXPECT_FALSE(Identical(plain[i], skinned[i])) << i;
    }

    List->DeleteControls();
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(b->WindowProc.Data, b);
    EXPECT_EQ(cb->WindowProc.Data, cb);
    EXPECT_EQ(GetWindowLongPtrW(bare, GWLP_WNDPROC), bareProc);
    for (size_t i = 0; i < windows.size(); i++) {
        Snapshot(windows[i], after[i]);
        EXPECT_TRUE(Identical(plain[i], after[i])) << i;
    }
    DestroyWindow(bare);
}

TEST_F(TSkinnerBase, SkinOnOffAndTheSkinnedQueryNeverReachTheControl) {
    HWND wnd = AddBareWindow(Form->Handle(), L"BUTTON", BS_PUSHBUTTON, 10, 10, 89, 25, L"Probe");
    TBitmap plain, off, on;
    Snapshot(wnd, plain);
    TProbe probe(wnd);
    List->InitHwndControls(Form->Handle());
    TSkinControl* s = List->FindSkinner(wnd);
    ASSERT_TRUE(s);
    EXPECT_EQ(SendMessageW(wnd, WM_SKINQUERY, 0, 0), 1);
    SendMessageW(wnd, WM_SKINONOFF, 0, 0);
    EXPECT_FALSE(s->Active);
    Snapshot(wnd, off);
    EXPECT_TRUE(Identical(plain, off)); // the control paints itself again
    EXPECT_EQ(SendMessageW(wnd, WM_SKINQUERY, 0, 0), 0);
    SendMessageW(wnd, WM_SKINONOFF, 1, 0);
    EXPECT_TRUE(s->Active);
    Capture(wnd, on); // repainted at once
    EXPECT_FALSE(Identical(plain, on));
    EXPECT_FALSE(probe.Saw(WM_SKINONOFF));
    EXPECT_TRUE(probe.Saw(WM_SKINQUERY)); // only while switched off

    SendMessageW(wnd, WM_SKINONOFF, 0, 0);
    DestroyWindow(wnd); // switched off, it still learns that the window is gone
    EXPECT_EQ(s->Status, ssDeleted);
    List->DeleteSkinDeleted();
    EXPECT_EQ(List->Count(), 0);
}

namespace {
// The base's text helpers, opened up.
struct TTextSkinner : TSkinControl {
    using TSkinControl::DrawCaption;
    using TSkinControl::MyDrawCaption;
    using TSkinControl::TSkinControl;
};

// The box around the pixels that are not white, and whether they are all of `only` (when given).
RECT Ink(TBitmap& bmp, TColor only, bool& allOnly) {
    RECT box{bmp.Width(), bmp.Height(), 0, 0};
    allOnly = true;
    for (int y = 0; y < bmp.Height(); y++)
        for (int x = 0; x < bmp.Width(); x++) {
            TColor c = Px(bmp, x, y);
            if (c == clWhite) continue;
            allOnly = allOnly && c == only;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        }
    return box;
}
} // namespace

TEST(SkinnerText, CaptionsAreCentredAndGreyWhenDisabled) {
    TTextSkinner s(nullptr);
    TBitmap bmp;
    SolidBitmap(bmp, 120, 40, clWhite);
    RECT all{0, 0, 120, 40};
    s.MyDrawCaption(bmp.Canvas(), all, u"Centre", false, taCenter);
    bool grey = false;
    RECT ink = Ink(bmp, ColorToRGB(clBtnShadow), grey);
    EXPECT_TRUE(grey);
    EXPECT_LE(std::abs(int(ink.left - (120 - ink.right))), 5); // ink is narrower than the advance
    EXPECT_LE(std::abs(int(ink.top - (40 - ink.bottom))), 3);

    SolidBitmap(bmp, 120, 40, clWhite);
    s.DrawCaption(bmp.Canvas(), {10, 0, 120, 40}, u"Left", true, DT_LEFT);
    ink = Ink(bmp, clBlack, grey);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 12); // keeps the rectangle's left
}

TEST_F(TSkinnerBase, DestroyedWindowLeavesTheSkinnerDeletedWithItsColourBack) {
    TCheckBox* cb = AddControl<TCheckBox>(*Form, 10, 50, 120, 21, "Check");
    cb->SetColor(clYellow);
    auto* s = new TSkinCheckBox(cb);
    s->Init(List.get(), &Skin, &List->ControlCanvas, true);
    EXPECT_EQ(cb->Color(), Skin.Colors[csButtonFace]);
    s->Init(List.get(), &Skin, &List->ControlCanvas, true); // a second Init keeps the saved colour
    EXPECT_EQ(s->SavedColor, clYellow);
    EXPECT_FALSE(List->AddControlList(s) == false); // listed once already

    HWND wnd = cb->Handle();
    DestroyWindow(wnd);
    EXPECT_EQ(s->Status, ssDeleted);
    EXPECT_FALSE(s->Active);
    EXPECT_EQ(cb->Color(), clYellow);

    s->Invalidate(); // nothing to repaint: no error, no other window touched
    List->DeleteSkinDeleted();
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(cb->WindowProc.Data, cb);
}

TEST_F(TSkinnerBase, InvalidateWithoutAWindowRepaintsNothing) {
    auto* s = new TSkinButton(List.get()); // never attached: handle 0
    UpdateWindow(Form->Handle());
    Pump();
    s->Invalidate();
    RECT dirty;
    EXPECT_FALSE(GetUpdateRect(Form->Handle(), &dirty, FALSE)); // not the whole desktop
    s->Free();
}

TEST_F(TSkinnerBase, ReleasedUnderAnotherSubclassTheChainStaysWhole) {
    HWND wnd = AddBareWindow(Form->Handle(), L"BUTTON", BS_PUSHBUTTON, 10, 10, 89, 25, L"Chain");
    LONG_PTR own = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    List->InitHwndControls(Form->Handle());
    {
        TProbe top(wnd); // subclassed above the skinner
        List->DeleteControls();
        EXPECT_EQ(SendMessageW(wnd, WM_SKINQUERY, 0, 0), 0);
        EXPECT_EQ(SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0), 5);
        EXPECT_TRUE(top.Saw(WM_GETTEXTLENGTH));
    }
    SendMessageW(wnd, WM_NULL, 0, 0); // the skinner's place leaves the chain once it is on top
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), own);

    // the same for a framework control whose WindowProc someone swapped after the skinner
    TButton* b = AddControl<TButton>(*Form, 10, 50, 89, 25, "Swap");
    List->InitControls(Form.get());
    TWndMethod below = b->WindowProc;
    int seen = 0;
    b->WindowProc.Data = Form.get(); // someone else's handler now
    b->WindowProc.Code = [&](TMessage& m) {
        ++seen;
        below(m);
    };
    List->DeleteControls();
    EXPECT_EQ(b->Perform(WM_SKINQUERY), 0);
    EXPECT_EQ(b->Perform(WM_GETTEXTLENGTH), 4);
    EXPECT_EQ(seen, 2);
    b->WindowProc = below; // the handler above refers to this block's variables
    DestroyWindow(wnd);
}

TEST_F(TSkinnerBase, ClickRedrawKeepsAHiddenButtonHiddenAndOnlyItsOwnTimer) {
    TButton* hides = AddControl<TButton>(*Form, 10, 10, 89, 25, "Hide");
    TButton* stays = AddControl<TButton>(*Form, 10, 50, 89, 25, "Stay");
    TButton* slow = AddControl<TButton>(*Form, 10, 90, 89, 25, "Slow");
    hides->OnClick.Code = [&](TObject*) { hides->Hide(); };
    bool visibleDuringClick = false;
    slow->OnClick.Code = [&](TObject*) { // a click handler that runs a loop of its own
        DWORD until = GetTickCount() + 300;
        while (GetTickCount() < until && !visibleDuringClick) {
            Pump();
            visibleDuringClick = IsWindowVisible(slow->Handle());
            Sleep(10);
        }
    };
    List->InitControls(Form.get());
    auto click = [](TButton* b) {
        SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };
    click(stays);
    click(hides);
    Pump();
    EXPECT_TRUE(IsWindowVisible(stays->Handle()));
    EXPECT_FALSE(IsWindowVisible(hides->Handle()));
    EXPECT_FALSE(hides->Visible());

    // the safety timer shows the button again while its click is still running
    HWND wnd = slow->Handle();
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(visibleDuringClick);
    EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST_F(TSkinnerBase, ClickHandlerMayUnskinOrFreeTheButton) {
    TButton* unskins = AddControl<TButton>(*Form, 10, 10, 89, 25, "Plain");
    TButton* frees = AddControl<TButton>(*Form, 10, 50, 89, 25, "Gone");
    unskins->OnClick.Code = [&](TObject*) { List->DeleteControls(); };
    frees->OnClick.Code = [&](TObject*) { frees->Free(); };
    List->InitControls(Form.get());
    HWND wnd = unskins->Handle();
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(List->Count(), 0);
    EXPECT_TRUE(IsWindowVisible(wnd)); // the skinner gave back what the click took

    List->InitControls(Form.get());
    HWND gone = frees->Handle();
    SendMessageW(gone, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(gone, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(List->FindSkinner(gone), nullptr);
}

TEST_F(TSkinnerBase, OtherTimersPassThrough) {
    HWND wnd = AddBareWindow(Form->Handle(), L"BUTTON", BS_PUSHBUTTON, 10, 10, 89, 25, L"Timer");
    TProbe probe(wnd); // below the skinner
    List->InitHwndControls(Form->Handle());
    SendMessageW(wnd, WM_TIMER, 1, 0);
    SendMessageW(wnd, WM_TIMER, RedrawTimerId, 0);
    EXPECT_EQ(probe.Timers, std::vector<WPARAM>{1});
    List->DeleteControls();
    DestroyWindow(wnd);
}

TEST_F(TSkinnerBase, ListKeepsEachSkinnerOnceAndForgetsTheHoveredOne) {
    TButton* b = AddControl<TButton>(*Form, 10, 10, 89, 25, "B");
    List->InitControls(Form.get());
    List->InitControls(Form.get()); // a control with a skinner gets no second one
    ASSERT_EQ(List->Count(), 1);
    TSkinControl* s = List->Items(0);
    EXPECT_TRUE(List->AddControlList(s));
    EXPECT_EQ(List->Count(), 1);
    List->HoverControl = s;
    List->DeleteControl(s);
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(List->HoverControl, nullptr);
    EXPECT_FALSE(List->AddControlList(s));
    List->SkinChange();
    EXPECT_EQ(s->Status, ssAttached);
    b->Free(); // the control frees its skinner, which leaves the list
    EXPECT_EQ(List->Count(), 0);
}

TEST(SkinnerResources, AttachDetachCyclesLeaveNothing) {
    TSkinData& skin = DefaultSkin();
    ExpectNoLeaks([&] {
        TOwned<TForm> form = ShownForm();
        HWND button = AddControl<TButton>(*form, 10, 10, 89, 25, "Read")->Handle();
        AddControl<TCheckBox>(*form, 10, 50, 120, 21, "Check");
        AddControl<TRadioButton>(*form, 10, 80, 120, 21, "Radio");
        AddControl<TSpeedButton>(*form, 150, 80, 60, 25, "Speed");
        HWND bare = AddBareWindow(form->Handle(), L"BUTTON", BS_AUTOCHECKBOX, 150, 10, 89, 25, L"Bare");
        TOwned<TSkinControlList> list(new TSkinControlList(nullptr, &skin));
        list->InitControls(form.get());
        list->InitHwndControls(form->Handle());
        UpdateWindow(form->Handle());
        SendMessageW(button, WM_MOUSEMOVE, 0, 0);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(button, WM_LBUTTONUP, 0, 0);
        Pump();
        list->DeleteControls();
        DestroyWindow(bare);
    });
}
