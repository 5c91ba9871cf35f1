#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy over the portable core (its sources and, through
# them, its headers) and fails on any finding. The compile commands come from a clang tree that is
# only configured, never built: build/tidy.
# Usage: tools/tidy.sh [FILE-REGEX]   (default: every source under core/src)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}/tidy"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DGLYPH_SANITIZE=OFF -DGLYPH_BUILD_TESTS=OFF >/dev/null
tidy="$(command -v run-clang-tidy || command -v run-clang-tidy-14)"
# run-clang-tidy exits non-zero when any file has a finding (every check is an error here).
status=0
"$tidy" -quiet -p "$build" -j "${GLYPH_JOBS:-$(nproc)}" "${1:-$root/core/src/}" >"$build/tidy.log" 2>&1 || status=$?
sed 's/\x1b\[[0-9;]*m//g' "$build/tidy.log" | grep -v '^[0-9]* warnings\? generated\.$\|^Suppressed [0-9]* warnings\|^Use -header-filter\|^clang-tidy-[0-9]* ' || true
[ "$status" -eq 0 ] && echo "clang-tidy: no findings in the core"
exit "$status"
