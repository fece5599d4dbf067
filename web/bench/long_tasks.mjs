// The page's main-thread long tasks (over 50 ms) from its first moment until
// the show is loaded and its first frame is up, its soundtrack decoded and
// everything handed to the service worker, with the engine in its worker
// and kept in the page (?engine=page), on this machine as it is (no
// throttling): a shared, loaded machine makes every task longer.
//   node long_tasks.mjs SITE [--runs N]
// Prints, for each path, the median over N loads (3 by default) of the
// number of long tasks, their total and the longest, and where the engine ran.
import { launch, serve } from '../test/harness.mjs';

const args = process.argv.slice(2);
const runsAt = args.indexOf('--runs');
const runs = runsAt >= 0 ? Number(args.splice(runsAt, 2)[1]) : 3;
const [site] = args;

// Recorded in the page from its first moment.
function watch() {
  window.longTasks = [];
  new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((e) => e.duration)))
    .observe({ type: 'longtask', buffered: true });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const server = await serve(site);
const browser = await launch();
try {
  for (const [name, query] of [['worker', '?test'], ['page', '?test&engine=page']]) {
    const found = [];
    for (let i = 0; i < runs; ++i) {
      const context = await browser.createBrowserContext();  // nothing cached
      const page = await context.newPage();
      await page.setViewport({ width: 800, height: 600 });
      await page.evaluateOnNewDocument(watch);
      await page.goto(`${server.url}${query}`);
      await page.waitForFunction(() => window.vantrelleTest !== undefined, { timeout: 120000 });
      await page.evaluate(() => vantrelleTest.ready);
      await page.waitForFunction(() => performance.getEntriesByName('first-frame').length > 0);
      await page.evaluate(() => Promise.all([vantrelleTest.wholeSoundtrack(), vantrelleTest.offline()]));
      await page.evaluate(() => new Promise((resolve) => { setTimeout(resolve, 500); }));
      found.push(await page.evaluate(() => ({ tasks: [...window.longTasks], engine: vantrelleTest.engine })));
      await context.close();
    }
    const count = median(found.map(({ tasks }) => tasks.length));
    const total = median(found.map(({ tasks }) => tasks.reduce((a, b) => a + b, 0)));
    const longest = median(found.map(({ tasks }) => Math.max(0, ...tasks)));
    console.log(`engine in the ${found[0].engine} (${name} asked), median of ${runs}: ${count} long tasks, ` +
      `${Math.round(total)} ms in all, the longest ${Math.round(longest)} ms`);
  }
} finally {
  await browser.close();
  server.close();
}
