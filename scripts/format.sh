#!/usr/bin/env bash
# Formats every C++ source with the project's .clang-format (Debian's clang-format).
#   scripts/format.sh           rewrites the files in place
#   scripts/format.sh --check   changes nothing; fails, naming the files, when any would change
set -euo pipefail
cd "$(dirname "$0")/.."

mode=(-i)
case "${1:-}" in
    --check) mode=(--dry-run --Werror) ;;
    "") ;;
    *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac

command -v clang-format >/dev/null || scripts/ensure-deps.sh clang-format
mapfile -d '' files < <(find app controls listview lookup platform res textout tests bench \
    \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
clang-format "${mode[@]}" "${files[@]}"
