#!/usr/bin/env bash
# End-to-end check of the real program on an X server with a window manager:
# started in an empty folder it creates its settings file, shows both windows,
# keeps running when the image window is closed (writing the window's geometry),
# and ends when the control window is closed.
# usage: run_under_xvfb.sh PROGRAM
set -euo pipefail
program=$1
if [ -z "${VISTEL_E2E_INNER:-}" ]; then
  export VISTEL_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "${pid:-0}" "${wm:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$program" "$work/vistel"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

fail() { echo "FAIL: $*"; cat "$work/out.log" 2>/dev/null; exit 1; }
# Waits (at most 30 s) until a condition holds; these are events of another
# process, not a time the test depends on.
wait_for() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; fail "$2"; }
windows() { wmctrl -lp 2>/dev/null | awk -v p="$pid" '$3 == p { print $1 }'; }

openbox >/dev/null 2>&1 & wm=$!
wait_for 'wmctrl -m >/dev/null 2>&1' "window manager running"
"$work/vistel" >"$work/out.log" 2>&1 & pid=$!

wait_for '[ "$(windows | wc -l)" -ge 2 ]' "both windows shown"
[ "$(od -An -c "$work/Vistel.ini" | tr -s ' ' | tr -d '\n')" = " 0 \r \n 0 \r \n 0 \r \n 0 \r \n" ] \
  || fail "settings file of four 0 lines: $(od -c "$work/Vistel.ini")"

# The image window is the narrower of the two; close it: the program goes on and
# records the window's geometry.
image=$(for w in $(windows); do xwininfo -id "$w" | awk -v w="$w" '/Width:/ { print $2, w }'; done | sort -n | head -1 | cut -d' ' -f2)
rm "$work/Vistel.ini"
wmctrl -i -c "$image"
wait_for '[ -s "$work/Vistel.ini" ]' "geometry written when the image window closed"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the image window"
lines=$(tr -d '\r' <"$work/Vistel.ini" | grep -cE '^-?[0-9]+$')
[ "$lines" = 4 ] || fail "four numbers in the settings file: $(od -c "$work/Vistel.ini")"

# Closing the control window is the boss command: the program ends.
wait_for '[ "$(windows | wc -l)" -ge 1 ]' "control window still there"
for w in $(windows); do wmctrl -i -c "$w"; done
wait_for '! kill -0 "$pid" 2>/dev/null' "the program ended"
wait "$pid" || fail "exit status $?"
[ ! -e "$work/TEMP" ] || fail "the temporary folder was left behind"
echo "1 passed, 0 failed"
