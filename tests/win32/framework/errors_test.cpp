// One error sink behind every callback boundary, and the application's error box behind it.
#include "AllocateHWnd.h"
#include "ErrorSink.h"
#include "FrameworkTest.h"
#include "SubClass.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {
std::vector<std::string> Sunk;

void Sink(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& x) {
        Sunk.push_back(x.what());
    }
}

struct TKind {
    static constexpr wchar_t Property[] = L"QlTestErrorSubclass";
};
} // namespace

TEST(ErrorSink, EveryCallbackBoundaryReportsToTheOneSink) {
    TErrorSink old = SetErrorSink(Sink);
    Sunk.clear();
    auto form = ReadTestForm();
    form->Show();
    form->OnButton = [] { throw Exception("window procedure"); };
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);

    form->Timer1->OnTimer.Code = [&](TObject*) {
        form->Timer1->SetEnabled(false);
        throw Exception("timer");
    };
    form->Timer1->SetInterval(1);
    form->Timer1->SetEnabled(true);
    for (DWORD start = GetTickCount(); Sunk.size() < 2 && GetTickCount() - start < 3000; Sleep(1))
        Pump();

    HWND hidden = AllocateHWnd([](UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == WM_USER) throw std::runtime_error("notification window");
        return 0;
    });
    SendMessageW(hidden, WM_USER, 0, 0);
    DeallocateHWnd(hidden);

    TSubclassOf<TKind> sub;
    sub.OnMessage.Code = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) throw Exception("subclass");
        sub.CallPrevious(m);
    };
    sub.Attach(form->Edit1->Handle());
    EXPECT_EQ(SendMessageW(form->Edit1->Handle(), WM_USER + 1, 0, 0), 0);
    sub.Release();

    THook hook(WH_CALLWNDPROC, {});
    hook.OnHook.Code = [](THookMessage& m) {
        if (reinterpret_cast<const CWPSTRUCT*>(m.LParam)->message == WM_USER + 2) throw Exception("hook");
    };
    hook.Install();
    SendMessageW(form->Handle(), WM_USER + 2, 0, 0);
    hook.Remove();

    EXPECT_EQ(Sunk, (std::vector<std::string>{"window procedure", "timer", "notification window", "subclass",
                                              "hook"}));
    SetErrorSink(old);
}

TEST(ErrorSink, TheApplicationsErrorBoxIsTheSinkUnlessReplaced) {
    std::vector<std::string> shown;
    Application->OnException.Code = [&](TObject*, const Exception& e) { shown.push_back(e.Message()); };
    ReportError(std::make_exception_ptr(Exception("to the box")));
    ReportError(nullptr); // nothing to report
    TErrorSink old = SetErrorSink(Sink);
    Sunk.clear();
    ReportError(std::make_exception_ptr(std::runtime_error("elsewhere")));
    SetErrorSink([](std::exception_ptr) { throw std::logic_error("a failing sink"); });
    ReportError(std::make_exception_ptr(Exception("dropped"))); // never leaves
    SetErrorSink(old);
    Application->OnException = {};
    EXPECT_EQ(shown, std::vector<std::string>{"to the box"});
    EXPECT_EQ(Sunk, std::vector<std::string>{"elsewhere"});
}
