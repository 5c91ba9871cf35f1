#!/usr/bin/env bash
# Runs a Windows executable of this build under wine64, inside a private Wine prefix made once per
# build tree and a private X server, so a test run needs no display and never uses ~/.wine.
# CMake uses it as the cross-compiling emulator: wine-run.sh program.exe [args...]
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"

exe="$1"; shift
build_dir="$(cd "$(dirname "$exe")" && pwd)"
while [ "$build_dir" != "/" ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do
  build_dir="$(dirname "$build_dir")"
done
[ "$build_dir" = "/" ] && build_dir="$(cd "$(dirname "$exe")" && pwd)"

glyph_wine_prefix "${GLYPH_WINEPREFIX:-$build_dir/wineprefix}" || exit 1

run() {
  "$WINE" "$exe" "$@"
  local rc=$?
  # Nothing of this run may outlive it: the next test starts from a quiet prefix.
  "${WINESERVER:-wineserver}" -k 2>/dev/null
  return $rc
}

if [ -n "${GLYPH_IN_XVFB:-}" ]; then
  run "$@"
elif [ -n "${GLYPH_DISPLAY:-}" ]; then
  DISPLAY="$GLYPH_DISPLAY" run "$@"
else
  GLYPH_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$here/wine-run.sh" "$exe" "$@"
fi
