#!/usr/bin/env bash
# A lost game on the real game: a new game where the player turns to the building and fires
# while the otters walk in unhindered; the building falls, the results screen shows, a click,
# a letter key and Return there keep it, Escape leads to the main menu, where the lost game
# cannot be resumed.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
e2e_click 512 232 # new game
e2e_wait_screen game

# A few steps out from the building, then about half a turn, in small steps the game
# measures one by one: the otters walking in converge on the building, in view. How far the
# walk goes does not matter; the otters take the building wherever the player stands.
e2e_key_down z
sleep 1
e2e_key_up z
for _ in $(seq 16); do
  xdotool mousemove_relative -- 110 0
done
# Firing while the otters come (standing still, they take the building in some 20 s of game
# time at the default level).
xdotool click --repeat 40 --delay 150 1
e2e_wait_event '^game-over ' 120
over=$E2E_EVENT
e2e_wait_screen results
[ "$(e2e_event_field "$over" difficulty)" = 11 ] || e2e_fail "not the default level: $over"
precision=$(e2e_event_field "$over" precision)
[ "$precision" -ge 0 ] && [ "$precision" -le 100 ] || e2e_fail "precision out of range: $over"
# The score counts at least the seconds the otters took.
[ "$(e2e_event_field "$over" score)" -ge 10 ] || e2e_fail "too low a score: $over"

# Only Escape leaves: the next screen after these must be the main menu, and the one after
# that the options the test asks for.
e2e_click 900 100
e2e_key a Return
e2e_key Escape
e2e_wait_screen main-menu
shot=$(menus_wait_for menus_is_menu main-menu-after-results)
menus_has_resume "$shot" && e2e_fail "a lost game can be resumed"
e2e_click 512 432
e2e_wait_screen options
e2e_key Escape
e2e_wait_screen main-menu
menus_quit_from_main_menu
echo "results: ok"
