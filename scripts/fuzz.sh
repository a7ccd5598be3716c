#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) into their own build folder and runs each
# for N seconds (default 60): scripts/fuzz.sh [SECONDS]. Fails on any crash, leak or sanitizer
# report. FUZZ_BUILD_DIR overrides the build folder (default build-fuzz beside build).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DPLM_FUZZ=ON -DPLM_TESTS=OFF -DPLM_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if ! cmake --build "$build" -j "$(nproc)" --target fuzz_unpack fuzz_uncompress fuzz_animfile fuzz_image fuzz_seeds >"$build/build.log" 2>&1; then
  tail -40 "$build/build.log"
  exit 1
fi

bin="$build/bin"
status=0
mkdir -p "$build/corpus/unpack" "$build/corpus/uncompress" "$build/corpus/animfile" "$build/corpus/image"
"$bin/fuzz_seeds" "$build/corpus/unpack" "$build/corpus/uncompress" "$build/corpus/image"
# Animation files: the first byte is the texture offset (128 = 0), the rest the file.
printf '\x80%s' $'1\r\n0, 0, 32, 32, 3\r\n0, 0, 1, 0, 2, 0\r\n2, 2, 2\r\n' >"$build/corpus/animfile/seed1"
printf '\x82%s' $'2\n4,6,16,16,2\n1,0,2,1\n3,4\n0,0,8,8,1\n5.5,0\n1\n' >"$build/corpus/animfile/seed2"

for target in unpack uncompress animfile image; do
  log="$build/fuzz_$target.log"
  echo "fuzz_$target: ${seconds}s"
  # Sanitizer reports end the run with a non-zero status; leaks are checked at every input.
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     "$bin/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
       -print_final_stats=1 "$build/corpus/$target" >"$log" 2>&1; then
    grep -E "^(Done|stat::number_of_executed_units)" "$log" || true
  else
    echo "fuzz_$target FAILED; see $log"
    tail -40 "$log"
    status=1
  fi
done
exit $status
