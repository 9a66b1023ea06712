#!/usr/bin/env bash
# Builds the Debian package build/package/zorblat_VERSION_ARCH.deb: a Release build installed
# under /usr (build/debian), its manual page and changelog compressed, the runtime libraries
# found by dpkg-shlibdeps, then lintian, which must report no error.
#   scripts/package.sh                     build everything, then package and check it
#   scripts/package.sh --from BUILD_DIR    package a tree already built (no build, no setup)
#   scripts/package.sh --out DIR           write the package and its staging folder into DIR
#   scripts/package.sh --no-lintian        skip the lintian run
# Prints the package's path on the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
from="" out="$root/build/package" lint=1
while [ $# -gt 0 ]; do
  case "$1" in
    --from) from=$(cd "$2" && pwd); shift 2 ;;
    --out) out=$2; shift 2 ;;
    --no-lintian) lint=0; shift ;;
    *) echo "usage: $0 [--from BUILD_DIR] [--out DIR] [--no-lintian]" >&2; exit 2 ;;
  esac
done
umask 022

if [ -z "$from" ]; then
  bash "$root/scripts/setup.sh"
  from="$root/build/debian"
  if [ ! -f "$from/CMakeCache.txt" ]; then
    # Debian's own compiler and linker flags, with every hardening feature.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    cmake -S "$root" -B "$from" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DZORBLAT_TESTS=OFF -DZORBLAT_BENCH=OFF \
      "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" \
      >/dev/null
  fi
  cmake --build "$from" -j "$(nproc 2>/dev/null || echo 2)" --target zorblat ressources
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$from/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$out/zorblat_${version}_${arch}.deb"
stage="$out/root"
rm -rf "$stage" "$deb"
mkdir -p "$out"
# Whatever prefix the tree was configured with, the package installs under /usr.
DESTDIR="$stage" cmake --install "$from" --prefix /usr --strip >/dev/null
doc="$stage/usr/share/doc/zorblat"
gzip -9n "$stage/usr/share/man/man6/zorblat.6"
gzip -9nc "$root/data/changelog" >"$doc/changelog.gz"

# dpkg-shlibdeps reads the package list of a source tree: give it a minimal one.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/debian"
printf 'Source: zorblat\n\nPackage: zorblat\nArchitecture: any\n' >"$scratch/debian/control"
depends=$(cd "$scratch" && dpkg-shlibdeps -O -e"$stage/usr/games/zorblat" 2>/dev/null |
          sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

mkdir -p "$stage/DEBIAN"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
cat >"$stage/DEBIAN/control" <<EOF
Package: zorblat
Version: $version
Architecture: $arch
Maintainer: Zorblat maintainers <maintainers@users.noreply.c-seed-f230e997.example>
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Recommends: timgm6mb-soundfont | fluid-soundfont-gm
Section: games
Priority: optional
Description: cartoon first-person shooter: defend the tower from the otters
 A tall building stands in a walled arena under a night sky; otters waddle
 in from every side towards it. Shoot them before they reach the building:
 its life is your life. Six difficulty levels, a radar, a results screen
 with the score, the otters destroyed and the shooting precision.
 .
 The game needs an X display with OpenGL; the music is played through a
 General MIDI SoundFont.
EOF
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
if [ "$lint" = 1 ]; then
  # Errors fail the script; warnings and notes are printed for the reader.
  lintian --fail-on error "$deb"
fi
echo "$deb"
