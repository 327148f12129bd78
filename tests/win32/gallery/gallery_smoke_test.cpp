// The skin gallery end to end: every page skinned and plain, switching skins by file, menu and
// drop, a broken skin file refused with the skin kept, the MDI window and message boxes, and a
// hundred rounds over pages and skins with flat handle counts.
#include "GalleryWindow.h"

#include "DialogAnswerer.h"
#include "GallerySkins.h"
#include "SkinControlList.h"
#include "SkinnedFormTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

HWND Wnd() {
    return GalleryForm->Handle();
}

// The framework controls under a parent, at any depth.
void ForEachControl(TWinControl* parent, const std::function<void(TControl*)>& fn) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        fn(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachControl(w, fn);
    }
}

int SkinnedControls(TWinControl* page) {
    TWinSkinForm* skin = SkinnerOf(Wnd());
    int n = 0;
    ForEachControl(page, [&](TControl* c) { n += skin && skin->Controls && skin->Controls->FindSkinner(c); });
    return n;
}

// Pages whose control families were skinned before the gallery came; the others may show plain.
bool HasSkinnedFamilies(const std::string& caption) {
    for (const char* name : {"Buttons", "Check boxes", "Edits", "Combo boxes", "Boxes", "Windows"})
        if (caption == name) return true;
    return false;
}

std::string FileText(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

COLORREF Face() {
    return ColorToRGB(GalleryForm->SkinData1->Colors[csButtonFace]);
}

void SetSkinning(bool on) {
    GalleryForm->SetSkinning(on);
    RunSkinAction();
}

} // namespace

class GalleryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { FWindow = new TGalleryWindow; }
    static void TearDownTestSuite() {
        delete FWindow;
        FWindow = nullptr;
    }
    void SetUp() override {
        if (!GalleryForm->Skinning()) SetSkinning(true);
        if (Face() != DefaultFace) GalleryForm->UseDefaultSkin();
        RunSkinAction();
    }
    static TGalleryWindow* FWindow;
};
TGalleryWindow* GalleryTest::FWindow = nullptr;

TEST_F(GalleryTest, EveryPageOpensSkinnedAndPlain) {
    TPageControl* pages = GalleryForm->PageControl1;
    ASSERT_GE(pages->PageCount(), 12);
    for (bool skinned : {true, false}) {
        SetSkinning(skinned);
        EXPECT_EQ(SkinnerOf(Wnd()) != nullptr, skinned);
        for (int i = 0; i < pages->PageCount(); ++i) {
            GalleryForm->ShowPage(i);
            TTabSheet* page = pages->Pages(i);
            RepaintAll(Wnd());
            Application->ProcessMessages();
            EXPECT_TRUE(IsWindowVisible(page->Handle())) << page->Caption();
            ForEachControl(page, [&](TControl* c) {
                auto* w = dynamic_cast<TWinControl*>(c);
                if (w && w->Visible()) {
                    EXPECT_TRUE(IsWindow(w->Handle())) << page->Caption() << " " << c->Name();
                }
            });
            int count = SkinnedControls(page);
            if (!skinned) {
                EXPECT_EQ(count, 0) << page->Caption();
            } else if (HasSkinnedFamilies(page->Caption())) {
                EXPECT_GT(count, 0) << page->Caption();
            }
            // The page's menu item follows the page shown.
            EXPECT_TRUE(GalleryForm->MenuPages->Items(i)->Checked()) << page->Caption();
        }
    }
    EXPECT_FALSE(GalleryForm->MenuSkinning->Checked());
    SetSkinning(true);
    EXPECT_TRUE(GalleryForm->MenuSkinning->Checked());
    EXPECT_TRUE(GalleryForm->PopupSkinning->Checked());
    // The skinned window takes the skin's face colour.
    EXPECT_EQ(ColorToRGB(GalleryForm->Color()), DefaultFace);
}

TEST_F(GalleryTest, TheSkinningSwitchOfTheMenuGivesTheWindowBackAndTakesItAgain) {
    LONG_PTR skinnedProc = GetWindowLongPtrW(Wnd(), GWLP_WNDPROC);
    GalleryForm->MenuSkinning->Click();
    RunSkinAction();
    EXPECT_FALSE(GalleryForm->Skinning());
    EXPECT_EQ(SkinnerOf(Wnd()), nullptr);
    EXPECT_NE(GetWindowLongPtrW(Wnd(), GWLP_WNDPROC), skinnedProc);
    GalleryForm->PopupSkinning->Click();
    RunSkinAction();
    EXPECT_TRUE(GalleryForm->Skinning());
    EXPECT_NE(SkinnerOf(Wnd()), nullptr);
}

TEST_F(GalleryTest, OpeningASkinFileSwitchesEveryWindowAndListsTheFileFirst) {
    ASSERT_TRUE(GalleryForm->OpenSkin(SecondSkinFile()));
    RunSkinAction();
    EXPECT_EQ(Face(), SecondFace);
    EXPECT_EQ(ColorToRGB(GalleryForm->Color()), SecondFace);
    EXPECT_NE(SkinnerOf(Wnd()), nullptr);
    ASSERT_TRUE(GalleryForm->OpenSkin(QL_DEFAULT_SKIN));
    RunSkinAction();
    EXPECT_EQ(Face(), DefaultFace);
    EXPECT_EQ(GalleryForm->Recent().Items(), (std::vector<std::string>{QL_DEFAULT_SKIN, SecondSkinFile()}));
    EXPECT_EQ(FileText(FWindow->RecentFile), std::string(QL_DEFAULT_SKIN) + "\n" + SecondSkinFile() + "\n");
    // The recent-skins menu, most recent first; choosing the second entry loads it.
    TMenuItem* recent = GalleryForm->MenuRecent;
    ASSERT_EQ(recent->Count(), 2);
    EXPECT_EQ(recent->Items(0)->Caption(), "&1 " + std::string(QL_DEFAULT_SKIN));
    recent->Items(1)->Click();
    Application->ProcessMessages(); // the load comes after the click, by a posted message
    RunSkinAction();
    EXPECT_EQ(Face(), SecondFace);
    EXPECT_EQ(GalleryForm->Recent().Items().front(), SecondSkinFile());
    // The built-in skin comes back from the menu.
    GalleryForm->UseDefaultSkin();
    RunSkinAction();
    EXPECT_EQ(Face(), DefaultFace);
}

TEST_F(GalleryTest, ASkinFileDroppedOnTheWindowIsLoaded) {
    DropFiles(Wnd(), {SecondSkinFile(), "ignored.skn"});
    RunSkinAction();
    EXPECT_EQ(Face(), SecondFace);
    EXPECT_EQ(GalleryForm->Recent().Items().front(), SecondSkinFile());
}

// The error box names the file and the reason; the skin, its frames and the switch keep working.
TEST_F(GalleryTest, ABrokenOrMissingSkinFileIsNamedInAnErrorBoxAndTheSkinStays) {
    const std::vector<std::string> listed = GalleryForm->Recent().Items();
    for (const std::string& file : {BrokenSkinFile(), std::string("no_such_skin.skn")}) {
        TDialogAnswerer answerer;
        EXPECT_FALSE(GalleryForm->OpenSkin(file));
        ASSERT_EQ(answerer.Seen().size(), 1u) << file;
        const std::string& text = answerer.Seen()[0].Text;
        EXPECT_NE(text.find(file), std::string::npos) << text;
        EXPECT_NE(text.find(file == BrokenSkinFile() ? "skin" : "Cannot open file"), std::string::npos)
            << text;
        EXPECT_NE(text.find("keeps the skin it had"), std::string::npos) << text;
        EXPECT_EQ(Face(), DefaultFace);
        EXPECT_FALSE(GalleryForm->SkinData1->SkinPending) << file;
        EXPECT_NE(SkinnerOf(Wnd()), nullptr);
        EXPECT_EQ(GalleryForm->Recent().Items(), listed);
    }
    SetSkinning(false);
    SetSkinning(true);
    EXPECT_TRUE(GalleryForm->Skinning());
    EXPECT_NE(SkinnerOf(Wnd()), nullptr);
    // A listed file that stops loading leaves the list.
    ASSERT_TRUE(GalleryForm->OpenSkin(SecondSkinFile()));
    std::string copy = "gallery_vanishing.skn";
    std::ofstream(copy, std::ios::binary) << FileText(SecondSkinFile());
    ASSERT_TRUE(GalleryForm->OpenSkin(copy));
    std::ofstream(copy, std::ios::binary) << "broken now";
    TDialogAnswerer answerer;
    EXPECT_FALSE(GalleryForm->OpenSkin(copy));
    EXPECT_EQ(GalleryForm->Recent().Items().front(), SecondSkinFile());
    std::remove(copy.c_str());
}

TEST_F(GalleryTest, TheMdiWindowOpensWithTwoSkinnedChildrenAndGoesWhenClosed) {
    GalleryForm->ButtonMDIClick(nullptr);
    TGalleryMdiFrame* frame = GalleryForm->MdiFrame();
    ASSERT_NE(frame, nullptr);
    RunSkinAction();
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_NE(SkinnerOf(frame->Handle()), nullptr);
    // Asking again brings the same window forward.
    GalleryForm->ButtonMDIClick(nullptr);
    EXPECT_EQ(GalleryForm->MdiFrame(), frame);
    frame->MdiNewClick(nullptr);
    EXPECT_EQ(frame->MDIChildCount(), 3);
    frame->Close();
    PumpFor(100);
    EXPECT_EQ(GalleryForm->MdiFrame(), nullptr);
}

TEST_F(GalleryTest, TheMessageBoxButtonsOpenBoxesThatCloseWithTheirButtons) {
    TDialogAnswerer answerer;
    GalleryForm->ButtonShowMessageClick(nullptr);
    GalleryForm->ButtonMessageDlgClick(nullptr);
    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_NE(answerer.Seen()[0].Text.find("message box"), std::string::npos);
    EXPECT_NE(answerer.Seen()[1].Text.find("Keep this skin?"), std::string::npos);
}

// Each round shows the next page and switches to the other skin (which empties the face caches, so
// that what a round leaves is all that is measured); one round in four runs plain.
TEST_F(GalleryTest, AHundredRoundsOfPagesAndSkinsLeaveHandleCountsFlat) {
    TMemoryStream second;
    second.LoadFromFile(SecondSkinFile());
    int round = 0;
    const int pages = GalleryForm->PageControl1->PageCount();
    DWORD start = GetTickCount();
    ExpectFlatCounts(
        [&] {
            GalleryForm->ShowPage(round % pages);
            if (round % 2) {
                GalleryForm->UseDefaultSkin();
            } else {
                EXPECT_EQ(LoadSkinBytes(*GalleryForm->SkinData1, second), "");
            }
            GalleryForm->SetSkinning(round % 4 != 2);
            RunSkinAction(); // paints the page and the new skin
            ++round;
        },
        100);
    std::printf("%d rounds in %lu ms\n", round, GetTickCount() - start);
    SetSkinning(true);
    GalleryForm->UseDefaultSkin();
    RunSkinAction();
    EXPECT_EQ(Face(), DefaultFace);
    EXPECT_NE(SkinnerOf(Wnd()), nullptr);
}
