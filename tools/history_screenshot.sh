#!/usr/bin/env bash
# Photographs the kept history for the README: starts zqconfig-demo on a
# virtual display with a simulated transmitter that stores sub1 as 7 and a
# history folder of its own, reads, writes (the read-back finds the
# difference), opens the history window (Ctrl+H) and takes it, then
# compares the pages with a file that differs in three settings (Ctrl+Shift+F)
# and takes the window with a marked editor's tool tip.
#   tools/history_screenshot.sh [--lang en|zh] [history.png [compare.png]]
# Defaults: docs/history.png and docs/compare-file.png (with "-en" before
# the suffix for --lang en).  Needs what tools/demo_screenshot.sh needs,
# and build/zqconfig-file.
set -euo pipefail
cd "$(dirname "$0")/.."

lang=""
if [ "${1:-}" = --lang ]; then
  lang=${2:?--lang needs en or zh}
  shift 2
fi
suffix=""
[ -n "$lang" ] && [ "$lang" != zh ] && suffix=-$lang
historyshot=${1:-docs/history$suffix.png}
compareshot=${2:-docs/compare-file$suffix.png}
demo=${DEMO:-build/zqconfig-demo}
filetool=${FILETOOL:-build/zqconfig-file}

fail() { echo "history_screenshot: $*" >&2; exit 1; }

for tool in Xvfb xdotool xwd convert python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$demo" ] && [ -x "$filetool" ] || fail "$demo or $filetool not found; build first"

. tools/xvfb.sh

scale=${QT_SCALE_FACTOR:-1}
start_xvfb $((1280 * scale))x$((800 * scale))
export ZQCONFIG_HISTORY="$work/history" XDG_CONFIG_HOME="$work/config"

start_demo ${lang:+--lang "$lang"} --misstore sub1=7

window_named() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named $1"
}

click 680 50    # openButton
wait_for "zqsim: host connected" "the demo connected"
click 75 50     # toolButton_Read
wait_for "zqsim: read answered" "the read was answered"
sleep 0.5
click 315 50    # toolButton_Send: frames, "WWW", then the read-back
wait_for "stored as 7" "the transmitter stored the frame"
box=$(window_named '^(提示|Note)$')
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
xdotool mousemove --window "$box" $((BOX_WIDTH - 55 * scale)) $((BOX_HEIGHT - 25 * scale)) click 1
sleep 1

# The history window, by its own id.
click 1000 135  # the window takes the keys
xdotool key ctrl+h
hist=$(window_named '^(遥控器的历史|Transmitter history)$')
sleep 1
xdotool mousemove --window "$hist" 60 40 click 1   # the newest entry chosen
sleep 0.5
mkdir -p "$(dirname "$historyshot")" "$(dirname "$compareshot")"
xwd -id "$hist" -silent | convert xwd:- -colors 128 -strip "PNG8:$historyshot"
xdotool key Escape
sleep 0.5

# A file like the kept write with three settings changed.
newest=$(ls "$ZQCONFIG_HISTORY" | sort | tail -n1)
"$filetool" export "$ZQCONFIG_HISTORY/$newest" | python3 -c '
import json, sys
m = json.load(sys.stdin)
m["sub1"] = 20; m["Lepa3"] = 80; m["FS1"] = m["FS1"] + 10 if m["FS1"] < 90 else 10
json.dump(m, sys.stdout)' | "$filetool" import - "$work/glider.txt"

click 1000 135
xdotool key ctrl+shift+f
sleep 1
xdotool type --delay 20 "$work/glider.txt"
xdotool key Return
sleep 1
click 220 135   # the channel settings tab
xdotool mousemove --window "$win" $((318 * scale)) $((222 * scale))
sleep 2         # the marked editor's tool tip
base="$work/base.png"
xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$base"
layers=("$base")
for id in $(xdotool search --onlyvisible --class 'zqconfig' 2>/dev/null); do
  [ "$id" = "$win" ] && continue
  eval "$(xdotool getwindowgeometry --shell "$id" | sed 's/^/P_/')"
  [ "$P_WIDTH" -gt 1 ] && [ "$P_HEIGHT" -gt 1 ] || continue
  xwd -id "$id" -silent | convert xwd:- "$work/p$id.png" || continue
  layers+=("$work/p$id.png" -geometry "+$((P_X - X))+$((P_Y - Y))" -composite)
done
convert "${layers[@]}" -colors 128 -strip "PNG8:$compareshot"
echo "history_screenshot: wrote $historyshot and $compareshot"
