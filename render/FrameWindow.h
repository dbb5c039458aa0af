#pragma once
// What a frame reads from the main window and writes back to it. The window
// implements this; the tests and tools use ControlSnapshot. Every call reads
// the control anew: nothing is cached between frames.

#include <string>

enum class FrameSlider { ScrollBar1, ScrollBar2, ScrollBar3 };  // vertical angle, horizontal angle, zoom

enum class FrameField {
  XCamera, YCamera, ZCamera,
  XPhoton, YPhoton, ZPhoton, AlphaPhoton, BetaPhoton,
  RangeXMinus, RangeXPlus, RangeYMinus, RangeYPlus, XStep, YStep,
};

class FrameWindow {
 public:
  virtual int SliderPosition(FrameSlider slider) const = 0;
  virtual std::string FieldText(FrameField field) const = 0;  // UTF-8
  virtual int PanelWidth() const = 0;                         // PanelViewPort in pixels
  virtual int PanelHeight() const = 0;
  virtual std::string DecimalSeparator() const = 0;           // the user's locale, UTF-8
  virtual void SetFrameRateCaption(const std::string& caption) = 0;  // Label8

 protected:
  ~FrameWindow() = default;
};
