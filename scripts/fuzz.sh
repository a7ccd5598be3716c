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
if ! cmake --build "$build" -j "$(nproc)" --target fuzz_unpack fuzz_uncompress fuzz_animfile fuzz_image fuzz_fontfile fuzz_scores fuzz_config fuzz_gamedata fuzz_mapfile fuzz_seeds >"$build/build.log" 2>&1; then
  tail -40 "$build/build.log"
  exit 1
fi

bin="$build/bin"
status=0
mkdir -p "$build/corpus/unpack" "$build/corpus/uncompress" "$build/corpus/animfile" "$build/corpus/image" \
  "$build/corpus/fontfile" "$build/corpus/scores" \
  "$build/corpus/config" "$build/corpus/gamedata" "$build/corpus/mapfile"
"$bin/fuzz_seeds" "$build/corpus/unpack" "$build/corpus/uncompress" "$build/corpus/image"
# Animation files: the first byte is the texture offset (128 = 0), the rest the file.
printf '\x80%s' $'1\r\n0, 0, 32, 32, 3\r\n0, 0, 1, 0, 2, 0\r\n2, 2, 2\r\n' >"$build/corpus/animfile/seed1"
printf '\x82%s' $'2\n4,6,16,16,2\n1,0,2,1\n3,4\n0,0,8,8,1\n5.5,0\n1\n' >"$build/corpus/animfile/seed2"
# Font files: an even first byte reads the multi-font form, an odd one the single-font form (the
# second byte sets the offsets, 128 = 0).
printf '\x00\x80%s' $'2\r\n1,3,0,0,24,2\r\n32,150,3\r\n0,6,8,10,20,9\r\n65,180,2\r\n0,12,14,11\r\n3,3,0,0,46,1\r\n67,300,1\r\n0,30\r\n' \
  >"$build/corpus/fontfile/seed1"
printf '\x03\x82%s' $'0\r\n12\r\n2\r\n2,40\r\n0,5,6,7\r\n1,60\r\n3,4\r\n' >"$build/corpus/fontfile/seed2"
# High-score files: the first byte sets the table sizes (13 = 2 places by 2 tables).
printf '\x0d%s' $'"GUEST"\r\n1000\r\n"12"\r\n""\r\n"Anne, Bee"\r\n500\r\n""\r\n"x"\r\n"C"\r\n-3\r\n""\r\n""\r\n"D"\r\n0\r\n""\r\n""\r\n' \
  >"$build/corpus/scores/seed1"
# Map files: a 3 x 2 map with one buffer, one layer and one sheet, and one of no columns.
printf -v reserved 'Reserved String\r\n%.0s' {1..10}
printf '%s' $'Pelmar Engine Map Data\r\nPelmar 2D Game Engine\r\nsite\r\n 2  3  2 \r\n1\r\n 640 \r\n 480 \r\n 1 \r\n 1 \r\n 8 \r\n 8 \r\n 3 \r\n 2 \r\n 64 \r\n 64 \r\n 2 \r\n 2 \r\n 1 \r\ntiles, 1.png\r\n'"$reserved"$'0,1,2\r\n3,4,-1\r\n5,6,7\r\n8,0,0\r\n'"$reserved" >"$build/corpus/mapfile/seed1"
printf '%s' $'Pelmar Engine Map Data\r\nx\r\ny\r\n 2  3  2 \r\n1\r\n 640 \r\n 480 \r\n 2 \r\n 3 \r\n 16 \r\n 32 \r\n 0 \r\n 9 \r\n-3 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n'"$reserved$reserved" >"$build/corpus/mapfile/seed2"

# The settings file with the defaults and with every field changed; the start of a level file.
printf '#TRUE#\r\n#FALSE#\r\n80\r\n90\r\n50\r\n#TRUE#\r\n"GUEST"\r\n' >"$build/corpus/config/seed1"
printf '#FALSE#\r\n#TRUE#\r\n0\r\n100\r\n73\r\n#FALSE#\r\n"MAX, THE 2ND"\r\n' >"$build/corpus/config/seed2"
printf '1,2,1,1,2,2,1,7,1,2,2,1\r\n3 4 5 6 21 0 8 9 10 11 12 13\n' >"$build/corpus/gamedata/seed1"

for target in unpack uncompress animfile image fontfile scores config gamedata mapfile; do
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
