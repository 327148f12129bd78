// Loading a skin from a store item, and a description that keeps skin data, a store and a caption.
// The item bytes only ever reach the archive reader, whose decoders have their own fuzz targets.
#include "TypInfo.h" // before windows.h: RegisterClass is the registry's here

#include "FormReader.h"
#include "SkinCaption.h"
#include "SkinRead.h"
#include "SkinTestHelpers.h"
#include "WinConvert.h"
#include "WinSkinData.h"
#include "WinSkinStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<uint8_t> Packed(const std::string& ini) {
    TMemoryStream archive;
    PackSkin(archive, ini, {{"t.bmp", BmpFile(10, 4, clRed)}});
    return archive.Bytes();
}

std::vector<uint8_t> NamedSkin(const std::string& name) {
    return Packed("[TitlebarSkin]\nSkinName=" + name + "\n[Tabs]\nImage=t.bmp\n");
}

// An archive whose unpacked image carries another format number.
std::vector<uint8_t> OlderFormat() {
    std::vector<uint8_t> image = BuildSkinImage({{"skin.ini", Text("[Tabs]\nImage=t.bmp\n")}});
    image[0] = 0x21;
    TMemoryStream plain, packed;
    plain.WriteBuffer(image.data(), int64_t(image.size()));
    LZHCompress(plain, packed);
    return packed.Bytes();
}

// Bytes that start with a plausible unpacked size and then are no LZH stream at all.
std::vector<uint8_t> Noise() {
    std::vector<uint8_t> out{0x00, 0x10, 0x00, 0x00};
    uint32_t x = 12345;
    for (int i = 0; i < 4000; ++i)
        out.push_back(uint8_t((x = x * 1103515245 + 12345) >> 16));
    return out;
}

TSkinCollectionItem& AddItem(TSkinStore& store, const std::vector<uint8_t>& bytes) {
    TSkinCollectionItem& item = *store.Store().Add();
    if (!bytes.empty()) item.Data.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    return item;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string hex;
    for (uint8_t b : bytes)
        hex += IntToHex(b, 2);
    return hex;
}

struct TSkinStoreLoadTest : ::testing::Test {
    std::unique_ptr<TSkinData> Skin = std::make_unique<TSkinData>(nullptr);
    TSkinStore Store{nullptr};
    std::vector<std::string> Reports;
    TSkinStoreLoadTest() {
        SkinReadReport = [this](const std::string& m) { Reports.push_back(m); };
        AddItem(Store, NamedSkin("First"));
        AddItem(Store, NamedSkin("Second"));
    }
};

} // namespace

TEST_F(TSkinStoreLoadTest, AnItemIsLoadedFromItsStartAndKeepsItsPosition) {
    TSkinCollectionItem& second = *Store.Store()[1];
    second.Data.SetPosition(5);
    Skin->LoadFromCollection(&Store, 1);
    EXPECT_FALSE(Skin->SkinPending);
    EXPECT_EQ(Skin->SkinName, "Second");
    ASSERT_TRUE(Skin->Tabs);
    EXPECT_EQ(Skin->Tabs->Image.Width(), 10);
    EXPECT_EQ(Skin->ArchiveStream.Bytes(), second.Data.Bytes());
    EXPECT_EQ(second.Data.Position(), 5);

    Skin->LoadFromCollection(&Store, 0);
    EXPECT_EQ(Skin->SkinName, "First");
    EXPECT_TRUE(Reports.empty());
}

TEST_F(TSkinStoreLoadTest, NoStoreOrAnIndexOutsideItChangesNothing) {
    Skin->LoadFromCollection(&Store, 0);
    ASSERT_FALSE(Skin->SkinPending);
    const TDataSkinBorder* tabs = Skin->Tabs.get();
    const std::vector<uint8_t> archive = Skin->ArchiveStream.Bytes();
    for (int index : {-1, 2, 1000}) {
        Skin->LoadFromCollection(&Store, index);
        Skin->LoadFromCollection(nullptr, index);
    }
    Skin->LoadFromCollection(nullptr, 0);
    EXPECT_FALSE(Skin->SkinPending);
    EXPECT_EQ(Skin->SkinName, "First");
    EXPECT_EQ(Skin->Tabs.get(), tabs);
    EXPECT_EQ(Skin->ArchiveStream.Bytes(), archive);
    EXPECT_TRUE(Reports.empty());
}

// Every way of loading refuses the same bytes the same way: the skin in use and its archive stay,
// and the skin counts as pending until a good load.
TEST_F(TSkinStoreLoadTest, ARefusedArchiveKeepsTheSkinInUseOnEveryPath) {
    const std::vector<uint8_t> refused[] = {{}, {1, 2, 3}, Noise(), OlderFormat()};
    const std::string path = "ql_skinstore_refused.skn";
    using TLoad = std::function<void(const std::vector<uint8_t>&)>;
    const TLoad loads[] = {[&](const std::vector<uint8_t>& bytes) {
                               TSkinStore store(nullptr);
                               AddItem(store, bytes);
                               Skin->LoadFromCollection(&store, 0);
                           },
                           [&](const std::vector<uint8_t>& bytes) {
                               TMemoryStream s;
                               if (!bytes.empty()) s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
                               Skin->LoadFromStream(s);
                           },
                           [&](const std::vector<uint8_t>& bytes) {
                               TMemoryStream s;
                               if (!bytes.empty()) s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
                               s.SaveToFile(path);
                               Skin->LoadFromFile(path);
                           }};
    for (size_t way = 0; way < std::size(loads); ++way)
        for (size_t k = 0; k < std::size(refused); ++k) {
            SCOPED_TRACE("load path " + std::to_string(way) + ", archive " + std::to_string(k));
            Skin->LoadFromCollection(&Store, 1);
            ASSERT_FALSE(Skin->SkinPending);
            const TDataSkinBorder* tabs = Skin->Tabs.get();
            const std::vector<uint8_t> archive = Skin->ArchiveStream.Bytes();
            Reports.clear();
            loads[way](refused[k]);
            EXPECT_FALSE(Skin->SkinPending) << "the skin in use stays whole";
            EXPECT_EQ(Skin->SkinName, "Second");
            EXPECT_EQ(Skin->Tabs.get(), tabs);
            EXPECT_EQ(Skin->ArchiveStream.Bytes(), archive);
            EXPECT_EQ(Reports.size(), 1u);
        }
    DeleteFileA(path.c_str());
}

TEST(SkinStoreDescription, SkinDataStoreAndCaptionReadTogether) {
    RegisterSkinClasses();
    const std::vector<uint8_t> first = NamedSkin("First"), second = NamedSkin("Second");
    const std::string text = "object Root: TComponent\n"
                             "  object SkinData1: TSkinData\n  end\n"
                             "  object SkinStore1: TSkinStore\n    Store = <\n"
                             "      item\n        Name = 'first'\n        DataStream = {" +
                             Hex(first) +
                             "}\n      end\n"
                             "      item\n        Name = 'First'\n        DataStream = {" +
                             Hex(second) +
                             "}\n      end>\n  end\n"
                             "  object SkinCaption1: TSkinCaption\n    Author = 'someone'\n  end\n"
                             "end\n";
    TComponent root(nullptr);
    ReadComponentText(&root, text);
    auto* skin = dynamic_cast<TSkinData*>(root.FindComponent("SkinData1"));
    auto* store = dynamic_cast<TSkinStore*>(root.FindComponent("SkinStore1"));
    auto* caption = dynamic_cast<TSkinCaption*>(root.FindComponent("SkinCaption1"));
    ASSERT_TRUE(skin && store && caption);
    EXPECT_EQ(caption->Author, TSkinCaption::FixedAuthor);
    ASSERT_EQ(store->Store().Count(), 2);
    EXPECT_EQ(store->Store()[0]->Data.Bytes(), first);
    EXPECT_EQ(store->Store()[1]->Data.Bytes(), second);
    skin->LoadFromCollection(store, 1);
    EXPECT_EQ(skin->SkinName, "Second");
}
