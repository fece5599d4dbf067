// Lints the page, its tests, its build script and its benchmark: run from the repository's
// top as web/lint/node_modules/.bin/eslint --config web/lint/eslint.config.mjs
import js from '@eslint/js';
import globals from 'globals';

export default [
  js.configs.recommended,
  {
    files: ['web/site/**/*.{js,mjs}'],
    languageOptions: { globals: { ...globals.browser } },
  },
  {
    files: ['web/site/sw.js'],
    languageOptions: { globals: { ...globals.serviceworker } },
  },
  {
    files: ['web/build_site.mjs', 'web/bench/lighthouse.mjs'],
    languageOptions: { globals: { ...globals.node } },
  },
  // The tests and the browser benchmarks run in Node.js and hand functions to
  // the page, which run there and reach the page's test hook (and the
  // first-frame probe's record).
  {
    files: ['web/test/**/*.{js,mjs}', 'web/bench/bench.mjs', 'web/bench/first_frame.mjs', 'web/bench/long_tasks.mjs'],
    languageOptions: {
      globals: { ...globals.node, ...globals.browser, vantrelleTest: 'readonly', firstFrameTimes: 'writable' },
    },
  },
];
