#!/usr/bin/env bash
# Retakes every screenshot in docs/screenshots/ from the real Release game, by running the
# end-to-end tests that visit each screen: intro, main menu without and with the resume
# button, options hub, video, audio and game options, a game in play, results, exit screen.
# Usage: scripts/screenshots.sh [GAME_BINARY] (an X server is not needed: the tests start one).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/release/zorblat}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for test in menus options results; do
  ZORBLAT_E2E_OUT=$out bash "$root/tests/e2e/test_$test.sh" "$game"
done

docs=$root/docs/screenshots
mkdir -p "$docs"
take() { cp "$out/$1.png" "$docs/$2.png"; }
take test_menus-intro intro
take test_menus-main-menu main-menu
take test_menus-main-menu-resume main-menu-resume
take test_menus-exit-screen exit-screen
take test_options-hub options-hub
take test_options-video-options video-options
take test_options-audio-options audio-options
take test_options-game-options game-options
# The grass picture does not compress well: 256 colours keep it small.
convert "$out/test_results-results-after-click.png" -colors 256 "PNG8:$docs/results.png"

# Of the game frames taken just after each shot, the latest one that shows the muzzle flash,
# when the otters are nearest; else the one where it shows most. The results screen's green
# grass tells its frames apart.
best="" best_flash=-1 latest_flash=""
for shot in $(ls -v "$out"/test_results-game-firing-*.png); do
  read -r r g b <<<"$(convert "$shot" \
    -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]' info:)"
  [ "$g" -gt $((r + 30)) ] && [ "$g" -gt $((b + 40)) ] && continue
  # The flash's orange star around the muzzle (a lit patch of ground counts a little).
  flash=$(convert "$shot" -crop 500x230+200+380 +repage \
    -fx 'r > 0.9 && g > 0.3 && g < 0.85 && b < 0.3 ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:)
  [ "$flash" -lt 3000 ] || latest_flash=$shot
  if [ "$flash" -gt "$best_flash" ]; then
    best=$shot best_flash=$flash
  fi
done
cp "${latest_flash:-$best}" "$docs/game.png"
echo "screenshots written to $docs"
