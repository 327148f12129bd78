// Tab controls in every position and page controls with their sheets, driven by real messages.
#include "comctrls_form.h"

#include <gtest/gtest.h>

namespace {
RECT TabRect(TCustomTabControl* tabs, int i) {
    RECT r{};
    SendMessageW(tabs->Handle(), TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

std::u16string TabText(TCustomTabControl* tabs, int i) {
    wchar_t text[80] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 80;
    SendMessageW(tabs->Handle(), TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<const char16_t*>(text);
}

std::vector<std::u16string> TabTexts(TCustomTabControl* tabs) {
    std::vector<std::u16string> out;
    int n = int(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        out.push_back(TabText(tabs, i));
    return out;
}

void ClickTab(TCustomTabControl* tabs, int i) {
    ClickAt(tabs->Handle(), Centre(TabRect(tabs, i)));
}

bool Shows(TWinControl* c) {
    return IsWindowVisible(c->Handle());
}

// Ctrl+Tab as the message loop gets it from the keyboard, with Ctrl held down.
void CtrlTab(HWND focus, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(focus, WM_KEYDOWN, VK_TAB, 1);
    Pump();
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}
} // namespace

TEST(TabControl, ClicksAndKeysChooseTabsOnlyWhenAllowed) {
    auto form = ShownComCtrlsForm();
    TTabControl* tabs = form->TabTop;
    EXPECT_EQ(TabTexts(tabs), (std::vector<std::u16string>{u"One", u"Two", u"Three"}));
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0), 1);
    ClickTab(tabs, 2);
    EXPECT_EQ(tabs->TabIndex(), 2);
    form->Refuse = true;
    ClickTab(tabs, 0);
    EXPECT_EQ(tabs->TabIndex(), 2);
    form->Refuse = false;
    tabs->SetFocus();
    PressKey(tabs->Handle(), VK_LEFT);
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->SetTabIndex(0); // the program's choice runs no events
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"TabTop.Changing", "TabTop.Change", "TabTop.Changing",
                                                   "TabTop.Changing", "TabTop.Change"}));
}

TEST(TabControl, TabListChangesReachTheWindowAndKeepTheSelection) {
    auto form = ShownComCtrlsForm();
    TTabControl* tabs = form->TabTop;
    tabs->Tabs().Add("Four");
    tabs->Tabs().Put(0, "Uno");
    EXPECT_EQ(TabTexts(tabs), (std::vector<std::u16string>{u"Uno", u"Two", u"Three", u"Four"}));
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->SetTabIndex(3);
    tabs->Tabs().Delete(3); // the selection stays as far as there are tabs
    EXPECT_EQ(tabs->TabIndex(), 2);
    tabs->SetStyle(tsFlatButtons); // a new window keeps tabs and selection
    EXPECT_EQ(GetWindowLongW(tabs->Handle(), GWL_STYLE) & (TCS_BUTTONS | TCS_FLATBUTTONS),
              TCS_BUTTONS | TCS_FLATBUTTONS);
    EXPECT_EQ(TabTexts(tabs).size(), 3u);
    EXPECT_EQ(tabs->TabIndex(), 2);
    tabs->Tabs().Clear();
    EXPECT_EQ(tabs->TabIndex(), -1);

    TOwned<TTabControl> loose(new TTabControl(nullptr));
    loose->SetTabIndex(1); // waits for its tabs
    EXPECT_EQ(loose->TabIndex(), -1);
    loose->Tabs().SetText("a\nb\n");
    EXPECT_EQ(loose->TabIndex(), 1);
}

// The styles a skinner reads the position from, and the tabs on the far side of the page area.
TEST(TabControl, EachPositionHasItsStyleAndPutsTheTabsOnItsSide) {
    auto form = ShownComCtrlsForm();
    struct TCase {
        TTabControl* Tabs;
        LONG Bits;
    } cases[] = {{form->TabTop, 0},
                 {form->TabBottom, TCS_BOTTOM},
                 {form->TabLeft, TCS_VERTICAL},
                 {form->TabRight, TCS_VERTICAL | TCS_RIGHT}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Tabs->Name());
        EXPECT_EQ(GetWindowLongW(c.Tabs->Handle(), GWL_STYLE) & (TCS_BOTTOM | TCS_VERTICAL), c.Bits);
        RECT page = c.Tabs->DisplayRect(), tab = TabRect(c.Tabs, 0);
        switch (c.Tabs->TabPosition()) {
        case tpTop:
            EXPECT_LE(tab.bottom, page.top);
            break;
        case tpBottom:
            EXPECT_GE(tab.top, page.bottom);
            break;
        case tpLeft:
            EXPECT_LE(tab.right, page.left);
            break;
        case tpRight:
            EXPECT_GE(tab.left, page.right);
            break;
        }
        EXPECT_EQ(c.Tabs->IndexOfTabAt(Centre(tab).x, Centre(tab).y), 0);
    }
    form->TabTop->SetTabPosition(tpRight);
    EXPECT_EQ(GetWindowLongW(form->TabTop->Handle(), GWL_STYLE) & (TCS_BOTTOM | TCS_VERTICAL),
              TCS_VERTICAL | TCS_RIGHT);
    EXPECT_EQ(form->TabTop->TabIndex(), 1);
}

TEST(PageControl, OnlyTheActivePageShowsAndTheTabsFollowThePages) {
    auto form = ShownComCtrlsForm();
    TPageControl* pages = form->PageControl1;
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), form->TabSheet2); // named before it was read
    EXPECT_EQ(TabTexts(pages), (std::vector<std::u16string>{u"Ethernet", u"CAN0"}));
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(Shows(form->TabSheet2));
    EXPECT_FALSE(Shows(form->TabSheet1));
    RECT area = pages->DisplayRect();
    EXPECT_EQ(form->TabSheet2->BoundsRect().top, area.top);
    EXPECT_EQ(form->TabSheet2->Width(), area.right - area.left);

    ClickTab(pages, 0);
    EXPECT_EQ(pages->ActivePage(), form->TabSheet1);
    EXPECT_TRUE(Shows(form->TabSheet1));
    EXPECT_FALSE(Shows(form->TabSheet2));
    form->Refuse = true;
    ClickTab(pages, 1);
    EXPECT_EQ(pages->ActivePage(), form->TabSheet1);
    form->Refuse = false;

    form->TabSheet3->SetTabVisible(true);
    form->TabSheet3->SetPageIndex(0);
    form->TabSheet2->SetCaption("CAN 0");
    EXPECT_EQ(TabTexts(pages), (std::vector<std::u16string>{u"CAN1", u"Ethernet", u"CAN 0"}));
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1); // still the active page's tab
    EXPECT_EQ(form->TabSheet1->TabIndex(), 1);
    pages->SetBounds(pages->Left(), pages->Top(), 260, 180);
    EXPECT_EQ(form->TabSheet1->Width(), pages->DisplayRect().right - pages->DisplayRect().left);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"PageControl1.Changing", "PageControl1.Change",
                                                   "PageControl1.Changing"}));
}

TEST(PageControl, ALeavingActivePageHandsOverToItsNeighbour) {
    auto form = ShownComCtrlsForm();
    TPageControl* pages = form->PageControl1;
    form->TabSheet2->SetTabVisible(false); // the active one, last tab
    EXPECT_EQ(pages->ActivePage(), form->TabSheet1);
    EXPECT_TRUE(Shows(form->TabSheet1));
    form->TabSheet3->SetTabVisible(true);
    pages->SetActivePage(form->TabSheet1);
    form->TabSheet1->Free(); // the first tab: the next one takes its place
    form->TabSheet1 = nullptr;
    EXPECT_EQ(pages->ActivePage(), form->TabSheet3);
    EXPECT_EQ(pages->TabIndex(), 0);
    form->TabSheet3->SetParent(nullptr);
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(pages->TabIndex(), -1);
    form->TabSheet3->SetPageControl(pages); // the first page with a tab becomes active
    EXPECT_EQ(pages->ActivePage(), form->TabSheet3);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_TRUE(form->Log.empty()); // none of this was the user's choice
}

TEST(PageControl, CtrlTabStepsThroughThePagesFromInside) {
    auto form = ShownComCtrlsForm();
    TPageControl* pages = form->PageControl1;
    SetForegroundWindow(form->Handle());
    HWND button = FindChild(form->TabSheet2->Handle(), u"TButton");
    ASSERT_TRUE(button);
    SetFocus(button);
    CtrlTab(GetFocus(), false); // past the last tab: round to the first
    EXPECT_EQ(pages->ActivePage(), form->TabSheet1);
    pages->SetFocus();
    CtrlTab(GetFocus(), true);
    EXPECT_EQ(pages->ActivePage(), form->TabSheet2);
    form->Edit1->SetFocus();
    CtrlTab(GetFocus(), false); // not from outside the control
    EXPECT_EQ(pages->ActivePage(), form->TabSheet2);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"PageControl1.Changing", "PageControl1.Change",
                                                   "PageControl1.Changing", "PageControl1.Change"}));
}
