// Collections in descriptions: items read and written inline, binary data inside items, errors.
#include "reader_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CollectionReader : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterReaderTestClasses();
        ReaderLog().clear();
    }
};

TTestItem& Row(const TCollection& c, int i) {
    return static_cast<TTestItem&>(*c.Items(i));
}

TTestControl& Child(const TComponent& form, const char* name) {
    return dynamic_cast<TTestControl&>(*form.FindComponent(name));
}

std::vector<uint8_t> Bytes(size_t n) {
    std::vector<uint8_t> out(n);
    uint32_t x = 12345;
    for (uint8_t& b : out)
        b = uint8_t((x = x * 1103515245 + 12345) >> 16);
    return out;
}

TEST_F(CollectionReader, StoredItemsReplaceTheCollectionsAndAreToldOnce) {
    TTestForm form(nullptr);
    form.Rows.Add();
    ReaderLog().clear();
    ReadComponentText(&form, R"(object F: TTestForm
  Rows = <>
  object C: TTestControl
    Rows = <
      item
        Caption = 'first, with a comma '')'
        Width = 420
      end
      item
        Data = {
          0001
          0203}
        Subs = <
          item
            Width = 7
          end>
      end
      item
      end>
    Left = 3
  end
end
)");
    EXPECT_EQ(form.Rows.Count(), 0);
    const TCollection& rows = Child(form, "C").Rows;
    ASSERT_EQ(rows.Count(), 3);
    EXPECT_EQ(Row(rows, 0).Caption, "first, with a comma ')");
    EXPECT_EQ(Row(rows, 0).Width, 420);
    EXPECT_EQ(Row(rows, 1).Data, (std::vector<uint8_t>{0, 1, 2, 3}));
    ASSERT_EQ(Row(rows, 1).Subs.Count(), 1);
    EXPECT_EQ(Row(Row(rows, 1).Subs, 0).Width, 7);
    EXPECT_EQ(Row(rows, 2).Width, 50);
    EXPECT_TRUE(Row(rows, 2).Data.empty());
    std::vector<std::string> expected{
        "F.Rows", "C.Parent=F", "C.Rows", "C.Left", "F.Loaded (not reading)", "C.Loaded (not reading)"};
    EXPECT_EQ(ReaderLog(), expected);
}

TEST_F(CollectionReader, WritesItemsLeavingOutWhatAFreshItemHas) {
    TTestForm form(nullptr);
    form.SetName("F");
    auto* c = new TTestControl(&form);
    c->SetName("C");
    c->SetParentComponent(&form);
    auto* empty = new TTestControl(&form);
    empty->SetName("Empty");
    auto& first = static_cast<TTestItem&>(*c->Rows.Add());
    first.Caption = "A";
    first.Data = {0xDE, 0xAD};
    static_cast<TTestItem*>(first.Subs.Add())->Width = 1;
    c->Rows.Add();
    std::string text = WriteComponentText(&form);
    EXPECT_NE(text.find("  Rows = <>\n  object C"), std::string::npos) << "the root keeps an empty one";
    EXPECT_NE(text.find(R"(
  object C: TTestControl
    Rows = <
      item
        Caption = 'A'
        Data = {
          DEAD}
        Subs = <
          item
            Width = 1
          end>
      end
      item
      end>
  end
  object Empty: TTestControl
  end
)"),
              std::string::npos)
        << text;

    TTestForm copy(nullptr);
    ReadComponentText(&copy, text);
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST_F(CollectionReader, LargeBinaryDataInAnItemSpansLinesAndKeepsLineCounts) {
    TTestForm form(nullptr);
    form.SetName("F");
    auto& item = static_cast<TTestItem&>(*form.Rows.Add());
    item.Data = Bytes(300000);
    static_cast<TTestItem*>(form.Rows.Add())->Data = Bytes(33);
    std::string text = WriteComponentText(&form);
    int lines = int(std::count(text.begin(), text.end(), '\n'));
    EXPECT_GT(lines, 300000 / 32);

    TTestForm copy(nullptr);
    ReadComponentText(&copy, text);
    ASSERT_EQ(copy.Rows.Count(), 2);
    EXPECT_EQ(Row(copy.Rows, 0).Data, item.Data);
    EXPECT_EQ(Row(copy.Rows, 1).Data, Bytes(33));

    // An error after the data names the line it is on.
    size_t last = text.rfind("end>");
    std::string broken = text.substr(0, last) + "  Widht = 1\n  end>\nend\n";
    int line = int(std::count(broken.begin(), broken.begin() + long(broken.rfind("Widht")), '\n')) + 1;
    try {
        ReadComponentText(&copy, broken);
        ADD_FAILURE() << "no error";
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Message(),
                  "Line " + IntToStr(line) + ": property 'Rows[1].Widht' of 'F': unknown property");
    }
}

TEST_F(CollectionReader, RefusesBadItemsNamingLineAndProperty) {
    const std::string head = "object F: TTestForm\n";
    std::string deep = head + "  Rows = <item";
    for (int i = 0; i < 4; ++i)
        deep += "\n  Subs = <item";
    const std::pair<std::string, std::string> cases[] = {
        {head + "  Rows = 5\nend", "Line 2: property 'Rows' of 'F': expected a collection but found '5'"},
        {head + "  Rows = 'x'\nend",
         "Line 2: property 'Rows' of 'F': expected a collection but found a quoted string"},
        {head + "  Left = <>\nend",
         "Line 2: property 'Left' of 'F': expected an integer but found a collection"},
        {head + "  Items.Strings = <>\nend",
         "Line 2: property 'Items.Strings' of 'F': expected a string list but found a collection"},
        {head + "  Rows = <\n    Width = 1\n  end>\nend",
         "Line 3: property 'Rows' of 'F': expected 'item' but found 'Width'"},
        {head + "  Rows = <\n  item\n    Widht = 1\n  end>\nend",
         "Line 4: property 'Rows[0].Widht' of 'F': unknown property"},
        {head + "  Rows = <\n  item\n  end\n  item\n    Width = 'x'\n  end>\nend",
         "Line 6: property 'Rows[1].Width' of 'F': expected an integer but found a quoted string"},
        {head + "  Rows = <\n  item\n    Data = {0}\n  end>\nend",
         "Line 4: property 'Rows[0].Data' of 'F': odd number of hexadecimal digits"},
        {head + "  Rows = <item Subs = <item\n Caption = 1 end> end>\nend",
         "Line 3: property 'Rows[0].Subs[0].Caption' of 'F': expected a quoted string but found '1'"},
        {head + "  Rows = <\n  item\n    Width = 1\n",
         "Line 5: property 'Rows' of 'F': missing 'end' of item 0"},
        {head + "  Rows = <\n  item\n  end\n  Left = 1\nend",
         "Line 5: property 'Rows' of 'F': expected 'item' but found 'Left'"},
        {head + "  Rows = <item end end>\nend",
         "Line 2: property 'Rows' of 'F': expected 'item' but found 'end'"},
        {head + "  object C: TTestControl\n    Rows = <item>\n  end\nend",
         "Line 3: property 'Rows' of 'C': expected a property name but found '>'"},
        {head + "  Rows = <>\nend\nx", "Line 4: text after the final 'end'"},
        {deep,
         "Line 6: property 'Rows[0].Subs[0].Subs[0].Subs[0].Subs' of 'F': collections nested too deeply"},
    };
    for (const auto& [text, message] : cases) {
        TTestForm form(nullptr);
        try {
            ReadComponentText(&form, text);
            ADD_FAILURE() << "no error: " << text;
        } catch (const EParserError& e) {
            EXPECT_EQ(e.Message(), message) << text;
        }
        ReaderLog().clear();
        form.Rows.Add();
        EXPECT_EQ(ReaderLog(), (std::vector<std::string>{"F.Rows (not reading)"}))
            << "told of changes again after: " << text;
    }
}

} // namespace
