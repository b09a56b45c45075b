#!/usr/bin/env bash
# Builds and runs the benchmarks; prints one line of figures per case.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
for n in 1000 10000; do
    ./build/bench/quillon_bench_history "$n"
done
./build/bench/quillon_bench_playlist 2000
# With the distribution's extractor and with the current release file.
for n in 1 20 100; do
    for extractor in system current; do
        ./build/bench/quillon_bench_batch "$n" "$extractor"
    done
done
