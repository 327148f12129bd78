// Hook owners: one system hook per type and thread shared by its owners, newest first, the next hook
// always called, callbacks guarded, removal at any time, other threads and the message hooks.
#include "ErrorSink.h"
#include "FrameworkTest.h"
#include "Hooks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {
// Wine makes windows of its own as well (an IME window with a top-level one): the tests count ours.
bool CreatingStatic(int code, WPARAM wParam) {
    wchar_t name[16] = {};
    return code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) &&
           lstrcmpiW(name, L"Static") == 0;
}

// The hook after ours in the system's chain: it counts the calls that reach it.
int NextHookCalls = 0;
LRESULT CALLBACK NextHook(int code, WPARAM wParam, LPARAM lParam) {
    if (CreatingStatic(code, wParam)) ++NextHookCalls;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Owns a raw system hook, as another module would have one.
struct TRawHook {
    HHOOK Handle;
    TRawHook(int type, HOOKPROC proc)
        : Handle(SetWindowsHookExW(type, proc, nullptr, GetCurrentThreadId())) {}
    ~TRawHook() { UnhookWindowsHookEx(Handle); }
};

HWND MakeStatic() {
    return CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// Notes `name` at each HCBT_CREATEWND.
THookEvent Logging(std::vector<std::string>& log, std::string name) {
    THookEvent e;
    e.Code = [&log, name](THookMessage& m) {
        if (CreatingStatic(m.Code, m.WParam)) log.push_back(name);
    };
    return e;
}

std::vector<std::string> CreationLog(std::vector<std::string>& log) {
    log.clear();
    DestroyWindow(MakeStatic());
    return log;
}
} // namespace

TEST(Hooks, OwnersShareOneHookNewestFirstAndTheNextHookIsAlwaysCalled) {
    TRawHook next(WH_CBT, NextHook);
    std::vector<std::string> log;
    THook a(WH_CBT, Logging(log, "a")), b(WH_CBT, Logging(log, "b"));
    a.Install();
    b.Install();
    a.Install(); // twice: harmless
    EXPECT_TRUE(a.Installed());
    NextHookCalls = 0;
    EXPECT_EQ(CreationLog(log), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(NextHookCalls, 1);

    b.OnHook.Code = [](THookMessage& m) {
        if (CreatingStatic(m.Code, m.WParam)) m.Result = 1; // refuses the window
    };
    EXPECT_EQ(MakeStatic(), nullptr);
    EXPECT_EQ(NextHookCalls, 2); // told all the same

    b.Remove();
    b.Remove();
    EXPECT_FALSE(b.Installed());
    EXPECT_EQ(CreationLog(log), std::vector<std::string>{"a"});
    a.Remove();
    EXPECT_EQ(CreationLog(log), std::vector<std::string>{});
    b.Install(); // an owner can come back
    EXPECT_EQ(MakeStatic(), nullptr);
}

TEST(Hooks, RemovedDuringACallAndGuarded) {
    static std::vector<std::string> sunk;
    TErrorSink old = SetErrorSink([](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            sunk.push_back(x.what());
        }
    });
    TRawHook next(WH_CBT, NextHook);
    std::vector<std::string> log;
    THook later(WH_CBT, Logging(log, "later")), self(WH_CBT, {}), first(WH_CBT, {});
    later.Install();
    self.OnHook.Code = [&](THookMessage& m) {
        if (CreatingStatic(m.Code, m.WParam)) self.Remove();
    };
    self.Install();
    first.OnHook.Code = [&](THookMessage& m) {
        if (!CreatingStatic(m.Code, m.WParam)) return;
        log.push_back("first");
        later.Remove(); // listed when the call came, gone before its turn
        throw Exception("hook failed");
    };
    first.Install();
    NextHookCalls = 0;
    HWND wnd = MakeStatic();
    EXPECT_NE(wnd, nullptr); // a failing callback refuses nothing
    DestroyWindow(wnd);
    EXPECT_EQ(log, std::vector<std::string>{"first"});
    EXPECT_EQ(NextHookCalls, 1);
    EXPECT_FALSE(self.Installed());
    EXPECT_EQ(sunk, std::vector<std::string>{"hook failed"});
    SetErrorSink(old);

    EXPECT_THROW(THook(WH_KEYBOARD_LL, {}), EHookError);
    EXPECT_THROW(later.Install(0), EHookError); // no global hooks
}

TEST(Hooks, MessageHooksSeeSentPostedAndFilteredMessages) {
    HWND wnd = MakeStatic();
    std::vector<std::string> log;
    THook call(WH_CALLWNDPROC, {}), ret(WH_CALLWNDPROCRET, {}), get(WH_GETMESSAGE, {}),
        filter(WH_MSGFILTER, {});
    call.OnHook.Code = [&](THookMessage& m) {
        if (reinterpret_cast<const CWPSTRUCT*>(m.LParam)->message == WM_USER + 7) log.push_back("call");
    };
    ret.OnHook.Code = [&](THookMessage& m) {
        const auto& r = *reinterpret_cast<const CWPRETSTRUCT*>(m.LParam);
        if (r.message == WM_GETTEXTLENGTH && r.hwnd == wnd) log.push_back("ret " + std::to_string(r.lResult));
    };
    get.OnHook.Code = [&](THookMessage& m) {
        if (reinterpret_cast<const MSG*>(m.LParam)->message == WM_USER + 8) log.push_back("get");
    };
    filter.OnHook.Code = [&](THookMessage& m) {
        if (m.Code != MSGF_USER + 3) return;
        log.push_back("filter");
        m.Result = 1;
    };
    for (THook* h : {&call, &ret, &get, &filter})
        h->Install();
    SetWindowTextW(wnd, L"abc");
    SendMessageW(wnd, WM_USER + 7, 0, 0);
    SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0);
    PostMessageW(wnd, WM_USER + 8, 0, 0);
    Pump();
    MSG msg{wnd, WM_USER + 9, 0, 0, 0, {}};
    EXPECT_TRUE(CallMsgFilterW(&msg, MSGF_USER + 3)); // "handled", as a menu loop would ask
    EXPECT_EQ(log, (std::vector<std::string>{"call", "ret 3", "get", "filter"}));
    DestroyWindow(wnd);
}

TEST(Hooks, AnotherThreadIsHookedOnThatThread) {
    std::atomic<DWORD> ranOn{0};
    std::atomic<int> stage{0};
    DWORD threadId = 0;
    std::thread worker([&] {
        threadId = GetCurrentThreadId();
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // a queue to hook
        stage = 1;
        while (stage != 2)
            Sleep(1);
        DestroyWindow(MakeStatic());
    });
    while (stage != 1)
        Sleep(1);
    THook hook(WH_CBT, {});
    hook.OnHook.Code = [&](THookMessage& m) {
        if (CreatingStatic(m.Code, m.WParam)) ranOn = GetCurrentThreadId();
    };
    hook.Install(threadId);
    DestroyWindow(MakeStatic()); // this thread is not hooked
    EXPECT_EQ(ranOn.load(), 0u);
    stage = 2;
    worker.join();
    EXPECT_EQ(ranOn.load(), threadId);
}
