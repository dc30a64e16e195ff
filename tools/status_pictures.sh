#!/usr/bin/env bash
# Photographs the status line in the cases a new user meets, for the README
# and for checking that its texts fit: a port that would not open (the box
# and the line's trace), the Load dialog waiting for a file, a refused file
# (its box, and the line keeping the time the refusal came), a long by-id
# port name open but silent (the line with the advice, and its tool tip),
# and a tool bar button's tool tip.
#   tools/status_pictures.sh [--lang en|zh] [OUTPUT_DIR]   (default: docs)
# Writes OUTPUT_DIR/status-cases[-en].png (the lines, one under another),
# status-boxes[-en].png (the two boxes) and status-tips[-en].png (the two
# tool tips).  ZQ_SCALE=2 takes them on a 192 dpi screen.
# Needs a build (build/zqconfig), Xvfb, xdotool, xwd, ImageMagick's convert
# and python3 (it holds a pseudo-terminal open behind the long name).
set -euo pipefail
cd "$(dirname "$0")/.."

lang=zh
if [ "${1:-}" = --lang ]; then
  lang=${2:?--lang needs en or zh}
  shift 2
fi
out=${1:-docs}
suffix=""
[ "$lang" = zh ] || suffix="-$lang"
scale=${ZQ_SCALE:-1}
app=${APP:-build/zqconfig}

fail() { echo "status_pictures: $*" >&2; exit 1; }
for tool in Xvfb xdotool xwd convert python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$app" ] || fail "$app not found; build first (cmake --build build)"
mkdir -p "$out"

. tools/xvfb.sh
pty_pid=""
trap 'rc=$?; set +e; [ -z "$pty_pid" ] || kill "$pty_pid" 2>/dev/null; (exit $rc); cleanup' EXIT
trap 'exit 1' INT TERM

screen_w=$((1280 * scale)) screen_h=$((800 * scale))
start_xvfb "${screen_w}x${screen_h}" $((96 * scale))

# start <args…>: the tool, its window in $win and its geometry.
start() {
  "$app" --lang "$lang" "$@" 2>"$work/app.log" &
  app_pid=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Zarvik' | head -n1) || true
  [ -n "$win" ] || { cat "$work/app.log" >&2; fail "the window did not appear"; }
  eval "$(xdotool getwindowgeometry --shell "$win")"  # X, Y, WIDTH, HEIGHT
}
stop() {
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}
click() { xdotool mousemove --window "$win" $(($1 * scale)) $(($2 * scale)) click 1; }
away() { xdotool mousemove $((screen_w - 1)) $((screen_h - 1)); }
# line <file>: the status line, the window's lowest 30 pixels.
line() {
  local h=$((30 * scale))
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x${h}+${X}+$((Y + HEIGHT - h))" +repage "$work/$1"
}
# second: the id of the tool's first window besides the main one (a box,
# a dialog, a tool tip); there is no window manager to give it the keys.
second() {
  for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
      [ "$w" = "$win" ] && continue
      echo "$w"
      return 0
    done
    sleep 0.1
  done
  echo "status_pictures: no window besides the main one" >&2
  return 1
}
# other <file>: that window by its own id (on the root it shows black),
# given the keyboard.
other() {
  local w
  w=$(second) || fail "$1 did not show"
  xwd -id "$w" -silent | convert xwd:- "$work/$1"
  xdotool windowfocus "$w" 2>/dev/null || true
}

# A port that is no serial port: the box in plain words, then its trace.
start --port /dev/null
click 680 50   # openButton
sleep 1
other open-box.png
xdotool key Return
away
sleep 0.5
line open-failed.png

# Load: the line while the dialog waits, then a refused file whose box
# stays up a while; the line keeps the time the refusal came.
printf 'not a configuration\n' >"$work/photo.jpg"
click 195 50   # toolButton_Load
sleep 1.5
line waiting.png
dialog=$(second) || fail "the file dialog did not show"
xdotool windowfocus "$dialog"
xdotool type --delay 20 "$work/photo.jpg"
sleep 0.5
[ -z "${ZQ_DEBUG:-}" ] || xwd -root -silent | convert xwd:- "$ZQ_DEBUG/typed.png"
xdotool key Return
sleep 1
other refused-box.png
sleep 2
xdotool key Return
sleep 0.5
line refused.png
stop

# A long stable name on a line that stays silent, and the line's tool tip.
mkdir -p "$work/serial/by-id"
python3 -c '
import os, pty, sys, time
master, slave = pty.openpty()
os.symlink(os.ttyname(slave), sys.argv[1])
time.sleep(600)
' "$work/serial/by-id/usb-USB_Serial_Adapter_A50285BI-if00-port0" &
pty_pid=$!
for _ in $(seq 50); do [ -L "$work/serial/by-id/usb-USB_Serial_Adapter_A50285BI-if00-port0" ] && break; sleep 0.1; done
start --port "$work/serial/by-id/usb-USB_Serial_Adapter_A50285BI-if00-port0"
click 680 50
away
sleep 4
line quiet.png
xdotool windowfocus "$win"   # tool tips show over the active window only
xdotool mousemove --window "$win" $((75 * scale)) $((50 * scale))   # toolButton_Read
sleep 2.5
other button-tip.png
away
sleep 1
xdotool windowfocus "$win"
xdotool mousemove --window "$win" $((WIDTH - 40 * scale)) $((HEIGHT - 12 * scale))
sleep 2.5
other link-tip.png
stop

gap=$((6 * scale))
convert "$work/open-failed.png" "$work/waiting.png" "$work/refused.png" "$work/quiet.png" \
  -background white -splice 0x$gap -append -chop 0x$gap -colors 128 -strip "PNG8:$out/status-cases$suffix.png"
convert "$work/open-box.png" "$work/refused-box.png" -background white -gravity west -splice ${gap}x0 \
  +append -colors 128 -strip "PNG8:$out/status-boxes$suffix.png"
convert "$work/button-tip.png" "$work/link-tip.png" -background white -splice ${gap}x0 +append \
  -colors 128 -strip "PNG8:$out/status-tips$suffix.png"
echo "status_pictures: wrote $out/status-cases$suffix.png, status-boxes$suffix.png, status-tips$suffix.png"
