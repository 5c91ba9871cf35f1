#!/usr/bin/env bash
# Builds the core's libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build/fuzz and runs them:
#   tools/fuzz.sh [SECONDS [TARGET...]]   each target (default all) for SECONDS (default 180)
#   tools/fuzz.sh --build                 only configure and build (tools/test.sh uses this)
# Targets run one at a time; GLYPH_FUZZ_JOBS=2 runs two at once. New inputs collect in
# build/fuzz/corpus/<target>, crashes in build/fuzz/crashes/<target>-crash-..., logs in
# build/fuzz/logs. A crash to keep goes into core/fuzz/corpus/<target> once it is fixed. Replaying
# one input with GLYPH_FUZZ_TRACE=1 makes the command bar model target print what it runs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GLYPH_BUILD_DIR:-$root/build}/fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DGLYPH_FUZZ=ON -DGLYPH_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${GLYPH_JOBS:-$(nproc)}"
[ "${1:-}" = "--build" ] && exit 0

seconds="${1:-180}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$root"/core/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
mkdir -p "$build/logs"

run() {  # target
  mkdir -p "$build/corpus/$1"
  "$build/core/fuzz/fuzz_$1" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$1-" "$build/corpus/$1" "$root/core/fuzz/corpus/$1" \
    >"$build/logs/$1.log" 2>&1
}

failed=0
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "${GLYPH_FUZZ_JOBS:-1}" ]; do wait -n || failed=1; done
  echo "fuzzing $target for ${seconds}s"
  run "$target" &
done
while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n || failed=1; done

# One line per target: speed and coverage from libFuzzer's closing figures.
for target in "${targets[@]}"; do
  log="$build/logs/$target.log"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
  coverage="$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)"
  crashes="$(find "$build/crashes" -name "$target-*" | wc -l)"
  echo "$target: ${speed:-?} exec/s, ${coverage:-no coverage line}, crash files: $crashes (log: $log)"
done
[ "$failed" -eq 0 ] || { echo "a target failed: see its log and build/fuzz/crashes"; exit 1; }
