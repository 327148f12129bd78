#include "ManagerTestHelpers.h"

#include "FrameworkTest.h"

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
