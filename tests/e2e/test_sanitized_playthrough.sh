#!/usr/bin/env bash
# The whole game on the sanitized build (AddressSanitizer, UBSan, leak check, a glGetError
# check after every event): intro, main menu, every options screen, a game with walking,
# turning and sustained firing at the easiest level, Escape and resume, the difficulty raised
# to the hardest level, a game lost by standing still, the results, quit. Any sanitizer or GL
# error report fails the test, as does an exit status other than 1.
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

# The game clock moves 40 ms per frame: what happens in the game then depends on the frames
# drawn, not on how long the test's own steps take on a busy machine. At the frame rates of
# the sanitized game that is about real time; the first game stays far from lost during the
# play below, the hardest one is lost within a few hundred frames.
export ZORBLAT_CLOCK_STEP_MS=40
e2e_start "$game"
e2e_wait_event '^ready$'
shot=$(e2e_screenshot intro)
menus_is_intro "$shot" || e2e_fail "the intro picture is not shown first"
e2e_key space
e2e_wait_screen main-menu

# Options hub, then each options screen, changing a few settings on the way.
e2e_click 512 432
e2e_wait_screen options
e2e_click 512 182 # video
e2e_wait_screen video-options
for point in "110 358" "330 358" "110 458" "330 458" "110 558" "330 558" "108 258" "108 258"; do
  e2e_click $point
done
e2e_click 132 666 # back: applies the video settings
e2e_wait_screen options
e2e_click 512 382 # audio
e2e_wait_screen audio-options
for point in "108 308" "108 308" "408 308" "508 308" "108 408" "108 408"; do
  e2e_click $point
done
e2e_click 132 666
e2e_wait_screen options
e2e_click 512 582 # game options
e2e_wait_screen game-options
for point in "613 308" "408 308" "58 408" "58 408"; do
  e2e_click $point
done
e2e_key Escape # back to the hub on the key's release
e2e_wait_screen options
e2e_click 132 666
e2e_wait_screen main-menu

# A game: walk with the AZERTY keys, the QWERTY forward key and the arrows, look around and
# fire in sweeps while the otters come in.
e2e_click 512 232
e2e_wait_event '^game-new difficulty=5 '
e2e_wait_screen game
for key in z w Up Down Left Right q d s; do
  e2e_key_down "$key"
  sleep 0.4
  e2e_key_up "$key"
done
# The first motion after entering the game only sets the reference point.
e2e_move 440 300
e2e_move 400 300
e2e_move 400 383 # look a little down, where the otters walk
sweep() {
  xdotool mousemove $((400 + $1)) 300 click 1
  sleep 0.08
}
for _ in 1 2 3 4 5 6; do
  for _ in 1 2 3 4 5; do sweep 60; done
  for _ in 1 2 3 4 5 6 7 8 9 10; do sweep -60; done
  for _ in 1 2 3 4 5; do sweep 60; done
done
e2e_event_seen '^(game-over|screen results)' && e2e_fail "the game ended while playing"

# Still in play: Escape suspends the game (a lost one would have gone to the results).
e2e_key Escape
e2e_wait_event '^game-suspended( |$)'
e2e_wait_screen main-menu
menus_wait_for menus_has_resume menu-suspended >/dev/null
e2e_click 512 162
e2e_wait_event '^game-resumed$'
e2e_wait_screen game
for _ in 1 2 3 4 5; do sweep 60; done
e2e_key Escape
e2e_wait_event '^game-suspended( |$)'
e2e_wait_screen main-menu

# Difficulty 20 ("Impossible"): thirty otters reach the building within seconds. Changing it
# ends the suspended game.
e2e_click 512 432
e2e_wait_screen options
e2e_click 512 582
e2e_wait_screen game-options
for _ in 1 2 3 4 5; do e2e_click 423 208; done
e2e_click 132 666
e2e_wait_screen options
e2e_click 132 666
e2e_wait_screen main-menu
shot=$(menus_wait_for menus_is_menu menu-hardest)
menus_has_resume "$shot" && e2e_fail "the game survived a change of difficulty"

# Standing still: the otters reach the building and the game is lost.
e2e_click 512 232
e2e_wait_event '^game-new difficulty=20 otters=30 life=30$'
e2e_wait_screen game
e2e_wait_event '^game-over .* kills=0 precision=0 difficulty=20$' 180
e2e_wait_screen results
e2e_key Escape
e2e_wait_screen main-menu
e2e_key Escape
e2e_wait_screen exit
e2e_key Return
e2e_expect_quit

sanitized_expect_clean
menus_expect_quiet_stderr
echo "sanitized play-through: ok in $((SECONDS - started)) s"
