#include "Classes.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(StringList, SplitsAtEveryLineBreakAndKeepsItsExtras) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[2], "c");
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.AddInteger("[Buttons]", 7);
    EXPECT_EQ(list.GetInteger(4), 7);
    list.Insert(0, "x");
    EXPECT_EQ(list.GetInteger(5), 7);
    EXPECT_EQ(list.IndexOf("[BUTTONS]"), 5);
    EXPECT_THROW(list.Get(6), EListError);
    list.SetText("k=v=w");
    EXPECT_EQ(list.Values("K"), "v=w");
}

TEST(Streams, MemoryAndFileStreamsAgree) {
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Size(), 5);
    m.SetPosition(3);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2);
    EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);

    auto path = (std::filesystem::temp_directory_path() / "ql_stream_test.bin").string();
    m.SaveToFile(path);
    TMemoryStream back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Bytes(), m.Bytes());
    std::filesystem::remove(path);
    EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
    EXPECT_THROW(TFileStream(std::filesystem::temp_directory_path().string(), fmOpenRead), EFOpenError);
}

namespace {
struct Probe : TComponent {
    Probe(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), Log(log) {}
    ~Probe() override { Log->push_back("~" + Name()); }
    void Notification(TComponent* c, TOperation op) override {
        if (op == opRemove) Log->push_back("gone " + c->Name());
    }
    std::vector<std::string>* Log;
};
} // namespace

TEST(Component, OwnerDestroysOwnedInReverseOrderAndHearsOfIt) {
    std::vector<std::string> log;
    auto* root = new Probe(nullptr, &log);
    root->SetName("root");
    for (const char* n : {"a", "b", "c"})
        (new Probe(root, &log))->SetName(n);
    EXPECT_EQ(root->FindComponent("B")->Name(), "b");
    root->Free();
    std::vector<std::string> want{"gone c", "~c", "gone b", "~b", "gone a", "~a", "~root"};
    EXPECT_EQ(log, want);
}

// A reference across owners: whichever side goes first tells the other, once, and never afterwards.
TEST(Component, FreeNotificationTellsTheSurvivorEitherWay) {
    std::vector<std::string> log;
    auto* form = new Probe(nullptr, &log);
    form->SetName("form");
    auto* menu = new Probe(nullptr, &log);
    menu->SetName("menu");
    auto* other = new Probe(nullptr, &log);
    other->SetName("other");
    menu->FreeNotification(form);
    form->FreeNotification(menu); // the same pair again: still one notice
    other->FreeNotification(form);
    menu->Free();
    form->Free(); // only `other` is left to hear of it
    other->Free();
    std::vector<std::string> want{"gone menu", "~menu", "gone form", "~form", "~other"};
    EXPECT_EQ(log, want);
}

TEST(Events, BindToMemberAndSurviveTypeErasure) {
    struct Target : TObject {
        int Hits = 0;
        void Click(TObject*) { ++Hits; }
    } t;
    TNotifyEvent e(&t, &Target::Click);
    TNotifyEvent copy;
    ASSERT_TRUE(FromMethod(ToMethod(e), copy));
    copy(nullptr);
    EXPECT_EQ(t.Hits, 1);
    TEvent<TObject*, bool&> other;
    EXPECT_FALSE(FromMethod(ToMethod(e), other)); // a handler of another signature is refused
}
