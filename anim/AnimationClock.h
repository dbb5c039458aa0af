#pragma once
// The bubble's motion: where it is, how far it moves per tick, and the
// Draw/Stop state, which lives in the caption of the window's Draw button.

#include <string_view>

#include "render/FloatingPoint.h"

inline constexpr std::string_view kDrawGraphCaption = "Draw Graph";      // stopped
inline constexpr std::string_view kStopDrawingCaption = "Stop Drawing";  // running
inline constexpr Extended kDefaultTimeStep = 2.0L;

// The x coordinate of the bubble's centre: 0 at start, never reset, moved
// only by AdvanceBubble.
extern Extended BubblePosition;
// The advance per running tick; set when the window is created and from the
// "Time Interval" field. May be zero or negative.
extern Extended TimeStep;

// The caption after a click: "Draw Graph" becomes "Stop Drawing", anything
// else (a caption the program never sets included) becomes "Draw Graph".
std::string_view ToggledCaption(std::string_view caption);

// After a frame has been drawn: moves the bubble by TimeStep when the caption
// reads exactly "Stop Drawing". The sum keeps a single-precision significand,
// so with the default step every position is an exact even integer up to 2^24.
void AdvanceBubble(std::string_view caption);
