#!/usr/bin/env bash
# Prints the lines of program code and of tests, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
code=$(cat $(git ls-files 'app/*' 'base/*' 'tasks/*' 'extractor/*' 'downloads/*' 'intake/*' 'network/*' 'service/*' 'ui/*' | grep -E '\.(cpp|h)$') | wc -l)
tests=$(cat $(git ls-files 'tests/*' | grep -E '\.(cpp|h)$') | wc -l)
echo "code $code lines, tests $tests lines, ratio $(awk "BEGIN{printf \"%.2f\", $tests/$code}")"
