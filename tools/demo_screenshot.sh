#!/usr/bin/env bash
# Photographs the demo for the README: starts zqconfig-demo on a virtual
# display, opens the simulated transmitter's port, reads its settings and
# takes the window with the channel bars moving, then closes the port.
# Exits non-zero when the demo does not start, connect, answer or close.
#   tools/demo_screenshot.sh [--lang en|zh] [--tabs DIR] [--writing FILE] [output.png [pages.png]]
# output.png (default docs/demo.png, or docs/demo-en.png with --lang en)
# shows the live monitor; pages.png, if given, the channel settings page the
# read filled.  --lang starts the demo in that language; --tabs also takes
# every tab page, as DIR/tab1.png ... DIR/tab6.png, for checking that the
# texts fit.  --writing also takes the window halfway through a write, its
# status line showing the step and the progress bar.
# Needs a build (build/zqconfig-demo), Xvfb, xdotool, xwd and
# ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."

lang=""
tabs=""
writing=""
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) lang=${2:?--lang needs en or zh}; shift 2 ;;
    --tabs) tabs=${2:?--tabs needs a folder}; shift 2 ;;
    --writing) writing=${2:?--writing needs a file}; shift 2 ;;
    *) break ;;
  esac
done
default_out=docs/demo.png
[ -n "$lang" ] && [ "$lang" != zh ] && default_out=docs/demo-$lang.png
out=${1:-$default_out}
pages=${2:-}
demo=${DEMO:-build/zqconfig-demo}

fail() { echo "demo_screenshot: $*" >&2; exit 1; }

for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$demo" ] || fail "$demo not found; build first (./run.sh --demo or cmake --build build)"

. tools/xvfb.sh

start_xvfb 1280x800

start_demo ${lang:+--lang "$lang"}

click 680 50    # openButton
wait_for "zqsim: host connected" "the demo connected"
click 75 50     # toolButton_Read
wait_for "zqsim: read answered" "the read was answered"
# Keep the pointer off the window (no hover highlight) and let the bars
# travel a little.
xdotool mousemove 1279 799
sleep 1.5
kill -0 "$app_pid" 2>/dev/null || fail "the demo exited"

# shoot <file>: the window, in a palette PNG small enough for the repository.
shoot() {
  mkdir -p "$(dirname "$1")"
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
    -colors 128 -strip "PNG8:$1"
}
shoot "$out"
if [ -n "$pages" ]; then
  click 220 135   # the channel settings tab
  xdotool mousemove 1279 799
  sleep 0.5
  shoot "$pages"
fi
if [ -n "$tabs" ]; then
  for i in 0 1 2 3 4 5; do
    click $((80 + 140 * i)) 135   # the tabs are 140 pixels wide
    xdotool mousemove 1279 799
    sleep 0.5
    shoot "$tabs/tab$((i + 1)).png"
  done
fi

if [ -n "$writing" ]; then
  click 315 50    # toolButton_Send: frames 800 ms apart after a 200 ms pause
  xdotool mousemove 1279 799
  sleep 1.6       # within the second frame
  shoot "$writing"
  sleep 4         # the rest of the write and its check
fi

click 680 50    # close again: the goodbye must reach the transmitter
wait_for "zqsim: host disconnected" "the port closed"
echo "demo_screenshot: wrote $out ($(stat -c %s "$out") bytes)${pages:+ and $pages}"
