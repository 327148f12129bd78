// The endpoint's receive budget, driven by a simulated clock.
#include "ReceiveBudget.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
constexpr int64_t Ms = 1000;

struct TRun {
    int64_t Admitted = 0;
    int64_t HandlerUs = 0;
};

// Datagrams every `gapUs` for `totalUs`; each admitted one keeps the thread busy for `handlerUs`,
// each refused one for `dropUs`.
TRun Flood(TReceiveBudget& budget, int64_t gapUs, int64_t handlerUs, int64_t dropUs, int64_t totalUs) {
    TRun run;
    for (int64_t t = 0, next = 0; next < totalUs; next += gapUs) {
        t = std::max(t, next);
        if (budget.Admit(t)) {
            budget.Spent(handlerUs);
            t += handlerUs;
            ++run.Admitted;
            run.HandlerUs += handlerUs;
        } else {
            budget.CountDropped();
            t += dropUs;
        }
    }
    return run;
}
} // namespace

TEST(ReceiveBudget, ADevicesAnswersAlwaysPassHoweverSlowTheWindow) {
    TReceiveBudget budget;
    // Two answers a second, each taking the window 400 ms to show.
    TRun run = Flood(budget, 500 * Ms, 400 * Ms, 0, 10000 * Ms);
    EXPECT_EQ(run.Admitted, 20);
    EXPECT_EQ(budget.Dropped(), 0);

    // A burst of eight at one instant passes whole, even past the share of the slice.
    TReceiveBudget burst;
    for (int i = 0; i < TReceiveBudget::AlwaysPerSlice; ++i) {
        EXPECT_TRUE(burst.Admit(0)) << i;
        burst.Spent(30 * Ms);
    }
    EXPECT_FALSE(burst.Admit(1));
    EXPECT_TRUE(burst.Admit(TReceiveBudget::SliceUs));
}

TEST(ReceiveBudget, AFloodGetsAboutHalfOfTheTimeAndTheRestIsDroppedAndCounted) {
    TReceiveBudget budget;
    // 10,000 datagrams a second for 10 s; the window needs 1 ms for each, a drop costs 20 us.
    const int64_t total = 10000 * Ms;
    TRun run = Flood(budget, 100, 1 * Ms, 20, total);
    EXPECT_LE(run.HandlerUs, total / 2 + 100 * Ms); // at most one handler past each slice's share
    EXPECT_GE(run.HandlerUs, total / 3);
    EXPECT_EQ(run.Admitted + budget.Dropped(), total / 100);
    EXPECT_GT(budget.Dropped(), run.Admitted);
}

TEST(ReceiveBudget, AClockThatJumpsBackStartsANewSlice) {
    TReceiveBudget budget;
    while (budget.Admit(5000 * Ms))
        budget.Spent(20 * Ms);
    EXPECT_FALSE(budget.Admit(5001 * Ms));
    EXPECT_TRUE(budget.Admit(0));
}
