#!/usr/bin/env bash
# Leaving the window during play suspends the game as Escape does, both ways: the window
# unmapped (hidden, minimised) and the keyboard focus moved to another window. Each time the
# main menu shows with the resume button, nothing resumes on its own, the pointer is no longer
# warped, and the score's clock stands still while the player is away.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_wait_event '^ready'
e2e_key space
e2e_wait_screen main-menu
e2e_click 512 232 # new game
e2e_wait_screen game
sleep 1

# Away and back: the suspended main menu, and it stays; the pointer stays where it is put.
expect_suspended_menu() {
  local how=$1
  e2e_move 700 500
  sleep 1
  local at
  at=$(xdotool getmouselocation | cut -d' ' -f1-2)
  [ "$at" = "x:700 y:500" ] || e2e_fail "$how: the pointer is still warped ($at)"
  shot=$(menus_wait_for menus_is_menu "menu-after-$how" 10)
  menus_has_resume "$shot" || e2e_fail "$how: no resume button"
  sleep 1
  e2e_take_event '^game-resumed' && e2e_fail "$how: the game resumed on its own"
  return 0
}
score_of() { e2e_event_field "$1" score; }

xdotool windowunmap "$E2E_WINDOW"
e2e_wait_event '^hidden'
e2e_wait_event '^game-suspended'
first=$(score_of "$E2E_EVENT")
away_from=$SECONDS
e2e_wait_screen main-menu
sleep 8
xdotool windowmap "$E2E_WINDOW"
e2e_wait_event '^shown'
expect_suspended_menu hidden

e2e_click 512 162 # resume
e2e_wait_event '^game-resumed'
back_at=$SECONDS
sleep 1
xmessage -geometry 200x60+0+0 "ailleurs" 2>/dev/null &
other_pid=$!
other=$(timeout 30 xdotool search --sync --onlyvisible --name '^xmessage$' | head -n1)
xdotool windowfocus "$other"
e2e_wait_event '^focus-lost'
e2e_wait_event '^game-suspended'
second=$(score_of "$E2E_EVENT")
played=$((SECONDS - back_at))
away=$((SECONDS - away_from - played))
e2e_wait_screen main-menu
[ "$away" -gt 4 ] || e2e_fail "too little time away to tell"
# Seconds counted between the two suspensions: the time played (whole seconds, each end
# rounded), not the time spent away.
[ $((second - first)) -le $((played + 2)) ] ||
  e2e_fail "the score went from $first to $second over $played s of play: time away counted"
kill "$other_pid"
xdotool windowfocus "$E2E_WINDOW"
expect_suspended_menu focus
echo "suspend: ok (score $first then $second over $played s of play and $away s away)"
