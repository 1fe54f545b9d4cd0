#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset, clang with ASan+UBSan) and runs each for
# the given number of seconds (default 60), starting from the seed corpus in
# tests/fuzz/corpus/<target>. New inputs go to build/fuzz/corpus/<target>; a crash
# leaves its input in build/fuzz/crashes/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build/fuzz/crashes
status=0
for target in fuzz_answer fuzz_keyword; do
    seeds=tests/fuzz/corpus/${target#fuzz_}
    work=build/fuzz/corpus/${target#fuzz_}
    mkdir -p "$work"
    log=build/fuzz/$target.log
    echo "== $target for ${seconds}s"
    if ! build/fuzz/tests/fuzz/$target -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix=build/fuzz/crashes/"$target"- "$work" "$seeds" >"$log" 2>&1; then
        status=1
        tail -n 40 "$log"
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^Done ' "$log" || true
done
exit $status
