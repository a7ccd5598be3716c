#!/usr/bin/env bash
# Writes a review of the generated media into build/review/ (or $BUILD_DIR/review): one contact
# sheet per picture with every rectangle the game draws from outlined and numbered, an enlarged
# sheet of the gem animations, a spectrogram of every sound sample and of two loops of every
# music module. Builds the media first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target media modrender mockscreen mediarects >/dev/null
media="$build/media"
out="$build/review"
rm -rf "$out"
mkdir -p "$out"

# The rectangles, straight from the layout table the game and the generators share.
"$build/tools/mediarects" > "$out/rects.tsv"

for pic in "$media"/*.png "$media"/*.jpg; do
  name="$(basename "$pic")"
  args=()
  while IFS=$'\t' read -r p x y w h label; do
    [ "$p" = "$name" ] || continue
    # the gem frames are many: outline them without labels
    args+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
  done < "$out/rects.tsv"
  convert \( -size "$(identify -format '%wx%h' "$pic")" pattern:checkerboard -fill '#3a3a3a' -colorize 60% \) \
    "$pic" -compose over -composite -fill none -stroke '#ff00ff' -strokewidth 1 "${args[@]}" \
    "$out/${name%.*}-sheet.png"
done

# The board pieces four times enlarged: every kind, every frame.
convert "$media/t1.png" -crop 1023x660+0+0 +repage -background '#101830' -flatten -scale 200% "$out/gems-x2.png"
# Game and title screens composed from the files as the game draws them.
"$build/tools/mockscreen" "$media" "$out"
for f in "$media"/*.wav; do
  sox "$f" -n spectrogram -x 600 -y 257 -t "$(basename "$f")" -o "$out/$(basename "${f%.wav}")-spectrogram.png"
done
for f in "$media"/*.mod; do
  wav="$out/$(basename "${f%.mod}").wav"
  "$build/tools/modrender" "$f" "$wav"
  sox "$wav" -n remix 1 spectrogram -x 1200 -y 257 -t "$(basename "$f") (two loops)" -o "$out/$(basename "${f%.mod}")-spectrogram.png"
done
echo "review written to $out"
