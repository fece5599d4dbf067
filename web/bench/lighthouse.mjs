// The page's start-up as Lighthouse's mobile audit sees it (not run in CI):
//   npm ci --prefix web/bench
//   CHROME_PATH=/usr/bin/chromium-headless-shell node web/bench/lighthouse.mjs SITE [RUNS]
// SITE is a built site (build-web/site). It is served as plain files, with
// no compression or caching headers, and audited RUNS times (3 unless
// given) with Lighthouse's default mobile settings (a mid-range phone, its
// processor slowed 4×, a simulated slow 4G link). Prints each run's figures,
// then their medians: the performance score, total blocking time, cumulative
// layout shift and largest contentful paint.
import { execFile } from 'node:child_process';
import { createReadStream, existsSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const [siteAsked, runsAsked = '3'] = process.argv.slice(2);
// Resolved once: the server compares every file it serves against it.
const site = siteAsked && path.resolve(siteAsked);
const runs = Number(runsAsked);
if (!site || !existsSync(path.join(site, 'index.html')) || !(runs >= 1)) {
  console.error('usage: node lighthouse.mjs SITE [RUNS] (SITE: a built site with index.html)');
  process.exit(2);
}
const chrome = process.env.CHROME_PATH ?? '/usr/bin/chromium-headless-shell';
if (!existsSync(chrome)) {
  console.error(`lighthouse.mjs: no browser at ${chrome} (set CHROME_PATH)`);
  process.exit(2);
}
const lighthouse = fileURLToPath(new URL('node_modules/.bin/lighthouse', import.meta.url));
if (!existsSync(lighthouse)) {
  console.error(`lighthouse.mjs: ${lighthouse} is missing (npm ci --prefix web/bench)`);
  process.exit(2);
}

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml',
  '.mp3': 'audio/mpeg',
};
const server = createServer((request, response) => {
  let file = path.join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname));
  if (existsSync(file) && statSync(file).isDirectory()) file = path.join(file, 'index.html');
  if (!file.startsWith(site) || !existsSync(file)) {
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
  createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

// One audit in a fresh browser profile (Lighthouse's own), run as its
// command line does; asynchronously, so that this process goes on serving the page.
async function audit() {
  const stdout = await new Promise((resolve, reject) => {
    execFile(lighthouse, [url, '--only-categories=performance', '--output=json', '--output-path=stdout', '--quiet',
      '--chrome-flags=--no-sandbox'], { env: { ...process.env, CHROME_PATH: chrome }, maxBuffer: 1 << 28 },
    (error, out, err) => (error ? reject(new Error(`lighthouse: ${err.trim() || error.message}`)) : resolve(out)));
  });
  const report = JSON.parse(stdout);
  const value = (id) => report.audits[id].numericValue;
  const longTasks = (report.audits['long-tasks'].details?.items ?? [])
    .map(({ url: source, duration }) => `${Math.round(duration)} ms ${source.replace(url, '')}`);
  return {
    longTasks,
    score: Math.round(100 * report.categories.performance.score),
    tbt: value('total-blocking-time'),
    cls: value('cumulative-layout-shift'),
    lcp: value('largest-contentful-paint'),
  };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const shown = ({ score, tbt, cls, lcp }) =>
  `performance ${score}, total blocking time ${Math.round(tbt)} ms, layout shift ${cls.toFixed(3)}, largest contentful paint ${(lcp / 1000).toFixed(2)} s`;
const figures = ['score', 'tbt', 'cls', 'lcp'];
try {
  const results = [];
  for (let i = 1; i <= runs; ++i) {
    results.push(await audit());
    console.log(`run ${i}: ${shown(results.at(-1))}`);
    // The main thread's long tasks as the slowed phone would run them, by the script they are charged to.
    console.log(`  long tasks: ${results.at(-1).longTasks.join(', ') || 'none'}`);
  }
  const medians = Object.fromEntries(figures.map((key) => [key, median(results.map((r) => r[key]))]));
  console.log(`median of ${runs}: ${shown(medians)}`);
} catch (error) {
  console.error(`lighthouse.mjs: ${error.message}`);
  process.exitCode = 1;
} finally {
  server.close();
}
