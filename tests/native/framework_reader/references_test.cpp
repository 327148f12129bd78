// Components naming each other: references in a description, and the free notifications that keep
// such references from dangling.
#include "FormReader.h"

#include <gtest/gtest.h>

namespace {

class TRefTarget : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
};

// Holds a reference the way a control holds its image list.
class TRefHolder : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
    TRefTarget* Target() const { return FTarget; }
    void SetTarget(TRefTarget* t) {
        if (FTarget) FTarget->RemoveFreeNotification(this);
        FTarget = t;
        if (t) t->FreeNotification(this);
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == FTarget) FTarget = nullptr;
    }

  private:
    TRefTarget* FTarget = nullptr;
};

class TRefRoot : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
};

const TClassInfo& TRefTarget::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TRefTarget>("TRefTarget", TComponent::StaticClassInfo()).Creatable().Build();
    return info;
}

const TClassInfo& TRefHolder::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TRefHolder>("TRefHolder", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Obj<TRefTarget>("Target", &TRefHolder::Target, &TRefHolder::SetTarget)
                                       .Build();
    return info;
}

const TClassInfo& TRefRoot::StaticClassInfo() {
    static const TClassInfo info{"TRefRoot", &TComponent::StaticClassInfo(), {}, {}};
    return info;
}

struct TFree {
    void operator()(TObject* o) const { o->Free(); }
};
using TRoot = std::unique_ptr<TRefRoot, TFree>;

TRoot Read(const std::string& body) {
    RegisterClassInfo(TRefTarget::StaticClassInfo());
    RegisterClassInfo(TRefHolder::StaticClassInfo());
    TRoot root(new TRefRoot(nullptr));
    ReadComponentText(root.get(), "object Root: TRefRoot\n" + body + "end\n");
    return root;
}

std::string ErrorOf(const std::string& body) {
    try {
        Read(body);
    } catch (const EParserError& e) {
        return e.Message();
    }
    return "no error";
}

TRefHolder& Holder(const TRoot& root, const char* name) {
    return dynamic_cast<TRefHolder&>(*root->FindComponent(name));
}

const char* const kForwardAndNil = R"(  object Holder1: TRefHolder
    Target = Target1
  end
  object Holder2: TRefHolder
    Target = nil
  end
  object Target1: TRefTarget
  end
)";

} // namespace

TEST(References, NameAComponentStoredAnywhereAndRoundTrip) {
    TRoot root = Read(kForwardAndNil);
    EXPECT_EQ(Holder(root, "Holder1").Target(), root->FindComponent("Target1"));
    EXPECT_EQ(Holder(root, "Holder2").Target(), nullptr);

    std::string text = WriteComponentText(root.get());
    EXPECT_NE(text.find("Target = Target1"), std::string::npos) << text;
    TRoot again(new TRefRoot(nullptr));
    ReadComponentText(again.get(), text);
    EXPECT_EQ(Holder(again, "Holder1").Target(), again->FindComponent("Target1"));
}

TEST(References, UnknownOrWrongComponentsAreErrorsWithTheirLine) {
    EXPECT_EQ(ErrorOf("  object H: TRefHolder\n    Target = Missing\n  end\n"),
              "Line 3: property 'Target' of 'H': component 'Missing' not found");
    EXPECT_EQ(ErrorOf("  object H: TRefHolder\n    Target = H\n  end\n"),
              "Line 3: property 'Target' of 'H': 'H' is not a TRefTarget");
    EXPECT_EQ(ErrorOf("  object H: TRefHolder\n    Target = 'Target1'\n  end\n"),
              "Line 3: property 'Target' of 'H': expected an identifier but found a quoted string");
}

TEST(References, EitherSideMayGoFirst) {
    TRefRoot root(nullptr);
    auto* holder = new TRefHolder(&root);
    auto* target = new TRefTarget(nullptr);
    holder->SetTarget(target);
    target->Free();
    EXPECT_EQ(holder->Target(), nullptr);

    target = new TRefTarget(nullptr);
    holder->SetTarget(target);
    holder->Free(); // the target must not tell a freed holder later
    target->Free();

    // dropping a reference ends the notifications of both sides
    auto* kept = new TRefHolder(&root);
    auto* other = new TRefTarget(nullptr);
    kept->SetTarget(other);
    kept->SetTarget(nullptr);
    kept->Free();
    other->Free();
}
