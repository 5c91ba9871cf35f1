#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the portable core on the host, under AddressSanitizer and UndefinedBehaviorSanitizer;
#   - the core's fuzz targets (clang, libFuzzer), each run for a few seconds over its corpus;
#   - clang-tidy over the core (tools/tidy.sh), which must report nothing;
#   - the Windows program and its tests for x86_64, run through wine64 inside Xvfb;
#   - the 32-bit Windows build (compiled and linked; this machine cannot run it);
#   - the installers and zips from the release builds (tools/package.sh), installed and run under
#     Wine by a test of their own (CTest label "packages").
# All tests run through one CTest invocation, whose summary is the last thing printed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}"
jobs="${GLYPH_JOBS:-$(nproc)}"

"$root/tools/install-deps.sh"

# A later run on the same machine reuses the compilations of earlier ones, from any clone: ccache
# hashes paths relative to the tree.
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

configure() {  # dir [cmake args...]
  local dir="$1"; shift
  # Tests on, whatever an earlier configuration of the tree left in its cache.
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DGLYPH_BUILD_TESTS=ON \
    "$@" >/dev/null
}

configure "$build/host"
cmake --build "$build/host" -j "$jobs"
"$root/tools/fuzz.sh" --build
configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
cmake --build "$build/win64" -j "$jobs"
# The packages configure the 32-bit tree as the i686 release build; its tests compile there too.
"$root/tools/package.sh"
cmake --build "$build/win32" -j "$jobs"

# One CTest run over the trees that can run here, and the packages.
cat >"$build/CTestTestfile.cmake" <<CTEST
subdirs("host")
subdirs("fuzz")
subdirs("win64")
add_test(core-tidy "$root/tools/tidy.sh")
set_tests_properties(core-tidy PROPERTIES LABELS tidy TIMEOUT 900 ENVIRONMENT GLYPH_JOBS=1)
add_test(packages-install "$root/tests/packages/install_test.sh" "$build/packages")
set_tests_properties(packages-install PROPERTIES LABELS packages TIMEOUT 900 RESOURCE_LOCK wine-desktop)
CTEST
cd "$build"
# Two at a time: the Windows tests take turns on the Wine desktop (their lock) while the host's
# tests, the fuzz runs and clang-tidy (one job) use the other core.
exec ctest --output-on-failure --timeout 600 -j 2
