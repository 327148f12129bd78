// Tab and page controls skinned: tabs and pane read back from the screen and compared with the skin's
// Tabs and pane bitmaps in all four positions, hover and clicks, close boxes, a skin that loses its
// tab images, the plain look back on detach, and many attach and detach rounds.
#include "ComCtrls.h"
#include "GdiHandles.h"
#include "SkinSelect.h"
#include "TabsTest.h"

#include <commctrl.h>

namespace {

constexpr TTabPosition Positions[] = {tpTop, tpBottom, tpLeft, tpRight};
constexpr TSkinTabPosition SkinPositions[] = {StTop, Stbottom, Stleft, Stright}; // by TTabPosition

RECT ItemRect(HWND tabs, int i) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

// A tab is drawn one pixel toward the pane.
RECT DrawnTab(HWND tabs, int i, TSkinTabPosition p) {
    static constexpr POINT shift[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    RECT r = ItemRect(tabs, i);
    OffsetRect(&r, shift[p].x, shift[p].y);
    return r;
}

// The page area grown by 4, its tab side 1 pixel further in.
RECT Pane(HWND tabs, TSkinTabPosition p) {
    RECT r;
    GetClientRect(tabs, &r);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    InflateRect(&r, 4, 4);
    LONG* side[] = {&r.top, &r.bottom, &r.left, &r.right};
    *side[p] += p == StTop || p == Stleft ? 1 : -1;
    return r;
}

void SolidRed(TBitmap& bmp) {
    bmp.SetSize(16, 16);
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(RGB(255, 0, 0)));
    RECT r{0, 0, 16, 16};
    FillRect(bmp.MemoryDC(), &r, brush);
}

class TTabsTest : public TSkinnedFormTest {
  protected:
    TTabControl* AddTabs(TTabPosition p, int x = 10, int y = 10) {
        auto* t = Add<TTabControl>(x, y, 220, 130);
        t->SetTabPosition(p);
        for (const char* s : {"One", "Two", "Three"})
            t->Tabs().Add(s);
        t->SetTabIndex(1);
        return t;
    }
    TPageControl* AddPages(int n) {
        auto* pages = Add<TPageControl>(10, 10, 300, 150);
        for (int i = 0; i < n; i++) {
            auto* page = new TTabSheet(Form.get());
            page->SetCaption("Page " + std::to_string(i));
            page->SetPageControl(pages);
        }
        return pages;
    }
    int TabMismatches(HWND tabs, TSkinTabPosition p, int i, int frame) {
        TDataSkinBorder& skin = *SkinData->Tabs;
        return FittedCornerMismatches(Capture(tabs), DrawnTab(tabs, i, p), p, skin.Image, frame, skin.Frame,
                                      skin.Margins, true);
    }
    int PaneMismatches(HWND tabs, TSkinTabPosition p) {
        TDataSkinObject& pane = *SkinData->TabPane;
        return FittedCornerMismatches(Capture(tabs), Pane(tabs, p), p, pane.Image, 1, 1, pane.Margins);
    }
};

TEST_F(TTabsTest, EachPositionShowsTheCurrentTabTheOthersAndThePaneFromTheSkin) {
    Form->Show();
    for (TTabPosition pos : Positions) {
        TTabControl* tabs = AddTabs(pos);
        TSkinTabPosition p = SkinPositions[pos];
        auto* s = Skin<TSkinTab>(tabs);
        EXPECT_EQ(s->TabPosition, p);
        HWND h = tabs->Handle();
        EXPECT_EQ(TabMismatches(h, p, 1, 2), 0) << "current tab, position " << pos;
        EXPECT_EQ(TabMismatches(h, p, 0, 1), 0) << "other tab, position " << pos;
        EXPECT_EQ(TabMismatches(h, p, 2, 1), 0) << "other tab, position " << pos;
        EXPECT_NE(TabMismatches(h, p, 0, 2), 0) << "frames told apart, position " << pos;
        EXPECT_EQ(PaneMismatches(h, p), 0) << "pane, position " << pos;
        List->DeleteControls();
        tabs->Free();
    }
}

TEST_F(TTabsTest, TheTabUnderTheMouseIsLitUntilTheMouseLeaves) {
    Form->Show();
    for (TTabPosition pos : {tpTop, tpRight}) {
        TTabControl* tabs = AddTabs(pos);
        TSkinTabPosition p = SkinPositions[pos];
        Skin<TSkinTab>(tabs);
        HWND h = tabs->Handle();
        SendMessageW(h, WM_MOUSEMOVE, 0, At(Centre(ItemRect(h, 0))));
        EXPECT_EQ(TabMismatches(h, p, 0, 3), 0) << "hot, position " << pos;
        SendMessageW(h, WM_MOUSEMOVE, 0, At(Centre(ItemRect(h, 1))));
        EXPECT_EQ(TabMismatches(h, p, 1, 5), 0) << "current and hot, position " << pos;
        EXPECT_EQ(TabMismatches(h, p, 0, 1), 0) << "no longer hot, position " << pos;
        SendMessageW(h, WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(TabMismatches(h, p, 1, 2), 0) << "left, position " << pos;
        List->DeleteControls();
        tabs->Free();
    }
}

TEST_F(TTabsTest, ClickingATabShowsItsPageAndItsTabAsCurrent) {
    TPageControl* pages = AddPages(3);
    Form->Show();
    Skin<TSkinTab>(pages);
    HWND h = pages->Handle();
    ClickAt(h, Centre(ItemRect(h, 2)));
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(pages->Pages(2)->Handle()));
    EXPECT_EQ(TabMismatches(h, StTop, 2, 2), 0);
    EXPECT_EQ(TabMismatches(h, StTop, 0, 1), 0);
}

TEST_F(TTabsTest, ADisabledControlShowsItsOtherTabsDisabledAndItsCurrentTabAsCurrent) {
    TTabControl* tabs = AddTabs(tpBottom);
    Form->Show();
    Skin<TSkinTab>(tabs);
    tabs->SetEnabled(false);
    Repaint(tabs->Handle());
    EXPECT_EQ(TabMismatches(tabs->Handle(), Stbottom, 0, 4), 0);
    EXPECT_EQ(TabMismatches(tabs->Handle(), Stbottom, 1, 2), 0);
}

TEST_F(TTabsTest, ATabWithAnImageShowsTheIconBesideItsText) {
    TPageControl* pages = AddPages(2);
    auto* images = new TImageList(Form.get());
    TBitmap red;
    SolidRed(red);
    images->AddMasked(red, clNone);
    pages->SetImages(images);
    pages->Pages(1)->SetImageIndex(0);
    Form->Show();
    Skin<TSkinTab>(pages);
    HWND h = pages->Handle();
    TCapture c = Capture(h);
    auto reds = [&](int i) {
        RECT r = ItemRect(h, i);
        int n = 0;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++)
                n += c.At(x, y) == RGB(255, 0, 0);
        return n;
    };
    EXPECT_EQ(reds(0), 0);
    EXPECT_GE(reds(1), 10 * 10) << "most of the 16 x 16 icon";
}

// Tag 7777 gives close boxes; the page behind the clicked box goes, the one whose tab is hidden stays.
TEST_F(TTabsTest, ACloseBoxFreesThePageBehindItsTabAndOnlyWhileTheTabExists) {
    TPageControl* pages = AddPages(4);
    pages->Tag = 7777;
    pages->Pages(1)->SetTabVisible(false);
    TTabSheet* hidden = pages->Pages(1);
    TTabSheet* second = pages->Pages(2); // the second tab
    Form->Show();
    auto* s = Skin<TSkinTab>(pages);
    ASSERT_TRUE(s->CloseButtons);
    HWND h = pages->Handle();
    Repaint(h);
    ASSERT_EQ(s->CloseRects.size(), 3u);
    ClickAt(h, Centre(s->CloseRects[1]));
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->Pages(1), hidden);
    EXPECT_NE(pages->Pages(2), second);

    Repaint(h);
    RECT lastBox = s->CloseRects.back();
    pages->Pages(2)->SetTabVisible(false); // one tab fewer, not painted yet
    ClickAt(h, Centre(lastBox));
    EXPECT_EQ(pages->PageCount(), 3) << "a box of a tab that is gone frees nothing";
}

TEST_F(TTabsTest, APageControlWithoutCloseTagOrWithSideTabsHasNoCloseBoxes) {
    TPageControl* pages = AddPages(2);
    EXPECT_FALSE(Skin<TSkinTab>(pages)->CloseButtons);
    List->DeleteControls();
    pages->Tag = 7777;
    pages->SetTabPosition(tpLeft);
    EXPECT_FALSE(Skin<TSkinTab>(pages)->CloseButtons);
}

// The skin is replaced by one whose tab images are missing: paints before and after the change
// neither fail nor read the old skin, and the control falls back to its own look.
TEST_F(TTabsTest, ASkinWithoutTabImagesLeavesThePlainLook) {
    TTabControl* tabs = AddTabs(tpBottom);
    Form->Show();
    Pump();
    HWND h = tabs->Handle();
    Repaint(h);
    TCapture plain = Capture(h);
    for (bool dropObject : {false, true}) {
        auto* s = Skin<TSkinTab>(tabs);
        ASSERT_NE(Capture(h), plain);
        if (dropObject) {
            SkinData->Tabs.reset();
            SkinData->TabPane.reset();
        } else {
            SkinData->Tabs->Image.Assign(nullptr);
        }
        Repaint(h); // the skin changed, the skinner not told yet
        s->SkinChange();
        Repaint(h);
        EXPECT_EQ(Capture(h), plain) << dropObject;
        List->DeleteControls();
        SkinData->SetSkinFile(QL_DEFAULT_SKIN);
    }
}

TEST_F(TTabsTest, DetachingGivesBackTheProcedureAndThePlainLook) {
    TPageControl* pages = AddPages(2);
    TTabControl* tabs = AddTabs(tpRight, 10, 165);
    Form->Show();
    Repaint(Form->Handle());
    TCapture plainPages = Capture(pages->Handle()), plainTabs = Capture(tabs->Handle());
    TWndMethod proc = pages->WindowProc;
    Skin<TSkinTab>(pages);
    Skin<TSkinTab>(tabs);
    ASSERT_NE(Capture(pages->Handle()), plainPages);
    ASSERT_NE(Capture(tabs->Handle()), plainTabs);
    List->DeleteControls();
    EXPECT_EQ(pages->WindowProc.Data, proc.Data);
    Repaint(Form->Handle());
    EXPECT_EQ(Capture(pages->Handle()), plainPages);
    EXPECT_EQ(Capture(tabs->Handle()), plainTabs);
}

TEST_F(TTabsTest, ABareTabWindowIsTakenByItsClassAndGivenBack) {
    Form->Show();
    HWND h = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 200,
                             100, Form->Handle(), nullptr, nullptr, nullptr);
    for (const wchar_t* text : {L"Alpha", L"Beta"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text);
        SendMessageW(h, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
    }
    Repaint(h);
    TCapture plain = Capture(h);
    const LONG_PTR proc = GetWindowLongPtrW(h, GWLP_WNDPROC);
    List->InitHwndControls(Form->Handle());
    auto* s = dynamic_cast<TSkinTab*>(List->FindSkinner(h));
    ASSERT_NE(s, nullptr);
    Repaint(h);
    EXPECT_EQ(TabMismatches(h, StTop, 0, 2), 0);
    EXPECT_EQ(TabMismatches(h, StTop, 1, 1), 0);
    EXPECT_EQ(PaneMismatches(h, StTop), 0);
    List->DeleteControls();
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), proc);
    Repaint(h);
    EXPECT_EQ(Capture(h), plain);
    DestroyWindow(h);
}

// The window has no WS_CLIPCHILDREN: the face must leave the control's scroll arrows alone.
TEST_F(TTabsTest, TheScrollArrowsOfAFullRowStayOnTop) {
    Form->Show();
    HWND h = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 80, Form->Handle(),
                             nullptr, nullptr, nullptr);
    for (int i = 0; i < 12; i++) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"Channel");
        SendMessageW(h, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    Repaint(h);
    HWND arrows = FindWindowExW(h, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_TRUE(arrows && IsWindowVisible(arrows));
    TCapture plain = Capture(arrows);
    List->InitHwndControls(Form->Handle());
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h); // the arrows are not asked to repaint
    EXPECT_EQ(Capture(arrows), plain);
    List->DeleteControls();
    DestroyWindow(h);
}

TEST_F(TTabsTest, SelectionSkinsTabsAndPagesButNotButtonPages) {
    TTabControl* tabs = AddTabs(tpTop);
    TPageControl* pages = AddPages(2);
    TPageControl* buttons = AddPages(2);
    buttons->SetStyle(tsButtons);
    Form->Show();
    Pump();
    List->InitControls(Form.get());
    auto* t = dynamic_cast<TSkinTab*>(List->FindSkinner(tabs));
    auto* p = dynamic_cast<TSkinTab*>(List->FindSkinner(pages));
    ASSERT_TRUE(t && p);
    EXPECT_EQ(t->Kind, 2);
    EXPECT_EQ(p->Kind, 0);
    EXPECT_EQ(List->FindSkinner(buttons), nullptr);
    EXPECT_NE(dynamic_cast<TSkinTabSheet*>(List->FindSkinner(pages->Pages(0))), nullptr);
    TWinControl* page = pages->ActivePage();
    Repaint(page->Handle());
    EXPECT_EQ(Capture(page->Handle()).At(20, 20), SkinColor(csButtonFace)) << "a page has the skin's face";
    List->DeleteControls();
    SkinData->SkinControls.Exclude(xcTab);
    List->InitControls(Form.get());
    EXPECT_EQ(List->FindSkinner(tabs), nullptr);
}

TEST_F(TTabsTest, TwoHundredAttachDetachRoundsKeepTheCountsFlat) {
    std::vector<TCustomTabControl*> tabs;
    for (TTabPosition pos : Positions)
        tabs.push_back(AddTabs(pos, 10 + 100 * (pos % 2), 10 + 140 * (pos / 2)));
    tabs.push_back(AddPages(3));
    Form->Show();
    Pump();
    ExpectFlatCounts(
        [&] {
            for (TCustomTabControl* t : tabs)
                Skin<TSkinTab>(t);
            Repaint(Form->Handle());
            List->DeleteControls();
        },
        200);
}

} // namespace
