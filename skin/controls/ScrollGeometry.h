// Where the parts of a skinned scroll bar lie, measured along the bar's axis from its start, and
// which skin frames they show. No window is needed: the overlay windows and the tests share it.
#pragma once

// The parts of a bar, numbered as the scroll codes that scroll through them.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = 0, // SB_LINEUP
    spSecondArrow = 1,
    spPageBefore = 2,
    spPageAfter = 3,
    spThumb = 5, // SB_THUMBTRACK
};

// A piece of the axis: [Start, End).
struct TSpan {
    int Start = 0, End = 0;
    int Length() const { return End - Start; }
    bool operator==(const TSpan&) const = default;
};

// A rectangle in the bar's own coordinates (origin at its top-left).
struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TBox&) const = default;
};

struct TScrollRange {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
};

// The arrows: ArrowSize each, or half the bar each when it is shorter than two arrows.
TSpan FirstArrowSpan(int BarLength, int ArrowSize);
TSpan SecondArrowSpan(int BarLength, int ArrowSize);
// Between the arrows; empty when they take the whole bar.
TSpan TrackSpan(int BarLength, int ArrowSize);
// The thumb a range shows: with a page, its share of the track; without, ArrowSize long. A range
// with nothing to scroll (Max <= Min) shows the thumb at the track's start.
TSpan ThumbSpan(int BarLength, int ArrowSize, const TScrollRange& Range);
// The thumb moved by Delta from where the press found it, kept between the arrows.
TSpan DraggedThumb(TSpan Pressed, int Delta, int BarLength, int ArrowSize);
// Whether a drag at (Along, Across) from the bar's start still moves the thumb: near the bar, that is
// within two thicknesses of its ends and eight of its sides; farther away the thumb goes back.
bool DragKept(int Along, int Across, int BarLength, int Thickness);
// The part at Coord along the axis.
TScrollPart PartAt(int Coord, int BarLength, int ArrowSize, TSpan Thumb);
// A span of the axis across the bar's whole thickness.
TBox SpanBox(TSpan Along, int Thickness, bool Vertical);
// A box of Size along the axis, centred on the span (the thumb's grip).
TBox CentredBox(TSpan Along, int Size, int Thickness, bool Vertical);

// ---- Skin frames ----------------------------------------------------------------------------------
// The 23-frame arrow strip: four arrows of four frames (normal, pressed, -, hot) in the order left,
// right, up, down, then the horizontal and the vertical grip (normal, pressed, hot).

// Frame of an arrow; Part is the hot or scrolled part, Pressed while a press is forwarded.
int ArrowFrame(bool Vertical, bool Second, TScrollPart Part, bool Pressed);
// The thumb body (its own strip): 1 normal, 2 dragged, 3 hot.
int ThumbFrame(TScrollPart Part, bool Pressed);
// The grip on the thumb, from the arrow strip.
int GripFrame(bool Vertical, TScrollPart Part, bool Pressed);
// The track (4 frames): 1 enabled, 3 disabled.
int TrackFrame(bool Enabled);
