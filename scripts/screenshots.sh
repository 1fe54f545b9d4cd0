#!/usr/bin/env bash
# Remakes the README's pictures: the main window after a search for "red apple" and
# Meta Tags, at scale 1, at scale 2 and with a dark GTK desktop theme, and a larger window
# after Expand Search.
#   docs/screenshot.png  docs/screenshot-hidpi.png  docs/screenshot-dark.png
#   docs/screenshot-expanded.png  docs/screenshot-language.png
# Runs the program against the local stand-in service (the real one may be out of
# reach) on an Xvfb display of its own, and stops everything it started.
# BUILD_DIR=dir builds and runs from another build folder instead of build/release.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh xdotool xclip imagemagick qt6-gtk-platformtheme

if [ -n "${BUILD_DIR:-}" ]; then
    [ -f "$BUILD_DIR/build.ninja" ] || cmake --preset release -B "$BUILD_DIR" >/dev/null
    cmake --build "$BUILD_DIR" --target orvalis_demo
else
    BUILD_DIR=build/release
    [ -f "$BUILD_DIR/build.ninja" ] || cmake --preset release >/dev/null
    cmake --build --preset release --target orvalis_demo
fi
demo="$BUILD_DIR/tests/support/orvalis_demo"

work="$(mktemp -d)"
chmod 700 "$work"
xvfb_pid=""
demo_pid=""
stop() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null && wait "$demo_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap stop EXIT

# -displayfd picks a free display and says which once it accepts connections.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "screenshots: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

# Starts the demo with extra environment (VAR=value words first, then the demo's own
# arguments) and waits for a window titled $title; leaves its id in $window.
launch() {
    local title="$1"
    shift
    local settings=()
    while [ $# -gt 0 ] && [[ "$1" == *=* ]]; do
        settings+=("$1")
        shift
    done
    # Nothing from the caller's desktop may change the look.
    env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR -u GTK_THEME \
        -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u QT_FONT_DPI \
        QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" \
        LC_ALL=C.UTF-8 "${settings[@]}" "$demo" "$@" >"$work/demo.log" 2>&1 &
    demo_pid=$!
    window="$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)" || {
        echo "screenshots: no window \"$title\" appeared" >&2
        cat "$work/demo.log" >&2
        exit 1
    }
    # The pointer stays off the window, so no button shows its hover edge.
    xdotool mousemove 0 0
}

# Ends the demo and says what was written.
finish() {
    local out="$1"
    kill "$demo_pid" 2>/dev/null || true
    wait "$demo_pid" 2>/dev/null || true
    demo_pid=""
    echo "wrote $out ($(identify -format '%wx%h' "$out"))"
}

# The window after a search and Meta Tags, with extra environment.
shoot() {
    local out="$1"
    shift
    launch Orvalis "$@" "red apple"
    # The local service answers at once; give the list a moment to fill.
    sleep 1
    xdotool windowfocus --sync "$window"
    # Focus starts in the keyword field; the tab order goes Search, Clear All, Copy Text,
    # Meta Tags.
    xdotool key --delay 50 Tab Tab Tab Tab space
    sleep 0.5
    import -window "$window" "$out"

    # Copy Text puts the panel on the clipboard: it must hold the meta tag of the list.
    xdotool key --delay 50 shift+Tab space
    sleep 0.3
    if ! xclip -o -selection clipboard 2>/dev/null | grep -q '<meta name="keywords" content="red apple,red apple cafe'; then
        echo "screenshots: $out does not show the meta tag of the search" >&2
        exit 1
    fi
    finish "$out"
}

# The window made larger, with the ranked list an expansion leaves.
shoot_expanded() {
    local out="$1"
    launch Orvalis --expand "red apple"
    xdotool windowsize --sync "$window" 900 720
    # 59 requests, 30 ms apart, then the list is filled.
    sleep 6
    xdotool windowfocus --sync "$window"
    import -window "$window" "$out"
    finish "$out"
}

# The Language and Region dialog, German and Germany typed in.
shoot_language() {
    local out="$1"
    launch "Language and Region" --language "red apple"
    xdotool windowfocus --sync "$window"
    xdotool key ctrl+a
    xdotool type --delay 50 "de"
    xdotool key Tab ctrl+a
    xdotool type --delay 50 "DE"
    # The completer offers the countries that start so, in a popup of its own below the
    # box; the code stays as typed. The picture takes the popup in.
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x$((HEIGHT + 50))+${X}+${Y}" +repage "$out"
    finish "$out"
}

mkdir -p docs
shoot_language docs/screenshot-language.png
shoot_expanded docs/screenshot-expanded.png
shoot docs/screenshot.png
shoot docs/screenshot-hidpi.png QT_SCALE_FACTOR=2
# What a GNOME user with the dark style gets: Qt takes the palette from GTK.
shoot docs/screenshot-dark.png QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
