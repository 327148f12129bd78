// Which windows the skin manager may take over and which skin it gives them, on facts alone.
#include "ManageRules.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TWindowFacts Ours(const std::string& cls = "TForm1") {
    TWindowFacts w;
    w.ClassName = cls;
    w.Style = WS_OVERLAPPEDWINDOW;
    w.OurModule = true;
    return w;
}

struct TSkins {
    std::vector<std::unique_ptr<TSkinData>> Owned;
    std::vector<TSkinCandidate> List;
    TSkinData* Add(TSkinFormType type, HWND owner = nullptr) {
        Owned.push_back(std::make_unique<TSkinData>(nullptr));
        Owned.back()->SkinFormtype = type;
        List.push_back({Owned.back().get(), owner});
        return Owned.back().get();
    }
};

} // namespace

TEST(ManageRulesTest, OurWindowsFrameworkFormsAndSystemDialogsOnly) {
    EXPECT_TRUE(MaySkinWindow(Ours(), false));
    TWindowFacts foreign = Ours();
    foreign.OurModule = false;
    EXPECT_FALSE(MaySkinWindow(foreign, false));
    foreign.ClassName = "#32770"; // a message box of another module
    EXPECT_TRUE(MaySkinWindow(foreign, false));
    foreign.ClassName = "TForm1";
    foreign.FrameworkForm = true;
    EXPECT_TRUE(MaySkinWindow(foreign, false));
}

TEST(ManageRulesTest, TagNinetyNineEmptyAndSpecialClassesAreNeverSkinned) {
    TWindowFacts form = Ours();
    form.FrameworkForm = true;
    form.FormTag = 99;
    EXPECT_FALSE(MaySkinWindow(form, true));
    form.FormTag = 98;
    EXPECT_TRUE(MaySkinWindow(form, true));
    TWindowFacts empty = Ours();
    empty.EmptyRect = true;
    EXPECT_FALSE(MaySkinWindow(empty, false));
    empty.ExStyle = WS_EX_MDICHILD; // an MDI child may still be empty when it is made
    empty.Style |= WS_CHILD;
    empty.ParentClass = "MDICLIENT";
    EXPECT_TRUE(MaySkinWindow(empty, false));
    EXPECT_FALSE(MaySkinWindow(Ours("TApplication"), false));
    EXPECT_FALSE(MaySkinWindow(Ours("TcxPopupEditPopupWindow1"), false));
}

TEST(ManageRulesTest, NestedWindowsOnlyWhenAsked) {
    TWindowFacts child = Ours();
    child.Style = WS_CHILD | WS_CAPTION;
    child.ParentClass = "TPanel";
    EXPECT_TRUE(IsNestedWindow(child));
    EXPECT_FALSE(MaySkinWindow(child, false));
    EXPECT_TRUE(MaySkinWindow(child, true));
    child.ParentClass = "MdiClient";
    EXPECT_FALSE(IsNestedWindow(child));
    EXPECT_FALSE(IsNestedWindow(Ours()));
}

TEST(ManageRulesTest, PreviewWindowsNeedThePreviewOption) {
    TSkinData skin(nullptr);
    skin.Options.Exclude(xoPreview);
    EXPECT_TRUE(RefusesPreview(skin, "TPrintPreviewForm"));
    EXPECT_FALSE(RefusesPreview(skin, "TForm1"));
    skin.Options.Include(xoPreview);
    EXPECT_FALSE(RefusesPreview(skin, "TPrintPreviewForm"));
}

TEST(ManageRulesTest, TheFormsOwnSkinThenDialogThenMainThenFirst) {
    TSkins skins;
    HWND form = reinterpret_cast<HWND>(0x1234), other = reinterpret_cast<HWND>(0x5678);
    EXPECT_EQ(ChooseSkin(skins.List, form, "TForm1"), nullptr);
    TSkinData* dll = skins.Add(sfDLL);
    EXPECT_EQ(ChooseSkin(skins.List, form, "TForm1"), dll); // the first one, lacking any other
    TSkinData* main1 = skins.Add(sfMainform);
    TSkinData* main2 = skins.Add(sfMainform);
    EXPECT_EQ(ChooseSkin(skins.List, form, "TForm1"), main2); // the last of a kind
    EXPECT_EQ(ChooseSkin(skins.List, form, "#32770"), main2);
    TSkinData* dialog = skins.Add(sfDialog);
    EXPECT_EQ(ChooseSkin(skins.List, form, "#32770"), dialog);
    EXPECT_EQ(ChooseSkin(skins.List, form, "TMessageForm"), dialog);
    EXPECT_EQ(ChooseSkin(skins.List, form, "TForm1"), main2);
    TSkinData* own = skins.Add(sfOnlyThisForm, form);
    EXPECT_EQ(ChooseSkin(skins.List, form, "TForm1"), own);
    EXPECT_EQ(ChooseSkin(skins.List, other, "TForm1"), main2);
    (void)main1;
}

TEST(ManageRulesTest, TheSkinsOwnSayComesLast) {
    TSkinData skin(nullptr);
    bool doSkin = true;
    skin.DoFormSkin(nullptr, "SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    skin.DoFormSkin(nullptr, "TfrPreview", doSkin);
    EXPECT_EQ(doSkin, !skin.SkinControls.Contains(xcFastReport));
    skin.OnFormSkin.Code = [](TObject*, const std::string&, bool& s) { s = true; };
    doSkin = false;
    skin.DoFormSkin(reinterpret_cast<HWND>(0x42), "SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin); // the application decides alone
    EXPECT_EQ(skin.QueryWindow, reinterpret_cast<HWND>(0x42));
}
