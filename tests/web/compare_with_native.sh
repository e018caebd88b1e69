#!/usr/bin/env bash
# Runs the fidelity driver natively and under node and compares the two
# outputs byte for byte; on a difference shows where the two first differ.
# Usage: compare_with_native.sh NATIVE_DRIVER NODE DRIVER_JS
set -euo pipefail
native="$1" node="$2" js="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$native" >"$work/native.txt"
"$node" "$js" >"$work/web.txt"
if ! cmp -s "$work/native.txt" "$work/web.txt"; then
  # "... differ: byte B, line L": show both versions of line L around the
  # first differing column (the lines hold whole documents).
  line="$(cmp "$work/native.txt" "$work/web.txt" | sed -n 's/.*line \([0-9]*\).*/\1/p' || true)"
  sed -n "${line}p" "$work/native.txt" >"$work/native.line"
  sed -n "${line}p" "$work/web.txt" >"$work/web.line"
  column="$(cmp "$work/native.line" "$work/web.line" | sed -n 's/.*byte \([0-9]*\).*/\1/p' || true)"
  column="${column:-1}"
  from=$((column > 80 ? column - 80 : 1))
  echo "The WebAssembly build differs from the native build in line $line, column $column:"
  echo "native: $(cut -c "$from-$((column + 80))" "$work/native.line")"
  echo "web:    $(cut -c "$from-$((column + 80))" "$work/web.line")"
  exit 1
fi
echo "Same output, $(wc -c <"$work/native.txt") bytes: $(grep '^summary: ' "$work/native.txt")"
