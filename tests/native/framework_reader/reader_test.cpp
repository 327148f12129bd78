#include "reader_fixture.h"

#include <gtest/gtest.h>

namespace {

class FormReader : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterReaderTestClasses();
        ReaderLog().clear();
    }
    TTestControl& Control(const TComponent& form, const char* name) {
        return dynamic_cast<TTestControl&>(*form.FindComponent(name));
    }
};

std::string ErrorOf(TTestForm& form, const std::string& text) {
    try {
        ReadComponentText(&form, text);
    } catch (const EParserError& e) {
        return e.Message();
    }
    return "no error";
}

const char* const kNested = R"(object Form1: TTestForm
  Left = 100
  Caption = 'QUARLINK Config   www.example.com  '
  Font.Name = 'Tahoma'
  Font.Style = [fsBold, fsItalic]
  OnClose = FormClose
  object Panel1: TTestControl
    Align = taClient
    object ButtonRead: TTestControl
      Caption = 'Read(读取)'
      Left = -5
      OnClick = ButtonClick
    end
  end
  object Timer1: TTestTimer
    Interval = $10
  end
end
)";

TEST_F(FormReader, CreatesNestsAndLoadsInStoredOrder) {
    TTestForm form(nullptr);
    ReadComponentText(&form, kNested);
    std::vector<std::string> expected{
        "Form1.Left", "Form1.Caption", "Panel1.Parent=Form1", "Panel1.Align", "ButtonRead.Parent=Panel1",
        "ButtonRead.Caption", "ButtonRead.Left", "Timer1.Parent=Form1", "Timer1.Interval",
        // Loaded only after the whole text, reading flag already cleared, root first
        "Form1.Loaded (not reading)", "Panel1.Loaded (not reading)", "ButtonRead.Loaded (not reading)",
        "Timer1.Loaded (not reading)"};
    EXPECT_EQ(ReaderLog(), expected);

    ASSERT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Components(0)->Name(), "Panel1");
    EXPECT_EQ(form.Components(1)->Name(), "ButtonRead");
    EXPECT_EQ(form.Components(2)->Name(), "Timer1");
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_EQ(form.Components(i)->ComponentState, 0u);
    EXPECT_EQ(form.ComponentState, 0u);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Left, 100);
    EXPECT_EQ(form.Font->Name, "Tahoma");
    EXPECT_EQ(form.Font->Style, 3u);
    TTestControl& button = Control(form, "ButtonRead");
    EXPECT_EQ(button.Parent, form.FindComponent("Panel1"));
    EXPECT_EQ(button.Left, -5);
    EXPECT_EQ(button.Caption, "Read(读取)");
    EXPECT_EQ(Control(form, "Panel1").Align, taClient);
    EXPECT_EQ(dynamic_cast<TTestTimer&>(*form.FindComponent("Timer1")).Interval, 16);

    button.OnClick(&button);
    form.OnClose(&form);
    EXPECT_EQ(form.Calls, (std::vector<std::string>{"ButtonClick ButtonRead", "FormClose"}));
}

TEST_F(FormReader, ReadsEveryKindOfValue) {
    TTestForm form(nullptr);
    form.Items->Add("stale");
    ReadComponentText(&form, "\xEF\xBB\xBF"
                             "object F: TTestForm\r\n"
                             "  Caption = 'It''s '#9'a' + \r\n"
                             "    ' test'#13#10''\r\n"
                             "  Hint = '波特率 ✓'\r\n"
                             "  Visible = false\r\n"
                             "  Anchors = []\r\n"
                             "  Align = TACLIENT\r\n"
                             "  Items.Strings = ()\r\n"
                             "  object C: TTestControl\r\n"
                             "    Items.Strings = (\r\n"
                             "      '1Mbps'\r\n"
                             "      '预留' + '1'\r\n"
                             "      '')\r\n"
                             "    Data = {\r\n"
                             "      0A00 00ff\r\n"
                             "      EE}\r\n"
                             "    Anchors = [akRight,akLeft, akBottom]\r\n"
                             "    Left = $FFFFFFF0\r\n"
                             "  end\r\n"
                             "end");
    EXPECT_EQ(form.Caption, "It's \ta test\r\n");
    EXPECT_EQ(form.Hint, u"波特率 ✓");
    EXPECT_FALSE(form.Visible);
    EXPECT_EQ(form.Anchors, 0u);
    EXPECT_EQ(form.Align, taClient);
    EXPECT_EQ(form.Items->Count(), 0);
    TTestControl& c = Control(form, "C");
    EXPECT_EQ(c.Items->Text(), "1Mbps\r\n预留1\r\n\r\n");
    EXPECT_EQ(c.Data, (std::vector<uint8_t>{0x0A, 0x00, 0x00, 0xFF, 0xEE}));
    EXPECT_EQ(c.Anchors, 0b1101u);
    EXPECT_EQ(c.Left, -16) << "hexadecimal uses all 32 bits";
}

TEST_F(FormReader, RefusesBadTextNamingLineAndProperty) {
    const std::string head = "object F: TTestForm\n";
    std::string deep = head;
    for (int i = 0; i < 40; ++i)
        deep += "object C" + std::to_string(i) + ": TTestControl\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Line 1: expected 'object' but found end of text"},
        {"object F: TTestControl\nend", "Line 1: class 'TTestControl' does not match 'TTestForm'"},
        {head + "  object B: TTestControl\n    Foo = 1\n  end\nend",
         "Line 3: property 'Foo' of 'B': unknown property"},
        {head + "  Left = 1\n  object B: TFoo\n  end\nend", "Line 3: class 'TFoo' not found"},
        {head + "  Left = abc\nend", "Line 2: property 'Left' of 'F': 'abc' is not a valid integer value"},
        {head + "  Left = 2147483648\nend",
         "Line 2: property 'Left' of 'F': '2147483648' is not a valid integer value"},
        {head + "  Left = 12abc\nend",
         "Line 2: property 'Left' of 'F': '12abc' is not a valid integer value"},
        {head + "  Left 5\nend", "Line 2: property 'Left' of 'F': expected '=' but found '5'"},
        {head + "  Caption = 12\nend",
         "Line 2: property 'Caption' of 'F': expected a quoted string but found '12'"},
        {head + "  Caption = 'a' +\nend",
         "Line 3: property 'Caption' of 'F': expected a string after '+' but found 'end'"},
        {head + "  Caption = #300\nend",
         "Line 2: property 'Caption' of 'F': '#300' is not a valid character code"},
        {head + "  OnClick = NoSuch\nend",
         "Line 2: property 'OnClick' of 'F': handler 'NoSuch' not found in 'F'"},
        {head + "  OnClick = DataReceived\nend",
         "Line 2: property 'OnClick' of 'F': handler 'DataReceived' does not fit the event"},
        {head + "  Align = taMiddle\nend",
         "Line 2: property 'Align' of 'F': 'taMiddle' is not a valid value"},
        {head + "  Anchors = [akLeft, akFoo]\nend",
         "Line 2: property 'Anchors' of 'F': 'akFoo' is not a member of the set"},
        {head + "  Anchors = [akLeft\nend",
         "Line 3: property 'Anchors' of 'F': expected ',' but found 'end'"},
        {head + "  Font = 'x'\nend",
         "Line 2: property 'Font' of 'F': an object property takes no value; set its sub-properties"},
        {head + "  Font.Colour = 1\nend", "Line 2: property 'Font.Colour' of 'F': unknown property 'Colour'"},
        {head + "  Left.X = 1\nend", "Line 2: property 'Left.X' of 'F': 'Left' has no sub-properties"},
        {head + "  Font. Name = 'x'\nend",
         "Line 2: expected a property name after '.' but found character #32"},
        {head + "  Name = 'G'\nend", "Line 2: property 'Name' of 'F': the name is given in the object line"},
        {head + "  Items.Strings = ('a' 1)\nend",
         "Line 2: property 'Items.Strings' of 'F': expected a string or ')' but found '1'"},
        {head + "  Items.Strings = 'a'\nend",
         "Line 2: property 'Items.Strings' of 'F': expected a string list but found a quoted string"},
        {head + "  Data = {\n  ABC}\nend",
         "Line 3: property 'Data' of 'F': odd number of hexadecimal digits"},
        {head + "  Data = {0G}\nend", "Line 2: property 'Data' of 'F': 'G' is not a hexadecimal digit"},
        {head + "  Data = {00", "Line 2: property 'Data' of 'F': unterminated binary value"},
        {head + "  Caption = 'abc\n  Left = 1\nend",
         "Line 2: property 'Caption' of 'F': unterminated string"},
        {head + "  object B: TTestControl\n    Left = 1\n", "Line 4: missing 'end' of 'B'"},
        {head + "  object B: TTestControl\n  end\n  object b: TTestControl\n  end\nend",
         "Line 4: object 'b': a component named 'b' already exists"},
        {head + "  object T: TTestTimer\n    Interval = -1\n  end\nend",
         "Line 3: property 'Interval' of 'T': negative interval"},
        {head + "end\nend", "Line 3: text after the final 'end'"},
        {deep, "Line 34: object 'C32': objects nested too deeply"},
    };
    for (const auto& [text, message] : cases) {
        ReaderLog().clear();
        TTestForm form(nullptr);
        EXPECT_EQ(ErrorOf(form, text), message) << text;
        for (const std::string& entry : ReaderLog())
            EXPECT_EQ(entry.find("Loaded"), std::string::npos) << text;
        EXPECT_EQ(form.ComponentState, 0u);
        for (int i = 0; i < form.ComponentCount(); ++i)
            EXPECT_EQ(form.Components(i)->ComponentState, 0u) << text;
    }
}

TEST_F(FormReader, ComponentsCreatedBeforeAnErrorBelongToTheRoot) {
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponentText(&form, "object F: TTestForm\n object A: TTestControl\n end\n"
                                          " object B: TTestTimer\n  Interval = x\n end\nend"),
                 EReadError);
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(1)->Owner(), &form);
    EXPECT_THROW(ReadComponentText(nullptr, "object F: TTestForm\nend"), EParserError);
}

TEST_F(FormReader, WritesNestedComponentsLeavingOutFreshValues) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    form.Caption = "Config";
    auto* panel = new TTestControl(&form);
    panel->SetName("Panel1");
    panel->Left = 8;
    auto* timer = new TTestTimer(&form);
    timer->SetName("Timer1");
    auto* button = new TTestControl(&form);
    button->SetName("Button1");
    button->SetParentComponent(panel);
    button->Caption = "O'K\n读";
    button->Hint = u"提示";
    button->Items->Add("a");
    button->Font->Style = 4;
    button->Data = {0x00, 0xAB};
    button->OnClick.Bind(&form, &TTestForm::ButtonClick);
    EXPECT_EQ(WriteComponentText(&form), R"(object Form1: TTestForm
  Tag = 0
  Left = 0
  Align = taNone
  Anchors = [akLeft]
  Visible = True
  Caption = 'Config'
  Hint = ''
  Items.Strings = ()
  Font.Name = 'MS Sans Serif'
  Font.Size = 8
  Font.Style = []
  Data = {}
  Rows = <>
  object Panel1: TTestControl
    Left = 8
    object Button1: TTestControl
      Caption = 'O''K'#10'读'
      Hint = '提示'
      Items.Strings = (
        'a')
      Font.Style = [fsUnderline]
      Data = {
        00AB}
    end
  end
  object Timer1: TTestTimer
  end
end
)");
}

TEST_F(FormReader, WriteReadWriteIsStable) {
    TTestForm first(nullptr);
    ReadComponentText(&first, kNested);
    TTestControl& panel = Control(first, "Panel1");
    panel.Hint = u"宽\t字";
    panel.Items->SetText("x\ny''\n");
    for (int i = 0; i < 70; ++i)
        panel.Data.push_back(uint8_t(i * 37));
    std::string text = WriteComponentText(&first);

    TTestForm second(nullptr);
    ReadComponentText(&second, text);
    EXPECT_EQ(WriteComponentText(&second), text);
    TTestControl& copy = Control(second, "Panel1");
    EXPECT_EQ(copy.Hint, panel.Hint);
    EXPECT_EQ(copy.Items->Text(), panel.Items->Text());
    EXPECT_EQ(copy.Data, panel.Data);
    EXPECT_EQ(Control(second, "ButtonRead").Parent, &copy);
    EXPECT_EQ(second.Font->Style, 3u);
    EXPECT_NE(text.find("OnClick = ButtonClick"), std::string::npos); // handlers bound by name stay named
}

} // namespace
