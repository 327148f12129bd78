// The gallery's recent-skins list: order, repeats, the limit, and what a damaged file gives.
#include "RecentSkins.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

using Paths = std::vector<std::string>;

TRecentSkins With(const Paths& oldestFirst) {
    TRecentSkins list;
    for (const std::string& p : oldestFirst)
        list.Add(p);
    return list;
}

std::string TempFile(const char* name) {
    return (testing::TempDir() + name);
}

} // namespace

TEST(RecentSkins, NewestComesFirstAndARepeatMovesUpInsteadOfDoubling) {
    TRecentSkins list = With({"a.skn", "b.skn", "c.skn"});
    EXPECT_EQ(list.Items(), (Paths{"c.skn", "b.skn", "a.skn"}));
    list.Add("a.skn");
    EXPECT_EQ(list.Items(), (Paths{"a.skn", "c.skn", "b.skn"}));
}

TEST(RecentSkins, OneFileUnderDifferentSpellingsIsKeptOnceInItsNewestSpelling) {
    TRecentSkins list = With({"C:\\Skins\\Blue.skn", "other.skn", "c:/skins/BLUE.SKN"});
    EXPECT_EQ(list.Items(), (Paths{"c:/skins/BLUE.SKN", "other.skn"}));
    list.Remove("C:\\SKINS\\blue.skn");
    EXPECT_EQ(list.Items(), (Paths{"other.skn"}));
}

TEST(RecentSkins, TheNinthFilePushesTheOldestOut) {
    TRecentSkins list = With({"1", "2", "3", "4", "5", "6", "7", "8"});
    EXPECT_EQ(list.Items().size(), 8u);
    list.Add("9");
    EXPECT_EQ(list.Items(), (Paths{"9", "8", "7", "6", "5", "4", "3", "2"}));
    // Bringing a listed file to the front drops nothing.
    list.Add("5");
    EXPECT_EQ(list.Items().size(), 8u);
    EXPECT_EQ(list.Items().back(), "2");
}

TEST(RecentSkins, TextRoundTripsAndDamagedLinesArePassedOver) {
    TRecentSkins list = With({"one.skn", "两个.skn"});
    TRecentSkins copy;
    copy.SetText(list.Text());
    EXPECT_EQ(copy.Items(), list.Items());

    std::string damaged = "\r\nfirst.skn\r\n\nFIRST.SKN\nbad\x01name.skn\n" + std::string(40000, 'x') +
                          "\nsecond.skn"; // no newline at the end
    copy.SetText(damaged);
    EXPECT_EQ(copy.Items(), (Paths{"first.skn", "second.skn"}));
}

TEST(RecentSkins, AFileOfManyLinesGivesTheFirstEight) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += std::to_string(i) + ".skn\n";
    TRecentSkins list;
    list.SetText(text);
    ASSERT_EQ(list.Items().size(), 8u);
    EXPECT_EQ(list.Items().front(), "0.skn");
    EXPECT_EQ(list.Items().back(), "7.skn");
}

TEST(RecentSkins, SavedAndLoadedThroughAFile) {
    std::string file = TempFile("recent_skins_test.txt");
    TRecentSkins list = With({"a.skn", "b.skn"});
    ASSERT_TRUE(list.SaveToFile(file));
    TRecentSkins loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Items(), list.Items());
    std::remove(file.c_str());
}

TEST(RecentSkins, AMissingFileGivesAnEmptyListAndAnUnwritablePlaceFails) {
    TRecentSkins list = With({"a.skn"});
    list.LoadFromFile(TempFile("no_such_dir/recent.txt"));
    EXPECT_TRUE(list.Items().empty());
    EXPECT_FALSE(With({"a.skn"}).SaveToFile(TempFile("no_such_dir/recent.txt")));
}

TEST(RecentSkins, AnOversizedFileIsReadOnlyAsFarAsItsFirstLines) {
    std::string file = TempFile("recent_skins_big.txt");
    {
        std::ofstream out(file, std::ios::binary);
        out << "kept.skn\n";
        out << std::string(1 << 20, 'y'); // one endless line
    }
    TRecentSkins list;
    list.LoadFromFile(file);
    EXPECT_EQ(list.Items(), (Paths{"kept.skn"}));
    std::remove(file.c_str());
}
