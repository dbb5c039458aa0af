#pragma once
// The clock that times a frame. The program uses a monotonic clock with
// microsecond resolution; tests and tools substitute their own.

class FrameClock {
 public:
  virtual double NowMilliseconds() = 0;  // any origin; only differences count

 protected:
  ~FrameClock() = default;
};

class SteadyFrameClock final : public FrameClock {
 public:
  double NowMilliseconds() override;
};
