#!/usr/bin/env bash
# Sets up a Debian/Ubuntu machine, builds, and then
#   ./run.sh             starts the tool
#   ./run.sh --test      runs every test headless
#   ./run.sh --sanitize  runs every test built with ASan + UBSan + LSan
#   ./run.sh --demo      starts the tool against a simulated transmitter
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}

packages=(build-essential cmake pkg-config qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev
          fonts-wqy-microhei fonts-liberation)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build <dir> [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

case "$mode" in
  run|"")
    build build
    exec ./build/zqconfig
    ;;
  --demo)
    build build
    exec ./build/tools/zqconfig-demo
    ;;
  --test)
    build build
    cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
    ;;
  --sanitize)
    build build-asan -DZQ_SANITIZE=ON -DZQ_BENCH=OFF
    cd build-asan && QT_QPA_PLATFORM=offscreen \
      ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp \
      ctest --output-on-failure
    ;;
  *)
    echo "usage: $0 [--test | --sanitize | --demo]" >&2
    exit 2
    ;;
esac
