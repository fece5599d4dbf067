// The bar's marks: where each segment starts, and where the unreduced show
// flashes (again after each data set). `end`: the show's end, ms.
import { $ } from './page.js';

export function markSegments(segmentStarts, end) {
  for (let i = 1; i < segmentStarts.length - 1; ++i) {
    const mark = document.createElement('div');
    mark.className = 'mark';
    mark.style.left = `${100 * segmentStarts[i] / end}%`;
    $('track').append(mark);
  }
}

let marked = [];  // the stretches marked, [from, to) ms; none until known
export const flashStretchesMarked = () => marked;

export function makeFlashMarks(end) {
  const flashMarks = [];
  // `stretches`: [from, to) ms.
  return function markFlashes(stretches) {
    marked = stretches;
    for (const mark of flashMarks.splice(0)) mark.remove();
    for (const { from, to } of stretches) {
      const mark = document.createElement('div');
      mark.className = 'flash-mark';
      Object.assign(mark.style, { left: `${100 * from / end}%`, width: `${100 * (to - from) / end}%` });
      flashMarks.push(mark);
    }
    $('track').prepend(...flashMarks);
    const count = flashMarks.length;
    $('scrub').setAttribute('aria-description', count ? `${count} stretches flash (marked in red)` : '');
  };
}
