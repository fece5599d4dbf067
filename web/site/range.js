// The range Save clip saves, chosen on the bar. No browser API here: it runs
// under Node's test runner as well.
import { kMaxClipMs } from './clip.js';

// From where the range was begun (`anchor`, ms) towards `t`: held within the
// show (0 to `end`) and to a clip's longest from the anchor. `far` is the end
// that moves; `range` is { from, to }, null when it holds no time.
export function chooseRange(anchor, t, end) {
  const far = Math.min(Math.max(0, anchor - kMaxClipMs, t), end, anchor + kMaxClipMs);
  const [from, to] = [Math.min(anchor, far), Math.max(anchor, far)];
  return { far, range: to > from ? { from, to } : null };
}
