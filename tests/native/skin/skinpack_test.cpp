// Drives the built skinpack tool the way a skin author would.
#include "BmpCodec.h"
#include "SkinTestUtil.h"
#include "SkinWrite.h"
#include "WinConvert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int code = -1;
    std::string out;
};

Result Tool(const std::string& args) {
    Result r;
    std::string cmd = std::string(SKINPACK_EXE) + " " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class SkinPackTool : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() / ("skinpack_test_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir / "src" / "sub"); }
    void TearDown() override { fs::remove_all(dir); }

    std::string P(const std::string& rel) const { return (dir / rel).string(); }
    void Write(const std::string& rel, const std::vector<uint8_t>& bytes) const {
        std::ofstream(P(rel), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    }
    std::vector<uint8_t> Read(const std::string& rel) const {
        std::ifstream f(P(rel), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    // An archive from an unpacked image, so that tests can break it on purpose.
    void WriteImage(const std::string& rel, const std::vector<uint8_t>& image) const {
        TMemoryStream src = StreamOf(image), dst;
        LZHCompress(src, dst);
        Write(rel, dst.Bytes());
    }
};

std::vector<uint8_t> Bmp(int w, int h, int bits) {
    return EncodeBmp(TBmpImage(w, h, 0xFF336699u, bits), bits);
}

const char* const kIni = "[Buttons]\r\nImage = buttons.bmp\r\nTrans=1\r\n[Check]\r\nBitmap=CHECK.BMP\r\n";

} // namespace

TEST_F(SkinPackTool, PackListCheckReadAndUnpack) {
    Write("src/Buttons.BMP", Bmp(10, 5, 24));
    Write("src/sub/check.bmp", Bmp(7, 3, 32));
    Write("src/skin.ini", Bytes(kIni));
    Result r = Tool("pack -o " + P("a.skn") + " " + P("src/Buttons.BMP") + " " + P("src/skin.ini") + " " +
                    P("src/sub/check.bmp"));
    ASSERT_EQ(r.code, 0) << r.out;

    r = Tool("list " + P("a.skn"));
    EXPECT_EQ(r.code, 0) << r.out;
    for (const char* s :
         {"Magic: 20000", "Entries: 3", "Reserved: 00 00 00 00 00 00 00 00", "10x5x24", "7x3x32"})
        EXPECT_NE(r.out.find(s), std::string::npos) << s << "\n" << r.out;
    EXPECT_LT(r.out.find("buttons.bmp"), r.out.find("skin.ini")) << "entries in the order given";
    EXPECT_LT(r.out.find("skin.ini"), r.out.find("check.bmp"));

    r = Tool("check " + P("a.skn"));
    EXPECT_EQ(r.code, 0) << r.out;
    r = Tool("ini " + P("a.skn") + " buttons IMAGE");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "buttons.bmp\n");
    EXPECT_NE(Tool("ini " + P("a.skn") + " Buttons Missing").code, 0);

    r = Tool("unpack " + P("a.skn") + " " + P("out/new"));
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(Read("out/new/buttons.bmp"), Read("src/Buttons.BMP"));
    EXPECT_EQ(Read("out/new/check.bmp"), Read("src/sub/check.bmp"));
    EXPECT_EQ(Read("out/new/skin.ini"), Bytes(kIni));
}

TEST_F(SkinPackTool, RefusesBadInputWithMessages) {
    Write("src/a.bmp", Bmp(2, 2, 24));
    Write("src/A.BMP.", {});
    Result r = Tool("pack -o " + P("x.skn") + " " + P("src/a.bmp") + " " + P("src/missing.bmp"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("missing.bmp"), std::string::npos) << r.out;
    EXPECT_EQ(Tool("pack -o " + P("x.skn") + " " + P("src/a.bmp") + " " + P("src/")).code, 1);
    EXPECT_EQ(Tool("pack -o " + P("x.skn") + " " + P("src/a.bmp") + " " + P("src/../src/a.bmp")).code, 1)
        << "two entries with one name";
    EXPECT_FALSE(fs::exists(P("x.skn")));

    EXPECT_EQ(Tool("list " + P("none.skn")).code, 1);
    auto forged = Le32(1 << 30);
    forged.resize(32, 0x5A);
    Write("forged.skn", forged);
    r = Tool("check " + P("forged.skn"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Broken skin archive"), std::string::npos) << r.out;
    Write("old.skn", {});
    EXPECT_EQ(Tool("list " + P("old.skn")).code, 1);
    EXPECT_EQ(Tool("frobnicate").code, 2);
    EXPECT_EQ(Tool("pack " + P("x.skn")).code, 2);
}

TEST_F(SkinPackTool, CheckFailsOnPackedDataCutShort) {
    // The description ends in comment lines, so that losing its last bytes alone breaks nothing else.
    std::string ini = std::string(kIni) + "; end\r\n; end\r\n; end\r\n";
    TMemoryStream archive;
    WriteSkinArchive(
        {{"buttons.bmp", Bmp(10, 5, 24)}, {"check.bmp", Bmp(7, 3, 32)}, {"skin.ini", Bytes(ini)}}, archive);
    Write("whole.skn", archive.Bytes());
    EXPECT_EQ(Tool("check " + P("whole.skn")).code, 0);
    std::vector<uint8_t> cut = archive.Bytes();
    cut.pop_back();
    Write("cut.skn", cut);
    for (const char* command : {"check ", "list "}) {
        Result r = Tool(command + P("cut.skn"));
        EXPECT_EQ(r.code, 1) << command << r.out;
        EXPECT_NE(r.out.find("LZH : Packed data too short for"), std::string::npos) << r.out;
    }
}

TEST_F(SkinPackTool, CheckNamesEveryProblem) {
    auto bmp = Bmp(4, 4, 24);
    auto shortBmp = std::vector<uint8_t>(bmp.begin(), bmp.end() - 10);
    std::string ini = "[A]\r\nx=present.bmp\r\ny=absent.bmp\r\nz=short.bmp\r\nw=text.bmp\r\n";
    std::vector<TSkinEntry> entries = {{"present.bmp", bmp},
                                       {"short.bmp", shortBmp},
                                       {"text.bmp", Bytes("hello")},
                                       {"skin.ini", Bytes(ini)},
                                       {"old.ini", Bytes("")}};
    auto image = BuildSkinImage(entries);
    image.resize(image.size() - 2); // the last entry now runs past the data
    WriteImage("bad.skn", image);
    Result r = Tool("check " + P("bad.skn"));
    EXPECT_EQ(r.code, 1);
    for (const char* s : {"absent.bmp\", which is not in the archive", "\"short.bmp\"",
                          "\"text.bmp\": not a BMP", "2 entries have names containing \".ini\""})
        EXPECT_NE(r.out.find(s), std::string::npos) << s << "\n" << r.out;
    EXPECT_EQ(r.out.find("present.bmp\":"), std::string::npos) << r.out;

    entries.pop_back();
    image = BuildSkinImage(entries);
    image.resize(image.size() - 2);
    WriteImage("cut.skn", image);
    r = Tool("check " + P("cut.skn"));
    EXPECT_NE(r.out.find("entry \"skin.ini\" runs 2 bytes past the entry data"), std::string::npos) << r.out;
}

TEST_F(SkinPackTool, UnpackWritesNothingOutsideItsDirectory) {
    WriteImage("evil.skn",
               BuildSkinImage({{"../escaped.bmp", Bytes("x")}, {"ok.bmp", Bytes("y")}, {"", Bytes("")}}));
    Result r = Tool("unpack " + P("evil.skn") + " " + P("out"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("not a plain file name"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(P("escaped.bmp")));
    EXPECT_EQ(Read("out/ok.bmp"), Bytes("y"));
}
