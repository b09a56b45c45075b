#!/usr/bin/env bash
# Prints the lines of program code and of tests, and their ratio. Python
# counts on both sides: the extractor worker is program code, the servers
# that stand in for sites are tests.
set -euo pipefail
cd "$(dirname "$0")/.."
files() { git ls-files --cached --others --exclude-standard "$@" | grep -E '\.(cpp|h|py)$' | while read -r f; do [ -f "$f" ] && echo "$f"; done; }
code=$(files app base tasks extractor downloads intake network service ui | xargs cat | wc -l)
tests=$(files tests | xargs cat | wc -l)
echo "code $code lines, tests $tests lines, ratio $(awk "BEGIN{printf \"%.2f\", $tests/$code}")"
