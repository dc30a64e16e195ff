#!/bin/sh
# Writes the package's changelog in Debian's format from NEWS, whose
# entries start with a line "zqconfig VERSION (YYYY-MM-DD)" followed by
# items indented as a Debian changelog indents them.  Fails when the newest
# entry is not the version being built, so a release cannot forget NEWS.
#   changelog.sh NEWS VERSION MAINTAINER OUTPUT
set -eu
news=$1 version=$2 maintainer=$3 out=$4

newest=$(sed -n '1s/^zqconfig \([^ ]*\) .*/\1/p' "$news")
if [ "$newest" != "$version" ]; then
  echo "changelog.sh: $news starts with version '$newest', the build is $version" >&2
  exit 1
fi

date=""
{
  while IFS= read -r line; do
    case $line in
      "zqconfig "*)
        [ -z "$date" ] || printf '\n -- %s  %s\n\n' "$maintainer" "$date"
        v=${line#zqconfig }
        d=${v#*(}
        date=$(LC_ALL=C date -u -R -d "${d%)}")
        printf 'zqconfig (%s) unstable; urgency=medium\n\n' "${v%% *}"
        ;;
      "") ;;
      *) printf '%s\n' "$line" ;;
    esac
  done <"$news"
  printf '\n -- %s  %s\n' "$maintainer" "$date"
} >"$out"
