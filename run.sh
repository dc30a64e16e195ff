#!/usr/bin/env bash
# Sets up a Debian/Ubuntu machine, builds, and then
#   ./run.sh             starts the tool (built alone, in build-run)
#   ./run.sh --test      runs every test headless but the slow ones (label slow)
#   ./run.sh --test-all  runs every test, the slow ones too, and builds the benchmarks
#   ./run.sh --sanitize  runs every test built with ASan + UBSan + LSan
#   ./run.sh --fuzz SECONDS  runs each libFuzzer target for SECONDS (clang)
#   ./run.sh --demo [--lang en]  starts the tool against a simulated transmitter (build-run)
#   ./run.sh --bench     runs every benchmark and the soak, prints docs/performance.md's table
#   ./run.sh --package   builds the Debian package (build/zqconfig_*.deb)
# A first option --qt6 does any of these against Qt 6 instead of Qt 5, in
# build directories ending in -qt6.
set -euo pipefail
cd "$(dirname "$0")"

qt=5
if [ "${1:-}" = --qt6 ]; then
  qt=6
  shift
fi
mode=${1:-run}
suffix=""
[ "$qt" = 6 ] && suffix=-qt6

# desktop-file-utils and appstream check the menu entry and the AppStream
# data in the test suite; fonts-dejavu-core is the wide face the font
# fitting test measures against Liberation's narrow one.  The translations
# packages put Qt's own dialogs into the window's language.  Qt Charts
# draws the live graph.
packages=(build-essential cmake pkg-config fonts-wqy-microhei fonts-liberation
          fonts-dejavu-core desktop-file-utils appstream)
if [ "$qt" = 6 ]; then
  # The Linguist tools come in two packages on Qt 6: the CMake part and
  # the programs.
  # Qt 6's Charts configuration needs Qt 6's OpenGL one, which its package
  # does not pull in.
  packages+=(qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-charts-dev
             libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
else
  packages+=(qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev libqt5charts5-dev
             qttools5-dev qttools5-dev-tools qttranslations5-l10n)
fi
case "$mode" in
  --fuzz) packages+=(clang libclang-rt-dev) ;;
  # dpkg-shlibdeps (dpkg-dev) works out the package's dependencies;
  # help2man writes the manual pages from each program's --help.
  --package) packages+=(dpkg-dev help2man) ;;
  # python3 checks the generated form (tests) and prints the bench table.
  --test|--test-all|--sanitize|--bench) packages+=(python3) ;;
esac
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

# ZQ_CI=1 (set by .ci/run): a check that cannot run fails instead of
# being left out, and so does a compiler warning in our code.
ci=()
[ "${ZQ_CI:-}" = 1 ] && ci=(-DZQ_REQUIRE_VALIDATORS=ON -DZQ_WERROR=ON)

# A compiler cache, where the machine has one, makes a rebuild after a
# branch switch or in a second folder a matter of seconds.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

configure() {  # configure <dir> [cmake options...]
  local dir=$1$suffix; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_QT_MAJOR="$qt" "${ci[@]}" "${launcher[@]}" "$@"
}

build() {  # build <dir> [cmake options...]: configure, then build everything
  configure "$@"
  cmake --build "$1$suffix" -j"$jobs"
}

# Starting the tool or the demo builds that program alone, configured as
# the package is (no tests, no benchmarks), in a folder of its own: a
# newcomer waits for nothing else, and switching between running and
# testing rebuilds nothing.
runnable() {  # runnable <target>
  configure build-run -DZQ_TESTS=OFF -DZQ_BENCH=OFF
  cmake --build build-run$suffix -j"$jobs" --target "$1"
}

case "$mode" in
  run|"")
    runnable zqconfig
    exec ./build-run$suffix/zqconfig
    ;;
  --demo)
    runnable zqconfig-demo
    exec ./build-run$suffix/zqconfig-demo "${@:2}"
    ;;
  --test)
    # Tests on, benchmarks off (a --bench or --test-all build may have
    # turned them on in this folder; their objects stay for the next one).
    build build -DZQ_TESTS=ON -DZQ_BENCH=OFF
    # The suites mostly wait on the line and on timers (a third of a core
    # each on average): run twice as many side by side as there are cores.
    # The soak and the CPU-share checks (label slow) take minutes.
    cd build$suffix && QT_QPA_PLATFORM=offscreen ctest -j"$((2 * jobs))" --output-on-failure -LE slow
    ;;
  --test-all)
    # What CI runs: every suite, the slow label too, and the benchmarks
    # built so a change that breaks one is seen.
    build build -DZQ_TESTS=ON -DZQ_BENCH=ON
    cd build$suffix && QT_QPA_PLATFORM=offscreen ctest -j"$((2 * jobs))" --output-on-failure
    ;;
  --package)
    # Only what the package ships, in the folder the tests use (their
    # objects stay for the next --test); CPack strips the binaries it packs.
    build build -DZQ_TESTS=OFF -DZQ_BENCH=OFF
    cd build$suffix
    rm -f zqconfig_*.deb
    cpack -G DEB
    ls "$PWD"/zqconfig_*.deb
    ;;
  --sanitize)
    build build-asan -DZQ_SANITIZE=ON -DZQ_BENCH=OFF
    # The soak runs shorter here: it is after memory errors, not speed.
    cd build-asan$suffix && QT_QPA_PLATFORM=offscreen ZQ_SOAK_SECONDS=${ZQ_SOAK_SECONDS:-15} \
      ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:check_initialization_order=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp \
      ctest -j"$jobs" --output-on-failure
    ;;
  --fuzz)
    seconds=${2:-60}
    fuzzdir=build-fuzz$suffix
    CC=clang CXX=clang++ cmake -S . -B "$fuzzdir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZQ_QT_MAJOR="$qt" -DZQ_FUZZ=ON -DZQ_BENCH=OFF "${ci[@]}"
    targets=()
    for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
    cmake --build $fuzzdir -j"$jobs" --target "${targets[@]}"
    mkdir -p $fuzzdir/crashes
    failed=0
    for t in "${targets[@]}"; do
      # Work on a copy of the seeds so the run does not grow the repository.
      work=$(mktemp -d)
      cp -r "fuzz/corpus/${t#fuzz_}/." "$work/"
      seeds=$(ls "$work" | wc -l)
      log=$fuzzdir/$t.log
      if ./$fuzzdir/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
           -artifact_prefix=$fuzzdir/crashes/"$t"- "$work" >"$log" 2>&1; then
        execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        echo "$t: $execs executions in ${seconds} s ($rate/s), corpus $seeds -> $(ls "$work" | wc -l) inputs"
      else
        echo "$t: FAILED (input kept in $fuzzdir/crashes/)"; tail -n 40 "$log"; failed=1
      fi
      rm -rf "$work"
    done
    exit "$failed"
    ;;
  --bench)
    # With the benchmarks, and the soak the report runs, even where build/
    # was configured without them.
    build build -DZQ_TESTS=ON -DZQ_BENCH=ON >&2
    # The table goes to stdout, progress and failures to stderr.
    exec python3 tools/bench_report.py build$suffix
    ;;
  *)
    echo "usage: $0 [--qt6] [--test | --test-all | --sanitize | --fuzz SECONDS | --demo [--lang en] | --bench | --package]" >&2
    exit 2
    ;;
esac
