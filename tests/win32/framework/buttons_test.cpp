// Bit and speed buttons: glyph and caption placement, kinds, owner drawing, and the speed
// buttons' group rules under the mouse.
#include "FrameworkTest.h"
#include "StdForm.h"

#include <gtest/gtest.h>

namespace {
// A click on a windowless control goes to its parent's window, at the control's place.
void ClickOn(TControl* c, int dx = 5, int dy = 5) {
    HWND parent = c->Parent()->Handle();
    LPARAM at = MAKELPARAM(c->Left() + dx, c->Top() + dy);
    SendMessageW(parent, WM_MOUSEMOVE, 0, at);
    SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(parent, WM_LBUTTONUP, 0, at);
}

// Where the glyph's green square shows, in the button's client coordinates; {-1, -1} when nowhere.
POINT FindColor(HWND wnd, COLORREF color) {
    RECT r;
    GetClientRect(wnd, &r);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (ScreenPixel(wnd, x, y) == color) return {x, y};
    return {-1, -1};
}
} // namespace

TEST(Buttons, GlyphAndTextPlacedByLayoutMarginAndSpacing) {
    RECT client{0, 0, 100, 40};
    SIZE glyph{16, 16}, text{30, 13};
    auto left = PlaceGlyphAndText(client, glyph, text, blGlyphLeft, -1, 4); // centred together
    EXPECT_EQ(left.Glyph.x, (100 - 16 - 4 - 30) / 2);
    EXPECT_EQ(left.Text.left, left.Glyph.x + 16 + 4);
    EXPECT_EQ(left.Glyph.y, 12);
    auto right = PlaceGlyphAndText(client, glyph, text, blGlyphRight, 5, 2);
    EXPECT_EQ(right.Glyph.x, 100 - 5 - 16);
    EXPECT_EQ(right.Text.right, right.Glyph.x - 2);
    auto top = PlaceGlyphAndText(client, glyph, text, blGlyphTop, 2, -1); // even gaps below
    EXPECT_EQ(top.Glyph.y, 2);
    EXPECT_EQ(top.Text.top, 2 + 16 + (40 - 2 - 16 - 13) / 2);
    EXPECT_EQ(top.Text.left, 35);
    auto alone = PlaceGlyphAndText(client, glyph, {0, 0}, blGlyphBottom, -1, 4); // no caption: centred
    EXPECT_EQ(alone.Glyph.x, 42);
    EXPECT_EQ(alone.Glyph.y, 12);
}

TEST(BitBtn, KindAndGlyphFromTheDescription) {
    auto form = ShownStdForm();
    TBitBtn* ok = form->BitBtnOK;
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult, mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ButtonGlyph().Glyph().Width(), 24);
    EXPECT_EQ(ok->ButtonGlyph().NumGlyphs(), 2);
    EXPECT_EQ(GetObjProp(ok, "Glyph", TBitmap::StaticClassInfo()), &ok->ButtonGlyph().Glyph());
    HWND wnd = ok->Handle();
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    ok->SetDefault(false); // the role is drawn: the face stays the button's own
    ok->SetDefault(true);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_FALSE(GetClassLongW(wnd, GCL_STYLE) & CS_DBLCLKS); // two quick clicks are two clicks

    UpdateWindow(wnd);
    POINT green = FindColor(wnd, RGB(0, 255, 0));
    ASSERT_GE(green.x, 0);
    EXPECT_EQ(FindColor(wnd, ColorToRGB(clOlive)).x, -1);            // the ground is transparent
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); // pressed: one pixel down right
    UpdateWindow(wnd);
    EXPECT_EQ(FindColor(wnd, RGB(0, 255, 0)).x, green.x + 1);
    form->Events.clear();
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form->Events, std::vector<std::string>{"BitBtnOK click"});
    ok->SetEnabled(false); // the second image
    UpdateWindow(wnd);
    EXPECT_EQ(FindColor(wnd, RGB(0, 255, 0)).x, -1);
    EXPECT_EQ(FindColor(wnd, ColorToRGB(clGray)).x, green.x);
}

TEST(BitBtn, CloseKindClosesTheFormAfterOnClick) {
    auto form = ShownStdForm();
    TBitBtn* close = form->BitBtnClose;
    EXPECT_EQ(close->Caption(), "&Close");
    EXPECT_FALSE(close->Cancel);
    form->Events.clear();
    SendMessageW(close->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"BitBtnClose click", "StdForm close"}));
    TOwned<TBitBtn> cancel(new TBitBtn(nullptr));
    cancel->SetCaption("Stop");
    cancel->SetKind(bkCancel); // a kind set by the program names the button
    EXPECT_EQ(cancel->Caption(), "Cancel");
    EXPECT_TRUE(cancel->Cancel);
    EXPECT_EQ(cancel->ModalResult, mrCancel);
}

TEST(SpeedButton, GroupsStayDownOneAtATime) {
    auto form = ShownStdForm();
    TSpeedButton *a = form->SpeedButtonA, *b = form->SpeedButtonB, *c = form->SpeedButtonC;
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    form->Events.clear();
    ClickOn(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    ClickOn(b); // the last one down stays down
    EXPECT_TRUE(b->Down());
    a->SetAllowAllUp(true); // for the whole group
    EXPECT_TRUE(b->AllowAllUp());
    ClickOn(b);
    EXPECT_FALSE(b->Down());
    ClickOn(c); // no group: clicks, never stays down
    EXPECT_FALSE(c->Down());
    EXPECT_EQ(c->State(), bsUp);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"SpeedButtonB click", "SpeedButtonB click",
                                                      "SpeedButtonB click", "SpeedButtonC click"}));

    // pressed, it shows down; released elsewhere, it does nothing
    HWND panel = form->Panel1->Handle();
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c->Left() + 5, c->Top() + 5));
    EXPECT_EQ(c->State(), bsDown);
    SendMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_EQ(c->State(), bsUp);
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(form->Events.size(), 4u);
    SetProperty(c, "Flat", "False"); // the names a skinner uses
    EXPECT_FALSE(c->Flat());
    EXPECT_EQ(GetProperty(a, "GroupIndex"), "1");
    EXPECT_EQ(GetIntProperty(a, "NumGlyphs"), 1);
}
