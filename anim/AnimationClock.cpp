#include "anim/AnimationClock.h"

Extended BubblePosition = 0;
Extended TimeStep = 0;

std::string_view ToggledCaption(std::string_view caption) {
  return caption == kDrawGraphCaption ? kStopDrawingCaption : kDrawGraphCaption;
}

void AdvanceBubble(std::string_view caption) {
  if (caption == kStopDrawingCaption) BubblePosition = RoundSumToSingleSignificand(BubblePosition, TimeStep);
}
