# One broken-asset case on the sanitized game: a copy of the ressources with one file missing,
# cut short or replaced by garbage (or a playlist added). Source after lib.sh, menus.sh and
# sanitized.sh.
#
#   assetcase_prepare GAME FILE MODE   copies GAME's ressources into a fresh folder and breaks
#                                      FILE (relative to ressources/) by MODE: missing,
#                                      truncated (first third kept), garbage (same size of
#                                      random bytes); prints the folder
#   assetcase_play GAME RESSOURCES NAME  starts the game on them, reaches the main menu, plays
#                                      a few seconds with shots, leaves for the menu, quits; fails unless
#                                      the game quits with status 1 and a clean stderr

assetcase_prepare() {
  local game=$1 file=$2 mode=$3 dir
  dir=$(mktemp -d "$E2E_DIR/ressources.XXXX")
  cp -r "$(dirname "$game")/ressources/." "$dir"
  local target="$dir/$file"
  mkdir -p "$(dirname "$target")"
  case "$mode" in
    missing) rm -f "$target" ;;
    truncated)
      local size
      size=$(stat -c %s "$target")
      truncate -s $((size / 3)) "$target"
      ;;
    garbage)
      local size
      size=$(stat -c %s "$target" 2>/dev/null || echo 4096)
      head -c "$size" /dev/urandom >"$target"
      ;;
    *) e2e_fail "unknown mode $mode" ;;
  esac
  echo "$dir"
}

# The pictures themselves may be what is broken: every step is checked by the game's events.
assetcase_play() {
  local game=$1 ressources=$2 name=$3 launcher
  launcher=$(sanitized_game "$game" "$ressources")
  e2e_start "$launcher"
  e2e_wait_event '^ready$'
  e2e_key space
  e2e_wait_screen main-menu
  e2e_click 512 232 # new game
  e2e_wait_event '^game-new '
  e2e_wait_screen game
  # A few seconds of play with shots; nothing is decided by how many frames they hold.
  for _ in 1 2 3 4 5; do
    xdotool mousemove 460 300 click 1
    sleep 0.5
  done
  e2e_key Escape
  e2e_wait_event '^game-suspended( |$)'
  e2e_wait_screen main-menu
  e2e_key Escape
  e2e_wait_screen exit
  e2e_key Return
  e2e_expect_quit
  sanitized_expect_clean
  kill "$E2E_XVFB_PID" 2>/dev/null || true
  rm -rf "$ressources"
}
