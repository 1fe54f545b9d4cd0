#!/usr/bin/env bash
# Builds the benchmarks (release preset) and runs them; each line gives our figure,
# the baseline measured in the same run, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh curl
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build --preset release --target bench_parse bench_sort bench_startup bench_roundtrip bench_expansion
bench=build/release/bench
"$bench/bench_parse"
"$bench/bench_sort"
"$bench/bench_roundtrip"
"$bench/bench_expansion"
"$bench/bench_startup" "$bench"
