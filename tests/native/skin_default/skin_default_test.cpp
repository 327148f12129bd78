#include "Builtin.h"
#include "SkinLayout.h"
#include "SkinRead.h"
#include "SysUtils.h"
#include "WinSkinIni.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// The main window's skin data as it is described: entry name, byte size, pixels and depth.
struct TListed {
    const char* Name;
    int Size, Width, Height, Bits;
};
const TListed kListed[] = {
    {"buttons.bmp", 6954, 100, 23, 24},         {"checkbox.bmp", 6138, 156, 13, 24},
    {"radiobutton.bmp", 4110, 104, 13, 24},     {"progress.bmp", 586, 9, 19, 24},
    {"progresschunk.bmp", 438, 10, 12, 24},     {"tab.bmp", 4950, 90, 18, 24},
    {"tabsheet.bmp", 6966, 48, 48, 24},         {"comboboxbtn.bmp", 2934, 60, 16, 24},
    {"statusbar.bmp", 12906, 204, 21, 24},      {"header.bmp", 3942, 72, 18, 24},
    {"scrollbararrow.bmp", 26642, 391, 17, 32}, {"scrollbarhthumb.bmp", 4014, 88, 15, 24},
    {"scrollbarvthumb.bmp", 4014, 60, 22, 24},  {"scrollbarhbar.bmp", 3522, 68, 17, 24},
    {"scrollbarvbar.bmp", 3522, 68, 17, 24},    {"menubackground.bmp", 1654, 20, 20, 32},
    {"menuitem.bmp", 7254, 100, 18, 32},        {"extraimages.bmp", 4134, 80, 17, 24},
    {"trackthumbh.bmp", 3582, 55, 21, 24},      {"trackbot.bmp", 3582, 55, 21, 24},
    {"mdibutton.bmp", 6138, 156, 13, 24},       {"spin.bmp", 5814, 120, 16, 24},
    {"spinarrow.bmp", 1062, 56, 6, 24},         {"spinh.bmp", 5814, 120, 16, 24},
    {"spinharrow.bmp", 1062, 48, 7, 24},        {"closebutton.bmp", 8034, 126, 21, 24},
    {"maxbutton.bmp", 8034, 126, 21, 24},       {"minbutton.bmp", 8034, 126, 21, 24},
    {"restrorebutton.bmp", 8034, 126, 21, 24},  {"frameleft.bmp", 2454, 8, 100, 24},
    {"frameright.bmp", 2454, 8, 100, 24},       {"frametop.bmp", 54342, 312, 58, 24},
    {"framebottom.bmp", 9414, 312, 10, 24},     {"mincaption.bmp", 55734, 320, 58, 24},
};
constexpr uint32_t kMagenta = 0xFFFF00FF;

std::vector<uint8_t> Bytes(TSkinReader& r, int index) {
    TMemoryStream m;
    r.readEntry(index, m);
    return m.Bytes();
}

TBmpImage Image(TSkinReader& r, const std::string& name) {
    TMemoryStream m;
    r.readfile(name, m);
    TBmpImage img;
    EXPECT_TRUE(DecodeBmp(m.Memory(), size_t(m.Size()), img)) << name;
    return img;
}

class DefaultSkin : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(Reader.loadfromfile(QL_DEFAULT_SKIN_ARCHIVE)); }
    TSkinReader Reader;
};

TEST_F(DefaultSkin, ArchiveHasTheListedEntriesSizesAndDepths) {
    EXPECT_EQ(Reader.Header.Magic, 20000);
    EXPECT_EQ(Reader.Header.NameLength, 569);
    ASSERT_EQ(Reader.EntryCount, 35);
    EXPECT_EQ(16 + Reader.Header.NameLength + 4 * Reader.EntryCount + Reader.EntryData.Size(), 292388);
    for (int i = 0; i < 34; ++i) {
        const TListed& l = kListed[i];
        EXPECT_EQ(Reader.EntryNames[i], l.Name);
        EXPECT_EQ(Reader.EntrySizes[size_t(i)], l.Size) << l.Name;
        std::vector<uint8_t> file = Bytes(Reader, i);
        ASSERT_EQ(int(file.size()), l.Size) << l.Name;
        EXPECT_EQ(file[10], 54) << l.Name << ": plain 54-byte header";
        TBmpImage img;
        ASSERT_TRUE(DecodeBmp(file.data(), file.size(), img)) << l.Name;
        EXPECT_EQ(img.Width, l.Width) << l.Name;
        EXPECT_EQ(img.Height, l.Height) << l.Name;
        EXPECT_EQ(img.BitCount, l.Bits) << l.Name;
    }
    EXPECT_EQ(Reader.EntryNames[34], QL_DEFAULT_SKIN_INI_NAME);
    EXPECT_EQ(Reader.EntrySizes[34], 3395);
}

TEST_F(DefaultSkin, DescriptionHasTheListedSectionsAndResolvesEveryImage) {
    TMemoryStream text;
    std::string found;
    Reader.readIni(".ini", text, found);
    EXPECT_EQ(found, QL_DEFAULT_SKIN_INI_NAME);
    ASSERT_EQ(text.Size(), 3395);
    std::string raw(text.Bytes().begin(), text.Bytes().end());
    for (size_t i = 0; i < raw.size(); ++i)
        ASSERT_TRUE(raw[i] != '\n' || (i > 0 && raw[i - 1] == '\r')) << i;
    TQuickIni ini;
    ini.LoadFromStream(&text);
    TStringList sections;
    ini.ReadSections(sections);
    const char* order[] = {"TitlebarSkin",
                           "Skins",
                           "Buttons",
                           "Progress",
                           "Progress.Chunk",
                           "Tabs",
                           "Tab.Pane",
                           "ComboButton",
                           "StatusBarEdges",
                           "Headerbar",
                           "Scrollbar",
                           "HorzScrollThumb",
                           "VertScrollThumb",
                           "HorzScroll",
                           "VertScroll",
                           "MenuBackground",
                           "MenuItem",
                           "ExtraImages",
                           "Trackbar.ThumbHorz",
                           "Trackbar.ThumbDown",
                           "MDICONTROLS",
                           "UpDown.Vert",
                           "UpDown.Horz",
                           "Button0",
                           "Button1",
                           "Button2",
                           "Button3",
                           "Button4",
                           "Personality",
                           "MinCaption",
                           "Colours"};
    ASSERT_EQ(sections.Count(), 31);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(sections[i], order[i]);
    // Every value naming a bitmap is an archive entry, and every bitmap is named once.
    std::set<std::string> named;
    for (int s = 0; s < sections.Count(); ++s) {
        TStringList values;
        ini.ReadSectionValues(sections[s], values);
        for (int k = 0; k < values.Count(); ++k) {
            std::string v = values.ValueFromIndex(k);
            if (v.size() < 4 || v.compare(v.size() - 4, 4, ".bmp") != 0) continue;
            EXPECT_EQ(Image(Reader, v).Pixels.empty(), false) << v;
            EXPECT_TRUE(named.insert(LowerCase(v)).second) << v;
        }
    }
    EXPECT_EQ(named.size(), 34u);
    EXPECT_EQ(ini.ReadString("TitlebarSkin", "SkinName", ""), "QUARLINK Light");
    EXPECT_EQ(ini.ReadString("Colours", "ButtonFace", ""), "233 233 233");
    EXPECT_EQ(ini.ReadString("Colours", "Hilight", ""), "237 176 120");
    EXPECT_EQ(ini.ReadInteger("Personality", "TopTopHeight", 0), 13);
    EXPECT_EQ(ini.ReadInteger("Personality", "BottomTrans", 1), 0);
    EXPECT_EQ(ini.ReadInteger("Headerbar", "frame", 0), 4);
    EXPECT_EQ(ini.ReadInteger("Button1", "Visibility1", 0), 6);
}

TEST_F(DefaultSkin, GeneratingAgainGivesTheArchivedBytes) {
    const auto& specs = DefaultSkinBitmaps();
    ASSERT_EQ(specs.size(), 34u);
    for (size_t i = 0; i < specs.size(); ++i) {
        std::vector<uint8_t> first = RenderEntry(specs[i]), second = RenderEntry(specs[i]);
        EXPECT_EQ(first, second) << specs[i].FileName;
        EXPECT_EQ(first, Bytes(Reader, int(i))) << specs[i].FileName << " differs from the built archive";
    }
}

// Magenta only where the description makes it transparent, and in the places the frame relies on.
TEST_F(DefaultSkin, MagentaOnlyWhereTransparent) {
    for (const char* opaque :
         {"tab.bmp", "tabsheet.bmp", "statusbar.bmp", "scrollbarhthumb.bmp", "scrollbarvthumb.bmp",
          "scrollbarhbar.bmp", "scrollbarvbar.bmp", "framebottom.bmp", "progresschunk.bmp",
          "menubackground.bmp", "mincaption.bmp"}) {
        TBmpImage img = Image(Reader, opaque);
        for (uint32_t px : img.Pixels)
            ASSERT_NE(px | 0xFF000000, kMagenta) << opaque;
    }
    TBmpImage left = Image(Reader, "frameleft.bmp"), top = Image(Reader, "frametop.bmp");
    EXPECT_EQ(left.At(0, 0), kMagenta);
    EXPECT_EQ(left.At(4, 0), kMagenta); // inactive frame
    EXPECT_EQ(top.At(0, 0), kMagenta);
    EXPECT_EQ(top.At(311, 29), kMagenta);
    EXPECT_NE(left.At(0, 60), kMagenta);
    TBmpImage buttons = Image(Reader, "buttons.bmp");
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(buttons.At(20 * f, 0), kMagenta) << "rounded corner of frame " << f + 1;
}

// The caption colour is read from the top border at (width / 3, frame height / 3); the title text
// is white, so that colour must be dark enough for it.
TEST_F(DefaultSkin, TitleTextReadsOnTheCaptionColour) {
    TBmpImage top = Image(Reader, "frametop.bmp");
    uint32_t c = top.At(312 / 3, 29 / 3);
    auto linear = [](uint32_t v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    double lum = 0.2126 * linear(c >> 16 & 255) + 0.7152 * linear(c >> 8 & 255) + 0.0722 * linear(c & 255);
    EXPECT_GE(1.05 / (lum + 0.05), 4.5) << std::hex << c;
}

// Every state of a strip looks different from the others: no hot or pressed frame was left equal.
TEST_F(DefaultSkin, StatesAreDistinct) {
    struct Strip {
        const char* Name;
        int Frames;
    } strips[] = {{"buttons.bmp", 5},     {"checkbox.bmp", 12},       {"radiobutton.bmp", 8},
                  {"comboboxbtn.bmp", 4}, {"scrollbararrow.bmp", 23}, {"closebutton.bmp", 6},
                  {"maxbutton.bmp", 6},   {"minbutton.bmp", 6},       {"restrorebutton.bmp", 6},
                  {"mdibutton.bmp", 12},  {"header.bmp", 4},          {"tab.bmp", 5}};
    for (const Strip& s : strips) {
        TBmpImage img = Image(Reader, s.Name);
        int fw = img.Width / s.Frames;
        std::set<std::vector<uint32_t>> seen;
        for (int f = 0; f < s.Frames; ++f) {
            std::vector<uint32_t> frame;
            for (int y = 0; y < img.Height; ++y)
                for (int x = 0; x < fw; ++x)
                    frame.push_back(img.At(f * fw + x, y));
            EXPECT_TRUE(seen.insert(frame).second) << s.Name << " frame " << f + 1;
        }
    }
}

TBmpImage BuiltinFile(const char* name) {
    std::vector<uint8_t> bytes = ReadFileBytes(std::string(QL_BUILTIN_BITMAP_DIR) + "/" + name);
    TBmpImage img;
    EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), img)) << name;
    return img;
}

TEST(BuiltinBitmaps, MenuGlyphsMatchTheirRows) {
    const uint16_t rows[4][16] = {
        {0, 0, 0, 0, 0x07F8, 0x07F8, 0x0408, 0x1FE8, 0x1FE8, 0x1038, 0x1020, 0x1020, 0x1FE0, 0, 0, 0},
        {0, 0, 0, 0x1FF8, 0x1FF8, 0x1008, 0x1008, 0x1008, 0x1008, 0x1008, 0x1008, 0x1008, 0x1FF8, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0x07F0, 0x07F0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0x1830, 0x1C70, 0x0EE0, 0x07C0, 0x0380, 0x07C0, 0x0EE0, 0x1C70, 0x1830, 0, 0, 0}};
    TBmpImage img = BuiltinFile("glazkitmenu.bmp");
    ASSERT_EQ(img.Width, 64);
    ASSERT_EQ(img.Height, 16);
    EXPECT_EQ(img.BitCount, 1);
    for (int g = 0; g < 4; ++g)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool black = rows[g][y] >> (15 - x) & 1;
                ASSERT_EQ(img.At(16 * g + x, y), black ? 0xFF000000u : 0xFFFFFFFFu)
                    << g << ":" << x << "," << y;
            }
}

TBmpImage FromLetters(const std::vector<std::string>& rows) {
    TBmpImage img(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            char c = rows[size_t(y)][size_t(x)];
            img.At(x, y) = c == 'S' ? 0xFFC0C0C0 : c == 'G' ? 0xFF808080 : 0xFFFFFFFF;
        }
    return img;
}

TEST(BuiltinBitmaps, TrackChannelsMatchTheirRows) {
    TBmpImage track =
        FromLetters({"SSGGGGGGGGGGGGWW", "SSWWWWWWWWWWWWWW", "GSWWWWWWWWWWWWWW", "SSWWWWWWWWWWWWWW"});
    EXPECT_EQ(BuiltinFile("track.bmp").Pixels, track.Pixels);
    std::vector<std::string> vert = {"SSGS", "SSSS"};
    for (int i = 0; i < 12; ++i)
        vert.push_back("GWWW");
    vert.push_back("WWWW");
    vert.push_back("WWWW");
    TBmpImage trackVert = BuiltinFile("trackvert.bmp");
    EXPECT_EQ(trackVert.Width, 4);
    EXPECT_EQ(trackVert.Pixels, FromLetters(vert).Pixels);
    EXPECT_EQ(EncodeBmp(BuiltinTrack(), 24),
              ReadFileBytes(std::string(QL_BUILTIN_BITMAP_DIR) + "/track.bmp"));
}

} // namespace
