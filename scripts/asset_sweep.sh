#!/usr/bin/env bash
# Every file the game reads, missing, cut short and replaced by garbage, one run of the
# sanitized game each (build/test/zorblat): it must reach the main menu, play a few seconds
# with shots and quit with status 1, without a crash or a sanitizer or GL error report.
#   scripts/asset_sweep.sh [--shard K/N] [--skip-passed LOG] [PATTERN]
#     PATTERN           only the files whose path matches it (grep -E)
#     --shard K/N       only every N-th case from the K-th (0-based): N shards split the sweep
#                       between processes or machines
#     --skip-passed LOG leaves out the cases an earlier sweep's output LOG reports as passed
# Each case runs on its own copy of the ressources and its own Xvfb; screenshots and the stderr
# of failed cases go to $ZORBLAT_E2E_OUT (default /tmp/zorblat-e2e). Prints one line per case
# and a summary; exit status 1 when any case failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game="$root/build/test/zorblat"
shard=0/1
passed_log=
while [ $# -gt 0 ]; do
  case "$1" in
    --shard) shard=$2; shift 2 ;;
    --skip-passed) passed_log=$2; shift 2 ;;
    *) break ;;
  esac
done
pattern=${1:-.}
shard_index=${shard%/*}
shard_count=${shard#*/}
[ -x "$game" ] || { echo "build the sanitized game first: scripts/build.sh test zorblat" >&2; exit 2; }

# What the game opens, by the code that opens it (GameScreen, OtterHerd, Weapon, the menus, the
# intro, the cursor and sparkles, SkyBox, SoundManager, Playlist).
files=(
  textures/firstMenu.bmp textures/fire.bmp textures/crosshair.bmp textures/toon.bmp
  textures/toon_glow.bmp textures/HUD/balayeur.bmp textures/HUD/point.bmp textures/HUD/radar.bmp
  textures/Font.bmp textures/sol.bmp textures/lightmap2.bmp textures/loutre.bmp
  textures/immeuble.bmp textures/arme.bmp textures/particle.bmp textures/blood.bmp
  textures/mouse.bmp textures/fond_menu.bmp textures/VRK.bmp textures/lastMenu.bmp
  textures/skybox/back.bmp textures/skybox/bottom.bmp textures/skybox/front.bmp
  textures/skybox/left.bmp textures/skybox/right.bmp textures/skybox/top.bmp
  textures/ihm/bouton1.bmp textures/ihm/bouton2.bmp textures/ihm/check.bmp
  textures/ihm/fleched.bmp textures/ihm/flecheg.bmp textures/ihm/optaud1.bmp
  textures/ihm/optaud2.bmp textures/ihm/options1.bmp textures/ihm/options2.bmp
  textures/ihm/optjeu1.bmp textures/ihm/optjeu2.bmp textures/ihm/optvid1.bmp
  textures/ihm/optvid2.bmp textures/ihm/quitter1.bmp textures/ihm/quitter2.bmp
  textures/ihm/resume1.bmp textures/ihm/resume2.bmp textures/ihm/retour1.bmp
  textures/ihm/retour2.bmp
  models/immeuble.obj models/loutre.obj models/loutre_low.obj models/arme.obj models/VRK.obj
  sons/detonation.ogg sons/boom.ogg sons/clic.ogg sons/loutre1.wav sons/loutre2.wav
  sons/loutre3.wav sons/musique.mid
)

# The playlist is optional and absent from the generated tree, so its cases add one: a good
# playlist of broken tracks, a garbage playlist, a garbage base folder, a playlist cut short.
playlist_case() {
  local dir=$1 mode=$2
  mkdir -p "$dir/playlist"
  case "$mode" in
    broken-tracks)
      head -c 3000 "$dir/sons/boom.ogg" >"$dir/sons/cut.ogg"
      head -c 20000 /dev/urandom >"$dir/sons/noise.ogg"
      printf '%s\n' "$dir/sons" >"$dir/playlist/base_repertoire.txt"
      printf '#EXTM3U\ncut.ogg\nnoise.ogg\nnothing-here.ogg\n\n' >"$dir/playlist/playlist.m3u"
      ;;
    garbage-playlist) head -c 4096 /dev/urandom >"$dir/playlist/playlist.m3u" ;;
    garbage-base)
      head -c 4096 /dev/urandom >"$dir/playlist/base_repertoire.txt"
      printf '#EXTM3U\nboom.ogg\n' >"$dir/playlist/playlist.m3u"
      ;;
    truncated-playlist) printf '#EXTM3U\n#EXTINF:12,Bo' >"$dir/playlist/playlist.m3u" ;;
  esac
}

run_case() {
  local file=$1 mode=$2
  (
    source "$root/tests/e2e/lib.sh"
    source "$root/tests/e2e/menus.sh"
    source "$root/tests/e2e/sanitized.sh"
    source "$root/tests/e2e/assetcase.sh"
    if [ "$file" = playlist ]; then
      folder=$(mktemp -d "$E2E_DIR/ressources.XXXX")
      cp -r "$root/build/test/ressources/." "$folder"
      playlist_case "$folder" "$mode"
    else
      folder=$(assetcase_prepare "$game" "$file" "$mode")
    fi
    assetcase_play "$game" "$folder" "$(echo "$file-$mode" | tr '/' '_')"
  ) >/dev/null 2>"$log"
}

passed=0
failed=0
log=$(mktemp)
cases=()
for file in "${files[@]}"; do
  for mode in missing truncated garbage; do cases+=("$file $mode"); done
done
for mode in broken-tracks garbage-playlist garbage-base truncated-playlist; do
  cases+=("playlist $mode")
done
index=-1
for c in "${cases[@]}"; do
  index=$((index + 1))
  [ $((index % shard_count)) = "$shard_index" ] || continue
  read -r file mode <<<"$c"
  echo "$file" | grep -Eq -- "$pattern" || continue
  if [ -n "$passed_log" ] && grep -qx "pass  $file $mode" "$passed_log"; then
    continue
  fi
  if run_case "$file" "$mode"; then
    passed=$((passed + 1))
    echo "pass  $file $mode"
  else
    failed=$((failed + 1))
    echo "FAIL  $file $mode"
    sed 's/^/      /' "$log" | tail -n 30
  fi
done
rm -f "$log"
echo "asset sweep: $((passed + failed)) cases, $passed passed, $failed failed"
[ "$failed" = 0 ]
