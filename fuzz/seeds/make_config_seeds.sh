#!/usr/bin/env bash
# Writes the seeds of config_fuzzer (fuzz/seeds/config_fuzzer/): the defaults file, each
# field pushed to a hostile value, short files.
set -euo pipefail
out=${1:?corpus folder}
le() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
# The twelve fields of a default file; the floats as their bit patterns.
defaults=(11 0x3a9d4952 0x3aebedfa 1 1 100 1 100 0 2 0 3)
write() {
  local name=$1
  shift
  local fields=("$@")
  { for f in "${fields[@]}"; do le "$f"; done; } >"$out/$name.cfg"
}
write defaults "${defaults[@]}"
hostile=(0x7fffffff 0x7fc00000 0xff800000 -1 2 -5 7 300 0x80000000 9 -2 7)
for i in "${!hostile[@]}"; do
  fields=("${defaults[@]}")
  fields[$i]=${hostile[$i]}
  write "field$i" "${fields[@]}"
done
head -c 10 "$out/defaults.cfg" >"$out/short10.cfg"
head -c 47 "$out/defaults.cfg" >"$out/short47.cfg"
