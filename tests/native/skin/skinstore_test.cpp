// The skin store's items (names, archive bytes, copies) and how a description keeps them, and the
// skin caption component's process-wide values.
#include "FormReader.h"
#include "SkinCaption.h"
#include "SkinTestUtil.h"
#include "WinSkinStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string ErrorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no exception";
}

void SetData(TSkinCollectionItem& item, const std::vector<uint8_t>& bytes) {
    item.Data.Clear();
    if (!bytes.empty()) item.Data.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

} // namespace

TEST(SkinStore, NewItemsTakeTheRunningNumberAndNamesAreUniqueLetterCaseCounting) {
    TSkinStore store(nullptr);
    TSkinCollection& items = store.Store();
    TSkinCollectionItem* first = items.Add();
    TSkinCollectionItem* second = items.Add();
    EXPECT_EQ(first->Name(), "SkinItem0");
    EXPECT_EQ(second->GetDisplayName(), "SkinItem1");
    items.Delete(0);
    EXPECT_EQ(items.Add()->Name(), "SkinItem2"); // numbers are never reused

    EXPECT_EQ(ErrorOf([&] { items[1]->SetName("SkinItem1"); }), "The name SkinItem1 is already used.");
    EXPECT_EQ(items[1]->Name(), "SkinItem2");
    items[1]->SetName("skinitem1");
    EXPECT_EQ(items[1]->Name(), "skinitem1");
    items[1]->SetName("skinitem1"); // its own name

    // A copy takes the name unchecked; either twin may still be given its own name again.
    items[1]->Assign(items[0]);
    EXPECT_EQ(items[1]->Name(), "SkinItem1");
    items[0]->SetName("SkinItem1");
    items[1]->SetName("SkinItem1");
    EXPECT_EQ(ErrorOf([&] { items.Add()->SetName("SkinItem1"); }), "The name SkinItem1 is already used.");
}

TEST(SkinStore, ItemDataCopiesAndFiles) {
    TSkinStore store(nullptr);
    TSkinCollectionItem& item = *store.Store().Add();
    EXPECT_EQ(item.DataSize(), 0);
    SetData(item, Bytes("archive"));
    item.Data.SetPosition(3);
    EXPECT_EQ(item.DataSize(), 7);

    TMemoryStream dest = StreamOf(Bytes("<<>>"));
    dest.SetPosition(2);
    item.CopyData(dest);
    EXPECT_EQ(dest.Bytes(), Bytes("<<archive"));
    EXPECT_EQ(item.Data.Position(), 3);

    TSkinStore copy(nullptr);
    copy.Store().Add();
    copy.SetStore(&store.Store());
    ASSERT_EQ(copy.Store().Count(), 1);
    EXPECT_EQ(copy.Store()[0]->Name(), "SkinItem0");
    EXPECT_EQ(copy.Store()[0]->Data.Bytes(), Bytes("archive"));
    copy.SetStore(nullptr);
    EXPECT_EQ(copy.Store().Count(), 1);
    TStringList notAnItem;
    EXPECT_THROW(item.Assign(&notAnItem), EConvertError);

    auto path = std::filesystem::temp_directory_path() / "ql_skinstore_test.skn";
    std::ofstream(path, std::ios::binary) << "from a file";
    item.LoadFromFile(path.string());
    EXPECT_EQ(item.Data.Bytes(), Bytes("from a file"));
    std::filesystem::remove(path);
    EXPECT_THROW(item.LoadFromFile(path.string()), EFOpenError);
    EXPECT_EQ(item.Data.Bytes(), Bytes("from a file"));
}

TEST(SkinStore, ADescriptionKeepsNamesAndArchiveBytesExactly) {
    TSkinStore store(nullptr);
    store.SetName("SkinStore1");
    const std::vector<uint8_t> big = RandomBytes(70000, 7), small = Bytes(std::string("\0\1{}'", 5));
    SetData(*store.Store().Add(), big);
    TSkinCollectionItem& second = *store.Store().Add();
    second.SetName("Dark 'skin'");
    SetData(second, small);
    store.Store().Add(); // no data at all

    std::string text = WriteComponentText(&store);
    EXPECT_EQ(text.find("DataSize"), std::string::npos);
    EXPECT_EQ(text.find("SkinData"), std::string::npos);

    TSkinStore back(nullptr);
    back.Store().Add();
    ReadComponentText(&back, text);
    ASSERT_EQ(back.Store().Count(), 3);
    EXPECT_EQ(back.Store()[0]->Name(), "SkinItem0");
    EXPECT_EQ(back.Store()[0]->Data.Bytes(), big);
    EXPECT_EQ(back.Store()[0]->DataSize(), 70000);
    EXPECT_EQ(back.Store()[1]->Name(), "Dark 'skin'");
    EXPECT_EQ(back.Store()[1]->Data.Bytes(), small);
    EXPECT_EQ(back.Store()[2]->DataSize(), 0);
    EXPECT_EQ(WriteComponentText(&back), text);

    // Only the bytes of DataStream count; DataSize cannot be stored and SkinData is ignored.
    ReadComponentText(&back, "object SkinStore1: TSkinStore\n  Store = <\n    item\n      Name = 'A'\n"
                             "      SkinData = 'x'\n      DataStream = {0A0B}\n    end>\nend\n");
    EXPECT_EQ(back.Store()[0]->Data.Bytes(), (std::vector<uint8_t>{10, 11}));
    EXPECT_EQ(back.Store()[0]->SkinData(), "Load Skin");
    SetProperty(back.Store()[0], "DataSize", "5");
    EXPECT_EQ(back.Store()[0]->DataSize(), 2);
    EXPECT_THROW(ReadComponentText(&back, "object SkinStore1: TSkinStore\n  Store = <\n    item\n"
                                          "      DataSize = 5\n    end>\nend\n"),
                 EParserError);
    // Two stored items of one name refuse the description.
    EXPECT_THROW(ReadComponentText(&back, "object SkinStore1: TSkinStore\n  Store = <\n    item\n"
                                          "      Name = 'A'\n    end\n    item\n      Name = 'A'\n"
                                          "    end>\nend\n"),
                 EParserError);
}

TEST(SkinCaption, OneSwitchForTheProcessAndTheAuthorIsNotKept) {
    ASSERT_TRUE(SkinCaptionActive); // on from the start
    TSkinCaption a(nullptr), b(nullptr);
    EXPECT_TRUE(b.Active());
    a.SetActive(false);
    EXPECT_FALSE(b.Active());
    SetProperty(&b, "Active", "True");
    EXPECT_TRUE(a.Active());

    ReadComponentText(&a, "object SkinCaption1: TSkinCaption\n  Active = False\n  Author = 'someone'\n"
                          "  SkinAlpha = 200\nend\n");
    EXPECT_FALSE(b.Active());
    EXPECT_EQ(a.Author, TSkinCaption::FixedAuthor);
    EXPECT_EQ(a.SkinAlpha, 200);
    EXPECT_EQ(SkinCaptionAlpha, 200);
    SkinCaptionActive = true;
    SkinCaptionAlpha = 0;
}
