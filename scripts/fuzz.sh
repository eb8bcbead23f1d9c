#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into their own folder (the normal GCC build
# is not touched) and runs them one after another on their committed seed corpora.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     default 180 seconds each, every target
#
# New inputs go to build-fuzz/corpus/<target> (the committed seeds stay as they are);
# a crash leaves its input in build-fuzz/findings/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH=${1:-180}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(fuzz_document fuzz_picture fuzz_bmp fuzz_lha fuzz_plan fuzz_csv)

PACKAGES=(clang-14 libfuzzer-14-dev cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev liblhasa-dev libgif-dev)
scripts/install-packages.sh "${PACKAGES[@]}"

BUILD=${OLTRANE_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang-14 CXX=clang++-14 cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOLTRANE_FUZZ=ON -DOLTRANE_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target "${TARGETS[@]}"

# Leaks are checked per input, so Qt's own start-up allocations do not count.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in "${TARGETS[@]}"; do
  corpus="$BUILD/corpus/$t"
  findings="$BUILD/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "== $t: ${SECONDS_EACH}s"
  if ! "$BUILD/fuzz/$t" -max_total_time="$SECONDS_EACH" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$t" 2>"$BUILD/$t.log"; then
    status=1
    echo "   FAILED: see $BUILD/$t.log and $findings"
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^#[0-9]+ *DONE' "$BUILD/$t.log" | sed 's/^/   /' || true
done
exit $status
