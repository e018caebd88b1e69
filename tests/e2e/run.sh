#!/usr/bin/env bash
# Runs the end-to-end scenarios against the real trainer: a private X server
# with a window manager, a private session bus with the accessibility bus on
# it, real key presses and clicks from xdotool, and the fields read back
# through the program's accessibility interface.
#   run.sh QUORVEL QUORVEL_SHEET
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
cleanup() {
    local pids
    pids=$(jobs -p)
    [ -n "$pids" ] && kill $pids 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, at the design's 96 dots per inch on a small screen.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
# A window mapped before the window manager runs is never activated.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu --force-renderer-accessibility"
export E2E_WORK="$work"
# Debian's Python, which has the accessibility bindings.
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    /usr/bin/python3 "$0" "$@"' "$here/trainer_e2e.py" "$@"
