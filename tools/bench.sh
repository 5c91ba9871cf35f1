#!/usr/bin/env bash
# Builds the 64-bit benchmarks and prints their figures (ratios against baselines measured in the
# same run, so the numbers mean the same on a slow machine).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build/win64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build/win64" --target font_list_benchmark command_bar_benchmark command_bar_menu_benchmark \
  character_map_benchmark program_benchmark \
  -j "$(nproc)"
"$root/tools/wine-run.sh" "$build/win64/src/app/font_list_benchmark.exe"
"$root/tools/wine-run.sh" "$build/win64/src/commandbar/command_bar_benchmark.exe"
"$root/tools/wine-run.sh" "$build/win64/src/commandbar/command_bar_menu_benchmark.exe"
"$root/tools/wine-run.sh" "$build/win64/src/app/character_map_benchmark.exe"
"$root/tools/wine-run.sh" "$build/win64/src/app/program_benchmark.exe"
