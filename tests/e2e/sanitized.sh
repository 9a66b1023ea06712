# Helpers for the runs of the sanitized game (AddressSanitizer, UBSan, leak check, GL error
# checks). Source after lib.sh and menus.sh.
#
#   sanitized_game GAME [RESSOURCES]  a fresh folder holding the ressources (a link to the
#                                     build's, or the given folder) and a launcher; prints the
#                                     launcher's path, which e2e_start takes as the game
#   sanitized_expect_clean            fails on any sanitizer or GL error report on stderr

# The leak check runs at exit, after Mesa has unloaded its driver: leaks inside the driver then
# show no library name and slip past the suppressions for it. Keeping libraries loaded (dlclose
# does nothing) lets each leak be told apart by its library.
sanitized_keep_loaded_library() {
  local lib="$E2E_DIR/keep-loaded.so"
  if [ ! -f "$lib" ]; then
    printf 'int dlclose(void* handle) { (void)handle; return 0; }\n' >"$E2E_DIR/keep-loaded.c"
    cc -shared -fPIC -o "$lib" "$E2E_DIR/keep-loaded.c" || e2e_fail "cannot build $lib"
  fi
  echo "$lib"
}

sanitized_game() {
  local game=$1 ressources=${2:-} dir lib
  game=$(cd "$(dirname "$game")" && pwd)/$(basename "$game")
  ressources=${ressources:-$(dirname "$game")/ressources}
  lib=$(sanitized_keep_loaded_library)
  dir=$(mktemp -d "$E2E_DIR/run.XXXX")
  ln -s "$(cd "$ressources" && pwd)" "$dir/ressources"
  printf '#!/bin/sh\nLD_PRELOAD=%s exec %s "$@"\n' "$lib" "$game" >"$dir/zorblat"
  chmod +x "$dir/zorblat"
  echo "$dir/zorblat"
}

# The leak check reads the suppressions of system libraries the game cannot free.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

sanitized_expect_clean() {
  if grep -E -e 'AddressSanitizer|LeakSanitizer|runtime error|^GL error' "$E2E_STDERR" >/dev/null; then
    cp "$E2E_STDERR" "$E2E_OUT/$E2E_NAME-stderr.txt"
    e2e_fail "sanitizer or GL error reports (whole stderr in $E2E_OUT/$E2E_NAME-stderr.txt)"
  fi
}

# A game stuck in a loop never reaches the idle step that answers SIGTERM: end it for good.
trap '[ -n "$E2E_GAME_PID" ] && kill -9 "$E2E_GAME_PID" 2>/dev/null; e2e_cleanup' EXIT
