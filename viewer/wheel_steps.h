#pragma once
// Turning the mouse wheel into page steps: one notch (120 eighths of a
// degree) is one page. Touchpads report many small deltas; they add up
// until they make a notch, and the rest waits for the next event.

namespace qb::viewer {

class WheelSteps {
 public:
  static constexpr int kNotch = 120;

  // Takes a vertical angle delta (positive: turned away from the user, up)
  // and returns the page steps it completes: negative for PREV, positive for
  // NEXT. Turning back discards what was gathered the other way.
  int Add(int angleDelta);

 private:
  int pending_ = 0;
};

}  // namespace qb::viewer
