// Geometry and state rules of the track-bar and progress-bar skinners that need no window.
#pragma once

enum TThumbState { tsThumbNormal, tsThumbHot, tsThumbPressed, tsThumbDisabled, tsThumbFocused };

// Disabled beats pressed, pressed beats hot, hot beats focused.
TThumbState ThumbState(bool Enabled, bool Focused, bool Hot, bool Pressed);
// The thumb strip's frame for a state: 1 hot, 2 resting, 3 pressed, 4 disabled, 5 focused.
int ThumbFrame(TThumbState State);

// Where a piece Size long starts in Room from Start: centred when shorter, else at Start.
int CentredStart(int Start, int Room, int Size);

// The filled share of Length for Position within Min..Max; 0 for an empty or inverted range,
// Length at or past Max.
int FilledLength(int Length, int Position, int Min, int Max);
