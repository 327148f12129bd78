// How much of the GUI thread's time the handlers of received datagrams may take. A flood must not
// take the window over: in each 100 ms slice the first eight datagrams always reach their handler,
// further ones only while the handlers have used less than half of the slice. The rest of the
// slice's datagrams are read and dropped, and counted. Portable: the caller supplies the clock.
#pragma once

#include <cstdint>

class TReceiveBudget {
  public:
    static constexpr int64_t SliceUs = 100000;
    static constexpr int64_t HandlerShareUs = SliceUs / 2;
    static constexpr int AlwaysPerSlice = 8; // 80 a second: more than any device answers

    // Whether a datagram read at `nowUs` (any steady clock, in microseconds) may reach its handler.
    bool Admit(int64_t nowUs);
    // The handler of an admitted datagram took `us`.
    void Spent(int64_t us) { FSpentUs += us; }
    void CountDropped(int64_t count = 1) { FDropped += count; }
    int64_t Dropped() const { return FDropped; }

  private:
    int64_t FSliceStartUs = 0;
    bool FStarted = false;
    int64_t FSpentUs = 0;
    int FAdmitted = 0;
    int64_t FDropped = 0;
};
