#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {
enum TAlign { alNone, alLeft, alRight };

class TWidget : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
    int Width = 10;
    TAlign Align = alLeft;
    uint32_t Options = 0;
    std::string Caption = "Read(读取)";
    TStringList* Items = new TStringList;
    TNotifyEvent OnClick;
    ~TWidget() override { delete Items; }
};

const TClassInfo& TWidget::StaticClassInfo() {
    static const TEnumNames aligns{"alNone", "alLeft", "alRight"};
    static const TClassInfo info = TClassBuilder<TWidget>("TWidget", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Int("Width", &TWidget::Width, &TWidget::Width)
                                       .Enum("Align", aligns, &TWidget::Align, &TWidget::Align)
                                       .Set("Options", aligns, &TWidget::Options, &TWidget::Options)
                                       .Str("Caption", &TWidget::Caption, &TWidget::Caption)
                                       .Obj<TStringList>("Items", &TWidget::Items)
                                       .Event("OnClick", &TWidget::OnClick)
                                       .Build();
    return info;
}
} // namespace

TEST(PropertyAccess, NullObjectAndMissingPropertyGiveNeutralValues) {
    TWidget w(nullptr);
    for (const TObject* obj : {static_cast<const TObject*>(nullptr), static_cast<const TObject*>(&w)}) {
        EXPECT_EQ(GetProperty(obj, "Missing"), "");
        EXPECT_EQ(GetIntProperty(obj, "Missing"), -1);
        EXPECT_EQ(GetEnumProperty(obj, "Missing"), "");
        EXPECT_EQ(GetStringProp(obj, "Missing"), u"");
        EXPECT_EQ(GetObjProp(obj, "Missing", TObject::StaticClassInfo()), nullptr);
        TMethod m;
        m.Data = &w;
        GetObjMethod(obj, "Missing", m);
        EXPECT_EQ(m.Data, &w);
    }
    SetProperty(nullptr, "Width", "5");
    SetProperty(&w, "Missing", "5");
}

TEST(PropertyAccess, WrongKindGivesNeutralValue) {
    TWidget w(nullptr);
    EXPECT_EQ(GetIntProperty(&w, "Align"), -1);
    EXPECT_EQ(GetEnumProperty(&w, "Width"), "");
    EXPECT_EQ(GetProperty(&w, "Options"), "");
    EXPECT_EQ(GetStringProp(&w, "Width"), u"");
    EXPECT_EQ(GetObjProp(&w, "Caption", TObject::StaticClassInfo()), nullptr);
    EXPECT_EQ(GetObjProp(&w, "Items", TComponent::StaticClassInfo()), nullptr); // not of that class
}

TEST(PropertyAccess, ReadsAndWritesByNameCaseInsensitively) {
    TWidget w(nullptr);
    EXPECT_EQ(GetProperty(&w, "align"), "alLeft");
    EXPECT_EQ(GetProperty(&w, "WIDTH"), "10");
    EXPECT_EQ(GetStringProp(&w, "Caption"), u"Read(读取)");
    EXPECT_EQ(GetObjProp(&w, "Items", TStrings::StaticClassInfo()), w.Items);
    SetProperty(&w, "Align", "alRight");
    SetProperty(&w, "Width", "$20");
    SetProperty(&w, "Width", "junk"); // refused, value stays
    SetProperty(&w, "Align", "alJunk");
    EXPECT_EQ(w.Align, alRight);
    EXPECT_EQ(w.Width, 32);
    EXPECT_EQ(w.ClassName(), "TWidget");
    EXPECT_TRUE(w.InheritsFrom(TComponent::StaticClassInfo()));
}

TEST(PropertyAccess, MethodPropertiesCarryBoundHandlers) {
    struct Form : TObject {
        int Clicks = 0;
        void Click(TObject*) { ++Clicks; }
    } f;
    TWidget w(nullptr);
    const TPropInfo* p = GetPropInfo(&w, "OnClick");
    ASSERT_TRUE(p->SetMethod(w, ToMethod(TNotifyEvent(&f, &Form::Click))));
    w.OnClick(&w);
    TMethod m;
    GetObjMethod(&w, "OnClick", m);
    EXPECT_EQ(m.Data, &f);
    EXPECT_EQ(f.Clicks, 1);
    EXPECT_EQ(SetToString(*GetPropInfo(&w, "Options")->Names, 5), "[alNone, alRight]");
}
