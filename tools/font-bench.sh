#!/usr/bin/env bash
# Runs the font load benchmark with COUNT extra installed font families (default 1000 and 10000),
# each in a Wine prefix of its own beside the build's test prefix, so the tests stay fast.
# Usage: tools/font-bench.sh [COUNT...]   (after building build/win64)
set -eu
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${GLYPH_BUILD_DIR:-$here/../build}/win64"
bench="$build/src/app/font_load_benchmark.exe"
[ -x "$bench" ] || { echo "build $bench first" >&2; exit 1; }
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(1000 10000)
for count in "${counts[@]}"; do
  prefix="$build/benchprefix-$count"
  if [ ! -f "$prefix/.glyph-bench-fonts" ]; then
    GLYPH_WINEPREFIX="$prefix" "$here/wine-run.sh" "$bench" --prepare-only >/dev/null 2>&1 || true
    /usr/bin/python3 "$here/make_bench_fonts.py" "$count" "$prefix/drive_c/windows/Fonts" 2>/dev/null
    # Wine reads every new font file once, at the next start: not while the desktop that the
    # benchmark's first window waits for is starting too.
    GLYPH_WINEPREFIX="$prefix" "$here/wine-run.sh" "$bench" --prepare-only >/dev/null 2>&1 || true
    touch "$prefix/.glyph-bench-fonts"
  fi
  echo "== $count generated families installed"
  GLYPH_WINEPREFIX="$prefix" "$here/wine-run.sh" "$bench"
done
