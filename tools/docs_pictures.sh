#!/usr/bin/env bash
# Regenerates every picture in docs/: the freshly started window on the
# channel settings page (form-basics.png) and on the system page
# (form-system.png), and the demo after a read (demo.png, by
# tools/demo_screenshot.sh), in Chinese and in English (demo-en.png with
# the channel settings page the read filled, demo-en-pages.png, and all six
# pages, tabs-en/tab1.png ... tab6.png), the port box with a long device
# path (port-box.png), and the box a write gets from a transmitter that
# stores a value differently (verify-mismatch.png), and the live graph after
# a range check against a fading transmitter (range-check.png,
# range-check-en.png, by tools/graph_screenshot.sh).  Exits non-zero when a
# window does not come up.
#   tools/docs_pictures.sh [OUTPUT_DIR]      (default: docs)
# ZQ_SCALE=2 takes them on a screen of twice the size and density (192
# dpi), to see how a high-density screen shows the window.  The Qt 5 build
# scales from the screen's density; Qt 6 on X11 from the desktop's Xft.dpi,
# which a bare Xvfb lacks: add QT_SCALE_FACTOR=2 for it.
# Needs a build (build/zqconfig, build/zqconfig-demo), Xvfb,
# xdotool, xwd and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs}
scale=${ZQ_SCALE:-1}
app=${APP:-build/zqconfig}

fail() { echo "docs_pictures: $*" >&2; exit 1; }
for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$app" ] || fail "$app not found; build first (cmake --build build)"
mkdir -p "$out"

. tools/xvfb.sh

screen_w=$((1280 * scale)) screen_h=$((800 * scale))
start_xvfb "${screen_w}x${screen_h}" $((96 * scale))

"$app" 2>"$work/app.log" &
app_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Zarvik' | head -n1) || true
[ -n "$win" ] || { cat "$work/app.log" >&2; fail "the window did not appear"; }
eval "$(xdotool getwindowgeometry --shell "$win")"  # X, Y, WIDTH, HEIGHT

# page <x> <file>: clicks the tab at x (unscaled window coordinates), moves
# the pointer off the window so nothing is highlighted, and takes the
# window in a palette PNG small enough for the repository.
page() {
  xdotool mousemove --window "$win" $(($1 * scale)) $((135 * scale)) click 1
  xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
  sleep 0.5
  kill -0 "$app_pid" 2>/dev/null || fail "the tool exited"
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
    -colors 128 -strip "PNG8:$out/$2"
  echo "docs_pictures: wrote $out/$2 ($(stat -c %s "$out/$2") bytes)"
}
page 220 form-basics.png
page 780 form-system.png
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# The port box with a long device path: the top of the window with the
# box closed (its short form) above the same with the list open (the whole
# path).
"$app" --port /dev/serial/by-id/usb-USB_Serial_Adapter_A50285BI-if00-port0 2>"$work/app.log" &
app_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Zarvik' | head -n1) || true
[ -n "$win" ] || { cat "$work/app.log" >&2; fail "the window did not appear"; }
eval "$(xdotool getwindowgeometry --shell "$win")"
box="$((screen_w - X))x$((130 * scale))+${X}+${Y}"
xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
sleep 0.5
xwd -root -silent | convert xwd:- -crop "$box" +repage "$work/closed.png"
xdotool mousemove --window "$win" $((800 * scale)) $((55 * scale)) click 1
sleep 0.5
xwd -root -silent | convert xwd:- -crop "$box" +repage "$work/open.png"
convert "$work/closed.png" "$work/open.png" -background white -splice 0x8 -append -colors 128 -strip \
  "PNG8:$out/port-box.png"
echo "docs_pictures: wrote $out/port-box.png ($(stat -c %s "$out/port-box.png") bytes)"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# The demo's transmitter stores sub-trim CH1 as 7 whatever it is sent: read,
# write, and take the box the read-back shows.
if [ "$scale" = 1 ]; then
  "${DEMO:-build/zqconfig-demo}" --misstore sub1=7 2>"$work/demo.log" &
  app_pid=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Zarvik' | head -n1) || true
  [ -n "$win" ] || { cat "$work/demo.log" >&2; fail "the demo window did not appear"; }
  logged() {
    for _ in $(seq 150); do grep -q "$1" "$work/demo.log" && return 0; sleep 0.1; done
    cat "$work/demo.log" >&2; fail "the demo log never showed '$1'"
  }
  xdotool mousemove --window "$win" 680 50 click 1   # openButton
  logged "host connected"
  xdotool mousemove --window "$win" 75 50 click 1    # toolButton_Read
  logged "read answered"
  xdotool mousemove --window "$win" 315 50 click 1   # toolButton_Send
  xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '^提示$' | head -n1) || true
  [ -n "$box" ] || { cat "$work/demo.log" >&2; fail "the read-back box did not appear"; }
  sleep 1.5
  # The box by its own window: on the root it shows black.
  xwd -id "$box" -silent | convert xwd:- -colors 64 -strip "PNG8:$out/verify-mismatch.png"
  echo "docs_pictures: wrote $out/verify-mismatch.png ($(stat -c %s "$out/verify-mismatch.png") bytes)"
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
fi

if [ "$scale" = 1 ]; then
  tools/demo_screenshot.sh --writing "$out/status-line.png" "$out/demo.png"
  tools/demo_screenshot.sh --lang en --writing "$out/status-line-en.png" --tabs "$out/tabs-en" "$out/demo-en.png" "$out/demo-en-pages.png"
  tools/status_pictures.sh "$out"
  tools/status_pictures.sh --lang en "$out"
  # The live graph after a faded range check, in both languages.
  tools/graph_screenshot.sh "$out/range-check.png"
  tools/graph_screenshot.sh --lang en "$out/range-check-en.png"
fi
