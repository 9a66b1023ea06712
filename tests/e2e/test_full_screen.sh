#!/usr/bin/env bash
# Full screen on desktops of several shapes (game mode is refused under Xvfb): the window covers
# the screen, the 4:3 picture is centred between black bars of the expected size, clicks on the
# drawn buttons act (the difficulty arrows at both ends of their line included), a click on a
# bar acts on nothing, and Alt+Enter and F11 go to a 1024 x 768 window and back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"

# Picture rectangle of the last window line: PX PY PW PH (top-left origin).
picture_of() { e2e_event_field "$E2E_EVENT" picture | tr ',' ' '; }
# Window pixel showing picture point (x, y).
at() { echo $((PX + $1 * PW / 1024)) $((PY + $2 * PH / 768)); }
click_at() { e2e_click $(at "$1" "$2"); }
# Channel sum of the mean colour of a rectangle of the last screenshot.
brightness() {
  local r g b
  read -r r g b <<<"$(e2e_region_mean "$shot" "$@")"
  echo $((r + g + b))
}
# Strips four pixels wide along each side of the picture: black just outside, lit just inside.
check_edges() {
  local size=$1 w=$2 h=$3
  local mid_x=$((PX + PW / 4)) mid_y=$((PY + PH / 3))
  if [ "$PX" -gt 0 ]; then
    [ "$(brightness 0 "$mid_y" "$PX" 100)" -le 3 ] || e2e_fail "$size: left bar not black"
    [ "$(brightness $((PX + PW)) "$mid_y" $((w - PX - PW)) 100)" -le 3 ] ||
      e2e_fail "$size: right bar not black"
    [ "$(brightness $((PX - 4)) "$mid_y" 4 100)" -le 3 ] || e2e_fail "$size: left edge"
    [ "$(brightness $((PX + PW)) "$mid_y" 4 100)" -le 3 ] || e2e_fail "$size: right edge"
  fi
  if [ "$PY" -gt 0 ]; then
    [ "$(brightness "$mid_x" 0 100 "$PY")" -le 3 ] || e2e_fail "$size: top bar not black"
    [ "$(brightness "$mid_x" $((PY + PH)) 100 $((h - PY - PH)))" -le 3 ] ||
      e2e_fail "$size: bottom bar not black"
  fi
  [ "$(brightness "$PX" "$mid_y" 4 100)" -ge 20 ] || e2e_fail "$size: picture's left edge is dark"
  [ "$(brightness $((PX + PW - 4)) "$mid_y" 4 100)" -ge 20 ] ||
    e2e_fail "$size: picture's right edge is dark"
  [ "$(brightness "$mid_x" "$PY" 100 4)" -ge 20 ] || e2e_fail "$size: picture's top edge is dark"
  [ "$(brightness "$mid_x" $((PY + PH - 4)) 100 4)" -ge 20 ] ||
    e2e_fail "$size: picture's bottom edge is dark"
}

# From the main menu to the game options and back: the difficulty's right arrow once more than
# it takes to reach the top (11 + 3 x 3), then the left one: 17.
arrows_at_both_ends() {
  click_at 512 432 # options
  e2e_wait_screen options
  click_at 512 582 # game options
  e2e_wait_screen game-options
  for _ in 1 2 3 4; do click_at 423 208; done
  click_at 208 208
  click_at 132 666 # back
  e2e_wait_screen options
  click_at 132 666
  e2e_wait_screen main-menu
}

# size, then the expected picture rectangle.
for expected in "1600x900 200 0 1200 900" "1280x1024 0 32 1280 960" "1024x768 0 0 1024 768"; do
  read -r size want_x want_y want_w want_h <<<"$expected"
  w=${size%x*}
  h=${size#*x}
  game=$(menus_fresh_game "$1")
  E2E_SCREEN=$size e2e_start "$game"
  e2e_wait_event "^window ${size} "
  read -r PX PY PW PH <<<"$(picture_of)"
  [ "$PX $PY $PW $PH" = "$want_x $want_y $want_w $want_h" ] ||
    e2e_fail "$size: picture at $PX,$PY ${PW}x$PH"
  e2e_event_seen '^ready' || e2e_wait_event '^ready'
  e2e_key space
  e2e_wait_screen main-menu
  e2e_move $(at 700 560) # the cursor away from the edges
  shot=$(e2e_screenshot "menu-$size")
  check_edges "$size" "$w" "$h"

  # A click on a bar, on the new game button's row or column: nothing.
  if [ "$PX" -gt 0 ]; then e2e_click $((PX / 2)) "$(at 0 232 | cut -d' ' -f2)"; fi
  if [ "$PY" -gt 0 ]; then e2e_click "$(at 512 0 | cut -d' ' -f1)" $((PY / 2)); fi
  sleep 1
  e2e_take_event '^screen ' && e2e_fail "$size: a click on a bar acted: $E2E_EVENT"

  # The arrows where there are bars (at 1024 x 768 the options tests click them).
  if [ "$PX$PY" != 00 ]; then
    arrows_at_both_ends
    want_difficulty=17
  else
    want_difficulty=11
  fi
  click_at 512 232 # new game
  e2e_wait_event '^game-new'
  [ "$(e2e_event_field "$E2E_EVENT" difficulty)" = "$want_difficulty" ] ||
    e2e_fail "$size: the arrows did not act where drawn: $E2E_EVENT"
  e2e_wait_screen game
  e2e_key Escape
  e2e_wait_screen main-menu

  if [ "$size" = 1600x900 ]; then
    e2e_key alt+Return
    e2e_wait_event '^full-screen off'
    e2e_wait_event '^window 1024x768 picture=0,0,1024,768'
    PX=0 PY=0 PW=1024 PH=768
    click_at 512 162 # resume, in the window
    e2e_wait_event '^game-resumed'
    e2e_wait_screen game
    e2e_key Escape
    e2e_wait_screen main-menu
    e2e_key F11
    e2e_wait_event '^full-screen on'
    e2e_wait_event "^window 1600x900 picture=200,0,1200,900"
    read -r PX PY PW PH <<<"$(picture_of)"
    # The window line comes with the new size, the first frame drawn at it a little later.
    for _ in $(seq 60); do
      shot=$(e2e_screenshot "menu-back-$size")
      [ "$(brightness "$PX" $((PY + PH / 3)) 4 100)" -ge 20 ] &&
        [ "$(brightness 0 $((PY + PH / 3)) "$PX" 100)" -le 3 ] && break
      sleep 0.5
    done
    check_edges "$size again" "$w" "$h"
  fi
done
echo "full screen: ok"
