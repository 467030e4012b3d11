// Turning wheel and touch input into page steps: -1 PREV, +1 NEXT.

// One notch of a mouse wheel is a step; touchpads send many small deltas,
// which add up until they make one. Turning back drops what was gathered.
export class WheelSteps {
  constructor() {
    this.pending = 0;
  }

  // deltaY as a WheelEvent gives it (positive: towards the reader, NEXT).
  add(deltaY, deltaMode) {
    const notch = deltaMode === 1 ? 3 : deltaMode === 2 ? 1 : 100;
    if (Math.sign(deltaY) !== Math.sign(this.pending)) this.pending = 0;
    this.pending += deltaY;
    const steps = Math.trunc(this.pending / notch);
    this.pending -= steps * notch;
    return steps;
  }
}

const kSwipeMin = 40; // CSS pixels a finger must travel sideways to turn

// A finished touch: a sideways swipe turns towards where the finger came
// from (right to left is NEXT); a tap turns by the third of the view it hit
// (left PREV, right NEXT, the middle nothing).
export function touchStep(startX, startY, endX, endY, viewLeft, viewWidth) {
  const dx = endX - startX;
  const dy = endY - startY;
  if (Math.abs(dx) >= kSwipeMin && Math.abs(dx) > Math.abs(dy)) return dx < 0 ? 1 : -1;
  if (Math.abs(dx) >= kSwipeMin / 2 || Math.abs(dy) >= kSwipeMin / 2) return 0;
  const third = (startX - viewLeft) / viewWidth;
  if (third < 1 / 3) return -1;
  if (third >= 2 / 3) return 1;
  return 0;
}
