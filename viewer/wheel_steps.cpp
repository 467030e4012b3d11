#include "viewer/wheel_steps.h"

namespace qb::viewer {

int WheelSteps::Add(int angleDelta) {
  if ((pending_ > 0 && angleDelta < 0) || (pending_ < 0 && angleDelta > 0)) pending_ = 0;
  pending_ += angleDelta;
  const int notches = pending_ / kNotch;  // truncates toward zero: the rest stays pending
  pending_ -= notches * kNotch;
  return -notches;
}

}  // namespace qb::viewer
