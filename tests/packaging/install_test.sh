#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
expect() {
  if [ ! -e "$prefix/$1" ]; then echo "missing: $1"; failures=$((failures + 1)); fi
}
expect bin/quorvel
expect bin/quorvel-sheet
expect share/applications/org.quorvel.Quorvel.desktop
expect share/metainfo/org.quorvel.Quorvel.metainfo.xml
expect share/icons/hicolor/scalable/apps/quorvel.svg
for size in 16 32 48 64 128 256; do expect "share/icons/hicolor/${size}x${size}/apps/quorvel.png"; done
expect share/man/man1/quorvel.1.gz
expect share/man/man1/quorvel-sheet.1.gz
expect share/doc/quorvel/copyright
expect share/doc/quorvel/changelog.gz

[ -x "$prefix/bin/quorvel" ] || { echo "bin/quorvel is not executable"; failures=$((failures + 1)); }
grep -q '^Categories=Education;Math;$' "$prefix/share/applications/org.quorvel.Quorvel.desktop" ||
  { echo "desktop entry lacks the categories"; failures=$((failures + 1)); }
desktop-file-validate "$prefix/share/applications/org.quorvel.Quorvel.desktop" || failures=$((failures + 1))
appstreamcli validate --no-net "$prefix/share/metainfo/org.quorvel.Quorvel.metainfo.xml" || failures=$((failures + 1))
"$prefix/bin/quorvel-sheet" --help | grep -q '^Aufruf: quorvel-sheet' || { echo "installed quorvel-sheet does not run"; failures=$((failures + 1)); }
"$prefix/bin/quorvel-sheet" --version | grep -qE '^quorvel-sheet [0-9]+\.[0-9]+\.[0-9]+$' || { echo "no version"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ]
