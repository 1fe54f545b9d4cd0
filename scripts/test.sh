#!/usr/bin/env bash
# Installs what is missing, builds Orvalis and runs every test through CTest.
#   scripts/test.sh          release build, all tests
#   scripts/test.sh --ci     also: the formatting check, a short run of each fuzz target,
#                            the search-worker tests under TSan and the whole suite under
#                            ASan+UBSan; the release suite runs last, so its summary closes
#                            the output
set -euo pipefail
cd "$(dirname "$0")/.."

ci=0
case "${1:-}" in
    --ci) ci=1 ;;
    "") ;;
    *) echo "usage: scripts/test.sh [--ci]" >&2; exit 2 ;;
esac

if [ $ci -eq 1 ]; then
    scripts/ensure-deps.sh clang clang-format libclang-rt-14-dev curl
else
    scripts/ensure-deps.sh
fi

jobs=$(nproc)
build() { # preset [target...]
    local preset=$1
    shift
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs" ${1:+--target "$@"}
}

if [ $ci -eq 1 ]; then
    scripts/format.sh --check
    scripts/fuzz.sh 60
    build tsan worker_tests
    ctest --preset tsan -L worker -j "$jobs"
    build asan
    ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1" \
        ctest --preset asan -j "$jobs"
fi

build release
ctest --preset release -j "$jobs"
