// The message loops and WM_QUIT, and the program's life in RunApplication. A test leaves no quit
// message behind; the application stays terminated once one has come, so the test that needs it
// running comes first.
#include "AllocateHWnd.h"
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Takes the quit message out of the queue: false when there is none.
bool QuitQueued(WPARAM* code = nullptr) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    if (code) *code = msg.wParam;
    return true;
}
} // namespace

TEST(MessageLoop, AModalFormEndsAtAQuitMessageAndLeavesItQueued) {
    ASSERT_FALSE(Application->Terminated());
    auto form = ReadTestForm();
    TActivationHook hook([&](HWND w) {
        if (w == form->Handle()) PostQuitMessage(3);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(Application->Terminated());
    WPARAM code = 0;
    EXPECT_TRUE(QuitQueued(&code)); // for the loops further out
    EXPECT_EQ(code, 3u);
}

TEST(MessageLoop, ProcessMessagesInsideASystemDialogLetsAQuitMessageEndIt) {
    HWND box = nullptr;
    bool watchdog = false;
    TActivationHook hook([&](HWND w) {
        if (WindowText(w) == u"Loop") box = w;
    });
    TOwned<TTimer> quit(new TTimer(nullptr)), guard(new TTimer(nullptr));
    quit->SetInterval(50);
    quit->OnTimer.Code = [&](TObject*) {
        quit->SetEnabled(false);
        PostQuitMessage(4);
        Application->ProcessMessages(); // a handler pumping inside the box's own loop
    };
    guard->SetInterval(3000);
    guard->OnTimer.Code = [&](TObject*) {
        guard->SetEnabled(false);
        watchdog = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    MessageBoxW(nullptr, L"Ends at the quit message", L"Loop", MB_OK);
    EXPECT_FALSE(watchdog);
    EXPECT_TRUE(QuitQueued()); // the box passed it on in turn
}

TEST(MessageLoop, ProcessMessagesHandlesWhatCameBeforeTheQuitMessage) {
    int handled = 0;
    HWND wnd = AllocateHWnd([&](UINT msg, WPARAM, LPARAM) -> LRESULT {
        handled += msg == WM_USER;
        return 0;
    });
    PostMessageW(wnd, WM_USER, 0, 0);
    PostQuitMessage(7);
    PostMessageW(wnd, WM_USER, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(handled, 2);
    WPARAM code = 0;
    EXPECT_TRUE(QuitQueued(&code));
    EXPECT_EQ(code, 7u);
    DeallocateHWnd(wnd);
}

TEST(Application, RunApplicationFreesTheFormsBeforeItReturns) {
    int destroyed = 0;
    auto make = [&] {
        TResForm* form = nullptr;
        Application->CreateForm(form);
        form->OnDestroy.Code = [&](TObject*) { ++destroyed; };
        return form;
    };
    EXPECT_EQ(RunApplication([&] { PostMessageW(make()->Handle(), WM_CLOSE, 0, 0); }), 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(Application->MainForm(), nullptr);

    std::vector<std::string> shown; // a failure on the way is shown; what was made goes all the same
    Application->OnException.Code = [&](TObject*, const Exception& e) { shown.push_back(e.Message()); };
    EXPECT_EQ(RunApplication([&] {
                  make();
                  throw Exception("no device");
              }),
              1);
    Application->OnException = {};
    EXPECT_EQ(shown, std::vector<std::string>{"no device"});
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_FALSE(QuitQueued());
}
