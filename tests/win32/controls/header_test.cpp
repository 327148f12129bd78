// Header controls and a report list view's column header skinned: sections and the space after them
// compared with the skin's Headerbar bitmap in their normal, hot and pressed frames, texts drawn,
// the plain look back on detach, and many attach and detach rounds.
#include "ComCtrls.h"
#include "SkinHeader.h"
#include "TabsTest.h"

#include <commctrl.h>

namespace {

RECT SectionRect(HWND header, int i) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

int BlackPixels(const TCapture& c, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++)
            n += c.At(x, y) == RGB(0, 0, 0);
    return n;
}

class THeaderTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        Header = Add<THeaderControl>(0, 0, 300, 20);
        for (int w : {80, 90, 60})
            Header->Sections().Add()->SetWidth(w);
        Header->Sections()[2]->SetText("Name");
        Form->Show();
        Pump();
    }
    TListView* AddReport() {
        auto* list = Add<TListView>(10, 60, 300, 120);
        list->SetViewStyle(vsReport);
        for (const char* s : {"", "Size"})
            list->Columns().Add()->SetText(s);
        list->Columns()[0]->SetWidth(100);
        list->Columns()[1]->SetWidth(80);
        Pump();
        return list;
    }
    // The corners of the fitted Headerbar frame in R.
    int Mismatches(HWND header, const RECT& r, int frame) {
        TDataSkinObject& bar = *SkinData->Headerbar;
        return FittedCornerMismatches(Capture(header), r, StTop, bar.Image, frame, bar.Frame, bar.Margins);
    }
    int SectionMismatches(HWND header, int i, int frame) {
        return Mismatches(header, SectionRect(header, i), frame);
    }

    THeaderControl* Header = nullptr;
};

TEST_F(THeaderTest, SectionsAndTheRestAreTheFirstFrameAndTextsAreDrawn) {
    Skin<TSkinHeader>(Header);
    HWND h = Header->Handle();
    EXPECT_EQ(SectionMismatches(h, 0, 1), 0);
    EXPECT_EQ(SectionMismatches(h, 1, 1), 0);
    EXPECT_NE(SectionMismatches(h, 1, 2), 0) << "frames told apart";
    RECT rest{SectionRect(h, 2).right, 0, Header->Width(), Header->Height()};
    EXPECT_EQ(Mismatches(h, rest, 1), 0);
    TCapture c = Capture(h);
    EXPECT_EQ(BlackPixels(c, SectionRect(h, 1)), 0) << "an empty text shows only the frame";
    EXPECT_GT(BlackPixels(c, SectionRect(h, 2)), 0) << "the text";
}

TEST_F(THeaderTest, TheSectionUnderTheMouseIsLitAndThePressedOneShownPressed) {
    auto* s = Skin<TSkinHeader>(Header);
    HWND h = Header->Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, At(Centre(SectionRect(h, 0))));
    EXPECT_EQ(SectionMismatches(h, 0, 2), 0);
    SendMessageW(h, WM_MOUSEMOVE, 0, At(Centre(SectionRect(h, 1))));
    EXPECT_EQ(SectionMismatches(h, 1, 2), 0);
    EXPECT_EQ(SectionMismatches(h, 0, 1), 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(SectionRect(h, 1))));
    EXPECT_EQ(s->PressedItem, 1);
    EXPECT_EQ(SectionMismatches(h, 1, 3), 0);
    SendMessageW(h, WM_LBUTTONUP, 0, At(Centre(SectionRect(h, 1))));
    EXPECT_EQ(SectionMismatches(h, 1, 2), 0);
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(SectionMismatches(h, 1, 1), 0);
}

TEST_F(THeaderTest, AReportListViewsColumnHeaderIsSkinnedByTheSelection) {
    TListView* list = AddReport();
    HWND h = list->HeaderHandle();
    ASSERT_NE(h, nullptr);
    List->InitControls(Form.get());
    ASSERT_NE(dynamic_cast<TSkinHeader*>(List->FindSkinner(h)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinHeader*>(List->FindSkinner(Header)), nullptr);
    const int skinners = List->Count();
    List->InitControls(Form.get());
    EXPECT_EQ(List->Count(), skinners) << "a second walk adds nothing";
    Repaint(h);
    EXPECT_EQ(SectionMismatches(h, 0, 1), 0);
    SendMessageW(h, WM_MOUSEMOVE, 0, At(Centre(SectionRect(h, 1))));
    EXPECT_EQ(SectionMismatches(h, 1, 2), 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(SectionRect(h, 0))));
    EXPECT_EQ(SectionMismatches(h, 0, 3), 0);
    SendMessageW(h, WM_LBUTTONUP, 0, At(Centre(SectionRect(h, 0))));
    EXPECT_GT(BlackPixels(Capture(h), SectionRect(h, 1)), 0) << "the column's text";
}

TEST_F(THeaderTest, DetachingGivesBackTheProceduresAndThePlainLook) {
    TListView* list = AddReport();
    HWND column = list->HeaderHandle();
    Repaint(Form->Handle());
    TCapture plainHeader = Capture(Header->Handle()), plainColumn = Capture(column);
    const LONG_PTR proc = GetWindowLongPtrW(column, GWLP_WNDPROC);
    List->InitControls(Form.get());
    Repaint(Form->Handle());
    ASSERT_NE(Capture(Header->Handle()), plainHeader);
    ASSERT_NE(Capture(column), plainColumn);
    List->DeleteControls();
    EXPECT_EQ(GetWindowLongPtrW(column, GWLP_WNDPROC), proc);
    Repaint(Form->Handle());
    EXPECT_EQ(Capture(Header->Handle()), plainHeader);
    EXPECT_EQ(Capture(column), plainColumn);
}

TEST_F(THeaderTest, ASkinWithoutAHeaderImageLeavesThePlainLook) {
    HWND h = Header->Handle();
    Repaint(h);
    TCapture plain = Capture(h);
    Skin<TSkinHeader>(Header);
    SkinData->Headerbar.reset();
    Repaint(h);
    EXPECT_EQ(Capture(h), plain);
}

TEST_F(THeaderTest, TwoHundredAttachDetachRoundsKeepTheCountsFlat) {
    AddReport();
    ExpectFlatCounts(
        [&] {
            List->InitControls(Form.get());
            Repaint(Form->Handle());
            List->DeleteControls();
        },
        200);
}

} // namespace
