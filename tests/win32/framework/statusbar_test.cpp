// Status-bar panels as a collection: read from a description, edited at run time, and what the
// status window shows for them.
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {
const char* const PanelsText = R"(object TestForm: TTestForm
  ClientHeight = 100
  ClientWidth = 400
  object StatusBar1: TStatusBar
    Panels = <
      item
        Text = 'Data sent, 已发送'
        Width = 120
      end
      item
        Alignment = taRightJustify
        Bevel = pbRaised
        Text = 'MAC'
        Width = 80
      end
      item
        Bevel = pbNone
        Style = psOwnerDraw
      end>
  end
end
)";

TOwned<TTestForm> Shown(const std::string& text) {
    auto form = ReadTestForm(text);
    form->Show();
    Pump();
    return form;
}

// The right edges of the window's parts (-1: to the end).
std::vector<int> Parts(TStatusBar* bar) {
    std::vector<int> edges(16);
    auto n = SendMessageW(bar->Handle(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    edges.resize(size_t(n));
    return edges;
}

std::u16string PartText(TStatusBar* bar, int i) {
    std::u16string text(size_t(LOWORD(SendMessageW(bar->Handle(), SB_GETTEXTLENGTHW, i, 0))), u'\0');
    SendMessageW(bar->Handle(), SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

// SBT_NOBORDERS, SBT_POPOUT, SBT_OWNERDRAW or 0.
unsigned PartType(TStatusBar* bar, int i) {
    return HIWORD(SendMessageW(bar->Handle(), SB_GETTEXTLENGTHW, i, 0));
}

std::vector<int> Widths(const TStatusPanels& panels) {
    std::vector<int> out;
    for (int i = 0; i < panels.Count(); ++i)
        out.push_back(panels[i]->Width());
    return out;
}
} // namespace

TEST(StatusPanels, StoredPanelsReachTheWindow) {
    auto form = Shown(PanelsText);
    TStatusBar* bar = form->StatusBar1;
    ASSERT_EQ(bar->Panels().Count(), 3);
    EXPECT_EQ(Parts(bar), (std::vector<int>{120, 200, -1}));
    EXPECT_EQ(PartText(bar, 0), u"Data sent, 已发送");
    EXPECT_EQ(PartText(bar, 1), u"\t\tMAC");
    EXPECT_EQ(PartType(bar, 0), 0u);
    EXPECT_EQ(PartType(bar, 1), unsigned(SBT_POPOUT));
    EXPECT_EQ(PartType(bar, 2) & ~unsigned(SBT_OWNERDRAW), unsigned(SBT_NOBORDERS));

    std::vector<TStatusPanel*> drawn;
    bar->OnDrawPanel.Code = [&](TCustomStatusBar*, TStatusPanel* panel, const RECT& r) {
        drawn.push_back(panel);
        EXPECT_GE(r.left, 200);
    };
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), bar->Panels()[2]);

    std::string written = WriteComponentText(form.get());
    auto copy = ReadTestForm(written);
    EXPECT_EQ(WriteComponentText(copy.get()), written);
    EXPECT_EQ(copy->StatusBar1->Panels()[0]->Text(), "Data sent, 已发送");
    EXPECT_EQ(copy->StatusBar1->Panels()[2]->Style(), psOwnerDraw);
}

TEST(StatusPanels, EditingTheCollectionUpdatesTheWindow) {
    auto form = Shown(EveryControlText);
    TStatusBar* bar = form->StatusBar1;
    TStatusPanels& panels = bar->Panels();
    EXPECT_EQ(Parts(bar), (std::vector<int>{150, -1}));

    TStatusPanel* added = panels.Add();
    added->SetText("third");
    EXPECT_EQ(Parts(bar), (std::vector<int>{150, 200, -1}));
    EXPECT_EQ(PartText(bar, 2), u"third");
    added->SetIndex(0);
    added->SetWidth(30);
    EXPECT_EQ(Parts(bar), (std::vector<int>{30, 180, -1}));
    EXPECT_EQ(PartText(bar, 0), u"third");
    panels[1]->Free();
    EXPECT_EQ(Parts(bar), (std::vector<int>{30, -1}));
    EXPECT_EQ(PartText(bar, 1), u"\t") << "the centred panel moved up";

    panels.BeginUpdate();
    panels.Add()->SetText("held back");
    panels.Delete(0);
    EXPECT_EQ(Parts(bar), (std::vector<int>{30, -1}));
    panels.EndUpdate();
    EXPECT_EQ(Parts(bar), (std::vector<int>{50, -1}));
    EXPECT_EQ(PartText(bar, 1), u"held back");

    TOwned<TStatusBar> other(new TStatusBar(nullptr));
    for (int w : {10, 20, 40})
        other->Panels().Add()->SetWidth(w);
    other->Panels()[0]->SetText("first");
    other->Panels()[2]->SetAlignment(taRightJustify);
    other->Panels()[2]->SetText("copied");
    panels.Assign(&other->Panels());
    EXPECT_EQ(Widths(panels), (std::vector<int>{10, 20, 40}));
    EXPECT_EQ(Parts(bar), (std::vector<int>{10, 30, -1}));
    EXPECT_EQ(PartText(bar, 0), u"first");
    EXPECT_EQ(PartText(bar, 2), u"\t\tcopied");

    panels.Clear();
    EXPECT_EQ(Parts(bar), (std::vector<int>{-1}));
    EXPECT_EQ(PartText(bar, 0), u"") << "no panel's text is left behind";
}

TEST(StatusPanels, AnEmptyCollectionReplacesStoredPanels) {
    std::string text = EveryControlText;
    size_t from = text.find("    Panels = <"), to = text.find("end>", from) + 4;
    text.replace(from, to - from, "    Panels = <>");
    auto form = Shown(text);
    EXPECT_EQ(form->StatusBar1->Panels().Count(), 0);
    EXPECT_EQ(Parts(form->StatusBar1), (std::vector<int>{-1}));
    EXPECT_EQ(WriteComponentText(form.get()).find("Panels"), std::string::npos)
        << "a bar without panels is what a new bar is";
}
