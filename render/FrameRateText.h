#pragma once
// The frame-rate caption: the rate in a general format with two significant
// digits, then " FPS".

#include <string>

// Two significant digits: fixed form from 0.0001 up to 99 ("91", "9.5",
// "0.01"), scientific otherwise ("1.4E2", "1E3"); "INF" for +∞.
std::string FormatGeneral2(double value, const std::string& decimalSeparator);

// Rate = 1000 ÷ elapsed milliseconds; an elapsed time of exactly 0 reads "INF FPS".
std::string FrameRateText(double elapsedMilliseconds, const std::string& decimalSeparator);
