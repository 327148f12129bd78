// Button, check-box and radio-button faces read back from the screen and compared with the default
// skin's frames, in every state, driven by input messages.
#include "ControlsTest.h"
#include "Guards.h"
#include "SkinButton.h"
#include "SkinCheckBox.h"
#include "SkinSpeedButton.h"

#include <gtest/gtest.h>

namespace {

struct TButtonFaces : ::testing::Test {
    TSkinData& Skin = DefaultSkin();
    void SetUp() override { ASSERT_FALSE(Skin.SkinPending) << "the default skin did not load"; }
    TDataSkinButton& Buttons = *Skin.Button;
    TOwned<TForm> Form = ShownForm();
    TOwned<TSkinControlList> List{new TSkinControlList(nullptr, &Skin)};
    TBitmap Shot;

    int FaceWidth() const { return Buttons.Image.Width() / Buttons.Frame; }
    int FaceHeight() const { return Buttons.Image.Height(); }
    TColor Face() const { return Skin.Colors[csButtonFace]; }

    // A face at the strip's own size: every pixel is the frame's.
    // `back`: what shows where the frame is magenta (the skin's face colour by default).
    int FaceMismatches(HWND wnd, int frame, TColor back = clNone) {
        Capture(wnd, Shot);
        RECT all{0, 0, FaceWidth(), FaceHeight()};
        return FrameMismatches(Shot, {0, 0}, all, Buttons.Image, Buttons.Frame, frame,
                               back == clNone ? Face() : back);
    }
    TButton* NaturalButton(int x) { return AddControl<TButton>(*Form, x, 10, FaceWidth(), FaceHeight()); }
    void HoverOver(HWND wnd) {
        RECT r;
        GetWindowRect(wnd, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    }
    void MoveMouseAway() { SetCursorPos(1000, 700); }
};

// The glyph box of a check box or radio button: the glyph's size, at the left edge, centred.
struct TGlyphFaces : TButtonFaces {
    // `right`: the glyph's distance from the right edge; -1 at the left edge.
    int GlyphMismatches(HWND wnd, TBitmap& strip, int count, int frame, int right = -1) {
        Snapshot(wnd, Shot);
        int gw = strip.Width() / count, gh = strip.Height();
        RECT box{0, 0, gw, gh};
        POINT at{right < 0 ? 0 : Shot.Width() - right - gw, (Shot.Height() - gh) / 2};
        return FrameMismatches(Shot, at, box, strip, count, frame, Face());
    }
};

} // namespace

TEST_F(TButtonFaces, PushButtonStatesShowTheirFrames) {
    TButton* other = NaturalButton(200);
    TButton* b = NaturalButton(10);
    HWND wnd = b->Handle();
    List->InitControls(Form.get());
    ASSERT_TRUE(dynamic_cast<TSkinButton*>(List->FindSkinner(b)));
    other->SetFocus();
    MoveMouseAway();
    Pump();
    EXPECT_EQ(FaceMismatches(wnd, bfNormal), 0);
    for (int other : {bfPressed, bfDisabled, bfHot, bfFocused}) // the frames tell the states apart
        EXPECT_GT(FaceMismatches(wnd, other), 0) << other;

    HoverOver(wnd);
    Pump();
    EXPECT_EQ(FaceMismatches(wnd, bfHot), 0);
    EXPECT_EQ(List->HoverControl, List->FindSkinner(b));

    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); // the face shows before a pump
    EXPECT_EQ(FaceMismatches(wnd, bfPressed), 0);
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(FaceMismatches(wnd, bfHot), 0);
    EXPECT_TRUE(IsWindowVisible(wnd));

    List->FindSkinner(b)->MouseLeave(); // the form's hover timer saw the mouse go
    EXPECT_EQ(List->HoverControl, nullptr);
    EXPECT_EQ(FaceMismatches(wnd, bfFocused), 0); // the press took the focus

    HoverOver(wnd);
    b->SetEnabled(false); // disabled beats hot and focused
    Pump();
    EXPECT_EQ(FaceMismatches(wnd, bfDisabled), 0);
    MoveMouseAway();
}

TEST_F(TButtonFaces, SpaceHoldsThePressedFaceAndLeavingDropsAPress) {
    NaturalButton(200);
    TButton* b = NaturalButton(10);
    HWND wnd = b->Handle();
    List->InitControls(Form.get());
    b->SetFocus();
    MoveMouseAway();
    Pump();
    SendMessageW(wnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(FaceMismatches(wnd, bfPressed), 0);
    SendMessageW(wnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(FaceMismatches(wnd, bfFocused), 0);

    // pressed, then dragged out: the leave notice clears the press
    HoverOver(wnd);
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(FaceMismatches(wnd, bfFocused), 0);
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    MoveMouseAway();
}

TEST_F(TButtonFaces, FittedFaceKeepsTheCornersAndDrawsTheCaption) {
    TButton* b = AddControl<TButton>(*Form, 10, 10, 89, 25, "Read(读取)");
    TButton* other = AddControl<TButton>(*Form, 10, 60, 89, 25, "Other");
    List->InitControls(Form.get());
    other->SetFocus();
    MoveMouseAway();
    Snapshot(b->Handle(), Shot);
    EXPECT_EQ(CornerMismatches(Shot, Buttons, bfNormal, Face()), 0);
    TBitmap captionless;
    b->SetCaption("");
    Snapshot(b->Handle(), captionless);
    int text = 0;
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 89; x++)
            text += Px(Shot, x, y) != Px(captionless, x, y);
    EXPECT_GT(text, 20); // the caption is drawn, inside the margins only
    EXPECT_EQ(CornerMismatches(captionless, Buttons, bfNormal, Face()), 0);
}

TEST_F(TButtonFaces, FocusRectangleUnlessTheSkinSaysNone) {
    TButton* b = AddControl<TButton>(*Form, 10, 10, 89, 25, "OK");
    List->InitControls(Form.get());
    b->SetFocus();
    MoveMouseAway();
    TBitmap withRect, without;
    Snapshot(b->Handle(), withRect);
    {
        TSkinOptions options = Skin.Options;
        options.Include(xoNoFocusRect);
        TRestore<TSkinOptions> noRect(Skin.Options, options);
        Snapshot(b->Handle(), without);
    }
    EXPECT_EQ(CornerMismatches(without, Buttons, bfFocused, Face()), 0); // still the focused frame
    int differ = 0;
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 89; x++)
            differ += Px(withRect, x, y) != Px(without, x, y);
    EXPECT_GT(differ, 8);
}

TEST_F(TButtonFaces, TransparentTagShowsTheParentUnderTheFace) {
    TButton* b = NaturalButton(10);
    b->Tag = 5555;
    NaturalButton(200)->SetFocus();
    List->InitControls(Form.get());
    MoveMouseAway();
    Pump();
    EXPECT_EQ(FaceMismatches(b->Handle(), bfNormal, ColorToRGB(Form->Color())), 0);
    EXPECT_GT(FaceMismatches(b->Handle(), bfNormal), 0); // the corners are magenta in the skin
}

TEST_F(TButtonFaces, BareButtonWindowGetsTheFace) {
    HWND wnd = AddBareWindow(Form->Handle(), L"BUTTON", BS_PUSHBUTTON, 10, 10, FaceWidth(), FaceHeight());
    List->InitHwndControls(Form->Handle());
    ASSERT_TRUE(dynamic_cast<TSkinButton*>(List->FindSkinner(wnd)));
    MoveMouseAway();
    Pump();
    EXPECT_EQ(FaceMismatches(wnd, bfNormal), 0);
    // The system's button draws itself straight away on these; the face must stay.
    SendMessageW(wnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
    SendMessageW(wnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_EQ(FaceMismatches(wnd, bfNormal), 0);
    HoverOver(wnd); // a bare window tracks the mouse itself
    EXPECT_EQ(FaceMismatches(wnd, bfHot), 0);
    SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
    EnableWindow(wnd, FALSE);
    EXPECT_EQ(FaceMismatches(wnd, bfDisabled), 0);
    DestroyWindow(wnd);
}

TEST_F(TButtonFaces, SpeedButtonFaceOnItsParent) {
    auto* sb = AddControl<TSpeedButton>(*Form, 30, 20, FaceWidth(), FaceHeight());
    sb->SetGroupIndex(1);
    sb->SetAllowAllUp(true);
    List->InitControls(Form.get());
    ASSERT_TRUE(dynamic_cast<TSkinSpeedButton*>(List->FindSkinner(sb)));
    HWND parent = Form->Handle();
    RECT all{0, 0, FaceWidth(), FaceHeight()};
    auto mismatches = [&](int frame) {
        CaptureClient(parent, sb->BoundsRect(), Shot);
        return FrameMismatches(Shot, {0, 0}, all, Buttons.Image, Buttons.Frame, frame, Face());
    };
    MoveMouseAway();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(mismatches(bfNormal), 0);
    sb->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(sb));
    EXPECT_EQ(mismatches(bfHot), 0);
    sb->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(mismatches(bfPressed), 0);
    sb->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3)); // it stays down: grouped
    EXPECT_TRUE(sb->Down());
    sb->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(sb));
    EXPECT_EQ(mismatches(bfPressed), 0);
    sb->SetDown(false);
    sb->SetEnabled(false);
    Pump();
    EXPECT_EQ(mismatches(bfDisabled), 0);
}

TEST_F(TGlyphFaces, CheckBoxShowsTheTwelveFrameStrip) {
    ASSERT_EQ(Buttons.CheckButtonFrame, 12);
    TCheckBox* cb = AddControl<TCheckBox>(*Form, 10, 10, 120, 21, "Check");
    AddControl<TButton>(*Form, 10, 60, 89, 25)->SetFocus();
    List->InitControls(Form.get());
    ASSERT_TRUE(dynamic_cast<TSkinCheckBox*>(List->FindSkinner(cb)));
    HWND wnd = cb->Handle();
    struct TCase {
        TCheckBoxState State;
        bool Enabled;
        int Frame;
    };
    const TCase cases[] = {
        {cbUnchecked, true, 1}, {cbChecked, true, 5}, {cbUnchecked, false, 4},
        {cbChecked, false, 8},  {cbGrayed, true, 9},  {cbGrayed, false, 12},
    };
    for (const TCase& c : cases) {
        cb->SetState(c.State);
        cb->SetEnabled(c.Enabled);
        EXPECT_EQ(GlyphMismatches(wnd, Buttons.CheckImage, 12, c.Frame), 0) << c.Frame;
        if (c.Frame != 1) {
            EXPECT_GT(GlyphMismatches(wnd, Buttons.CheckImage, 12, 1), 0) << c.Frame;
        }
    }
    cb->SetEnabled(true);
    cb->SetState(cbUnchecked);
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); // a click checks it
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump();
    EXPECT_EQ(GlyphMismatches(wnd, Buttons.CheckImage, 12, cb->Checked() ? 5 : 1), 0);
    EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Shot.MemoryDC()), 0), 1);
}

TEST_F(TGlyphFaces, RadioButtonShowsTheEightFrameStrip) {
    ASSERT_EQ(Buttons.RadioButtonFrame, 8);
    auto* rb = AddControl<TRadioButton>(*Form, 10, 10, 120, 21, "Radio");
    List->InitControls(Form.get());
    ASSERT_TRUE(dynamic_cast<TSkinRadioButton*>(List->FindSkinner(rb)));
    const int frames[2][2] = {{1, 5}, {4, 8}}; // [disabled][checked]
    for (int disabled = 0; disabled < 2; disabled++)
        for (int checked = 0; checked < 2; checked++) {
            rb->SetChecked(checked);
            rb->SetEnabled(!disabled);
            EXPECT_EQ(GlyphMismatches(rb->Handle(), Buttons.RadioImage, 8, frames[disabled][checked]), 0)
                << disabled << checked;
        }
}

TEST_F(TGlyphFaces, TextOnTheLeftPutsTheGlyphAtTheRightEdge) {
    TCheckBox* cb = AddControl<TCheckBox>(*Form, 10, 10, 120, 21, "Left");
    auto* rb = AddControl<TRadioButton>(*Form, 10, 40, 120, 21, "Left");
    cb->SetAlignment(taLeftJustify);
    rb->SetAlignment(taLeftJustify);
    List->InitControls(Form.get());
    ASSERT_TRUE(GetWindowLongPtrW(cb->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(GlyphMismatches(cb->Handle(), Buttons.CheckImage, 12, 1, 0), 0); // flush with the edge
    EXPECT_EQ(GlyphMismatches(rb->Handle(), Buttons.RadioImage, 8, 1, 1), 0);  // one pixel inside
}

TEST_F(TGlyphFaces, BareCheckBoxGetsItsGlyphOverItsOwnPainting) {
    HWND wnd = AddBareWindow(Form->Handle(), L"BUTTON", BS_AUTOCHECKBOX, 10, 10, 120, 21, L"Bare");
    List->InitHwndControls(Form->Handle());
    ASSERT_TRUE(dynamic_cast<TSkinCheckBox*>(List->FindSkinner(wnd)));
    SendMessageW(wnd, BM_SETCHECK, BST_CHECKED, 0);
    Snapshot(wnd, Shot);
    TBitmap& strip = Buttons.CheckImage;
    RECT box{0, 0, strip.Width() / 12, strip.Height()};
    EXPECT_EQ(FrameMismatches(Shot, {0, (21 - box.bottom) / 2}, box, strip, 12, 5, Face(), true), 0);
    DestroyWindow(wnd);
}

TEST(ButtonFrames, PrecedenceAndStripRemaps) {
    TEnumSet<TSkinControlState> hotDown;
    hotDown.Include(scMouseIn);
    hotDown.Include(scDown);
    TEnumSet<TSkinControlState> hot;
    hot.Include(scMouseIn);
    EXPECT_EQ(ButtonFrame(false, true, hotDown), bfDisabled);
    EXPECT_EQ(ButtonFrame(true, true, hotDown), bfPressed);
    EXPECT_EQ(ButtonFrame(true, true, hot), bfHot);
    EXPECT_EQ(ButtonFrame(true, true, {}), bfFocused);
    EXPECT_EQ(ButtonFrame(true, false, {}), bfNormal);
    // four-frame strips keep their numbers
    EXPECT_EQ(CheckBoxFrame(2, true, false, 4), 4);
    EXPECT_EQ(CheckBoxFrame(1, false, true, 4), 4);
    EXPECT_EQ(CheckBoxFrame(4, false, false, 4), 4); // "cbGrayed" read from the State property
    EXPECT_EQ(RadioButtonFrame(true, true, 4), 4);
}
