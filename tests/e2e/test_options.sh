#!/usr/bin/env bash
# The options on the real game: main menu, options hub, the video, audio and game options and
# back, each screen reached as the game reports; every setting changed through its screen is in the 48-byte
# file after quitting, and a second start applies it (the level's tagline, the low-polygon
# otters of the main menu) and writes the same file back, music still off.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
folder=$(dirname "$game")

# Dark pixels (outlines, eyes, whiskers) of the two posed otters of the main menu: the
# low-polygon model has no whiskers and fewer outlined creases. The pointer stays at one place,
# since the scene's light follows it.
otter_darkness() {
  local left right
  left=$(convert "$1" -crop 160x180+10+550 +repage -colorspace gray -threshold 6% -negate \
    -format '%[fx:int(mean*w*h)]' info:)
  right=$(convert "$1" -crop 160x180+854+550 +repage -colorspace gray -threshold 6% -negate \
    -format '%[fx:int(mean*w*h)]' info:)
  echo $((left + right))
}
# The light follows the pointer: it is put at one place (two moves, so the menu hears one even
# when the pointer is there already), and the count is taken once two pictures agree.
menu_otters() {
  local last=-1000 now
  menus_wait_for menus_is_menu "$1" >/dev/null
  e2e_move 701 300
  e2e_move 700 300
  for _ in $(seq 30); do
    now=$(otter_darkness "$(e2e_screenshot "$1")")
    if [ $((now - last)) -le 30 ] && [ $((last - now)) -le 30 ]; then
      echo "$now"
      return 0
    fi
    last=$now
  done
  e2e_fail "the menu otters never held still ($1)"
}
# The level's tagline is drawn in the level's colour: green at "Normal", orange from
# "Difficile" on. Counts its clearly orange pixels against its clearly green ones.
tagline_is_orange() {
  local crop="$E2E_DIR/tagline.png" warm green
  convert "$1" -crop 240x19+440+200 +repage "$crop"
  warm=$(convert "$crop" -fx 'r > g + 0.1 ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:)
  green=$(convert "$crop" -fx 'g > r + 0.1 ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:)
  [ "$warm" -gt $((green + 20)) ]
}
# Clicks (X Y) or presses Escape (X alone) to reach the screen NAME, then moves the pointer
# there to a free spot, where the screen draws its cursor.
go_to() {
  local name=$1
  shift
  if [ "$1" = Escape ]; then e2e_key Escape; else e2e_click "$1" "$2"; fi
  e2e_wait_screen "$name"
  e2e_move 700 300
}
leave_by_exit_screen() {
  e2e_key Escape
  e2e_wait_screen exit
  e2e_key a
  e2e_wait_event "^settings-saved path=$folder/config.cfg\$"
  e2e_expect_quit
}

e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
normal_otters=$(menu_otters menu-normal-otters)

go_to options 512 432
go_to video-options 512 182
menus_click_widget 100 250 # low-polygon otter
menus_click_widget 100 350 # texture quality "Bonne"
menus_click_widget 100 450 # filtering "Bilineaire"
menus_click_widget 100 550 # glow "Moyenne"
go_to options 132 666 # back, which applies them

go_to audio-options 512 382
menus_click_widget 100 300 # effects off
menus_click_widget 500 300 # effects volume 110
menus_click_widget 100 400 # music off
menus_click_widget 500 400 # music volume 110
go_to options Escape

go_to game-options 512 582
shot=$(menus_wait_for menus_is_game_options game-options)
tagline_is_orange "$shot" && e2e_fail "the default level's tagline is not green"
menus_click_widget 415 200 # difficulty 14
menus_click_widget 605 300 # sensitivity one step up
menus_click_widget 50 400  # inverted mouse
go_to options 132 666
go_to main-menu Escape
low_otters=$(menu_otters menu-low-otters)
[ $((normal_otters - low_otters)) -gt 150 ] ||
  e2e_fail "the low-polygon otters look like the normal ones" \
    "($normal_otters, $low_otters dark pixels)"
leave_by_exit_screen

# Difficulty 14, sensitivities one step up from the first pair (vertical 0.0015, horizontal
# 0.0020), mouse inverted, effects off at 110, music off at 110, low otter, glow 1, quality 1,
# bilinear filtering.
expected=0e000000a79bc43a6e12033bffffffff000000006e000000000000006e00000001000000010000000100000002000000
[ "$(menus_config_hex "$folder/config.cfg")" = "$expected" ] ||
  e2e_fail "config.cfg does not hold the chosen settings: $(menus_config_hex "$folder/config.cfg")"
menus_expect_quiet_stderr

e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
otters=$(menu_otters menu-otters-again)
[ $((otters - low_otters)) -lt $((normal_otters - otters)) ] ||
  e2e_fail "after a restart the menu otters are not the low-polygon ones ($otters dark pixels;" \
    "normal $normal_otters, low $low_otters)"
go_to options 512 432
go_to game-options 512 582
shot=$(menus_wait_for menus_is_game_options game-options-again)
tagline_is_orange "$shot" || e2e_fail "the saved level is not shown after a restart"
go_to options Escape
go_to main-menu Escape
leave_by_exit_screen
[ "$(menus_config_hex "$folder/config.cfg")" = "$expected" ] ||
  e2e_fail "the second run changed the settings (music must stay off):" \
    "$(menus_config_hex "$folder/config.cfg")"
echo "options: ok"
