#!/usr/bin/env bash
# Installs what is missing, builds the Release game and the sanitizer test build, starts a
# private Xvfb and runs the whole suite with CTest. Extra arguments go to ctest (-R, -L, ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" release zorblat ressources
bash "$root/scripts/build.sh" test

# One virtual display for the OpenGL tests; the end-to-end tests start their own. -noreset:
# by default Xvfb resets whenever its last client leaves and refuses connections meanwhile,
# which the short-lived test processes hit now and then.
displayfd_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfd_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$displayfd_file"' EXIT
for _ in $(seq 100); do
  [ -s "$displayfd_file" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$displayfd_file")"

export SDL_AUDIODRIVER=dummy
# intercept_tls_get_addr=0: this LeakSanitizer's record of dynamically loaded libraries'
# thread-local blocks can hold a garbage range (seen after Mesa's driver loads), and scanning
# it crashes the leak check itself. Static thread-local storage is still scanned.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

cd "$root/build/test"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"
