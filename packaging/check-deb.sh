#!/usr/bin/env bash
# Runs lintian on the Debian package, installs it as a user would, runs
# each program it put on the PATH, starts the tool from its menu entry on a
# virtual display and waits for the window, then purges the package and
# checks that none of its files is left.  Exits non-zero at the first thing
# amiss, and purges the package then too.
#   packaging/check-deb.sh [PACKAGE.deb]   (default: the one in build/)
# Runs as root or through sudo; installs Xvfb, xdotool and lintian when
# missing.  With ZQ_CI=1 a missing desktop-file-validate fails the check.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=${1:-$(ls build/zqconfig_*.deb 2>/dev/null | head -n1)}
[ -f "$deb" ] || { echo "check-deb: no package; build one with ./run.sh --package" >&2; exit 1; }
deb=$(realpath "$deb")
pkg=$(dpkg-deb -f "$deb" Package)

fail() { echo "check-deb: $*" >&2; exit 1; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
# apt <args...>: quiet unless it fails.
apt() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -qq "$@" >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log" >&2; fail "apt-get $* failed"; }
}

. tools/xvfb.sh

# Whatever fails once the install has begun, the package does not stay.
installed=""
on_exit() {
  local rc=$?
  if [ -n "$installed" ] && [ "$rc" != 0 ]; then
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    echo "check-deb: purging $pkg after the failure" >&2
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -qq purge "$pkg" >/dev/null 2>&1 || true
  fi
  set +e
  (exit "$rc")
  cleanup
}
trap on_exit EXIT

for tool in Xvfb xdotool lintian; do
  command -v "$tool" >/dev/null || { apt update; apt install --no-install-recommends xvfb xdotool lintian; break; }
done

# Debian's own checks: an error fails, warnings are shown.
lintian --fail-on error "$deb" || fail "lintian reports errors"

echo "check-deb: installing $(basename "$deb")"
installed=1
apt install "$deb"
dpkg-query -L "$pkg" | sort >"$work/files"

# Every program on the PATH answers --version with its name and version,
# and --help with its usage; each has its manual page.
version=$(dpkg-deb -f "$deb" Version)
programs=$(grep '^/usr/bin/' "$work/files" || true)
[ -n "$programs" ] || fail "the package installs no program"
for p in $programs; do
  name=$(basename "$p")
  out=$(QT_QPA_PLATFORM=offscreen "$name" --version 2>"$work/err") || fail "$name --version failed: $(cat "$work/err")"
  [[ $out == "$name $version"* ]] || fail "$name --version says: $out"
  QT_QPA_PLATFORM=offscreen "$name" --help 2>&1 | grep -q "^Usage: $name" || fail "$name --help shows no usage"
  grep -qx "/usr/share/man/man1/$name.1.gz" "$work/files" || fail "$name has no manual page"
  echo "check-deb: $out"
done

# The menu entry starts the tool, and its window comes up.
entry=$(grep '^/usr/share/applications/.*\.desktop$' "$work/files" | head -n1)
[ -n "$entry" ] || fail "no menu entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry"
elif [ "${ZQ_CI:-}" = 1 ]; then
  fail "desktop-file-validate is missing (desktop-file-utils)"
fi
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n1)
icon=$(sed -n 's/^Icon=//p' "$entry" | head -n1)
grep -q "/icons/hicolor/48x48/apps/$icon.png$" "$work/files" || fail "the menu entry's icon $icon is not installed"
start_xvfb 1280x800
$exec_line >"$work/app.log" 2>&1 &
app_pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name 'Zarvik' | head -n1) || true
[ -n "$win" ] || { cat "$work/app.log" >&2; fail "the window of '$exec_line' did not come up"; }
kill -0 "$app_pid" 2>/dev/null || fail "the tool exited"
echo "check-deb: '$exec_line' shows its window \"$(xdotool getwindowname "$win")\""
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# Purged, the package leaves none of its files, nor a folder of its own.
apt purge "$pkg"
installed=""
if dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
  fail "$pkg is still installed"
fi
left=0
while read -r f; do
  if [ -L "$f" ] || [ -f "$f" ]; then
    echo "check-deb: left behind: $f" >&2; left=1
  elif [ -d "$f" ] && [ -z "$(ls -A "$f")" ] && ! dpkg-query -S "$f" >/dev/null 2>&1; then
    # An empty folder another package still owns (the icon theme's size
    # folders, say) is that package's, not ours.
    echo "check-deb: empty folder left behind: $f" >&2; left=1
  fi
done <"$work/files"
[ "$left" = 0 ] || fail "files of $pkg survived its removal"
echo "check-deb: $(grep -c . "$work/files") paths installed and removed cleanly"
