#!/usr/bin/env bash
# Photographs the marks for the README: starts zqconfig-demo on a virtual
# display with a simulated transmitter that stores sub1 as 7, reads, writes
# (the read-back finds the difference), takes the marked channel page and
# then the context menu of the marked editor.
#   tools/marks_screenshot.sh [--lang en|zh] [marked.png [menu.png]]
# Defaults: docs/marked-page.png and docs/context-menu.png (with "-en"
# before the suffix for --lang en).  QT_SCALE_FACTOR=2 takes them at
# twice the size.  Needs what tools/demo_screenshot.sh needs.
set -euo pipefail
cd "$(dirname "$0")/.."

lang=""
if [ "${1:-}" = --lang ]; then
  lang=${2:?--lang needs en or zh}
  shift 2
fi
suffix=""
[ -n "$lang" ] && [ "$lang" != zh ] && suffix=-$lang
marked=${1:-docs/marked-page$suffix.png}
menu=${2:-docs/context-menu$suffix.png}
demo=${DEMO:-build/zqconfig-demo}

fail() { echo "marks_screenshot: $*" >&2; exit 1; }

for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$demo" ] || fail "$demo not found; build first (./run.sh --demo or cmake --build build)"

. tools/xvfb.sh

scale=${QT_SCALE_FACTOR:-1}
start_xvfb $((1280 * scale))x$((800 * scale))

start_demo ${lang:+--lang "$lang"} --misstore sub1=7

shoot() {
  mkdir -p "$(dirname "$1")"
  xwd -root -silent | convert xwd:- -crop "${4:-$WIDTH}x${5:-$HEIGHT}+$((X + ${2:-0}))+$((Y + ${3:-0}))" +repage \
    -colors 128 -strip "PNG8:$1"
}

click 680 50    # openButton
wait_for "zqsim: host connected" "the demo connected"
click 75 50     # toolButton_Read
wait_for "zqsim: read answered" "the read was answered"
sleep 0.5
click 315 50    # toolButton_Send: frames, "WWW", then the read-back
wait_for "stored as 7" "the transmitter stored the frame"
# with_popups <file>: the window from the root, and every other window of
# the demo (tool tip, menu) by its own id pasted where it lies: on the root
# those show black.
with_popups() {
  shoot "$work/base.png"
  local layers=("$work/base.png")
  for id in $(xdotool search --onlyvisible --class 'zqconfig' 2>/dev/null); do
    [ "$id" = "$win" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$id" | sed 's/^/P_/')"
    [ "$P_WIDTH" -gt 1 ] && [ "$P_HEIGHT" -gt 1 ] || continue
    xwd -id "$id" -silent | convert xwd:- "$work/p$id.png" || continue
    layers+=("$work/p$id.png" -geometry "+$((P_X - X))+$((P_Y - Y))" -composite)
  done
  convert "${layers[@]}" -colors 128 -strip "PNG8:$1"
}

# The mismatch box, taken by its own window, then answered by a click on OK.
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^(提示|Note)$' 2>/dev/null | head -n1) || true
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no mismatch box"
sleep 0.5
xwd -id "$box" -silent | convert xwd:- -colors 64 -strip "PNG8:${BOXSHOT:-$work/box.png}"
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
xdotool mousemove --window "$box" $((BOX_WIDTH - 55 * scale)) $((BOX_HEIGHT - 25 * scale)) click 1
sleep 0.5
click 220 135   # the channel settings tab
xdotool mousemove --window "$win" $((318 * scale)) $((222 * scale))
sleep 2         # the marked editor's tool tip
with_popups "$marked"
click 318 222 3
sleep 1
with_popups "$menu"
xdotool key Escape
echo "marks_screenshot: wrote $marked and $menu"
