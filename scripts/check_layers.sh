#!/usr/bin/env bash
# Fails on any include in src/ that runs up the layers, or that closes a cycle between folders of
# one layer. Layers, lowest first (a folder may include its own layer and those below):
#   0 gfx io resources   1 platform   2 craft world records input sound   3 race   4 app   5 hosts
# tools/, tests/, bench/ and fuzz/ may include anything and are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."

layer_of() {
  case "$1" in
    gfx|io|resources) echo 0 ;;
    platform) echo 1 ;;
    craft|world|records|input|sound) echo 2 ;;
    race) echo 3 ;;
    app) echo 4 ;;
    hosts) echo 5 ;;
    *) echo "" ;;
  esac
}

status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
while IFS= read -r line; do
  file=${line%%:*}
  target=$(sed -E 's/.*#include "([^"/]+)\/.*/\1/' <<<"$line")
  from=$(cut -d/ -f2 <<<"$file")
  from_layer=$(layer_of "$from")
  to_layer=$(layer_of "$target")
  if [ -z "$from_layer" ]; then
    echo "$file: folder src/$from has no layer; add it to scripts/check_layers.sh" >&2
    status=1
  elif [ -z "$to_layer" ]; then
    echo "$file: includes \"$target/...\", which is not a folder of src/" >&2
    status=1
  elif [ "$to_layer" -gt "$from_layer" ]; then
    echo "$file: $from (layer $from_layer) includes $target (layer $to_layer): upward" >&2
    status=1
  elif [ "$from" != "$target" ] && [ "$to_layer" -eq "$from_layer" ]; then
    echo "$from $target" >>"$edges"
  fi
done < <(grep -rE '^\s*#\s*include\s+"[^"/]+/' src --include='*.h' --include='*.cpp')

# Folders of one layer may include each other only while no cycle forms.
if [ -s "$edges" ] && ! sort -u "$edges" | tsort >/dev/null 2>&1; then
  echo "a cycle of includes between folders of one layer:" >&2
  sort -u "$edges" | tsort 2>&1 >/dev/null | sed 's/^/  /' >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "layers: every include in src/ runs downward"
exit "$status"
