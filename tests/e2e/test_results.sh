#!/usr/bin/env bash
# A lost game on the real game: a new game where the player turns to the building and fires
# while the otters walk in unhindered; the building falls, the results screen shows, a click
# there keeps it, Escape leads to the main menu, where the lost game cannot be resumed.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_key space
menus_wait_for menus_is_menu main-menu >/dev/null
e2e_click 512 232 # new game
menus_wait_for menus_is_game game 10 >/dev/null

# A few steps out from the building, then about half a turn, in small steps the game
# measures one by one: the otters walking in converge on the building, in view.
e2e_key_down z
sleep 1.5
e2e_key_up z
for _ in $(seq 16); do
  xdotool mousemove_relative -- 110 0
  sleep 0.1
done
# Firing until the building falls (standing still, that takes some 20 s at the default
# level). Each shot's muzzle flash shows in the next game frame, whenever that comes.
shots=0
while :; do
  [ "$shots" -lt 60 ] || e2e_fail "the game was not lost within 60 shots"
  shots=$((shots + 1))
  xdotool click 1
  sleep 0.15
  shot=$(e2e_screenshot "game-firing-$shots")
  menus_is_results "$shot" && break
  e2e_running || e2e_fail "the game ended during play"
done
e2e_click 900 100
shot=$(e2e_screenshot results-after-click)
menus_is_results "$shot" || e2e_fail "a click left the results screen"
e2e_key Escape
shot=$(menus_wait_for menus_is_menu main-menu-after-results 10)
menus_has_resume "$shot" && e2e_fail "a lost game can be resumed"
e2e_key Escape
menus_wait_for menus_is_exit exit-screen 10 >/dev/null
e2e_key a
e2e_wait_exit 20
[ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS, expected 1"
menus_expect_quiet_stderr
echo "results: ok"
