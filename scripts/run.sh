#!/usr/bin/env bash
# Installs what is missing, builds Orvalis (release preset) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build --preset release --target orvalis

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "Orvalis needs a graphical display and none is set (DISPLAY/WAYLAND_DISPLAY); run it from a desktop session, or without one as: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
exec build/release/app/orvalis "$@"
