#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the portable core on the host, under AddressSanitizer and UndefinedBehaviorSanitizer;
#   - the core's fuzz targets (clang, libFuzzer), each run for a few seconds over its corpus;
#   - the Windows program and its tests for x86_64, run through wine64 inside Xvfb;
#   - the 32-bit Windows build (compiled and linked; this machine cannot run it).
# All tests run through one CTest invocation, whose summary is the last thing printed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}"
jobs="${GLYPH_JOBS:-$(nproc)}"

"$root/tools/install-deps.sh"

configure() {  # dir [cmake args...]
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

configure "$build/host"
cmake --build "$build/host" -j "$jobs"
"$root/tools/fuzz.sh" --build
configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
cmake --build "$build/win64" -j "$jobs"
configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
cmake --build "$build/win32" -j "$jobs"

# One CTest run over the trees that can run here.
cat >"$build/CTestTestfile.cmake" <<CTEST
subdirs("host")
subdirs("fuzz")
subdirs("win64")
CTEST
cd "$build"
exec ctest --output-on-failure --timeout 600
