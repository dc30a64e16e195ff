#!/usr/bin/env bash
# Photographs the live graph during a range check for the README: starts
# zqconfig-demo on a virtual display with a transmitter that fades (carried
# away and back every 16 s), opens its port, opens the graph (Ctrl+G),
# records 20 s into a scratch CSV file, stops, and takes the graph window
# with the summary below it.  Exits non-zero when the demo does not start,
# connect or record.
#   tools/graph_screenshot.sh [--lang en|zh] [output.png]
# output.png: docs/range-check.png, or docs/range-check-en.png with --lang en.
# Needs a build (build/zqconfig-demo), Xvfb, xdotool, xwd and ImageMagick's
# convert.
set -euo pipefail
cd "$(dirname "$0")/.."

lang=""
if [ "${1:-}" = --lang ]; then
  lang=${2:?--lang needs en or zh}
  shift 2
fi
default_out=docs/range-check.png
[ -n "$lang" ] && [ "$lang" != zh ] && default_out=docs/range-check-$lang.png
out=${1:-$default_out}
demo=${DEMO:-build/zqconfig-demo}

fail() { echo "graph_screenshot: $*" >&2; exit 1; }
for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$demo" ] || fail "$demo not found; build first (cmake --build build)"

. tools/xvfb.sh
start_xvfb 1280x900

start_demo --fade 16 ${lang:+--lang "$lang"}
xdotool mousemove --window "$win" 680 50 click 1   # openButton
wait_for "zqsim: host connected" "the demo connected"
xdotool key --window "$win" ctrl+g
title="实时曲线"
[ "$lang" = en ] && title="Live graph"
graph=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) || true
[ -n "$graph" ] || fail "the graph window did not appear"
xdotool windowmove "$graph" 0 0
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$graph")"  # X, Y, WIDTH, HEIGHT
record() { xdotool mousemove --window "$graph" $((WIDTH - 165)) 22 click 1; }

record   # the file dialog: a name, Enter
sleep 1.5
xdotool key ctrl+a
xdotool type --delay 20 "$work/range.csv"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/range.csv" ] && break; sleep 0.1; done
[ -s "$work/range.csv" ] || fail "the recording did not start"
xdotool mousemove 1279 899
sleep 20
record   # stop: the summary below the graph
sleep 1
grep -q '^# summary: ' "$work/range.csv" || fail "the recording has no summary line"
kill -0 "$app_pid" 2>/dev/null || fail "the demo exited"
eval "$(xdotool getwindowgeometry --shell "$graph")"
mkdir -p "$(dirname "$out")"
xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -colors 128 -strip "PNG8:$out"
echo "graph_screenshot: wrote $out ($(stat -c %s "$out") bytes), $(($(wc -l <"$work/range.csv") - 2)) rows recorded"
