// The hidden notification window: messages reach the handler, exceptions stay inside.
#include "AllocateHWnd.h"
#include "ErrorSink.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {
std::string SunkMessage;
void Sink(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& x) {
        SunkMessage = x.what();
    }
}
} // namespace

TEST(AllocateHWnd, ForwardsMessagesKeepsExceptionsInsideAndFreesItsHandler) {
    auto alive = std::make_shared<int>(0);
    HWND wnd = AllocateHWnd([alive](UINT msg, WPARAM w, LPARAM) -> LRESULT {
        if (msg == WM_USER + 1) return static_cast<LRESULT>(w) * 2;
        if (msg == WM_USER + 2) throw std::runtime_error("handler failed");
        return 0;
    });
    ASSERT_TRUE(wnd);
    EXPECT_EQ(GetParent(wnd), nullptr);
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 21, 0), 42);

    TErrorSink old = SetErrorSink(Sink);
    EXPECT_EQ(SendMessageW(wnd, WM_USER + 2, 0, 0), 0);
    EXPECT_EQ(SunkMessage, "handler failed");
    SetErrorSink(nullptr);
    EXPECT_EQ(SendMessageW(wnd, WM_USER + 2, 0, 0), 0); // dropped without a sink, still caught
    SetErrorSink(old);

    EXPECT_EQ(alive.use_count(), 2);
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(alive.use_count(), 1);
}
