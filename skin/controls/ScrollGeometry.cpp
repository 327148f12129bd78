// Scroll-bar geometry along the axis, and the state-to-frame tables.
#include "ScrollGeometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest, in 64 bits; 0 for c == 0.
int ScaleRounded(int a, int b, int c) {
    if (c == 0) return 0;
    int64_t p = int64_t(a) * b;
    int64_t q = (p + (p >= 0 ? c / 2 : -c / 2)) / c;
    return int(q);
}

int ArrowLength(int BarLength, int ArrowSize) {
    return std::max(0, std::min(ArrowSize, BarLength / 2));
}

} // namespace

TSpan FirstArrowSpan(int BarLength, int ArrowSize) {
    return {0, ArrowLength(BarLength, ArrowSize)};
}

TSpan SecondArrowSpan(int BarLength, int ArrowSize) {
    return {BarLength - ArrowLength(BarLength, ArrowSize), BarLength};
}

TSpan TrackSpan(int BarLength, int ArrowSize) {
    return {FirstArrowSpan(BarLength, ArrowSize).End, SecondArrowSpan(BarLength, ArrowSize).Start};
}

TSpan ThumbSpan(int BarLength, int ArrowSize, const TScrollRange& Range) {
    const int range = Range.Max - Range.Min;
    if (range <= 0) { // nothing to scroll: no division by the empty range
        int length = Range.Page ? std::max(0, BarLength - 2 * ArrowSize) : ArrowSize;
        return {ArrowSize, ArrowSize + length};
    }
    const int pos = std::clamp(Range.Pos, Range.Min, Range.Max);
    const int length =
        Range.Page ? ScaleRounded(BarLength - 2 * ArrowSize, std::max(Range.Page - 1, 0), range) : ArrowSize;
    const int k = Range.Page ? 2 : 3;
    const int top = pos == Range.Min
                        ? ArrowSize
                        : ScaleRounded(BarLength - k * ArrowSize, pos - Range.Min, range) + ArrowSize;
    return {top, top + length};
}

TSpan DraggedThumb(TSpan Pressed, int Delta, int BarLength, int ArrowSize) {
    const int length = Pressed.Length();
    const int last = std::max(ArrowSize, BarLength - ArrowSize - length);
    const int top = std::clamp(Pressed.Start + Delta, ArrowSize, last);
    return {top, top + length};
}

bool DragKept(int Along, int Across, int BarLength, int Thickness) {
    const bool along = Along >= -2 * Thickness && Along < BarLength + 2 * Thickness;
    const bool across = Across >= -8 * Thickness && Across < 9 * Thickness;
    return along && across;
}

TScrollPart PartAt(int Coord, int BarLength, int ArrowSize, TSpan Thumb) {
    if (Coord < ArrowSize) return spFirstArrow;
    if (Coord < Thumb.Start) return spPageBefore;
    if (Coord < Thumb.End) return spThumb;
    if (Coord < BarLength - ArrowSize) return spPageAfter;
    return spSecondArrow;
}

TBox SpanBox(TSpan Along, int Thickness, bool Vertical) {
    return Vertical ? TBox{0, Along.Start, Thickness, Along.End} : TBox{Along.Start, 0, Along.End, Thickness};
}

TBox CentredBox(TSpan Along, int Size, int Thickness, bool Vertical) {
    const int start = Along.Start + (Along.Length() - Size) / 2;
    return SpanBox({start, start + Size}, Thickness, Vertical);
}

// ---- Skin frames ----------------------------------------------------------------------------------

int ArrowFrame(bool Vertical, bool Second, TScrollPart Part, bool Pressed) {
    static constexpr int first[2][2] = {{1, 5}, {9, 13}}; // [vertical][second]
    const int base = first[Vertical][Second];
    const TScrollPart own = Second ? spSecondArrow : spFirstArrow;
    if (Part != own) return base;
    return base + (Pressed ? 1 : 3);
}

int ThumbFrame(TScrollPart Part, bool Pressed) {
    if (Part != spThumb) return 1;
    return Pressed ? 2 : 3;
}

int GripFrame(bool Vertical, TScrollPart Part, bool Pressed) {
    return (Vertical ? 20 : 17) + ThumbFrame(Part, Pressed) - 1;
}

int TrackFrame(bool Enabled) {
    return Enabled ? 1 : 3;
}
