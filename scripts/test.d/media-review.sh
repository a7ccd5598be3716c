#!/usr/bin/env bash
# The media review on the fresh build (about 15 s), so that a change breaking it shows here: the
# layout table lists its rectangles, every picture gets its contact sheet and every sound sample
# and music module its spectrogram.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD_DIR:-$root/build}"
BUILD_DIR="$build" "$root/scripts/media-review.sh"
review="$build/review"
status=0
[ -s "$review/rects.tsv" ] || { echo "media review: no rectangles listed"; status=1; }
for f in "$build"/media/*.png "$build"/media/*.jpg; do
  n="$(basename "${f%.*}")-sheet.png"
  [ -s "$review/$n" ] || { echo "media review: $n missing"; status=1; }
done
for f in "$build"/media/*.wav "$build"/media/*.mod; do
  n="$(basename "${f%.*}")-spectrogram.png"
  [ -s "$review/$n" ] || { echo "media review: $n missing"; status=1; }
done
exit $status
