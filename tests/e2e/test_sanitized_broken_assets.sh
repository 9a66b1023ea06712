#!/usr/bin/env bash
# A few broken assets on the sanitized game, one kind of each: a missing model, a garbage sky
# face, a truncated sound, a garbage playlist. Each time the game reaches the main menu, plays
# a few seconds with shots and quits with status 1, without a crash or sanitizer report.
# scripts/asset_sweep.sh runs every file in every way.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
source "$(dirname "$0")/sanitized.sh"
source "$(dirname "$0")/assetcase.sh"
game=$1
for case in "models/loutre.obj missing" "textures/skybox/top.bmp garbage" \
  "sons/detonation.ogg truncated" "playlist/playlist.m3u garbage"; do
  read -r file mode <<<"$case"
  folder=$(assetcase_prepare "$game" "$file" "$mode")
  assetcase_play "$game" "$folder" "$(echo "$file-$mode" | tr '/' '_')"
done
echo "broken assets: ok"
