#!/usr/bin/env bash
# Writes one labelled contact-sheet PNG of every texture of a generated ressources/ folder, to
# look at the art in one go.
#   scripts/contact_sheet.sh [RESSOURCES_DIR] [OUTPUT_PNG]
# Defaults: build/release/ressources and build/contact-sheet.png. Small pictures are scaled up
# (without smoothing) so ramps and radar dots stay readable; labels carry the folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
input=${1:-$root/build/release/ressources}
output=${2:-$root/build/contact-sheet.png}

if [ ! -d "$input/textures" ]; then
  echo "no textures folder under $input (build first: scripts/build.sh release)" >&2
  exit 1
fi
mapfile -t pictures < <(cd "$input/textures" && find . -name '*.bmp' | sed 's|^\./||' | sort)
if [ ${#pictures[@]} -eq 0 ]; then
  echo "no BMP files under $input/textures" >&2
  exit 1
fi

mkdir -p "$(dirname "$output")"
# ImageMagick's default font may be missing; any installed sans face will do for the labels.
font=()
if face=$(fc-match -f '%{file}' sans 2>/dev/null) && [ -f "$face" ]; then
  font=(-font "$face")
fi
(cd "$input/textures" &&
  montage "${font[@]}" -label '%d/%f' -filter point -geometry 192x192+6+6 -tile 6x \
    -background '#303030' -fill white -pointsize 12 "${pictures[@]}" "$output")
echo "$output (${#pictures[@]} pictures)"
