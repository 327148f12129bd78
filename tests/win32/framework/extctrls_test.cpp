// Panels and radio groups: what they draw, where their children go, and the radio group's buttons.
#include "FrameworkTest.h"
#include "StdForm.h"

#include <gtest/gtest.h>

namespace {
bool IsChecked(TRadioButton* b) {
    return SendMessageW(b->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
} // namespace

TEST(Panel, BevelsFromTheEdgeInAndTheCaption) {
    auto form = ShownStdForm();
    TPanel* panel = form->Panel1;
    HWND wnd = panel->Handle();
    UpdateWindow(wnd);
    int w = panel->ClientWidth(), h = panel->ClientHeight();
    // raised outer bevel, 2 pixels of border, lowered inner bevel
    EXPECT_EQ(ScreenPixel(wnd, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(wnd, w - 1, h - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(wnd, 1, h / 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(ScreenPixel(wnd, 3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(wnd, w - 4, h - 4), ColorToRGB(clBtnHighlight));
    // the caption on the right, none on the left half (where the speed buttons are not)
    auto inked = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 8; y < h - 8; ++y)
                if (ScreenPixel(wnd, x, y) == ColorToRGB(clWindowText)) return true;
        return false;
    };
    EXPECT_TRUE(inked(w / 2, w - 4));
    EXPECT_FALSE(inked(90, w / 2 - 20));
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->Repaint();
    EXPECT_EQ(ScreenPixel(wnd, 0, 0), ColorToRGB(clBtnFace));
}

TEST(Panel, AlignedChildrenStayInsideTheBevels) {
    auto form = ShownStdForm();
    TPanel* panel = form->Panel1;
    TOwned<TPanel> inner(new TPanel(nullptr));
    inner->SetAlign(alClient);
    inner->SetParent(panel);
    int inset = 1 + 2 + 1; // outer bevel, border, inner bevel
    EXPECT_EQ(inner->Left(), inset);
    EXPECT_EQ(inner->Top(), inset);
    EXPECT_EQ(inner->Width(), panel->ClientWidth() - 2 * inset);
    panel->SetBevelWidth(3);
    EXPECT_EQ(inner->Left(), 3 + 2 + 3);
    inner->SetParent(nullptr);
}

TEST(RadioGroup, OneButtonPerItemInColumns) {
    auto form = ShownStdForm();
    TRadioGroup* group = form->RadioGroup1;
    ASSERT_EQ(group->ButtonCount(), 4);
    // two columns, filled top to bottom: items 0 and 1 on the left, 2 and 3 on the right
    EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(1)->Left());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_EQ(WindowText(group->Buttons(3)->Handle()), u"125K");
    EXPECT_EQ(FindControl(GetParent(group->Buttons(0)->Handle())), group);
    EXPECT_EQ(group->Buttons(0)->ClassName(), "TRadioButton"); // what a skinner looks for
    EXPECT_TRUE(IsChecked(group->Buttons(2)));
    EXPECT_FALSE(IsChecked(group->Buttons(0)));

    form->Events.clear();
    SendMessageW(group->Buttons(0)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_FALSE(IsChecked(group->Buttons(2)));
    group->SetItemIndex(3);
    EXPECT_TRUE(IsChecked(group->Buttons(3)));
    group->SetItemIndex(-1);
    EXPECT_FALSE(IsChecked(group->Buttons(3)));
    EXPECT_EQ(form->Events, (std::vector<std::string>{"RadioGroup1 click", "RadioGroup1 click"}));
    EXPECT_TRUE(form->RadioButton1->Checked()); // the form's own radio buttons are another group

    group->SetItemIndex(3);
    group->Items().Delete(3); // its button goes, and with it the selection
    EXPECT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ItemIndex(), -1);
    group->Items().Add("50K");
    group->Items().Add("20K");
    group->SetColumns(1);
    EXPECT_EQ(group->ButtonCount(), 5);
    EXPECT_EQ(group->Buttons(4)->Left(), group->Buttons(0)->Left());
    EXPECT_GT(group->Buttons(4)->Top(), group->Buttons(3)->Top());
    group->Items().Clear();
    EXPECT_EQ(group->ButtonCount(), 0);
}

TEST(RadioGroup, CellsShareTheAreaEvenly) {
    RECT area{8, 14, 208, 114}; // 200 x 100
    RECT first = RadioGroupCell(area, 0, 5, 2);
    EXPECT_EQ(first.left, 8);
    EXPECT_EQ(first.right - first.left, 100);
    EXPECT_EQ(first.bottom - first.top, 33); // three rows, the leftover pixel split
    EXPECT_EQ(first.top, 14);
    RECT last = RadioGroupCell(area, 4, 5, 2); // second column, second row
    EXPECT_EQ(last.left, 108);
    EXPECT_EQ(last.top, 14 + 33);
    RECT single = RadioGroupCell(area, 0, 1, 4); // more columns than buttons
    EXPECT_EQ(single.right - single.left, 200);
}
