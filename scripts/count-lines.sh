#!/bin/sh
# The tests' size against the code's: non-blank, non-comment lines as cloc counts them in the
# files git tracks, tests/ against src/, tools/ and scripts/. The aim is a third or less.
set -eu
count() { cloc --vcs=git --quiet --csv "$@" | awk -F, '$2 == "SUM" { print $5 }'; }
tests=$(count tests)
code=$(count src tools scripts)
awk -v t="$tests" -v c="$code" \
  'BEGIN { printf "tests %d lines, code (src tools scripts) %d lines: %.2f\n", t, c, t / c }'
