// The skin model: its defaults and published properties, the reading rules on small skins built in
// memory, and what loading the default skin gives.
#include "TypInfo.h" // before windows.h: RegisterClass is the registry's here

#include "AllocationProbe.h"
#include "FormReader.h"
#include "SkinRead.h"
#include "SkinTestHelpers.h"
#include "WinConvert.h"
#include "WinSkinData.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TSkinDataTest : ::testing::Test {
    std::unique_ptr<TSkinData> Skin = std::make_unique<TSkinData>(nullptr);
    std::vector<std::string> Reports;
    TSkinDataTest() {
        SkinReadReport = [this](const std::string& m) { Reports.push_back(m); };
    }
    void Load(const std::string& ini, std::vector<TSkinEntry> files = {}) {
        TMemoryStream archive;
        PackSkin(archive, ini, std::move(files));
        Skin->LoadFromStream(archive);
    }
};

constexpr TColor Sys(int n) {
    return clSystemColor + TColor(n);
}

// Live GDI objects of the process. Wine's GetGuiResources always answers 0; there a handle whose
// high word is 0 names whatever live object has that table index, so the table can be counted.
DWORD GdiObjects() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    DWORD live = 0;
    for (uintptr_t i = 1; i < 0x10000; i++)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
    return live;
}

} // namespace

TEST_F(TSkinDataTest, NewInstanceHasTheStoredDefaults) {
    EXPECT_FALSE(Skin->Active());
    EXPECT_EQ(Skin->DisableTag, 99);
    EXPECT_EQ(Skin->SkinControls.Bits, 0x1FFFFBu);
    EXPECT_FALSE(Skin->SkinControls.Contains(xcMenuItem));
    EXPECT_FALSE(Skin->SkinControls.Contains(xcFastReport));
    EXPECT_TRUE(Skin->SkinControls.Contains(xcSystemMenu));
    EXPECT_EQ(Skin->Options.Bits, 0x48u);
    EXPECT_TRUE(Skin->Options.Contains(xoPreview) && Skin->Options.Contains(xoToolbarBK));
    ASSERT_EQ(Skin->Skin3rd->Count(), 116);
    EXPECT_EQ(Skin->Skin3rd->Get(0), "TPngBitBtn=pngbitbtn");
    EXPECT_EQ(Skin->Skin3rd->Get(46), "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(Skin->Skin3rd->Get(47), "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(Skin->Skin3rd->Get(115), "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(Skin->Version(), "3.99.03.03");
    EXPECT_EQ(Skin->SkinStore(), "(none)");
    EXPECT_EQ(Skin->SkinFormtype, sfMainform);
    EXPECT_TRUE(Skin->MenuUpdate);
    EXPECT_FALSE(Skin->MenuMerge);
    EXPECT_TRUE(Skin->SkinPending);
    EXPECT_TRUE(Skin->FramePainting);
    EXPECT_EQ(Skin->Containers.Bits, 0x3FFu);
    EXPECT_EQ(Skin->Borders[bdLeft]->Name, "Left");
    EXPECT_EQ(Skin->Borders[bdBottom]->Name, "Bottom");
    EXPECT_EQ(Skin->Title->Name, "Title");
    EXPECT_EQ(Skin->Button->Name, "Buttons");
    EXPECT_FALSE(Skin->Tabs);
    EXPECT_EQ(Skin->MenuImages->Count(), 4);
    EXPECT_EQ(Skin->MaxWidth, GetSystemMetrics(SM_CXMAXIMIZED));
}

TEST_F(TSkinDataTest, PublishedPropertiesByNameAndTheStoredSkinStream) {
    RegisterSkinClasses();
    const TClassInfo* cls = FindClass("TSkinData");
    ASSERT_EQ(cls, &TSkinData::StaticClassInfo());
    std::vector<std::string> names;
    for (const TPropInfo& p : cls->Props)
        names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Active", "DisableTag", "SkinControls", "Options", "Skin3rd",
                                               "SkinFile", "SkinStore", "SkinFormtype", "Version",
                                               "MenuUpdate", "MenuMerge", "OnFormSkin", "OnSkinChanged",
                                               "OnSkinControl", "SkinStream"}));
    EXPECT_EQ(GetEnumProperty(Skin.get(), "SkinFormtype"), "sfMainform");
    Skin->ChangeProperty(Skin.get(), "SkinFormtype", "sfDialog");
    EXPECT_EQ(Skin->SkinFormtype, sfDialog);
    Skin->ChangeProperty(Skin.get(), "DisableTag", "5"); // not an enumeration: nothing
    EXPECT_EQ(Skin->DisableTag, 99);
    SetProperty(Skin.get(), "Version", "1.0");
    EXPECT_EQ(GetProperty(Skin.get(), "Version"), "");
    EXPECT_EQ(GetStringProp(Skin.get(), "Version"), u"3.99.03.03");

    // SkinStream: int32 length, then the archive, loaded as it is read.
    TMemoryStream archive, stored;
    PackSkin(archive, "[Tabs]\nImage=t.bmp\n", {{"t.bmp", BmpFile(10, 4, clRed)}});
    int32_t length = int32_t(archive.Size());
    stored.WriteBuffer(&length, 4);
    stored.CopyFrom(archive, 0);
    stored.SetPosition(0);
    const TPropInfo* stream = cls->FindProp("SkinStream");
    stream->ReadData(*Skin, stored);
    EXPECT_FALSE(Skin->SkinPending);
    ASSERT_TRUE(Skin->Tabs);
    EXPECT_EQ(Skin->Tabs->Image.Width(), 10);
    TMemoryStream written;
    stream->WriteData(*Skin, written);
    EXPECT_EQ(written.Bytes(), stored.Bytes());
}

TEST_F(TSkinDataTest, TheDescriptionReaderCreatesAndLoadsIt) {
    TMemoryStream archive;
    PackSkin(archive, "[Tabs]\nImage=t.bmp\n", {{"t.bmp", BmpFile(10, 4, clRed)}});
    TMemoryStream stored; // int32 length, then the archive
    int32_t length = int32_t(archive.Size());
    stored.WriteBuffer(&length, 4);
    stored.CopyFrom(archive, 0);
    std::string hex;
    for (uint8_t b : stored.Bytes())
        hex += IntToHex(b, 2);
    ReadComponentText(Skin.get(), "object SkinData1: TSkinData\n"
                                  "  Active = True\n"
                                  "  SkinControls = [xcMainMenu, xcPopupMenu]\n"
                                  "  SkinFormtype = sfOnlyThisForm\n"
                                  "  SkinStream = {" +
                                      hex +
                                      "}\n"
                                      "end\n");
    EXPECT_TRUE(Skin->Active());
    EXPECT_EQ(Skin->SkinControls.Bits, 3u);
    EXPECT_EQ(Skin->SkinFormtype, sfOnlyThisForm);
    EXPECT_FALSE(Skin->SkinPending);
    ASSERT_TRUE(Skin->Tabs);

    TSkinData copy(nullptr);
    ReadComponentText(&copy, WriteComponentText(Skin.get()));
    EXPECT_EQ(copy.ArchiveStream.Bytes(), archive.Bytes());
    EXPECT_EQ(copy.Skin3rd->Count(), 116);
    EXPECT_TRUE(copy.Tabs);
}

TEST_F(TSkinDataTest, ColourTextRule) {
    EXPECT_EQ(Skin->GetColor("233 233 233", 7), 0xE9E9E9u);
    EXPECT_EQ(Skin->GetColor(" 1,2,3 ", 7), RGB(1, 2, 3));
    EXPECT_EQ(Skin->GetColor("r10g20b30", 7), RGB(10, 20, 30));
    EXPECT_EQ(Skin->GetColor("-5 7 9", 7), RGB(5, 7, 9));
    EXPECT_EQ(Skin->GetColor("300 256 1", 7), RGB(44, 0, 1));
    EXPECT_EQ(Skin->GetColor("99999999999 1 2 3", 7), RGB(1, 2, 3)); // too large: skipped
    EXPECT_EQ(Skin->GetColor("10 20", 7), RGB(10, 0, 0)); // the last number counts only as the third
    EXPECT_EQ(Skin->GetColor("1 2 3 4", 7), RGB(1, 2, 3));
    EXPECT_EQ(Skin->GetColor("", 7), 7u);
    EXPECT_EQ(TSkinData::GetFileName("frame.top.bmp"), "frame");
    EXPECT_EQ(TSkinData::GetFileName("noext"), "");
}

TEST_F(TSkinDataTest, ReadingRulesOnASmallSkin) {
    Load("[TitlebarSkin]\nSkinName=Test Skin\n"
         "[Colours]\nButtonFace=10 20 30\nButtonText=1 1 1\n"
         "[Colour.A]\ncolor=4 5 6\n[COLOURS2]\n[Customcolors]\nColor3=7 8 9\n"
         "[Personality]\nActiveTextR=1\nActiveTextG=2\nInActiveTextR=4\nInActiveTextG=5\nInActiveTextB=6\n"
         "TextShift=16\nTextShiftVert=2\nTextRightClip=20\n"
         "[Tab.Pane]\nImage=pane.bmp\nTopHeight=9\nLeftWidth=3\nRightWidth=5\nBottomHeight=4\nTile=2\n"
         "[Headerbar]\nImage=h.bmp\nframe=4\n[MenuItem]\nImage=h.bmp\nFrame=3\n"
         "[Buttons]\nBitmap=h.bmp\nNormalColour2=9 9 9\n"
         "[Progress]\nBitmap=h.bmp\nStyle=1\nTile=5\n"
         "[Scrollbar]\nImage=h.bmp\n[HorzScrollThumb]\nImage=h.bmp\n[VertScrollThumb]\nImage=h."
         "bmp\nFrameCount=7\n"
         "[UpDown.Vert]\nImage=h.bmp\nGlyphImage=g.bmp\n[Tabs]\nImage=missing.bmp\n",
         {{"pane.bmp", BmpFile(8, 8, clRed)},
          {"h.bmp", BmpFile(20, 5, clBlue)},
          {"g.bmp", BmpFile(3, 3, clLime)}});
    EXPECT_FALSE(Skin->SkinPending);
    EXPECT_EQ(Skin->SkinName, "Test Skin");

    // colours: given, defaulted, and Buttonlight defaulting like ButtonHilight (20, not 22)
    EXPECT_EQ(Skin->Colors[csButtonFace], RGB(10, 20, 30));
    EXPECT_EQ(Skin->Colors[csMenuBar], RGB(10, 20, 30));
    EXPECT_EQ(Skin->Colors[csButtonlight], Sys(20));
    EXPECT_EQ(Skin->Colors[csButtonHilight], Sys(20));
    EXPECT_EQ(Skin->Colors[csText], Sys(8));
    EXPECT_EQ(Skin->Colors[csSelectBg], 0u);
    EXPECT_EQ(Skin->Colors[csCaption], RGB(10, 20, 30)); // no Top image: the face colour
    EXPECT_EQ(Skin->PreColors, (std::vector<TColor>{RGB(4, 5, 6), Sys(8)}));
    TColor c = 1;
    EXPECT_TRUE(Skin->GetPrecolor(c, 1) && c == Sys(8));
    EXPECT_FALSE(Skin->GetPrecolor(c, 2));
    EXPECT_EQ(Skin->CustomColors[3], RGB(7, 8, 9));
    EXPECT_EQ(Skin->CustomColors[0], clWhite);

    // title: only two of ActiveText's three keys leaves it unset
    EXPECT_EQ(Skin->Title->ActiveText, clNone);
    EXPECT_EQ(Skin->Title->InActiveText, RGB(4, 5, 6));
    EXPECT_EQ(Skin->Title->FontHeight, 14);
    EXPECT_EQ(Skin->Title->Margins.left, 16);
    EXPECT_EQ(Skin->Title->Frame, 2);

    ASSERT_TRUE(Skin->TabPane);
    EXPECT_EQ(Skin->TabPane->Margins.top, 4); // 9 clamped
    EXPECT_EQ(Skin->TabPane->Margins.left, 3);
    EXPECT_EQ(Skin->TabPane->Margins.right, 4);
    EXPECT_EQ(Skin->TabPane->Tile, 0); // above 1 reads as 0 in the general rule
    EXPECT_EQ(Skin->Headerbar->Frame, 4);
    EXPECT_EQ(Skin->MenuItem->Frame, 5);
    EXPECT_EQ(Skin->Button->Frame, 5);
    EXPECT_TRUE(Skin->Button->HasNormalColour2);
    EXPECT_FALSE(Skin->Button->HasPressedColour2);
    EXPECT_EQ(Skin->Button->NormalColour2, RGB(9, 9, 9));
    EXPECT_EQ(Skin->Button->PressedColour2, RGB(1, 1, 1));
    EXPECT_EQ(Skin->Button->NormalColour, -1);
    EXPECT_EQ(Skin->Button->CheckButtonFrame, 4); // no image: at least 4
    ASSERT_TRUE(Skin->Progress);
    EXPECT_EQ(Skin->Progress->Frame, 1);
    EXPECT_EQ(Skin->Progress->Tile, 1); // above 1 reads as 1 here
    EXPECT_EQ(Skin->Scrollbar->Frame, 23);
    EXPECT_EQ(Skin->HorzScrollThumb->Frame, 3);
    EXPECT_EQ(Skin->VertScrollThumb->Frame, 7);
    ASSERT_TRUE(Skin->UpDownVert);
    EXPECT_EQ(Skin->UpDownVert->Frame, 8);
    EXPECT_EQ(Skin->UpDownVert->Image2.Width(), 3);
    ASSERT_TRUE(Skin->Tabs); // the object exists though its image is missing
    EXPECT_TRUE(Skin->Tabs->Image.Empty());
    EXPECT_FALSE(Skin->GroupBox);
    EXPECT_FALSE(Skin->MenuBarSkin);
    EXPECT_FALSE(Skin->MinCaption);
    ASSERT_TRUE(Skin->Track && Skin->TrackVert); // built in
    EXPECT_EQ(Skin->Track->Image.Width(), 16);
    EXPECT_EQ(Skin->TrackVert->Image.Height(), 16);
    EXPECT_EQ(Skin->Track->Frame, 1);
    ASSERT_TRUE(Skin->Toolbar);
    EXPECT_EQ(Skin->Toolbar->Image.Height(), 40);

    Load("[Progress]\nBitmap=h.bmp\n", {{"h.bmp", BmpFile(20, 5, clBlue)}});
    EXPECT_EQ(Skin->Progress->Frame, 2); // no Style: two frames
    EXPECT_FALSE(Skin->Tabs);            // a second skin without Tabs drops it
    EXPECT_FALSE(Skin->TabPane);
}

TEST_F(TSkinDataTest, CaptionButtons) {
    Load("[Button0]\nButtonImage=close.bmp\nAction=0\nXcoord=25\n"
         "[Button1]\nButtonImage=narrow.bmp\nAction=1\nVisibility=2\n"
         "[BUTTONS]\n[Button.Radio]\nAction=1\n"
         "[Button4]\nAlign=0\nAction=3\nVisibility=0\n"
         "[Button5]\nAction=-1\nVisibility=1\n"
         "[Button6]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
         "[Button7]\nButtonImage=close.bmp\nAction=3\nframe=2\n"
         "[MDICONTROLS]\nImage=mdi.bmp\n",
         {{"close.bmp", BmpFile(126, 21, clRed)},
          {"narrow.bmp", BmpFile(60, 21, clRed)},
          {"mdi.bmp", BmpFile(156, 13, clBlue, [](int x, int) { return TColor(x / 52); })}});
    ASSERT_EQ(Skin->SysButtonList.size(), 8u);
    auto& b = Skin->SysButtonList;
    EXPECT_EQ(b[0]->Name, "BUTTON0");
    EXPECT_EQ(b[0]->Frame, 6); // 126 / 21 = 6 > 3.8
    EXPECT_EQ(b[0]->XCoord, 25);
    EXPECT_EQ(b[0]->CombineOp, -1);
    EXPECT_EQ(b[1]->Frame, 3); // 60 / 21 <= 3.8
    EXPECT_EQ(b[1]->Visibility, 2);
    EXPECT_EQ(b[2]->Name, "BUTTON4"); // no image, still a button
    EXPECT_EQ(b[2]->Action, 3);
    EXPECT_TRUE(b[2]->Image.Empty());
    EXPECT_EQ(b[2]->Frame, 6);
    EXPECT_EQ(b[3]->Name, "BUTTON6"); // Button5 dropped: Action -1 and visible
    EXPECT_EQ(b[3]->Frame, 6);        // a negative action forces 6
    EXPECT_EQ(b[3]->Visibility1, -1);
    EXPECT_EQ(b[4]->Frame, 2); // the skin's own frame count keeps the image of action 3
    EXPECT_FALSE(b[4]->Image.Empty());
    for (int i = 0; i < 3; i++) {
        const auto& m = b[size_t(5 + i)];
        EXPECT_EQ(m->Action, 7 + i);
        EXPECT_EQ(m->Align, 100);
        EXPECT_EQ(m->Visibility1, 100);
        EXPECT_EQ(m->Frame, 4);
        EXPECT_EQ(m->XCoord, 17 * (3 - i));
        ASSERT_EQ(m->Image.Width(), 52);
        EXPECT_EQ(Px(m->Image, 0, 0), TColor(i)); // its own slice of the strip
    }
}

TEST_F(TSkinDataTest, SunkEdgeAndComboButtonMakeTheComboStrip) {
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;
    Load("[SunkEdge]\nImage=sunk.bmp\nTopHeight=2\nBottomHeight=3\nLeftWidth=2\nRightWidth=2\n"
         "[ComboButton]\nImage=combo.bmp\nTrans=0\n",
         {{"sunk.bmp", BmpFile(40, 21, clGray, [](int x, int) { return TColor(0x80 + x / 10); })},
          {"combo.bmp", BmpFile(64, 16, clBlue, [](int x, int) { return TColor(0x100 * (1 + x / 16)); })}});
    ASSERT_TRUE(Skin->ComboButton && Skin->SunkEdge);
    TDataSkinBorder& combo = *Skin->ComboButton;
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Image.Width(), 4 * 50);
    EXPECT_EQ(combo.Image.Height(), 21);
    EXPECT_EQ(combo.Frame, 4);
    EXPECT_EQ(combo.Margins.left, 2);
    EXPECT_EQ(combo.Margins.right, w + 2);
    EXPECT_EQ(combo.Margins.top, 2);
    EXPECT_EQ(combo.Margins.bottom, 3);
    EXPECT_EQ(combo.Image2.Width(), 64); // the mirrored original
    EXPECT_EQ(Px(combo.Image2, 0, 0), 0x400u);
    for (int k = 0; k < 4; k++) {
        EXPECT_EQ(Px(combo.Image, 50 * k + 10, 10), clFuchsia) << k;           // the hollow inside
        EXPECT_EQ(Px(combo.Image, 50 * k, 0), TColor(0x80 + k)) << k;          // frame k of the edge
        EXPECT_EQ(Px(combo.Image, 50 * k + 49 - w / 2, 10), 0x100u * (k + 1)); // frame k of the button
    }
    EXPECT_EQ(Skin->SunkEdge->Margins.left, GetSystemMetrics(SM_CXHSCROLL) + 4);
    EXPECT_EQ(Skin->SunkEdge->Margins.right, 2);
    for (int x = 0; x < 200; x += 7)
        EXPECT_EQ(Px(Skin->SunkEdge->Image, x, 10), Px(combo.Image, 199 - x, 10)) << x;
    ASSERT_TRUE(Skin->ComboxArrow);
    EXPECT_EQ(Skin->ComboxArrow->Frame, 4);
    EXPECT_EQ(Skin->ComboxArrow->Image.Width(), 68);
    for (int k = 1; k <= 4; k++)
        EXPECT_EQ(Px(Skin->ComboxArrow->Image, 17 * (k - 1) + 5, 5), Px(combo.Image, 50 * k - 19 + 5, 7));
}

TEST_F(TSkinDataTest, BrokenImagesAndZeroFramesAreHarmless) {
    std::vector<uint8_t> truncated = BmpFile(20, 20, clRed);
    truncated.resize(60);
    std::vector<uint8_t> garbage(300, 0x42);
    Load("[Personality]\nTop=top.bmp\nTopFrame=0\n"
         "[Tabs]\nImage=cut.bmp\n[Tab.Pane]\nImage=junk.bmp\n[MenuItem]\nImage=Top.bmp\n[Headerbar]\nImage="
         "top.BMP\n"
         "[ComboButton]\nImage=sub\\dir\\top.bmp\n",
         {{"top.bmp",
           BmpFile(30, 6, clGray, [](int x, int y) { return x == 10 && y == 2 ? 0x123456 : clGray; })},
          {"cut.bmp", truncated},
          {"junk.bmp", garbage}});
    EXPECT_FALSE(Skin->SkinPending);
    EXPECT_EQ(Skin->Colors[csCaption], 0x123456u); // frame count 0 counts as one frame
    EXPECT_TRUE(Skin->Tabs && Skin->Tabs->Image.Empty());
    EXPECT_TRUE(Skin->TabPane && Skin->TabPane->Image.Empty());
    EXPECT_EQ(Skin->MenuItem->Image.Width(), 30);    // entry names ignore case
    EXPECT_TRUE(Skin->Headerbar->Image.Empty());     // but the extension must be ".bmp" exactly
    EXPECT_EQ(Skin->ComboButton->Image.Width(), 30); // the path part is dropped
}

TEST_F(TSkinDataTest, WrongArchiveOrUnreadableFileKeepsTheSkin) {
    Load("[Tabs]\nImage=t.bmp\n", {{"t.bmp", BmpFile(10, 4, clRed)}});
    ASSERT_TRUE(Skin->Tabs);
    TDataSkinBorder* tabs = Skin->Tabs.get();
    const std::vector<uint8_t> stored = Skin->ArchiveStream.Bytes();

    std::vector<uint8_t> image = BuildSkinImage({{"skin.ini", Text("[Progress]\nBitmap=x.bmp\n")}});
    image[0] = 0x21; // magic 20001
    TMemoryStream plain, packed;
    plain.WriteBuffer(image.data(), int64_t(image.size()));
    LZHCompress(plain, packed);
    packed.SetPosition(0);
    Skin->LoadFromStream(packed);
    EXPECT_EQ(Skin->Tabs.get(), tabs);
    EXPECT_FALSE(Skin->Progress);
    EXPECT_FALSE(Skin->SkinPending); // the skin in use is whole and keeps painting
    EXPECT_EQ(Skin->ArchiveStream.Bytes(), stored); // the refused bytes are not kept either
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0], "This is Older Skin File\rPlease update to new version !");

    Load("[Tabs]\nImage=t.bmp\n", {{"t.bmp", BmpFile(10, 4, clRed)}});
    ASSERT_FALSE(Skin->SkinPending);
    Skin->SetSkinFile("Z:\\no\\such\\skin.skn");
    EXPECT_EQ(Skin->SkinFile(), "Z:\\no\\such\\skin.skn");
    EXPECT_FALSE(Skin->SkinPending);
    EXPECT_TRUE(Skin->Tabs);
}

TEST_F(TSkinDataTest, HostileCountsAndMarginsAreClampedWhileReading) {
    const LONG most = kBmpMaxSide;
    Load("[Personality]\nLeft=v.bmp\nLeftFrame=-3\nLeftTopHeight=-5\nLeftBotHeight=2147483647\n"
         "Top=h.bmp\nTopFrame=0\nTopTopHeight=99999999\nTopBotHeight=-2147483647\n"
         "TextShift=-7\nTextShiftVert=2000000000\nmenuBar=h.bmp\nTileLeftMenu=-1\nTileRightMenu=70000\n"
         "[Button0]\nButtonImage=h.bmp\nAction=0\nframe=-1\n"
         "[Buttons]\nBitmap=h.bmp\nRadioButtonFrame=-2\nCheckButtonFrame=-1\n"
         "LeftWidth=2147483647\nTopHeight=-2147483647\n"
         "[Progress.Chunk]\nImage=h.bmp\nFrame=0\n[Track]\nImage=h.bmp\nFrame=-2\n"
         "[HorzScrollThumb]\nImage=h.bmp\nFrameCount=0\n[VertScrollThumb]\nImage=h.bmp\nFrameCount=-4\n"
         "[Headerbar]\nImage=h.bmp\nframe=-1\n[Tab.Pane]\nImage=h.bmp\nLeftWidth=-9\n",
         {{"h.bmp", BmpFile(30, 6, clBlue)}, {"v.bmp", BmpFile(8, 40, clBlue)}});
    ASSERT_FALSE(Skin->SkinPending);

    EXPECT_EQ(Skin->Borders[bdLeft]->Frame, 1);
    EXPECT_EQ(Skin->Borders[bdTop]->Frame, 1);
    ASSERT_FALSE(Skin->SysButtonList.empty());
    EXPECT_EQ(Skin->SysButtonList[0]->Frame, 1);
    EXPECT_EQ(Skin->Button->RadioButtonFrame, 1);
    EXPECT_EQ(Skin->Button->CheckButtonFrame, 1);
    for (TDataSkinObject* o : {Skin->ProgressChunk.get(), Skin->Track.get(), Skin->HorzScrollThumb.get(),
                               Skin->VertScrollThumb.get(), Skin->Headerbar.get()}) {
        ASSERT_TRUE(o);
        EXPECT_EQ(o->Frame, 1) << o->Name;
    }
    ASSERT_TRUE(Skin->ComboxArrow); // neither combo image: an empty arrow, still one frame
    EXPECT_TRUE(Skin->ComboxArrow->Image.Empty());
    EXPECT_EQ(Skin->ComboxArrow->Frame, 1);

    auto margins = [](const TDataSkinObject& o) {
        return std::vector<LONG>{o.Margins.left, o.Margins.top, o.Margins.right, o.Margins.bottom};
    };
    EXPECT_EQ(margins(*Skin->Borders[bdLeft]), (std::vector<LONG>{0, 0, 0, most}));
    EXPECT_EQ(margins(*Skin->Borders[bdTop]), (std::vector<LONG>{most, 0, 0, 0}));
    EXPECT_EQ(margins(*Skin->Title), (std::vector<LONG>{0, most, 0, 0}));
    ASSERT_TRUE(Skin->MenuBarSkin);
    EXPECT_EQ(margins(*Skin->MenuBarSkin), (std::vector<LONG>{0, 0, most, 0}));
    EXPECT_EQ(margins(*Skin->Button), (std::vector<LONG>{most, 0, 0, 0}));
    EXPECT_EQ(Skin->TabPane->Margins.left, 0);

    int objects = 0;
    Skin->ForEachObject([&](TDataSkinObject& o) {
        objects++;
        EXPECT_GE(o.Frame, 1) << o.Name;
        for (LONG m : margins(o))
            EXPECT_TRUE(m >= 0 && m <= most) << o.Name << ": " << m;
    });
    EXPECT_EQ(objects, 20); // 4 borders, 4 caption buttons, Title, Button and 10 objects read or made
}

TEST_F(TSkinDataTest, AnImageTooLargeRefusesTheWholeSkin) {
    Load("[Tabs]\nImage=t.bmp\n[Colours]\nButtonFace=1 2 3\n", {{"t.bmp", BmpFile(10, 4, clRed)}});
    ASSERT_TRUE(Skin->Tabs);
    TDataSkinBorder* tabs = Skin->Tabs.get();
    TDataSkinBorder* top = Skin->Borders[bdTop].get();
    const std::vector<uint8_t> stored = Skin->ArchiveStream.Bytes();

    // a one-bit strip one pixel wider than any image may be; read after the borders and colours
    Load("[Personality]\nTop=top.bmp\n[Colours]\nButtonFace=9 9 9\n[Scrollbar]\nImage=big.bmp\n",
         {{"top.bmp", BmpFile(30, 6, clBlue)},
          {"big.bmp", EncodeBmp(TBmpImage(kBmpMaxSide + 1, 1, 0xFF000000u), 1)}});
    EXPECT_EQ(Skin->Tabs.get(), tabs);
    EXPECT_EQ(Skin->Borders[bdTop].get(), top);
    EXPECT_TRUE(top->Image.Empty());
    EXPECT_EQ(Skin->Colors[csButtonFace], RGB(1, 2, 3));
    EXPECT_FALSE(Skin->Scrollbar);
    EXPECT_EQ(Skin->ArchiveStream.Bytes(), stored);
    EXPECT_FALSE(Skin->SkinPending); // the skin in use stays usable
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0], "Skin image \"big.bmp\": Bitmap image of 16385 x 1 pixels is too large");
}

TEST_F(TSkinDataTest, RunningOutOfMemoryKeepsTheSkinInUse) {
    Load("[Tabs]\nImage=t.bmp\n[Colours]\nButtonFace=1 2 3\n", {{"t.bmp", BmpFile(10, 4, clRed)}});
    TDataSkinBorder* tabs = Skin->Tabs.get();
    TDataSkinBorder* top = Skin->Borders[bdTop].get();
    const std::vector<uint8_t> stored = Skin->ArchiveStream.Bytes();
    HBRUSH face = Skin->FaceBrush;

    // a 128 KB one-bit image that decodes into 4 MB of pixels, read after the borders and colours
    TMemoryStream archive;
    PackSkin(
        archive, "[Personality]\nTop=top.bmp\n[Colours]\nButtonFace=9 9 9\n[Scrollbar]\nImage=big.bmp\n",
        {{"top.bmp", BmpFile(30, 6, clBlue)}, {"big.bmp", EncodeBmp(TBmpImage(1000, 1000, 0xFF000000u), 1)}});
    {
        TAllocationLimit limit(2u << 20);
        Skin->LoadFromStream(archive);
    }
    EXPECT_EQ(Skin->Tabs.get(), tabs);
    EXPECT_EQ(Skin->Borders[bdTop].get(), top);
    EXPECT_TRUE(top->Image.Empty());
    EXPECT_EQ(Skin->Colors[csButtonFace], RGB(1, 2, 3));
    EXPECT_EQ(Skin->FaceBrush.get(), face);
    EXPECT_FALSE(Skin->Scrollbar);
    EXPECT_EQ(Skin->ArchiveStream.Bytes(), stored);
    EXPECT_FALSE(Skin->SkinPending);
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0], "Not enough memory to load the skin");

    // with memory back the same archive loads
    Skin->LoadFromStream(archive);
    ASSERT_TRUE(Skin->Scrollbar);
    EXPECT_EQ(Skin->Scrollbar->Image.Width(), 1000);
    EXPECT_FALSE(Skin->Tabs);
    EXPECT_EQ(Skin->ArchiveStream.Bytes(), archive.Bytes());
}

TEST_F(TSkinDataTest, TheDefaultSkinArchive) {
    Skin->SetSkinFile(QL_DEFAULT_SKIN);
    ASSERT_FALSE(Skin->SkinPending);
    EXPECT_EQ(Skin->SkinName, "QUARLINK Light");

    auto& b = Skin->SysButtonList;
    ASSERT_EQ(b.size(), 8u);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(b[size_t(i)]->Frame, 6) << i;
        EXPECT_EQ(b[size_t(i)]->Image.Width(), 126) << i;
    }
    EXPECT_EQ(b[4]->Action, 3);
    EXPECT_TRUE(b[4]->Image.Empty());
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(b[size_t(5 + i)]->Action, 7 + i);
        EXPECT_EQ(b[size_t(5 + i)]->XCoord, 17 * (3 - i)); // w = 156 div 12 = 13
        EXPECT_EQ(b[size_t(5 + i)]->Image.Width(), 52);
    }
    EXPECT_EQ(Skin->Borders[bdTop]->Frame, 2);
    EXPECT_EQ(Skin->Borders[bdTop]->Margins.left, 13);
    EXPECT_EQ(Skin->Borders[bdLeft]->Margins.top, 29);
    EXPECT_EQ(Skin->Borders[bdBottom]->Trans, 0);
    EXPECT_EQ(Skin->Colors[csButtonFace], 0xE9E9E9u);
    EXPECT_EQ(Skin->Colors[csHilight], RGB(237, 176, 120));
    EXPECT_EQ(Skin->Colors[csCaption], Px(Skin->Borders[bdTop]->Image, 104, 9));
    EXPECT_EQ(Skin->Headerbar->Frame, 4);
    EXPECT_EQ(Skin->MenuItem->Frame, 5);
    EXPECT_EQ(Skin->Progress->Frame, 1);
    EXPECT_EQ(Skin->HorzScrollThumb->Frame, 4);
    EXPECT_EQ(Skin->Button->CheckButtonFrame, 12);
    EXPECT_EQ(Skin->Button->RadioButtonFrame, 8);
    EXPECT_EQ(Skin->Track->Image.Width(), 16);
    EXPECT_EQ(Skin->Track->Margins.left, 3);
    EXPECT_EQ(Skin->TrackVert->Image.Width(), 4);
    EXPECT_FALSE(Skin->GroupBox || Skin->GroupBoxEdge || Skin->SunkEdge || Skin->ToolBars ||
                 Skin->MenuBarSkin);

    TBitmap& combo = Skin->ComboButton->Image;
    TBitmap& arrow = Skin->ComboxArrow->Image;
    EXPECT_EQ(Skin->ComboButton->Style, 1);
    EXPECT_EQ(Skin->ComboxArrow->Frame, 4);
    ASSERT_EQ(arrow.Width(), combo.Width());
    ASSERT_EQ(arrow.Height(), combo.Height());
    for (int y = 0; y < combo.Height(); y++)
        for (int x = 0; x < combo.Width(); x++) {
            TColor c = Px(combo, x, y);
            ASSERT_EQ(Px(arrow, x, y), c == clFuchsia ? 0xE9E9E9u : c) << x << "," << y;
        }
}

TEST_F(TSkinDataTest, LoadingTheDefaultSkinRepeatedlyKeepsGdiObjects) {
    TMemoryStream file;
    file.LoadFromFile(QL_DEFAULT_SKIN);
    Skin->LoadFromStream(file);
    Skin->CreateCaptionFont();
    Skin->SystemCaptionFont->Handle();
    DWORD before = GdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 200; i++) {
        Skin->LoadFromStream(file);
        Skin->CreateCaptionFont();
        Skin->SystemCaptionFont->Handle();
    }
    EXPECT_EQ(GdiObjects(), before);
}

TEST(SkinDataUnit, ConversionsAndHelpers) {
    EXPECT_EQ(RGBToColor(1, 2, 3), 0x030201u);
    const std::string text = "Read(读取)";
    std::u16string wide = StrToWideStr(text);
    EXPECT_EQ(wide, u"Read(读取)");
    EXPECT_EQ(WideStringToStringEx(wide), text);
    EXPECT_EQ(_WStr(u"abcdef", 3), u"abc");
    EXPECT_EQ(_WStr(u"abcdef", -1), u"abcdef");
    EXPECT_EQ(_WStr(u"ab", 9), u"ab");
    EXPECT_EQ(FindControlx(nullptr), nullptr);
    EXPECT_EQ(FindControlx(GetDesktopWindow()), nullptr);
    EXPECT_TRUE(pGetScrollBarInfo && pTrackMouseEvent && pGetComboBoxInfo);

    TBitmap src, dst;
    FillBitmap(src, 3, 2, {1, 2, 3, 4, 5, 6});
    src.SetPixelFormat(pf32bit);
    CopyBMP(src, dst);
    EXPECT_EQ(dst.PixelFormat(), pf32bit);
    EXPECT_EQ(dst.Width(), 3);
    EXPECT_EQ(Px(dst, 2, 1), 6u);

    TBitmap canvas;
    SolidBitmap(canvas, 60, 20, clWhite);
    RECT r{0, 0, 60, 20};
    SetTextColor(canvas.MemoryDC(), 0);
    EXPECT_GT(Tnt_DrawTextW(canvas.MemoryDC(), u"读取 W", r, DT_SINGLELINE), 0);
    int dark = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 60; x++)
            dark += Px(canvas, x, y) != clWhite;
    EXPECT_GT(dark, 10);
}
