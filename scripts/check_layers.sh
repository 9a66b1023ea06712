#!/usr/bin/env bash
# Checks that includes between the game's folders run one way, lowest floor first: each folder
# may include only itself and the folders listed for it. Prints every offending include with its
# file and line, and fails if there is one.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

declare -A allowed=(
  [render]="render"
  [sound]="sound render"
  [entities]="entities render sound"
  [framework]="framework render sound"
  [game]="game framework entities render sound"
  [menus]="menus framework entities render sound"
  [app]="app menus game framework entities render sound"
)

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file line text; do
    included=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")
    case " ${allowed[$folder]} " in
      *" $included "*) ;;
      *)
        echo "$file:$line: $folder/ may not include $included/: $text" >&2
        status=1
        ;;
    esac
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$folder" \
             --include='*.h' --include='*.cpp' || true)
done
if [ "$status" -eq 0 ]; then
  echo "includes between folders run one way"
fi
exit "$status"
