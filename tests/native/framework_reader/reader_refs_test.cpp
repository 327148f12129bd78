// Properties that name another component of the description (a form's Menu, a control's PopupMenu).
#include "FormReader.h"

#include <gtest/gtest.h>

namespace {

class TLinkTarget : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
};

// Refers to any component, to a TLinkTarget only, and to itself through Self.
class TLinkHolder : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
    TComponent* Buddy = nullptr;
    TLinkTarget* Target = nullptr;
};

class TLinkRoot : public TLinkHolder {
    QL_CLASS_INFO()
  public:
    using TLinkHolder::TLinkHolder;
};

const TClassInfo& TLinkTarget::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TLinkTarget>("TLinkTarget", TComponent::StaticClassInfo()).Creatable().Build();
    return info;
}

const TClassInfo& TLinkHolder::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TLinkHolder>("TLinkHolder", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Obj<TComponent>("Buddy", &TLinkHolder::Buddy, &TLinkHolder::Buddy)
                                       .Obj<TLinkTarget>("Target", &TLinkHolder::Target, &TLinkHolder::Target)
                                       .Build();
    return info;
}

const TClassInfo& TLinkRoot::StaticClassInfo() {
    static const TClassInfo info{"TLinkRoot", &TLinkHolder::StaticClassInfo(), {}, {}};
    return info;
}

class MenuReferences : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterClassInfo(TLinkTarget::StaticClassInfo());
        RegisterClassInfo(TLinkHolder::StaticClassInfo());
    }
    std::string ErrorOf(const std::string& body) {
        TLinkRoot root(nullptr);
        try {
            ReadComponentText(&root, "object Root: TLinkRoot\n" + body + "end\n");
        } catch (const EParserError& e) {
            return e.Message();
        }
        return "no error";
    }
};

const char* const kRefs = R"(object Root: TLinkRoot
  Buddy = Later
  Target = T1
  object T1: TLinkTarget
  end
  object Holder: TLinkHolder
    Buddy = root
    Target = T1
  end
  object Later: TLinkHolder
    Buddy = nil
  end
end
)";

TEST_F(MenuReferences, NameComponentsBeforeAndAfterTheyAreRead) {
    TLinkRoot root(nullptr);
    ReadComponentText(&root, kRefs);
    auto* holder = dynamic_cast<TLinkHolder*>(root.FindComponent("Holder"));
    ASSERT_TRUE(holder);
    EXPECT_EQ(root.Buddy, root.FindComponent("Later")); // a forward reference
    EXPECT_EQ(root.Target, root.FindComponent("T1"));
    EXPECT_EQ(holder->Buddy, &root); // the root by its name, any case
    EXPECT_EQ(holder->Target, root.Target);

    std::string text = WriteComponentText(&root);
    EXPECT_NE(text.find("  Buddy = Later\n"), std::string::npos);
    EXPECT_NE(text.find("    Buddy = Root\n"), std::string::npos);
    TLinkRoot copy(nullptr);
    ReadComponentText(&copy, text);
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST_F(MenuReferences, UnknownOrWrongComponentsAreRefused) {
    EXPECT_EQ(ErrorOf("  Buddy = Nobody\n"),
              "Line 2: property 'Buddy' of 'Root': component 'Nobody' not found");
    EXPECT_EQ(ErrorOf("  object H: TLinkHolder\n  end\n  Target = H\n"),
              "Line 4: property 'Target' of 'Root': 'H' is not a TLinkTarget");
    // a forward reference of the wrong class is found out at the end, still naming its line
    EXPECT_EQ(ErrorOf("  Target = H\n  object H: TLinkHolder\n  end\n"),
              "Line 2: property 'Target' of 'Root': 'H' is not a TLinkTarget");
    EXPECT_EQ(ErrorOf("  Target = 'T1'\n"),
              "Line 2: property 'Target' of 'Root': expected an identifier but found a quoted string");
}

// A component owned elsewhere cannot be named by the text, so it is not written.
TEST_F(MenuReferences, ComponentsOutsideTheDescriptionAreNotWritten) {
    TLinkRoot root(nullptr);
    root.SetName("Root");
    TLinkTarget outside(nullptr);
    outside.SetName("Outside");
    root.Target = &outside;
    EXPECT_EQ(WriteComponentText(&root).find("Target"), std::string::npos);
}

} // namespace
