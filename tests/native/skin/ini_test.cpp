#include "SkinTestUtil.h"
#include "WinSkinIni.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace {

const char* const kSample = "Orphan=1\r\n"
                            "[Buttons]\r\n"
                            "  Rightwidth  =  8  \r\n"
                            "; a comment\r\n"
                            "Image = buttons.bmp ; the face\r\n"
                            "Color=0x00FF00\n"
                            "Hex=$FF\r"
                            "Empty=\r\n"
                            "Twice=first\r\n"
                            "Twice=second\r\n"
                            "Blank=\r\n"
                            "Blank=later\r\n"
                            "junk line\r\n"
                            "Formula=a=b\r\n"
                            "\r\n"
                            "[ Spaced ]\r\n"
                            "k=v\r\n"
                            "[Progress.Chunk]\r\n"
                            "#Hash=1\r\n"
                            "Trans=1\r\n"
                            "[buttons]\r\n"
                            "Rightwidth=99\r\n";

TQuickIni Loaded(const std::string& text) {
    TQuickIni ini;
    TMemoryStream s = StreamOf(Bytes(text));
    ini.LoadFromStream(&s);
    return ini;
}

// Every index entry names its header line, and every header line is indexed once.
void ExpectIndexed(const TQuickIni& ini) {
    int headers = 0;
    for (int i = 0; i < ini.Lines.Count(); i++)
        headers += TQuickIni::IsSection(ini.Lines[i]);
    EXPECT_EQ(ini.Sections.Count(), headers);
    for (int i = 0; i < ini.Sections.Count(); i++) {
        intptr_t at = ini.Sections.GetInteger(i);
        ASSERT_TRUE(at >= 0 && at < ini.Lines.Count()) << ini.Sections[i];
        EXPECT_EQ(ini.Lines[int(at)], ini.Sections[i]);
        if (i) {
            EXPECT_GT(at, ini.Sections.GetInteger(i - 1));
        }
    }
}

std::string Saved(const TQuickIni& ini) {
    TMemoryStream s;
    ini.SaveToStream(s);
    return {s.Bytes().begin(), s.Bytes().end()};
}

std::vector<std::string> ListOf(const TStrings& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.Count(); i++)
        v.push_back(l[i]);
    return v;
}

} // namespace

TEST(QuickIni, LookupRules) {
    TQuickIni ini = Loaded(kSample);
    ExpectIndexed(ini);
    for (const char* name : {"Buttons", "BUTTONS", "buttons"})
        EXPECT_EQ(ini.ReadString(name, "RightWidth", "-"), "8");
    EXPECT_EQ(ini.ReadString("Spaced", "k", "-"), "-") << "spaces inside the brackets count";
    EXPECT_EQ(ini.ReadString(" Spaced ", "k", "-"), "v");
    EXPECT_EQ(ini.ReadString("Buttons", " RightWidth", "-"), "-") << "the caller's key is not trimmed";
    EXPECT_EQ(ini.ReadString("Buttons", "image", "-"), "buttons.bmp ; the face");
    EXPECT_EQ(ini.ReadString("Buttons", "Twice", "-"), "first");
    EXPECT_EQ(ini.ReadString("Buttons", "Blank", "-"), "-") << "an empty first value stops the search";
    EXPECT_EQ(ini.ReadString("Buttons", "Empty", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Buttons", "Formula", "-"), "a=b");
    EXPECT_EQ(ini.ReadString("Buttons", "", "-"), "-")
        << "a line without '=' has the empty name and no value";
    EXPECT_EQ(ini.ReadString("Buttons", "Orphan", "-"), "-") << "keys before the first header belong to none";
    EXPECT_EQ(ini.ReadString("Progress.Chunk", "Trans", "-"), "1") << "found after a '#' line";
    EXPECT_EQ(ini.ReadString("Progress.Chunk", "#hash", "-"), "1");
    EXPECT_EQ(ini.ReadString("Missing", "k", "-"), "-");
    EXPECT_EQ(ini.GetSectionIndex("BUTTONS"), 1) << "the first of duplicate sections counts";
    EXPECT_EQ(ini.GetSectionIndex("nowhere"), -1);
    EXPECT_EQ(ini.Lines.IndexOf("; a comment"), -1) << "comments are not stored";
    EXPECT_EQ(ini.Lines.IndexOf(""), -1) << "blank lines are not stored";
}

TEST(QuickIni, Numbers) {
    TQuickIni ini =
        Loaded(kSample + std::string("[N]\nneg=-12\nplus=+7\nbig=2147483648\nmin=-2147483648\n"
                                     "all=$FFFFFFFF\nover=$100000000\nx=0x\nbad=12abc\nzero=0\n"));
    EXPECT_EQ(ini.ReadInteger("Buttons", "Color", -1), 65280);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Hex", -1), 255);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Empty", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Image", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
    EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger("N", "big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "min", 5), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("N", "all", 5), -1);
    EXPECT_EQ(ini.ReadInteger("N", "over", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "x", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "bad", 5), 5);
    EXPECT_TRUE(ini.ReadBool("Progress.Chunk", "Trans", false));
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "missing", true));
    int32_t v = 0;
    EXPECT_TRUE(IniTextToInt("  -$10", v));
    EXPECT_EQ(v, -16);
    EXPECT_FALSE(IniTextToInt("   ", v));
    EXPECT_FALSE(IniTextToInt("-", v));
    EXPECT_FALSE(IniTextToInt("$", v));
}

TEST(QuickIni, ListsAndTextShape) {
    TQuickIni ini = Loaded(kSample);
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(ListOf(list), (std::vector<std::string>{"Buttons", "Spaced", "Progress.Chunk", "buttons"}));
    ini.ReadSection("Progress.Chunk", list);
    EXPECT_EQ(ListOf(list), (std::vector<std::string>{"#hash", "trans"}));
    ini.ReadSectionValues("Progress.Chunk", list);
    EXPECT_EQ(ListOf(list), (std::vector<std::string>{"#Hash=1", "Trans=1"}));
    ini.ReadSectionValues("Missing", list);
    EXPECT_EQ(list.Count(), 0);

    // A 0 byte ends the text; LoadFromStream starts at the stream's position.
    TMemoryStream s = StreamOf(Bytes(std::string("skip[A]\nk=1\n\0[B]\nk=2\n", 22)));
    s.SetPosition(4);
    ini.LoadFromStream(&s);
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "1");
    EXPECT_EQ(ini.GetSectionIndex("B"), -1);
    ini.LoadFromStream(nullptr);
    EXPECT_EQ(ini.Lines.Count(), 2);
    EXPECT_EQ(TQuickIni::GetValue("K = v", "k"), "v");
    EXPECT_EQ(TQuickIni::GetValue("K = v", "K"), "") << "GetValue takes the key lowercased";
    EXPECT_EQ(TQuickIni::GetValue("k", "k"), "");
}

TEST(QuickIni, EditsKeepTheIndex) {
    TQuickIni ini = Loaded("[A]\na=1\n[B]\nb=1\n[C]\nc=1\n");
    ini.WriteString("a", "New", "x");
    ini.WriteString("A", "A", "2");
    ini.WriteInteger("B", "n", -5);
    ini.WriteBool("D", "flag", true);
    ini.WriteString("E", "", "ignored");
    ini.WriteString("B", "", "ignored");
    ExpectIndexed(ini);
    EXPECT_EQ(Saved(ini), "[A]\r\nA=2\r\nNew=x\r\n[B]\r\nb=1\r\nn=-5\r\n[C]\r\nc=1\r\n[D]\r\nflag=1\r\n[E]");

    ini.DeleteKey("b", "B");
    ini.DeleteKey("B", "missing");
    ExpectIndexed(ini);
    ini.EraseSection("B");
    ExpectIndexed(ini);
    EXPECT_EQ(Saved(ini), "[A]\r\nA=2\r\nNew=x\r\n\r\n[C]\r\nc=1\r\n[D]\r\nflag=1\r\n[E]");
    ini.EraseSection("A");
    ExpectIndexed(ini);
    EXPECT_EQ(Saved(ini), "[C]\r\nc=1\r\n[D]\r\nflag=1\r\n[E]")
        << "nothing left in place of the first section";
    ini.WriteString("C", "k", "v");
    EXPECT_EQ(ini.ReadString("D", "flag", "-"), "1");
    EXPECT_EQ(ini.ReadString("C", "k", "-"), "v");
    ExpectIndexed(ini);

    // Saved text loads back to the same answers.
    TQuickIni again = Loaded(Saved(ini));
    EXPECT_EQ(Saved(again), Saved(ini));
    ini.Clear();
    EXPECT_EQ(ini.Lines.Count() + ini.Sections.Count(), 0);
}

TEST(QuickIni, SetIniFileKeepsLinesAsGiven) {
    TStringList lines;
    lines.SetText("  x = 1\r\n\r\n[S]\r\n ; kept\r\n [T]\r\nk=v\r\n");
    TQuickIni ini;
    ini.SetIniFile(lines);
    EXPECT_EQ(ini.Lines.Count(), 6);
    EXPECT_EQ(ini.Lines[3], " ; kept");
    ASSERT_EQ(ini.Sections.Count(), 1) << "only lines that are headers as they stand";
    EXPECT_EQ(ini.Sections.GetInteger(0), 2);
    ini.WriteString("S", "new", "1");
    EXPECT_EQ(ini.Lines[4], "new=1") << "appended before the next section line";
}

TEST(QuickIni, FilesAndPackedFiles) {
    auto dir = std::filesystem::temp_directory_path() / ("ini_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string plain = (dir / "skin.ini").string(), packed = (dir / "skin.inz").string();
    TQuickIni ini = Loaded(kSample);
    ini.SaveToFile(plain);
    ini.SavetoZip(packed);

    TQuickIni a, b;
    a.LoadFromFile(plain);
    b.LoadFromZip(packed);
    EXPECT_EQ(Saved(a), Saved(ini));
    EXPECT_EQ(Saved(b), Saved(ini));
    TMemoryStream file;
    file.LoadFromFile(packed);
    EXPECT_EQ(std::vector<uint8_t>(file.Bytes().begin(), file.Bytes().begin() + 4),
              Le32(int32_t(Saved(ini).size())));
    EXPECT_THROW(a.LoadFromFile((dir / "missing.ini").string()), EFOpenError);
    std::filesystem::remove_all(dir);

    ini.SetFileName("x.ini");
    EXPECT_EQ(ini.FileName, "x.ini");
    EXPECT_EQ(ini.ReadString("Buttons", "RightWidth", "-"), "8") << "naming a file loads nothing";
}
