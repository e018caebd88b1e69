#!/usr/bin/env bash
# Every option that quorvel-sheet --help names is explained in its manual page.
#   manpage_test.sh QUORVEL_SHEET MANUAL_PAGE
set -euo pipefail
page=$(sed 's/\\-/-/g' "$2")
options=$("$1" --help | grep -oE '^ +(-[A-Za-z], )?--[a-z-]+' | grep -oE -- '-[A-Za-z]\b|--[a-z-]+')
[ -n "$options" ] || { echo "no options found in --help"; exit 1; }
missing=0
for option in $options; do
  grep -qe "$option\b" <<<"$page" || { echo "not in the manual page: $option"; missing=1; }
done
exit $missing
