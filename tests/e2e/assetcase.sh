# One broken-asset case on the sanitized game: a copy of the ressources with one file missing,
# cut short or replaced by garbage (or a playlist added). Source after lib.sh, menus.sh and
# sanitized.sh.
#
#   assetcase_prepare GAME FILE MODE   copies GAME's ressources into a fresh folder and breaks
#                                      FILE (relative to ressources/) by MODE: missing,
#                                      truncated (first third kept), garbage (same size of
#                                      random bytes); prints the folder
#   assetcase_play GAME RESSOURCES NAME  starts the game on them, reaches the main menu, plays
#                                      a few seconds with a few shots, quits; fails unless the
#                                      game quits with status 1 and a clean stderr

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

# The pictures themselves may be what is broken, so screens are told apart only by change.
assetcase_differs() {
  local rmse
  rmse=$(compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
  awk -v r="$rmse" 'BEGIN { exit !(r > 0.02) }'
}

assetcase_play() {
  local game=$1 ressources=$2 name=$3 launcher menu played
  launcher=$(sanitized_game "$game" "$ressources")
  E2E_SETTLE=4 e2e_start "$launcher"
  e2e_key space
  sleep "${ASSETCASE_MENU_WAIT:-8}"
  menu=$(e2e_screenshot "$name-menu")
  e2e_click 512 232  # new game
  sleep 3
  for _ in 1 2 3 4 5; do
    xdotool mousemove 460 300 click 1
    sleep 0.3
  done
  played=$(e2e_screenshot "$name-game")
  e2e_running || e2e_fail "$name: the game ended while playing"
  assetcase_differs "$menu" "$played" || e2e_fail "$name: no game after the new-game click"
  e2e_key Escape
  sleep 2
  e2e_key Escape
  sleep 2
  e2e_key Return
  e2e_wait_exit 60
  [ "$E2E_STATUS" = 1 ] || e2e_fail "$name: exit status $E2E_STATUS, expected 1"
  sanitized_expect_clean
  kill "$E2E_XVFB_PID" 2>/dev/null || true
  rm -rf "$ressources"
}
