// How far the layout has moved since the page opened: the sum of every
// layout-shift entry, those just after input included (a tap must not move
// anything either). Stays 0 where the browser does not report shifts.
export const layoutShift = {
  total: 0,
  measured: typeof PerformanceObserver === 'function' && Boolean(PerformanceObserver.supportedEntryTypes?.includes('layout-shift')),
};
if (layoutShift.measured) {
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) layoutShift.total += entry.value;
  }).observe({ type: 'layout-shift', buffered: true });
}
