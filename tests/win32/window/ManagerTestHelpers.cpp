#include "ManagerTestHelpers.h"

#include "FrameworkTest.h"
#include "SkinRead.h"

void RunSkinAction() {
    if (SkinManager->PendingAction) SkinManager->OnTimer(nullptr);
    auto allActive = [] {
        for (TWinSkinForm* f : SkinManager->Forms)
            if (f->SkinState != 1) return false;
        return true;
    };
    Application->ProcessMessages();
    PumpUntil(allActive);
}

std::vector<TSkinEntry> SkinEntriesOf(const char* archive) {
    TSkinReader reader;
    EXPECT_TRUE(reader.loadfromfile(archive));
    std::vector<TSkinEntry> entries;
    for (int i = 0; i < reader.EntryCount; ++i) {
        TMemoryStream bytes;
        reader.readEntry(i, bytes);
        entries.push_back({reader.EntryNames[i], bytes.Bytes()});
    }
    return entries;
}

TMainWindow* SkinnedMainWindowTest::FWindow = nullptr;

void SkinnedMainWindowTest::SetUpTestSuite() {
    FWindow = new TMainWindow;
    PumpUntil([] { return SkinManager && SkinManager->FindSkinForm(MainForm->Handle()); });
    RunSkinAction();
}

void SkinnedMainWindowTest::TearDownTestSuite() {
    delete FWindow;
    FWindow = nullptr;
}
