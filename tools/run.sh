#!/usr/bin/env bash
# Builds the 64-bit program and runs it under wine64.
# With a display, the window opens there. Without one, an Xvfb server hosts a Wine virtual desktop,
# the program runs in it, and a PNG screenshot is saved (its path is printed).
#
# The program runs in its own Wine prefix (build/win64/wineprefix-run). On the first run there,
# preferences are seeded for a demonstration: fonts load at start, 14 pt black text on white, the
# tool bar shown.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}"
shot="${GLYPH_SCREENSHOT:-$build/glyphoscope.png}"
wait_seconds="${GLYPH_SCREENSHOT_DELAY:-12}"

"$root/tools/install-deps.sh"
# The test command's tree: only the program is built here, and its tests stay configured.
cmake -S "$root" -B "$build/win64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build/win64" --target Glyphoscope -j "$(nproc)"
exe="$build/win64/src/app/Glyphoscope.exe"

. "$root/tools/wine-env.sh"
GLYPH_DESKTOP_SIZE=1024x768 glyph_wine_prefix "$build/win64/wineprefix-run"

key='HKCU\Software\Marrowind\Glyphoscope 2.3\Preferences'
if ! "$WINE" reg query "$key" >/dev/null 2>&1; then
  # The figures and both Russian alphabets, as the presets compose them.
  sample='0123456789 абвгдеёжзийклмнопрстуфхцчшщъыьэюя АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ '
  "$WINE" reg add "$key" /v LoadFontsAtProgramStartup /d 1 /f >/dev/null 2>&1
  "$WINE" reg add "$key" /v FontSize /d 14 /f >/dev/null 2>&1
  "$WINE" reg add "$key" /v FontColor /d 0 /f >/dev/null 2>&1
  "$WINE" reg add "$key" /v BackColor /d 16777215 /f >/dev/null 2>&1
  "$WINE" reg add "$key" /v ShowToolBar /d 1 /f >/dev/null 2>&1
  "$WINE" reg add "$key" /v ViewerText /d "$sample" /f >/dev/null 2>&1
  for preset in TextFigures TextRussianSmall TextRussianBig; do
    "$WINE" reg add "$key" /v "$preset" /d 1 /f >/dev/null 2>&1
  done
fi

if [ -n "${DISPLAY:-}" ] && [ -z "${GLYPH_HEADLESS:-}" ]; then
  exec "$WINE" "$exe"
fi

# No display: a private X server, the program in a virtual desktop, then a screenshot.
display_number=$((90 + RANDOM % 100))
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=":$display_number"
sleep 1
"$WINE" explorer /desktop=Glyphoscope,1024x768 "$exe" >/dev/null 2>&1 &
sleep "$wait_seconds"
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
"${WINESERVER:-wineserver}" -k 2>/dev/null || true
echo "Screenshot saved: $shot"
