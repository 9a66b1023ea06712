#!/usr/bin/env bash
# The whole game on the sanitized build (AddressSanitizer, UBSan, leak check, a glGetError
# check after every event): intro, main menu, every options screen, a game with walking,
# turning and sustained firing at the easiest level, Escape and resume, the difficulty raised
# to the hardest level, a game lost by standing still, the results, quit. Any sanitizer or GL error report fails the test, as does
# an exit status other than 1.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
source "$(dirname "$0")/sanitized.sh"
game=$(sanitized_game "$1")
folder=$(dirname "$game")
started=$SECONDS

# The default settings at difficulty 5: the otters need most of a minute to reach the building.
{
  printf '\x05\x00\x00\x00'
  echo "$MENUS_DEFAULT_CONFIG" | xxd -r -p | tail -c 44
} >"$folder/config.cfg"

# Sanitized drawing under llvmpipe is slow: allow more time for the first frames.
E2E_SETTLE=4 e2e_start "$game"
shot=$(e2e_screenshot intro)
menus_is_intro "$shot" || e2e_fail "the intro picture is not shown first"
e2e_key space
menus_wait_for menus_is_menu main-menu 60 >/dev/null

not_menu() { ! menus_is_menu "$1"; }

# Options hub, then each options screen, changing a few settings on the way.
e2e_click 512 432
menus_wait_for not_menu options-hub 20 >/dev/null
e2e_click 512 182  # video
for point in "110 358" "330 358" "110 458" "330 458" "110 558" "330 558" "108 258" "108 258"; do
  e2e_click $point
done
e2e_click 132 666  # back: applies the video settings
e2e_click 512 382  # audio
for point in "108 308" "108 308" "408 308" "508 308" "108 408" "108 408"; do
  e2e_click $point
done
e2e_click 132 666
e2e_click 512 582  # game options
for point in "613 308" "408 308" "58 408" "58 408"; do
  e2e_click $point
done
e2e_key Escape  # back to the hub on the key's release
e2e_click 132 666
menus_wait_for menus_is_menu menu-after-options 20 >/dev/null

# A game: walk with the AZERTY keys, the QWERTY forward key and the arrows, look around and
# fire in sweeps while the otters come in.
e2e_click 512 232
menus_wait_for menus_is_game game 20 >/dev/null
for key in z w Up Down Left Right q d s; do
  e2e_key_down "$key"
  sleep 0.4
  e2e_key_up "$key"
done
# The first motion after entering the game only sets the reference point.
e2e_move 440 300
e2e_move 400 300
e2e_move 400 383  # look a little down, where the otters walk
sweep() { xdotool mousemove $((400 + $1)) 300 click 1; sleep 0.08; }
for _ in 1 2 3 4 5 6; do
  for _ in 1 2 3 4 5; do sweep 60; done
  for _ in 1 2 3 4 5 6 7 8 9 10; do sweep -60; done
  for _ in 1 2 3 4 5; do sweep 60; done
done
e2e_screenshot after-firing >/dev/null
# Told by what the game reports: a lit ground can look like the intro's picture.
e2e_event_seen '^(game-over|screen results)' && e2e_fail "the game ended while playing"

e2e_key Escape
shot=$(menus_wait_for menus_is_menu menu-suspended 20)
menus_has_resume "$shot" || e2e_fail "no resume button after Escape"
e2e_click 512 162
menus_wait_for menus_is_game game-resumed 20 >/dev/null
for _ in 1 2 3 4 5; do sweep 60; done
e2e_key Escape
menus_wait_for menus_is_menu menu-suspended-again 20 >/dev/null

# Difficulty 20 ("Impossible"): thirty otters reach the building within seconds. Changing it
# ends the suspended game.
e2e_click 512 432
menus_wait_for not_menu options-hub-again 20 >/dev/null
e2e_click 512 582
for _ in 1 2 3 4 5; do e2e_click 423 208; done
e2e_click 132 666
e2e_click 132 666
shot=$(menus_wait_for menus_is_menu menu-hardest 20)
menus_has_resume "$shot" && e2e_fail "the game survived a change of difficulty"

# Standing still: the otters reach the building and the game is lost.
e2e_click 512 232
menus_wait_for menus_is_game game-hardest 20 >/dev/null
# The results screen is grass from top to bottom; the game and the menus show a night sky
# at the top.
is_results() {
  local r g b
  read -r r g b <<<"$(e2e_region_mean "$1" 300 40 400 100)"
  [ "$g" -gt 80 ] && [ "$g" -gt $((b + 30)) ]
}
menus_wait_for is_results results 90 >/dev/null
e2e_key Escape
menus_wait_for menus_is_menu menu-after-results 20 >/dev/null
e2e_key Escape
menus_wait_for menus_is_exit exit-screen 20 >/dev/null
e2e_key Return
e2e_wait_exit 60
[ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS, expected 1"

sanitized_expect_clean
menus_expect_quiet_stderr
echo "sanitized play-through: ok in $((SECONDS - started)) s"
