#include "SkinRead.h"
#include "SkinTestUtil.h"
#include "SkinWrite.h"
#include "WinConvert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace {

// Records what the reader reports instead of printing it.
struct ReportCapture {
    std::vector<std::string> messages;
    std::function<void(const std::string&)> saved = SkinReadReport;
    ReportCapture() {
        SkinReadReport = [this](const std::string& m) { messages.push_back(m); };
    }
    ~ReportCapture() { SkinReadReport = saved; }
};

TMemoryStream PackImage(const std::vector<uint8_t>& image) {
    TMemoryStream src = StreamOf(image), dst;
    LZHCompress(src, dst);
    dst.SetPosition(0);
    return dst;
}

// An unpacked image with a hand-made name text and size table.
std::vector<uint8_t> Image(const std::string& names, const std::vector<int32_t>& sizes,
                           const std::string& data, int32_t magic = SkinArchiveMagic) {
    std::vector<uint8_t> v = Le32(magic);
    auto put = [&v](const std::vector<uint8_t>& b) { v.insert(v.end(), b.begin(), b.end()); };
    put(Le32(int32_t(names.size())));
    put({1, 2, 3, 4, 0xFF, 0xFE, 0x80, 0});
    put(Bytes(names));
    for (int32_t s : sizes)
        put(Le32(s));
    put(Bytes(data));
    return v;
}

bool Load(TSkinReader& r, const std::vector<uint8_t>& image) {
    TMemoryStream archive = PackImage(image);
    return r.Loadfromstream(archive);
}

std::string Entry(TSkinReader& r, const std::string& name) {
    TMemoryStream out;
    r.readfile(name, out);
    EXPECT_EQ(out.Position(), 0);
    return {out.Bytes().begin(), out.Bytes().end()};
}

} // namespace

TEST(SkinArchive, ReadsEntriesByNameIgnoringAsciiCaseOnly) {
    std::vector<TSkinEntry> entries = {{"Buttons.BMP", Bytes("BMbuttons")},
                                       {"skin.ini.bak", Bytes("old")},
                                       {"Skin.INI", Bytes("[Form]")},
                                       {"\xC4rger.bmp", Bytes("umlaut")}};
    TMemoryStream archive;
    WriteSkinArchive(entries, archive);
    TSkinReader r;
    ASSERT_TRUE(r.Loadfromstream(archive));
    EXPECT_EQ(archive.Position(), archive.Size()) << "the packed bytes are consumed exactly";
    EXPECT_EQ(r.Header.Magic, SkinArchiveMagic);
    EXPECT_EQ(r.EntryCount, 4);
    EXPECT_EQ(r.EntryNames[0], "buttons.bmp");
    EXPECT_EQ(r.EntryNames[3], "\xC4rger.bmp") << "only A-Z are lowercased";

    EXPECT_EQ(Entry(r, "buttons.bmp"), "BMbuttons");
    EXPECT_EQ(Entry(r, "BUTTONS.bmp"), "BMbuttons");
    EXPECT_EQ(Entry(r, " buttons.bmp"), "") << "no trimming";
    EXPECT_EQ(Entry(r, "skin/buttons.bmp"), "") << "no path handling";
    EXPECT_EQ(Entry(r, "\xE4rger.bmp"), "");

    TMemoryStream out;
    out.WriteBuffer("stale", 5);
    std::string found = "unchanged";
    r.readIni(".INI", out, found);
    EXPECT_EQ(out.Size(), 0) << "the pattern is matched case-sensitively";
    EXPECT_EQ(found, "unchanged");
    r.readIni(".ini", out, found);
    EXPECT_EQ(found, "skin.ini.bak") << "the first entry containing the pattern anywhere";
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), "old");
    EXPECT_EQ(out.Position(), 0);
}

TEST(SkinArchive, NameTextLineRules) {
    TSkinReader r;
    // CR LF, lone CR, lone LF; an empty line is an entry with a size; a trailing break adds nothing.
    ASSERT_TRUE(Load(r, Image("a\rB\n\r\nc\r\n", {1, 2, 3, 4}, "0112223333")));
    ASSERT_EQ(r.EntryCount, 4);
    EXPECT_EQ(r.EntryNames[1], "b");
    EXPECT_EQ(r.EntryNames[2], "");
    EXPECT_EQ(Entry(r, ""), "222") << "the empty name owns its size";
    EXPECT_EQ(Entry(r, "c"), "3333");

    // A 0 byte ends the name text, but the table still starts after NameLength bytes.
    ASSERT_TRUE(Load(r, Image("x\r\ny\0junk\r\nz", {2, 1}, "xxy")));
    EXPECT_EQ(r.EntryCount, 2);
    EXPECT_EQ(Entry(r, "y"), "y");
    uint8_t expected[8] = {1, 2, 3, 4, 0xFF, 0xFE, 0x80, 0};
    EXPECT_EQ(std::memcmp(r.Header.Reserved, expected, 8), 0) << "reserved bytes are kept, not judged";

    ASSERT_TRUE(Load(r, Image("", {}, "extra")));
    EXPECT_EQ(r.EntryCount, 0);
    EXPECT_EQ(r.EntryData.Size(), 5);
}

TEST(SkinArchive, WrongMagicIsReportedAndChangesNothing) {
    ReportCapture report;
    TSkinReader r;
    ASSERT_TRUE(Load(r, Image("keep.bmp\r\n", {2}, "ok")));
    EXPECT_FALSE(Load(r, Image("other.bmp\r\n", {1}, "x", 19999)));
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_EQ(report.messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(r.EntryCount, 1);
    EXPECT_EQ(Entry(r, "keep.bmp"), "ok");
}

TEST(SkinArchive, SizesNeverReachOutsideTheData) {
    TSkinReader r;
    // Sizes are trusted only as far as the data goes: entries are cut at its end.
    ASSERT_TRUE(Load(r, Image("a\r\nb\r\nc\r\nd\r\n", {3, 100, 5, -4}, "aaabbbb")));
    EXPECT_EQ(Entry(r, "a"), "aaa");
    EXPECT_EQ(Entry(r, "b"), "bbbb");
    EXPECT_EQ(Entry(r, "c"), "");
    EXPECT_EQ(Entry(r, "d"), "");
    // Negative sizes and sums beyond 32 bits.
    ASSERT_TRUE(Load(r, Image("a\r\nb\r\nc\r\nd\r\n", {-50, INT32_MAX, INT32_MAX, 2}, "xy")));
    EXPECT_EQ(Entry(r, "a"), "");
    EXPECT_EQ(Entry(r, "b"), "xy");
    EXPECT_EQ(Entry(r, "d"), "");
    // A negative size is an empty entry: it does not pull the later entries back over earlier bytes.
    ASSERT_TRUE(Load(r, Image("a\r\nb\r\nc\r\n", {-2, 2, 2}, "abcd")));
    EXPECT_EQ(Entry(r, "a"), "");
    EXPECT_EQ(Entry(r, "b"), "ab");
    EXPECT_EQ(Entry(r, "c"), "cd");
}

TEST(SkinArchive, MoreThan1001EntriesAreAllReadable) {
    std::vector<TSkinEntry> entries;
    for (int i = 0; i < 1500; i++)
        entries.push_back({"e" + std::to_string(i) + ".bmp", Bytes(std::to_string(i))});
    TMemoryStream archive;
    WriteSkinArchive(entries, archive);
    TSkinReader r;
    ASSERT_TRUE(r.Loadfromstream(archive));
    EXPECT_EQ(r.EntryCount, 1500);
    EXPECT_EQ(r.EntrySizes.size(), 1500u);
    EXPECT_EQ(Entry(r, "E1499.BMP"), "1499");
}

TEST(SkinArchive, BrokenArchivesAreRefusedAndReported) {
    ReportCapture report;
    TSkinReader r;
    ASSERT_TRUE(Load(r, Image("keep\r\n", {1}, "k")));
    auto nameTooLong = Image("a\r\n", {1}, "a");
    nameTooLong[4] = 200;
    auto nameNegative = Image("a\r\n", {1}, "a");
    nameNegative[7] = 0x80;
    // The name text or the size table running past the image; an image too short for its header.
    std::vector<std::vector<uint8_t>> broken = {
        nameTooLong, nameNegative, Image("a\r\nb\r\nc\r\n", {}, "x"), {0x20, 0x4E, 0, 0, 3}};
    for (const auto& image : broken)
        EXPECT_FALSE(Load(r, image));

    // An announced size far beyond what the packed bytes can give, packed bytes that end before
    // the announced size, and no size at all.
    auto forged = Le32(1 << 30);
    forged.resize(40, 0xAA);
    std::vector<uint8_t> cut = PackImage(Image("a\r\n", {300}, std::string(300, 'a'))).Bytes();
    cut.pop_back();
    TMemoryStream s1 = StreamOf(forged), s2 = StreamOf(cut), s3 = StreamOf({1, 2});
    EXPECT_FALSE(r.Loadfromstream(s1));
    EXPECT_FALSE(r.Loadfromstream(s2));
    EXPECT_FALSE(r.Loadfromstream(s3));

    EXPECT_EQ(report.messages.size(), broken.size() + 3);
    for (const auto& m : report.messages)
        EXPECT_EQ(m.rfind("Broken skin archive: ", 0), 0u) << m;
    EXPECT_EQ(Entry(r, "keep"), "k") << "a refused archive leaves the reader as it was";
}

TEST(SkinArchive, LoadsFromFile) {
    ReportCapture report;
    auto dir = std::filesystem::temp_directory_path() / ("skinarchive_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string path = (dir / "skin.skn").string();
    {
        TFileStream f(path, fmCreate);
        WriteSkinArchive({{"skin.ini", Bytes("[x]")}}, f);
    }
    TSkinReader r;
    EXPECT_TRUE(r.loadfromfile(path));
    EXPECT_EQ(Entry(r, "skin.ini"), "[x]");
    EXPECT_FALSE(r.loadfromfile((dir / "missing.skn").string()));
    EXPECT_FALSE(r.loadfromfile(dir.string()));
    EXPECT_TRUE(report.messages.empty()) << "a missing file is not reported";
    std::filesystem::remove_all(dir);
}
