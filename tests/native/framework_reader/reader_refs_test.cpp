// Properties that name another component of the description (a form's Menu, a control's PopupMenu).
#include "FormReader.h"

#include <gtest/gtest.h>

namespace {

class TRefTarget : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
};

// Refers to any component, to a TRefTarget only, and to itself through Self.
class TRefHolder : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
    TComponent* Buddy = nullptr;
    TRefTarget* Target = nullptr;
};

class TRefRoot : public TRefHolder {
    QL_CLASS_INFO()
  public:
    using TRefHolder::TRefHolder;
};

const TClassInfo& TRefTarget::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TRefTarget>("TRefTarget", TComponent::StaticClassInfo()).Creatable().Build();
    return info;
}

const TClassInfo& TRefHolder::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TRefHolder>("TRefHolder", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Obj<TComponent>("Buddy", &TRefHolder::Buddy, &TRefHolder::Buddy)
                                       .Obj<TRefTarget>("Target", &TRefHolder::Target, &TRefHolder::Target)
                                       .Build();
    return info;
}

const TClassInfo& TRefRoot::StaticClassInfo() {
    static const TClassInfo info{"TRefRoot", &TRefHolder::StaticClassInfo(), {}, {}};
    return info;
}

class MenuReferences : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterClassInfo(TRefTarget::StaticClassInfo());
        RegisterClassInfo(TRefHolder::StaticClassInfo());
    }
    std::string ErrorOf(const std::string& body) {
        TRefRoot root(nullptr);
        try {
            ReadComponentText(&root, "object Root: TRefRoot\n" + body + "end\n");
        } catch (const EParserError& e) {
            return e.Message();
        }
        return "no error";
    }
};

const char* const kRefs = R"(object Root: TRefRoot
  Buddy = Later
  Target = T1
  object T1: TRefTarget
  end
  object Holder: TRefHolder
    Buddy = root
    Target = T1
  end
  object Later: TRefHolder
    Buddy = nil
  end
end
)";

TEST_F(MenuReferences, NameComponentsBeforeAndAfterTheyAreRead) {
    TRefRoot root(nullptr);
    ReadComponentText(&root, kRefs);
    auto* holder = dynamic_cast<TRefHolder*>(root.FindComponent("Holder"));
    ASSERT_TRUE(holder);
    EXPECT_EQ(root.Buddy, root.FindComponent("Later")); // a forward reference
    EXPECT_EQ(root.Target, root.FindComponent("T1"));
    EXPECT_EQ(holder->Buddy, &root); // the root by its name, any case
    EXPECT_EQ(holder->Target, root.Target);

    std::string text = WriteComponentText(&root);
    EXPECT_NE(text.find("  Buddy = Later\n"), std::string::npos);
    EXPECT_NE(text.find("    Buddy = Root\n"), std::string::npos);
    TRefRoot copy(nullptr);
    ReadComponentText(&copy, text);
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST_F(MenuReferences, UnknownOrWrongComponentsAreRefused) {
    EXPECT_EQ(ErrorOf("  Buddy = Nobody\n"),
              "Line 2: property 'Buddy' of 'Root': component 'Nobody' not found");
    EXPECT_EQ(ErrorOf("  object H: TRefHolder\n  end\n  Target = H\n"),
              "Line 4: property 'Target' of 'Root': 'H' is not a TRefTarget");
    // a forward reference of the wrong class is found out at the end, still naming its line
    EXPECT_EQ(ErrorOf("  Target = H\n  object H: TRefHolder\n  end\n"),
              "Line 2: property 'Target' of 'Root': 'H' is not a TRefTarget");
    EXPECT_EQ(ErrorOf("  Target = 'T1'\n"),
              "Line 2: property 'Target' of 'Root': expected an identifier but found a quoted string");
}

// A component owned elsewhere cannot be named by the text, so it is not written.
TEST_F(MenuReferences, ComponentsOutsideTheDescriptionAreNotWritten) {
    TRefRoot root(nullptr);
    root.SetName("Root");
    TRefTarget outside(nullptr);
    outside.SetName("Outside");
    root.Target = &outside;
    EXPECT_EQ(WriteComponentText(&root).find("Target"), std::string::npos);
}

} // namespace
