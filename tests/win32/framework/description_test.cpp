// Forms read from a stored description: every control, stored order, handlers bound by name, errors.
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

// the framework's RegisterClass, not the window-class one of <windows.h>
#undef RegisterClass

namespace {
std::vector<std::string> Log;

// Reports when it is made, when its properties are set and when it is loaded.
class TProbe : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TProbe(TComponent* AOwner) : TComponent(AOwner) { Log.push_back("create"); }
    std::string First() const { return {}; }
    void SetFirst(const std::string& v) { Log.push_back(Name() + ".First=" + v); }
    std::string Second() const { return {}; }
    void SetSecond(const std::string& v) { Log.push_back(Name() + ".Second=" + v); }
    void Loaded() override {
        TComponent::Loaded();
        Log.push_back(Name() + ".Loaded");
    }
};

const TClassInfo& TProbe::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TProbe>("TProbe", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Str("First", &TProbe::First, &TProbe::SetFirst)
                                       .Str("Second", &TProbe::Second, &TProbe::SetSecond)
                                       .Build();
    return info;
}

std::string ReadError(const std::string& text) {
    try {
        ReadTestForm(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}
} // namespace

TEST(Description, BuildsEveryControlWithItsProperties) {
    auto form = ReadTestForm();
    ASSERT_TRUE(form->Button1 && form->Label1 && form->Edit1 && form->CheckBox1 && form->ComboBox1 &&
                form->GroupBox1 && form->StatusBar1 && form->Timer1);
    EXPECT_EQ(form->Caption(), "QUARLINK 测试");
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), 1u << biSystemMenu | 1u << biMinimize);
    EXPECT_EQ(form->ClientWidth(), 420);
    EXPECT_EQ(form->ClientHeight(), 260);
    // nesting
    EXPECT_EQ(form->Label1->Parent(), form->GroupBox1);
    EXPECT_EQ(form->Edit1->Parent(), form->GroupBox1);
    EXPECT_EQ(form->Button1->Parent(), form.get());
    EXPECT_EQ(form->Timer1->Owner(), form.get());
    // values
    EXPECT_EQ(form->Edit1->Text(), "00050B2E");
    EXPECT_EQ(form->Edit1->MaxLength(), 8);
    EXPECT_EQ(form->CheckBox1->Caption(), "使用自定义波特率 ");
    EXPECT_EQ(form->ComboBox1->Style(), csDropDownList);
    EXPECT_EQ(form->ComboBox1->Items().Count(), 3);
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 1); // stored before its items
    EXPECT_EQ(form->StatusBar1->Panels().Count(), 2);
    EXPECT_EQ(form->StatusBar1->Panels()[0]->Width(), 150);
    EXPECT_EQ(form->StatusBar1->Panels()[1]->Alignment(), taCenter);
    EXPECT_EQ(form->Timer1->Interval(), 250u);
    EXPECT_FALSE(form->Timer1->Enabled());
    // children take the form's font, the label sizes itself to its text
    EXPECT_EQ(form->Edit1->Font().Name(), "MS Sans Serif");
    EXPECT_TRUE(form->Edit1->ParentFont());
    EXPECT_GT(form->Label1->Width(), 50);
    // the tab order is the stored one, not the creation order
    ASSERT_EQ(form->GroupBox1->TabList().size(), 3u);
    EXPECT_EQ(form->GroupBox1->TabList()[0], form->CheckBox1);
    EXPECT_EQ(form->GroupBox1->TabList()[2], form->Edit1);
    EXPECT_EQ(form->Button1->TabOrder(), 0);
    EXPECT_EQ(form->GroupBox1->TabOrder(), 1);
    // nothing has a window until the form needs one; then every control has one
    EXPECT_FALSE(form->HandleAllocated());
    form->HandleNeeded();
    EXPECT_TRUE(form->Edit1->HandleAllocated());
    EXPECT_EQ(GetParent(form->Edit1->Handle()), form->GroupBox1->Handle());
    EXPECT_EQ(WindowText(form->Handle()), u"QUARLINK 测试");
    EXPECT_EQ(form->Edit1->Text(), "00050B2E");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 1);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 260);
}

TEST(Description, CreatesSetsAndLoadsInStoredOrder) {
    RegisterClassInfo(TProbe::StaticClassInfo());
    Log.clear();
    auto form = ReadTestForm(R"(object TestForm: TTestForm
  object B: TProbe
    Second = '1'
    First = '2'
  end
  object A: TProbe
    First = '3'
  end
end
)");
    std::vector<std::string> expected{"create",    "B.Second=1", "B.First=2", "create",
                                      "A.First=3", "B.Loaded",   "A.Loaded"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(form->Components(0)->Name(), "B");
}

TEST(Description, BoundHandlersRunForTheirEvents) {
    auto form = ReadTestForm();
    form->Show();
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->Clicks, 1);
    form->Edit1->SetText("1234");
    EXPECT_EQ(form->Changes, 1);
    SendMessageW(form->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->CheckClicks, 1);
    form->Close();
    EXPECT_EQ(form->Closes, 1);
    EXPECT_FALSE(form->Visible());
}

TEST(Description, ErrorsNameTheLineAndTheProperty) {
    std::string unknownProperty = ReadError("object TestForm: TTestForm\n  Colour = 5\nend\n");
    EXPECT_NE(unknownProperty.find("Line 2"), std::string::npos) << unknownProperty;
    EXPECT_NE(unknownProperty.find("Colour"), std::string::npos) << unknownProperty;
    std::string unknownClass =
        ReadError("object TestForm: TTestForm\n  object X: TNoSuchControl\n  end\nend\n");
    EXPECT_NE(unknownClass.find("TNoSuchControl"), std::string::npos) << unknownClass;
    std::string badValue =
        ReadError("object TestForm: TTestForm\n  object E: TEdit\n    MaxLength = 'x'\n  end\nend\n");
    EXPECT_NE(badValue.find("Line 3"), std::string::npos) << badValue;
    EXPECT_NE(badValue.find("MaxLength"), std::string::npos) << badValue;
    std::string badEnum = ReadError("object TestForm: TTestForm\n  BorderStyle = bsRound\nend\n");
    EXPECT_NE(badEnum.find("bsRound"), std::string::npos) << badEnum;
    std::string badPanel = ReadError("object TestForm: TTestForm\n  object S: TStatusBar\n    Panels = <\n"
                                     "      item\n        Widht = 4\n      end>\n  end\nend\n");
    EXPECT_NE(badPanel.find("Line 5: property 'Panels[0].Widht' of 'S'"), std::string::npos) << badPanel;
    std::string badHandler = ReadError("object TestForm: TTestForm\n  OnClose = Button1Click\nend\n");
    EXPECT_NE(badHandler.find("Button1Click"), std::string::npos) << badHandler;
}

TEST(Description, WrittenFormReadsBackTheSame) {
    auto form = ReadTestForm();
    form->ComboBox1->SetItemIndex(2);
    form->CheckBox1->SetState(cbGrayed);
    form->Label1->SetColor(clRed);
    form->StatusBar1->SetSimpleText("简单");
    form->StatusBar1->Panels()[0]->SetText("a, 'b'");
    std::string text = WriteComponentText(form.get());
    auto copy = ReadTestForm(text);
    EXPECT_EQ(copy->ComboBox1->ItemIndex(), 2);
    EXPECT_EQ(copy->ComboBox1->Items().Text(), form->ComboBox1->Items().Text());
    EXPECT_EQ(copy->CheckBox1->State(), cbGrayed);
    EXPECT_EQ(copy->Label1->Color(), clRed);
    EXPECT_FALSE(copy->Label1->ParentColor());
    EXPECT_EQ(copy->StatusBar1->SimpleText(), "简单");
    ASSERT_EQ(copy->StatusBar1->Panels().Count(), 2);
    EXPECT_EQ(copy->StatusBar1->Panels()[0]->Text(), "a, 'b'");
    EXPECT_EQ(copy->StatusBar1->Panels()[1]->Alignment(), taCenter);
    EXPECT_EQ(copy->Edit1->TabOrder(), form->Edit1->TabOrder());
    EXPECT_EQ(copy->ClientWidth(), 420);
    EXPECT_EQ(copy->Caption(), form->Caption());
    EXPECT_EQ(WriteComponentText(copy.get()), text);
}
