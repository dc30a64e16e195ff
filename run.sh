#!/usr/bin/env bash
# Sets up a Debian/Ubuntu machine, builds, and then
#   ./run.sh             starts the tool
#   ./run.sh --test      runs every test headless
#   ./run.sh --sanitize  runs every test built with ASan + UBSan + LSan
#   ./run.sh --fuzz SECONDS  runs each libFuzzer target for SECONDS (clang)
#   ./run.sh --demo [--lang en]  starts the tool against a simulated transmitter
#   ./run.sh --bench     runs every benchmark and the soak, prints the README's table
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}

packages=(build-essential cmake pkg-config qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev
          qttools5-dev qttools5-dev-tools
          fonts-wqy-microhei fonts-liberation)
if [ "$mode" = --fuzz ]; then
  packages+=(clang libclang-rt-dev)
fi
if [ "$mode" = --bench ]; then
  packages+=(python3)
fi
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
    exec ./build/tools/zqconfig-demo "${@:2}"
    ;;
  --test)
    build build
    cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
    ;;
  --sanitize)
    build build-asan -DZQ_SANITIZE=ON -DZQ_BENCH=OFF
    # The soak runs shorter here: it is after memory errors, not speed.
    cd build-asan && QT_QPA_PLATFORM=offscreen ZQ_SOAK_SECONDS=${ZQ_SOAK_SECONDS:-15} \
      ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:check_initialization_order=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp \
      ctest --output-on-failure
    ;;
  --fuzz)
    seconds=${2:-60}
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZQ_FUZZ=ON -DZQ_BENCH=OFF >/dev/null
    targets=()
    for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
    cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"
    mkdir -p build-fuzz/crashes
    failed=0
    for t in "${targets[@]}"; do
      # Work on a copy of the seeds so the run does not grow the repository.
      work=$(mktemp -d)
      cp -r "fuzz/corpus/${t#fuzz_}/." "$work/"
      seeds=$(ls "$work" | wc -l)
      log=build-fuzz/$t.log
      if ./build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
           -artifact_prefix=build-fuzz/crashes/"$t"- "$work" >"$log" 2>&1; then
        execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        echo "$t: $execs executions in ${seconds} s ($rate/s), corpus $seeds -> $(ls "$work" | wc -l) inputs"
      else
        echo "$t: FAILED (input kept in build-fuzz/crashes/)"; tail -n 40 "$log"; failed=1
      fi
      rm -rf "$work"
    done
    exit "$failed"
    ;;
  --bench)
    # With the benchmarks even where build/ was configured without them.
    build build -DZQ_BENCH=ON >&2
    # The table goes to stdout, progress and failures to stderr.
    exec python3 tools/bench_report.py build
    ;;
  *)
    echo "usage: $0 [--test | --sanitize | --fuzz SECONDS | --demo | --bench]" >&2
    exit 2
    ;;
esac
