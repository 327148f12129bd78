#include "ItemList.h"

#include <gtest/gtest.h>

namespace {

enum TSide { sdLeft, sdRight };
const TEnumNames SideNames{"sdLeft", "sdRight"};

class TColumnItem : public TPersistent {
    QL_CLASS_INFO()
  public:
    explicit TColumnItem(TItemList<TColumnItem>& list) : FList(list) {}
    std::string Caption;
    int Width = 50;
    TSide Side = sdLeft;
    void SetWidth(int v) {
        Width = v;
        FList.ItemChanged(this);
    }

  private:
    TItemList<TColumnItem>& FList;
};

const TClassInfo& TColumnItem::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TColumnItem>("TColumnItem", TPersistent::StaticClassInfo())
                                       .Str("Caption", &TColumnItem::Caption, &TColumnItem::Caption)
                                       .Int("Width", &TColumnItem::Width, &TColumnItem::SetWidth)
                                       .Enum("Side", SideNames, &TColumnItem::Side, &TColumnItem::Side)
                                       .Build();
    return info;
}

std::string ErrorOf(TStrings& lines, const std::string& line) {
    try {
        lines.Add(line);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST(ItemList, LinesReadAndWriteOnlyWhatDiffersAndQuoteCommas) {
    TItemList<TColumnItem> list;
    TItemLines<TColumnItem> lines(list);
    lines.Add("Caption='Name, first',Width=120");
    lines.Add(" Side = sdRight , Caption = 'it''s' ");
    lines.Add("");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0]->Caption, "Name, first");
    EXPECT_EQ(list[0]->Width, 120);
    EXPECT_EQ(list[1]->Caption, "it's");
    EXPECT_EQ(list[1]->Side, sdRight);
    EXPECT_EQ(lines[0], "Caption='Name, first',Width=120");
    EXPECT_EQ(lines[1], "Caption='it''s',Side=sdRight");
    EXPECT_EQ(lines[2], "");

    TItemList<TColumnItem> copy;
    TItemLines<TColumnItem> copyLines(copy);
    copyLines.Assign(&lines);
    EXPECT_EQ(copyLines.Text(), lines.Text());
}

TEST(ItemList, BadLinesAreRefusedAndLeaveNoItem) {
    TItemList<TColumnItem> list;
    TItemLines<TColumnItem> lines(list);
    EXPECT_EQ(ErrorOf(lines, "Colour=1"), "Invalid item 'Colour=1': unknown property 'Colour'");
    EXPECT_EQ(ErrorOf(lines, "Width"), "Invalid item 'Width': 'Width' has no value");
    EXPECT_EQ(ErrorOf(lines, "Width=wide"), "'wide' is not a valid integer value");
    EXPECT_EQ(ErrorOf(lines, "Side=sdUp"), "Invalid item 'Side=sdUp': 'sdUp' is not a value of Side");
    EXPECT_EQ(ErrorOf(lines, "Caption='open"), "Invalid item 'Caption='open': unterminated string");
    EXPECT_EQ(ErrorOf(lines, "Caption='a'b"), "Invalid item 'Caption='a'b': text after a quoted value");
    EXPECT_EQ(list.Count(), 0);
}

TEST(ItemList, OwnerHearsOfEveryChange) {
    TItemList<TColumnItem> list;
    std::vector<std::pair<TItemChange, int>> heard;
    list.OnChange = [&](TItemChange c, int i) { heard.emplace_back(c, i); };
    list.Add();
    TColumnItem* second = list.Add();
    second->SetWidth(7);
    list.Delete(0);
    second->SetWidth(8);
    list.Clear();
    list.Clear(); // nothing left to change
    std::vector<std::pair<TItemChange, int>> want{{icAdded, 0},   {icAdded, 1},   {icChanged, 1},
                                                  {icDeleted, 0}, {icChanged, 0}, {icCleared, -1}};
    EXPECT_EQ(heard, want);
    EXPECT_THROW(list.Items(0), EListError);
    EXPECT_THROW(list.Insert(1), EListError);
}
