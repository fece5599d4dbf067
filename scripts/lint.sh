#!/usr/bin/env bash
# Fails when shellcheck or ESLint finds anything: shellcheck over every tracked
# shell script (settings in .shellcheckrc), ESLint over the page, its tests,
# its build script and its benchmark (web/lint/eslint.config.mjs, the version locked in web/lint/).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
shellcheck "${scripts[@]}"
echo "lint: shellcheck finds nothing in ${#scripts[@]} scripts"
# Installed again only when the lock file changes.
if [ ! web/lint/node_modules/.package-lock.json -nt web/lint/package-lock.json ]; then
  npm ci --prefix web/lint --no-audit --no-fund
fi
web/lint/node_modules/.bin/eslint --config web/lint/eslint.config.mjs web/site web/test web/build_site.mjs web/bench
echo "lint: ESLint finds nothing in web/"
