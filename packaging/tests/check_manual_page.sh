#!/usr/bin/env bash
# check_manual_page.sh PROGRAM PAGE: the long options PROGRAM --help lists and
# the ones PAGE's OPTIONS section describes are the same.
set -euo pipefail
help=$("$1" --help | sed -nE 's/^ +(-[a-z],)?(--[a-z][a-z-]*).*/\2/p' | sort -u)
page=$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$2" | sed 's/\\-/-/g' | grep -A1 '^\.TP' |
  grep -oE '(^| )--[a-z][a-z-]*' | tr -d ' ' | sort -u)
if [ "$help" != "$page" ]; then
  echo "$1 --help and $2 disagree (< help, > page):"
  diff <(echo "$help") <(echo "$page") || true
  exit 1
fi
