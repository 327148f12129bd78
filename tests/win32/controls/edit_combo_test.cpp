// Edits and combo boxes skinned: the flat frame and the drop-down button are the skin's, the
// control's own text, caret, typing and drop-down list work as without the skin.
#include "SkinnedFormTest.h"
#include "SkinComboBox.h"
#include "SkinEdit.h"
#include "StdCtrls.h"

namespace {

class TEditComboTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        Edit = Add<TEdit>(10, 10, 120, 23);
        Edit->SetText("Text 123");
        Combo = Add<TComboBox>(10, 50, 120, 23);
        Combo->SetStyle(csDropDownList);
        for (const char* item : {"one", "two", "three"})
            Combo->Items().Add(item);
        Combo->SetItemIndex(0);
        Form->Show();
        Pump();
    }
    // The drop-down button's face: ComboButton frame width at the right, 2 pixels inside.
    RECT ButtonFace(HWND Wnd) {
        RECT r;
        GetWindowRect(Wnd, &r);
        OffsetRect(&r, -r.left, -r.top);
        InflateRect(&r, -2, -2);
        TBitmap& img = SkinData->ComboButton->Image;
        r.left = r.right - img.Width() / SkinData->ComboButton->Frame;
        if (img.Height() < GetSystemMetrics(SM_CYVTHUMB)) r.bottom = r.top + img.Height();
        return r;
    }
    int ComboFrame() {
        return BestFrame(Capture(Combo->Handle()), ButtonFace(Combo->Handle()), SkinData->ComboButton->Image,
                         SkinData->ComboButton->Frame);
    }
    // Every pixel of the ring `Inset` inside the window's edge has the colour.
    bool RingIs(const TCapture& c, int inset, COLORREF color) {
        for (int x = inset; x < c.W - inset; x++)
            if (c.At(x, inset) != color || c.At(x, c.H - 1 - inset) != color) return false;
        for (int y = inset; y < c.H - inset; y++)
            if (c.At(inset, y) != color || c.At(c.W - 1 - inset, y) != color) return false;
        return true;
    }
    bool FlatFrame(HWND Wnd) {
        TCapture c = Capture(Wnd);
        return RingIs(c, 0, SkinColor(csButtonShadow)) && RingIs(c, 1, RGB(255, 255, 255)) &&
               RingIs(c, 2, RGB(255, 255, 255));
    }
    // The pixels inside the frame, where the edit draws its text.
    static std::vector<COLORREF> Inside(const TCapture& c) {
        std::vector<COLORREF> px;
        for (int y = 3; y < c.H - 3; y++)
            for (int x = 3; x < c.W - 3; x++)
                px.push_back(c.At(x, y));
        return px;
    }

    TEdit* Edit = nullptr;
    TComboBox* Combo = nullptr;
};

TEST_F(TEditComboTest, AnEditGetsTheFlatFrameAndKeepsItsTextPixels) {
    TCapture plain = Capture(Edit->Handle());
    ASSERT_FALSE(FlatFrame(Edit->Handle()));
    Skin<TSkinEdit>(Edit);
    EXPECT_TRUE(FlatFrame(Edit->Handle()));
    EXPECT_EQ(Inside(Capture(Edit->Handle())), Inside(plain));
}

TEST_F(TEditComboTest, FocusTypingAndAFrameRepaintKeepTheFrame) {
    TEdit* plain = Add<TEdit>(200, 10, 120, 23);
    Skin<TSkinEdit>(Edit);
    for (TEdit* e : {Edit, plain}) {
        e->SetText("");
        e->SetFocus();
        for (char16_t ch : std::u16string(u"ab 12"))
            SendMessageW(e->Handle(), WM_CHAR, ch, 0);
        Pump();
    }
    EXPECT_EQ(Edit->Text(), "ab 12");
    EXPECT_EQ(Edit->Text(), plain->Text());
    Edit->SetFocus();
    Pump();
    EXPECT_TRUE(FlatFrame(Edit->Handle()));
    RedrawWindow(Edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(FlatFrame(Edit->Handle()));
}

TEST_F(TEditComboTest, ABorderlessEditStaysAsTheSystemPaintsIt) {
    Edit->SetBorderStyle(TBorderStyle::bsNone);
    Pump();
    TCapture plain = Capture(Edit->Handle());
    Skin<TSkinEdit>(Edit);
    Repaint(Edit->Handle());
    EXPECT_EQ(Capture(Edit->Handle()), plain);
}

TEST_F(TEditComboTest, DetachingGivesBackThePlainLook) {
    TCapture edit = Capture(Edit->Handle()), combo = Capture(Combo->Handle());
    Skin<TSkinEdit>(Edit);
    Skin<TSkinComBox>(Combo);
    ASSERT_NE(Capture(Combo->Handle()), combo);
    List->DeleteControls();
    Repaint(Form->Handle());
    EXPECT_EQ(Capture(Edit->Handle()), edit);
    EXPECT_EQ(Capture(Combo->Handle()), combo);
}

TEST_F(TEditComboTest, TheComboButtonShowsTheStateFrames) {
    Skin<TSkinComBox>(Combo);
    EXPECT_EQ(ComboFrame(), cfNormal);
    Combo->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(ComboFrame(), cfNormal) << "entering does not repaint";
    Repaint(Combo->Handle());
    EXPECT_EQ(ComboFrame(), cfHot);
    Combo->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ComboFrame(), cfNormal) << "leaving repaints at once";
    Combo->SetFocus();
    Pump();
    EXPECT_EQ(ComboFrame(), cfHot);
    Edit->SetFocus();
    Combo->SetEnabled(false);
    Pump();
    EXPECT_EQ(ComboFrame(), cfDisabled);
}

TEST_F(TEditComboTest, APressShowsThePressedFrameUntilTheRelease) {
    Skin<TSkinComBox>(Combo);
    RECT face = ButtonFace(Combo->Handle());
    LPARAM at = MAKELPARAM(face.left + 3, face.top + 3);
    SendMessageW(Combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
    EXPECT_EQ(ComboFrame(), cfPressed);
    SendMessageW(Combo->Handle(), WM_LBUTTONUP, 0, at);
    SendMessageW(Combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
    EXPECT_NE(ComboFrame(), cfPressed);
}

TEST_F(TEditComboTest, FrameNumbersFollowTheirStyle) {
    TEnumSet<TSkinControlState> none, down, hover;
    down.Include(scDown);
    hover.Include(scMouseIn);
    EXPECT_EQ(ComboFrameFlat(false, true, none), cfHot) << "focus wins over disabled";
    EXPECT_EQ(ComboFrameFitted(false, true, none), cfDisabled);
    EXPECT_EQ(ComboFrameFlat(true, true, down), cfPressed);
    EXPECT_EQ(ComboFrameFitted(true, false, hover), cfHot);
    EXPECT_EQ(ComboFrameFlat(false, false, none), cfDisabled);
}

TEST_F(TEditComboTest, AnOpenDropDownOfASkinnedComboPicksWithKeys) {
    Skin<TSkinComBox>(Combo);
    Combo->SetFocus();
    SendMessageW(Combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    ASSERT_TRUE(SendMessageW(Combo->Handle(), CB_GETDROPPEDSTATE, 0, 0));
    SendMessageW(Combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(Combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(Combo->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_FALSE(SendMessageW(Combo->Handle(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(ComboFrame(), cfHot) << "focused";
}

// The edit part of a drop-down combo is hooked while skinned and given back when detached; under a
// foreign subclass it stays in the chain and keeps passing messages on.
TEST_F(TEditComboTest, TheEditPartIsHookedAndGivenBackOnce) {
    Combo->SetStyle(csDropDown);
    Pump();
    HWND edit = GetWindow(Combo->Handle(), GW_CHILD);
    ASSERT_TRUE(edit);
    LONG_PTR own = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    auto* s = Skin<TSkinComBox>(Combo);
    EXPECT_EQ(s->EditHandle, edit);
    EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), own);
    s->Unsubclass();
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), own);
    s->Free();
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), own);

    s = Skin<TSkinComBox>(Combo);
    LONG_PTR ours = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    LONG_PTR foreign = SetWindowLongPtrW(edit, GWLP_WNDPROC, LONG_PTR(DefWindowProcW));
    s->Free();
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), LONG_PTR(DefWindowProcW)) << "not on top: left alone";
    SetWindowLongPtrW(edit, GWLP_WNDPROC, foreign);
    EXPECT_EQ(foreign, ours);
    SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L"still works"));
    EXPECT_EQ(WindowText(edit), u"still works");
}

TEST_F(TEditComboTest, TypingIntoTheEditPartOfASkinnedCombo) {
    Combo->SetStyle(csDropDown);
    Pump();
    Skin<TSkinComBox>(Combo);
    HWND edit = GetWindow(Combo->Handle(), GW_CHILD);
    SetFocus(edit);
    SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L""));
    for (wchar_t ch : std::wstring(L"hello"))
        SendMessageW(edit, WM_CHAR, ch, 0);
    Pump();
    EXPECT_EQ(WindowText(Combo->Handle()), u"hello");
    EXPECT_EQ(ComboFrame(), cfHot) << "the focus in the edit part counts";
}

TEST_F(TEditComboTest, FiveHundredAttachDetachCyclesLeaveNothing) {
    Combo->SetStyle(csDropDown);
    Pump();
    ExpectFlatCounts([&] {
        Skin<TSkinEdit>(Edit);
        Skin<TSkinComBox>(Combo);
        Repaint(Form->Handle());
        List->DeleteControls();
    });
}

} // namespace
