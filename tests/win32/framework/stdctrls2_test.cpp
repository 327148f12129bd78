// Memo, list box, scroll bar and radio button on real windows, driven by the messages the user's
// keys and mouse make; and the whole form of them made and destroyed over and over.
#include "FrameworkTest.h"
#include "StdForm.h"

#include <gtest/gtest.h>

namespace {
void Click(HWND wnd, int x, int y) {
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A key through the message loop, as typed: dialog keys go to the form, the rest become characters.
void Type(HWND wnd, WPARAM key) {
    PostMessageW(wnd, WM_KEYDOWN, key, 1);
    PostMessageW(wnd, WM_KEYUP, key, 0xC0000001);
    Pump();
}

void Press(HWND wnd, WPARAM key) {
    SendMessageW(wnd, WM_KEYDOWN, key, 1);
    SendMessageW(wnd, WM_KEYUP, key, 0xC0000001);
}

SCROLLINFO ScrollInfo(HWND bar) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    return info;
}

std::vector<std::string> LinesOf(const TStrings& lines) {
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i)
        out.push_back(lines[i]);
    return out;
}

using Lines = std::vector<std::string>;
} // namespace

TEST(Memo, LinesAreTheTextWithAndWithoutAWindow) {
    TOwned<TMemo> memo(new TMemo(nullptr));
    memo->Lines().Add("one");
    memo->Lines().Add("两");
    EXPECT_EQ(memo->Text(), "one\r\n两\r\n");
    memo->SetText("a\r\nb"); // no break at the end: the next line needs one before it
    memo->Lines().Add("c");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
    memo->Lines().Insert(0, "first");
    memo->Lines().Delete(2);
    memo->Lines().Put(1, "A");
    EXPECT_EQ(LinesOf(memo->Lines()), (Lines{"first", "A", "c"}));
    EXPECT_THROW(memo->Lines().Delete(3), EListError);
    EXPECT_THROW(memo->Lines().Insert(5, "x"), EListError);

    auto form = ShownStdForm();
    memo->SetParent(form.get()); // the window takes the text over
    EXPECT_EQ(WindowText(memo->Handle()), u"first\r\nA\r\nc");
    memo->Lines().Add("d");
    memo->Lines().Delete(0);
    EXPECT_EQ(WindowText(memo->Handle()), u"A\r\nc\r\nd");
    memo->Lines().Clear();
    EXPECT_EQ(memo->Lines().Count(), 0);
    memo->SetParent(nullptr);

    TMemo* stored = form->Memo1;
    EXPECT_EQ(LinesOf(stored->Lines()), (Lines{"Line one", "第二行", "Line three"}));
    LONG style = GetWindowLongW(stored->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & (WS_HSCROLL | ES_AUTOHSCROLL)); // word wrap
    stored->SetWordWrap(false);
    stored->SetScrollBars(ssBoth); // a new window: text and lines stay
    style = GetWindowLongW(stored->Handle(), GWL_STYLE);
    EXPECT_TRUE((style & (WS_HSCROLL | ES_AUTOHSCROLL)) == (WS_HSCROLL | ES_AUTOHSCROLL));
    EXPECT_EQ(stored->Lines()[1], "第二行");
}

TEST(Memo, KeysGoWhereTheMemoWantsThem) {
    auto form = ShownStdForm();
    SetForegroundWindow(form->Handle());
    TMemo* memo = form->Memo1;
    memo->Lines().Clear();
    memo->SetFocus();
    form->Events.clear();
    Type(memo->Handle(), 'X');
    Type(memo->Handle(), VK_RETURN); // a new line
    Type(memo->Handle(), 'Y');
    EXPECT_EQ(memo->Text(), "x\r\ny");
    EXPECT_FALSE(form->Events.empty());
    EXPECT_EQ(form->Events.back(), "Memo1 change");
    Type(memo->Handle(), VK_TAB); // on to the next control
    EXPECT_EQ(FindControl(GetFocus()), form->ListBox1);
    EXPECT_EQ(memo->Text(), "x\r\ny");
    memo->WantTabs = true;
    memo->SetFocus();
    Type(memo->Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), memo->Handle());
    EXPECT_EQ(memo->Text(), "x\r\ny\t");
    memo->SetReadOnly(true);
    Type(memo->Handle(), 'Z');
    EXPECT_EQ(memo->Text(), "x\r\ny\t");
    memo->Lines().Add("by the program");
    EXPECT_EQ(memo->Lines()[2], "by the program");
}

TEST(ListBox, SortedItemsSelectedByKeysAndMouse) {
    auto form = ShownStdForm();
    TListBox* list = form->ListBox1;
    HWND wnd = list->Handle();
    EXPECT_EQ(LinesOf(list->Items()), (Lines{"alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(list->ItemIndex(), 1); // given before the items were there
    list->SetFocus();
    form->Events.clear();
    Press(wnd, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 2);
    int height = int(SendMessageW(wnd, LB_GETITEMHEIGHT, 0, 0));
    Click(wnd, 10, height / 2);
    EXPECT_EQ(list->ItemIndex(), 0);
    SendMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, height / 2));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(10, height / 2));
    EXPECT_EQ(form->Events, (Lines{"ListBox1 click", "ListBox1 click", "ListBox1 dblclick"}));

    TObject tag;
    EXPECT_EQ(list->Items().AddObject("beta", &tag), 1); // where the sorted list put it
    EXPECT_EQ(list->Items().Objects(1), &tag);
    list->SetMultiSelect(true); // a new window keeps items and their objects
    EXPECT_EQ(list->Items().Objects(1), &tag);
    EXPECT_TRUE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_EXTENDEDSEL);
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(3));
    EXPECT_FALSE(list->Selected(2));
    EXPECT_THROW(list->Selected(9), EListError);
    list->SetSorted(false);
    list->Items().Add("Aardvark"); // at the end now
    EXPECT_EQ(list->Items()[4], "Aardvark");
}

TEST(ListBox, WithoutAWindowItemsWaitInOrder) {
    TOwned<TListBox> list(new TListBox(nullptr));
    list->Items().Add("b");
    list->Items().Add("C");
    list->SetSorted(true);
    list->Items().Add("a");
    EXPECT_EQ(LinesOf(list->Items()), (Lines{"a", "b", "C"}));
    list->SetItemIndex(2);
    auto form = ShownStdForm();
    list->SetParent(form.get());
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_SORT);
    list->SetParent(nullptr);
}

TEST(ListBox, OwnerDrawnItemsComeFromTheHandler) {
    auto form = ShownStdForm();
    TListBox* list = form->ListBox2;
    HWND wnd = list->Handle();
    EXPECT_EQ(SendMessageW(wnd, LB_GETITEMHEIGHT, 0, 0), 20);
    list->SetItemIndex(1);
    UpdateWindow(wnd);
    EXPECT_EQ(ScreenPixel(wnd, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(wnd, 5, 25), RGB(0, 255, 0));
    EXPECT_EQ(ScreenPixel(wnd, 5, 45), RGB(0, 0, 255));
    EXPECT_TRUE(std::any_of(form->DrawnStates.begin(), form->DrawnStates.end(),
                            [](TOwnerDrawState s) { return s & (1u << odSelected); }));
    // variable heights as the handler measures them
    list->OnMeasureItem.Code = [](TWinControl*, int index, int& height) { height = 10 + 5 * index; };
    list->SetStyle(lbOwnerDrawVariable);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, i, 0), 10 + 5 * i);
    list->Items().Insert(0, "first");
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 10);
    // without a handler an item shows its text on the canvas's colours
    list->OnDrawItem = {};
    list->SetStyle(lbOwnerDrawFixed);
    list->Repaint();
    EXPECT_EQ(ScreenPixel(list->Handle(), 60, 30), ColorToRGB(clWindow));
}

TEST(ScrollBar, PositionFollowsKeysAndMouse) {
    auto form = ShownStdForm();
    TScrollBar* bar = form->ScrollBar1;
    HWND wnd = bar->Handle();
    SCROLLINFO info = ScrollInfo(wnd);
    EXPECT_EQ(info.nMin, 10);
    EXPECT_EQ(info.nMax, 200);
    EXPECT_EQ(info.nPage, 20u);
    EXPECT_EQ(info.nPos, 50);
    form->Events.clear();
    Press(wnd, VK_RIGHT);
    EXPECT_EQ(bar->Position(), 55);
    Press(wnd, VK_NEXT);
    EXPECT_EQ(bar->Position(), 80);
    Press(wnd, VK_END); // the thumb's last place, a page before Max
    EXPECT_EQ(bar->Position(), 181);
    EXPECT_EQ(ScrollInfo(wnd).nPos, 181);
    Press(wnd, VK_HOME);
    EXPECT_EQ(bar->Position(), 10);
    ASSERT_GE(form->ScrollCodes.size(), 4u);
    EXPECT_EQ(form->ScrollCodes[0], scLineDown);
    EXPECT_EQ(form->ScrollCodes[1], scPageDown);
    EXPECT_EQ(form->ScrollCodes[2], scBottom);
    EXPECT_EQ(std::count(form->Events.begin(), form->Events.end(), "ScrollBar1 change"), 4);

    // a click on the right arrow; the bar tracks the button until it is released
    RECT r;
    GetClientRect(wnd, &r);
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 3, r.bottom / 2));
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 3, r.bottom / 2));
    Pump();
    EXPECT_EQ(bar->Position(), 15);
    // OnScroll moves where a scroll goes
    form->SnapScroll = 20;
    Press(wnd, VK_NEXT);
    EXPECT_EQ(bar->Position(), 40);
    bar->SetPosition(500);
    EXPECT_EQ(bar->Position(), 181);
}

TEST(ScrollBar, RangeChecksAndKind) {
    auto form = ShownStdForm();
    TScrollBar* bar = form->ScrollBar1;
    EXPECT_THROW(bar->SetMin(300), Exception);
    EXPECT_THROW(bar->SetPageSize(192), Exception);
    EXPECT_EQ(bar->Min(), 10);
    bar->SetParams(5, -100, -50); // all three at once: no order to worry about
    EXPECT_EQ(bar->Position(), -69);
    EXPECT_EQ(ScrollInfo(bar->Handle()).nMax, -50);
    int width = bar->Width(), height = bar->Height();
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), height);
    EXPECT_EQ(bar->Height(), width);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(ScrollInfo(bar->Handle()).nMin, -100);
    // a description in any order, checked once it is read
    std::string text = StdControlsText();
    text.replace(text.find("Max = 200"), 9, "Max = 5");
    EXPECT_THROW(ReadStdForm(text), Exception);
}

TEST(RadioButton, CheckingOneUnchecksItsSiblings) {
    auto form = ShownStdForm();
    TRadioButton *one = form->RadioButton1, *two = form->RadioButton2;
    EXPECT_TRUE(one->Checked());
    EXPECT_EQ(SendMessageW(one->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    form->Events.clear();
    SendMessageW(two->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(two->Checked());
    EXPECT_FALSE(one->Checked());
    EXPECT_EQ(SendMessageW(one->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 2); // another parent, another group
    one->SetFocus();
    Press(one->Handle(), VK_SPACE);
    EXPECT_TRUE(one->Checked());
    EXPECT_FALSE(two->Checked());
    SendMessageW(one->Handle(), BM_CLICK, 0, 0); // already checked: no change, no click
    EXPECT_EQ(form->Events, (Lines{"RadioButton2 click", "RadioButton1 click"}));
    one->SetAlignment(taLeftJustify);
    EXPECT_TRUE(GetWindowLongW(one->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(SendMessageW(one->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Every control of the form, made, painted and destroyed 500 times.
TEST(Resources, FormWithTheStandardControlsGivesItsHandlesBack) {
    std::string text = StdControlsText();
    ExpectNoLeaks([&text] {
        auto form = ReadStdForm(text);
        form->HandleNeeded();
        form->MediaPlayer1->Play();
        TMemoryDC dc(nullptr);
        TGdiHandle<HBITMAP> bmp(CreateCompatibleBitmap(TClientDC(nullptr), 530, 300));
        TSelectObject sel(dc, bmp);
        for (TWinControl* c :
             {static_cast<TWinControl*>(form.get()), static_cast<TWinControl*>(form->Panel1),
              static_cast<TWinControl*>(form->MediaPlayer1), static_cast<TWinControl*>(form->RadioGroup1)})
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
        for (TWinControl* c :
             {static_cast<TWinControl*>(form->ListBox2), static_cast<TWinControl*>(form->BitBtnOK)})
            SendMessageW(c->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    });
    EXPECT_EQ(Screen->FormCount(), 0);
}
