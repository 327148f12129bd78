#include "reader_fixture.h"

std::vector<std::string>& ReaderLog() {
    static std::vector<std::string> log;
    return log;
}

void RegisterReaderTestClasses() {
    RegisterClassInfo(TTestTimer::StaticClassInfo());
    RegisterClassInfo(TTestControl::StaticClassInfo());
}

const TClassInfo& TTestFont::StaticClassInfo() {
    static const TEnumNames styles{"fsBold", "fsItalic", "fsUnderline"};
    static const TClassInfo info = TClassBuilder<TTestFont>("TTestFont", TPersistent::StaticClassInfo())
                                       .Str("Name", &TTestFont::Name, &TTestFont::Name)
                                       .Int("Size", &TTestFont::Size, &TTestFont::Size)
                                       .Set("Style", styles, &TTestFont::Style, &TTestFont::Style)
                                       .Build();
    return info;
}

namespace {
void ReadBytes(std::vector<uint8_t>& bytes, TStream& s) {
    bytes.resize(size_t(s.Size()));
    s.ReadBuffer(bytes.data(), int64_t(bytes.size()));
}
void WriteBytes(const std::vector<uint8_t>& bytes, TStream& s) {
    s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}
} // namespace

const TClassInfo& TTestItem::StaticClassInfo() {
    using I = TTestItem;
    static const TClassInfo info =
        TClassBuilder<I>("TTestItem", TCollectionItem::StaticClassInfo())
            .Str("Caption", &I::Caption, &I::Caption)
            .Int("Width", &I::Width, &I::Width)
            .Binary(
                "Data", [](I& i, TStream& s) { ReadBytes(i.Data, s); },
                [](const I& i, TStream& s) { WriteBytes(i.Data, s); })
            .Obj<TCollection>("Subs", [](const I& i) { return const_cast<TCollection*>(&i.Subs); })
            .Build();
    return info;
}

const TClassInfo& TTestComponent::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestComponent>("TTestComponent", TComponent::StaticClassInfo()).Build();
    return info;
}

void TTestComponent::Note(const std::string& what) const {
    ReaderLog().push_back(Name() + "." + what + (ComponentState & csReading ? "" : " (not reading)"));
}

void TTestComponent::SetParentComponent(TComponent* parent) {
    Note("Parent=" + parent->Name());
}

void TTestComponent::Loaded() {
    TComponent::Loaded();
    Note("Loaded");
}

void TTestRows::Update(TCollectionItem* Item) {
    static_cast<TTestComponent*>(Owner())->Note(Item ? "Rows[" + IntToStr(Item->Index()) + "]" : "Rows");
}

const TClassInfo& TTestTimer::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestTimer>("TTestTimer", TTestComponent::StaticClassInfo())
                                       .Creatable()
                                       .Int("Interval", &TTestTimer::Interval,
                                            [](TTestTimer& t, int v) {
                                                t.Note("Interval");
                                                if (v < 0) throw EConvertError("negative interval");
                                                t.Interval = v;
                                            })
                                       .Event("OnTimer", &TTestTimer::OnTimer)
                                       .Build();
    return info;
}

TTestControl::~TTestControl() {
    delete Items;
    delete Font;
}

void TTestControl::SetParentComponent(TComponent* parent) {
    TTestComponent::SetParentComponent(parent);
    Parent = parent;
}

const TClassInfo& TTestControl::StaticClassInfo() {
    using C = TTestControl;
    static const TEnumNames aligns{"taNone", "taLeft", "taClient"};
    static const TEnumNames anchors{"akLeft", "akTop", "akRight", "akBottom"};
    static const TClassInfo info =
        TClassBuilder<C>("TTestControl", TTestComponent::StaticClassInfo())
            .Creatable()
            .Int("Left", &C::Left,
                 [](C& c, int v) {
                     c.Note("Left");
                     c.Left = v;
                 })
            .Enum("Align", aligns, &C::Align,
                  [](C& c, TTestAlign v) {
                      c.Note("Align");
                      c.Align = v;
                  })
            .Set("Anchors", anchors, &C::Anchors,
                 [](C& c, uint32_t v) {
                     c.Note("Anchors");
                     c.Anchors = v;
                 })
            .Bool("Visible", &C::Visible,
                  [](C& c, bool v) {
                      c.Note("Visible");
                      c.Visible = v;
                  })
            .Str("Caption", &C::Caption,
                 [](C& c, const std::string& v) {
                     c.Note("Caption");
                     c.Caption = v;
                 })
            .WStr("Hint", &C::Hint,
                  [](C& c, const std::u16string& v) {
                      c.Note("Hint");
                      c.Hint = v;
                  })
            .Obj<TStringList>("Items", &C::Items)
            .Obj<TTestFont>("Font", &C::Font)
            .Binary(
                "Data",
                [](C& c, TStream& s) {
                    c.Note("Data");
                    ReadBytes(c.Data, s);
                },
                [](const C& c, TStream& s) { WriteBytes(c.Data, s); })
            .Obj<TTestRows>("Rows", [](const C& c) { return const_cast<TTestRows*>(&c.Rows); })
            .Event("OnClick", &C::OnClick)
            .Build();
    return info;
}

const TClassInfo& TTestForm::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", TTestControl::StaticClassInfo())
                                       .Event("OnClose", &TTestForm::OnClose)
                                       .Build();
    return info;
}

TMethod TTestForm::MethodAddress(const std::string& name) const {
    auto* self = const_cast<TTestForm*>(this);
    if (SameText(name, "ButtonClick")) return ToMethod(TNotifyEvent(self, &TTestForm::ButtonClick));
    if (SameText(name, "FormClose")) return ToMethod(TNotifyEvent(self, &TTestForm::FormClose));
    if (SameText(name, "DataReceived"))
        return ToMethod(TEvent<TObject*, int>(self, &TTestForm::DataReceived));
    return {};
}

void TTestForm::ButtonClick(TObject* sender) {
    Calls.push_back("ButtonClick " + static_cast<TComponent*>(sender)->Name());
}
void TTestForm::FormClose(TObject*) {
    Calls.push_back("FormClose");
}
void TTestForm::DataReceived(TObject*, int count) {
    Calls.push_back("DataReceived " + IntToStr(count));
}
