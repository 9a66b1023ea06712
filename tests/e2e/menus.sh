# Helpers for the menu tests: a fresh game folder, and picture checks of a few screens by a few
# regions of the 1024 x 768 screen. Source after lib.sh.

# A folder holding links to the game and its ressources, so config.cfg is written there.
# Prints the game's path in it.
menus_fresh_game() {
  local game=$1 dir
  dir=$(mktemp -d "$E2E_DIR/run.XXXX")
  ln -s "$(cd "$(dirname "$game")" && pwd)/ressources" "$dir/ressources"
  ln -s "$(cd "$(dirname "$game")" && pwd)/$(basename "$game")" "$dir/zorblat"
  echo "$dir/zorblat"
}

menus_red() { e2e_region_mean "$@" | cut -d' ' -f1; }
# Red plus blue: a button is bright in both looks (blue at rest, orange under the mouse).
menus_button() {
  local r g b
  read -r r g b <<<"$(e2e_region_mean "$@")"
  echo $((r + b))
}

# The intro's big otter on the left is bright; the exit screen's title is orange on a sky
# where the intro has its otter; the main menu shows the options button over dark sky.
menus_is_intro() { [ "$(menus_red "$1" 140 560 80 120)" -gt 150 ]; }
menus_is_exit() {
  [ "$(menus_red "$1" 360 170 300 80)" -gt 120 ] && [ "$(menus_red "$1" 140 560 80 120)" -lt 120 ]
}
menus_is_menu() {
  [ "$(menus_button "$1" 400 412 220 40)" -gt 150 ] && [ "$(menus_red "$1" 140 560 80 120)" -lt 60 ]
}
menus_has_resume() { [ "$(menus_button "$1" 400 142 220 40)" -gt 150 ]; }
# A 16 x 16 arrow or check box (orange rim) at widget position LEFT TOP.
menus_widget_at() { [ "$(menus_red "$1" "$2" "$3" 16 16)" -gt 70 ]; }
# The game options screen, by two of its own arrows, which no other screen has at those places.
menus_is_game_options() { menus_widget_at "$1" 200 200 && menus_widget_at "$1" 415 200; }

# Clicks the middle of the 16 x 16 widget at widget position LEFT TOP.
menus_click_widget() { e2e_click $(($1 + 8)) $(($2 + 8)); }

# The 48 bytes of a settings file as one hex string.
menus_config_hex() { xxd -p "$1" | tr -d '\n'; }

# Waits until a screenshot passes a picture check (menus_is_menu, ...): which screen is up is
# learnt from the game's events, this waits for its picture to be drawn. Prints the path.
menus_wait_for() {
  local check=$1 name=$2 deadline=$((SECONDS + ${3:-60})) shot
  while :; do
    shot=$(e2e_screenshot "$name")
    if "$check" "$shot"; then
      echo "$shot"
      return 0
    fi
    e2e_running || e2e_fail "the game ended while waiting for $name"
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "the screen never showed $name ($check)"
    sleep 0.2
  done
}

# From the main menu: Escape to the exit screen, any key to quit; the game must end with status 1
# and a quiet stderr.
menus_quit_from_main_menu() {
  e2e_key Escape
  e2e_wait_screen exit
  e2e_key a
  e2e_expect_quit
  menus_expect_quiet_stderr
}

# Fails when stderr holds anything but the vertex program's own compile report.
menus_expect_quiet_stderr() {
  if grep -v -e '^$' -e 'ARB_vertex_program' "$E2E_STDERR" | grep -q .; then
    e2e_fail "unexpected output on stderr"
  fi
}

# The 48-byte file a first start without settings leaves: difficulty 11, sensitivities 0.0012
# and 0.0018, mouse normal, effects and music on at 100, normal otter, glow 2, best quality,
# trilinear filtering.
MENUS_DEFAULT_CONFIG=0b00000052499d3afaedeb3a010000000100000064000000010000006400000000000000020000000000000003000000
