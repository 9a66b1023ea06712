#!/usr/bin/env bash
# The Debian package made from the release build: lintian finds no error in it, it holds
# exactly the game in /usr/games, every generated asset, the desktop files, icons, manual page
# and documentation, all owned by root, and it depends on the libraries the game links.
source "$(dirname "$0")/lib.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$(dirname "$1")" && pwd)
out="$E2E_DIR/package"

deb=$(bash "$root/scripts/package.sh" --from "$build" --out "$out" 2>"$E2E_DIR/package.txt" |
      tail -n1) || e2e_fail "packaging failed: $(tail -n 20 "$E2E_DIR/package.txt")"
[ "$(basename "$deb")" = "zorblat_1.2_$(dpkg --print-architecture).deb" ] ||
  e2e_fail "package named $deb"

dpkg-deb --contents "$deb" >"$E2E_DIR/contents.txt"
awk '$2 != "root/root"' "$E2E_DIR/contents.txt" | grep -q . &&
  e2e_fail "files not owned by root: $(awk '$2 != "root/root"' "$E2E_DIR/contents.txt")"
grep -q -E '^-rwxr-xr-x .* \./usr/games/zorblat$' "$E2E_DIR/contents.txt" ||
  e2e_fail "no executable /usr/games/zorblat"
{
  echo ./usr/games/zorblat
  echo ./usr/share/applications/zorblat.desktop
  echo ./usr/share/doc/zorblat/changelog.gz
  echo ./usr/share/doc/zorblat/copyright
  (cd "$build" && find ressources -type f ! -name .generated -printf './usr/share/games/zorblat/%p\n')
  for size in 16 32 48 64 128 256; do
    echo "./usr/share/icons/hicolor/${size}x${size}/apps/zorblat.png"
  done
  echo ./usr/share/man/man6/zorblat.6.gz
  echo ./usr/share/metainfo/zorblat.metainfo.xml
} | sort >"$E2E_DIR/expected.txt"
awk '$1 !~ /^d/ {print $6}' "$E2E_DIR/contents.txt" | sort >"$E2E_DIR/files.txt"
diff "$E2E_DIR/expected.txt" "$E2E_DIR/files.txt" >"$E2E_DIR/diff.txt" ||
  e2e_fail "package contents differ from the expected list (< missing, > extra):
$(head -n 20 "$E2E_DIR/diff.txt")"

depends=$(dpkg-deb --field "$deb" Depends)
for library in libglut3.12 libglu1-mesa libgl1 libsdl2-mixer-2.0-0 libsdl2-2.0-0 libx11-6 libc6; do
  echo "$depends" | tr ',|' '\n\n' | grep -q -E "^ *$library( |$)" ||
    e2e_fail "Depends lacks $library: $depends"
done
echo "package: ok"
