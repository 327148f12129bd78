// The start options: the command line read as Windows splits it, and the main window made plain or
// with another skin archive.
#include "DialogAnswerer.h"
#include "MainWindow.h"
#include "WinSkinDlg.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(StartOptionsTest, ReadsPlainAndASkinFilePassingOverTheRest) {
    TStartOptions none = ParseStartOptions(L"QuarlinkConfig.exe");
    EXPECT_FALSE(none.Plain);
    EXPECT_EQ(none.SkinFile, "");

    TStartOptions both = ParseStartOptions(
        L"\"C:\\Q L\\QuarlinkConfig.exe\" --verbose --plain --skin \"C:\\my skins\\蓝色.skn\" x "
        L"--measure-start t.txt");
    EXPECT_TRUE(both.Plain);
    EXPECT_EQ(both.SkinFile, "C:\\my skins\\蓝色.skn");
    EXPECT_EQ(both.TimingFile, "t.txt");

    // An option's name alone is not a file, and a file without its option is nothing.
    TStartOptions dangling = ParseStartOptions(L"QuarlinkConfig.exe other.skn --skin");
    EXPECT_FALSE(dangling.Plain);
    EXPECT_EQ(dangling.SkinFile, "");
}

// Runs while the options are set; the next window starts as the program does by default.
class StartOptionsWindowTest : public ::testing::Test {
  protected:
    void TearDown() override { TMainForm::StartOptions = {}; }

    // The window made and given time for the skin's activation.
    static void Settle() {
        PumpUntil([] { return false; }, 400);
    }
    static bool FrameSkinned(TMainForm* f) { return SkinManager && SkinManager->FindSkinForm(f->Handle()); }
    static std::string WriteFile(const std::string& name, const std::string& bytes) {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        std::string path = std::string(dir) + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string StoredArchive() {
        std::ifstream in(QL_DEFAULT_SKIN, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void ExpectSkinnedWithStoredSkin(TMainForm* f) {
        EXPECT_TRUE(FrameSkinned(f));
        EXPECT_GT(SkinnedWindows(f), 20);
        EXPECT_FALSE(f->SkinData1->SkinPending);
        EXPECT_EQ(f->SkinData1->Colors[csButtonFace], 0xE9E9E9u);
        EXPECT_EQ(f->SkinData1->Button->Image.Width(), 100);
    }
};

TEST_F(StartOptionsWindowTest, PlainLeavesTheWindowAndEveryControlUnskinned) {
    TMainForm::StartOptions.Plain = true;
    TMainWindow w;
    std::vector<TControlHooks> made = Hooks(MainForm);
    Settle();
    EXPECT_FALSE(FrameSkinned(MainForm));
    EXPECT_EQ(SkinnedWindows(MainForm), 0);
    EXPECT_EQ(Hooks(MainForm), made);
}

// Without options the same window takes itself over, so the test above tells something.
TEST_F(StartOptionsWindowTest, WithoutOptionsTheWindowAndItsControlsAreSkinned) {
    TMainWindow w;
    Settle();
    ExpectSkinnedWithStoredSkin(MainForm);
}

TEST_F(StartOptionsWindowTest, ASkinFileThatDoesNotLoadLeavesTheStoredSkin) {
    std::string archive = StoredArchive();
    ASSERT_GT(archive.size(), 1000u);
    const std::string files[] = {
        "C:\\no such dir\\missing.skn",
        WriteFile("ql-empty.skn", ""),
        WriteFile("ql-noise.skn", std::string(5000, '\x5A')),
        WriteFile("ql-cut.skn", archive.substr(0, archive.size() / 2)),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TMainForm::StartOptions.SkinFile = file;
        TDialogAnswerer boxes;
        TMainWindow w;
        Settle();
        ExpectSkinnedWithStoredSkin(MainForm);
        // A file that opens but is no archive is reported, once; a missing one is passed over.
        EXPECT_LE(boxes.Take().size(), 1u);
    }
}

TEST_F(StartOptionsWindowTest, ASkinFileThatLoadsIsTheOneInUse) {
    std::string file = WriteFile("ql-copy.skn", StoredArchive());
    TMainForm::StartOptions.SkinFile = file;
    TMainWindow w;
    Settle();
    EXPECT_EQ(w->SkinData1->SkinFile(), file);
    ExpectSkinnedWithStoredSkin(MainForm);
}

} // namespace
