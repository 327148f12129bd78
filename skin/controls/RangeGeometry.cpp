#include "RangeGeometry.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr int ThumbFrameOf[] = {2, 1, 3, 4, 5}; // by TThumbState
} // namespace

TThumbState ThumbState(bool Enabled, bool Focused, bool Hot, bool Pressed) {
    if (!Enabled) return tsThumbDisabled;
    if (Pressed) return tsThumbPressed;
    if (Hot) return tsThumbHot;
    return Focused ? tsThumbFocused : tsThumbNormal;
}

int ThumbFrame(TThumbState State) {
    return ThumbFrameOf[State];
}

int CentredStart(int Start, int Room, int Size) {
    return Size < Room ? Start + (Room - Size) / 2 : Start;
}

// In 64 bits: a range spanning all of int must not overflow.
int FilledLength(int Length, int Position, int Min, int Max) {
    if (Max <= Min || Position <= Min || Length <= 0) return 0;
    int64_t done = std::min<int64_t>(int64_t(Position) - Min, int64_t(Max) - Min);
    return int(int64_t(Length) * done / (int64_t(Max) - Min));
}
