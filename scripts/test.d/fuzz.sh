#!/usr/bin/env bash
# A short fuzz run of the archive reader, the decompressor, the animation, font, high-score and
# map file readers, the image decoder and the game's settings and level files (20 s each), after
# the tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: fuzz run skipped"
  exit 0
fi
FUZZ_BUILD_DIR="${BUILD_DIR:-$root/build}-fuzz" "$root/scripts/fuzz.sh" 20
