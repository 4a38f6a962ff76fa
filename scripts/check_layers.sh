#!/usr/bin/env bash
# Fails on any include in src/ that runs up the layers, or that closes a cycle between folders of
# one layer. Layers, lowest first (a folder may include its own layer and those below):
#   0 gfx io resources   1 platform   2 craft world records input sound   3 race pack
#   4 app server   5 hosts
# The world table server (server) stands beside the game's shell: it uses the race, never a host.
# tools/, tests/, bench/ and fuzz/ may include anything and are not checked.
# The browser page's modules (src/hosts/web/page/*.js) are layered the same way, lowest first:
#   0 protocol i18n program world archive   1 audio screen panel ui* host   2 main (the page's one entry) and sw
#   (the service worker, which runs apart from the page and imports nothing)
# Only the entry imports the program Emscripten writes (vantrell.js), and only archive the zip
# reader the build bundles (jszip.js). The browser tests' hooks
# (tests/web/hooks/checks.js) import the entry alone, main.js: the build bundles the modules into
# it, so no other module is served on its own. No page module imports the hooks.
set -euo pipefail
cd "$(dirname "$0")/.."

layer_of() {
  case "$1" in
    gfx|io|resources) echo 0 ;;
    platform) echo 1 ;;
    craft|world|records|input|sound) echo 2 ;;
    race|pack) echo 3 ;;
    app|server) echo 4 ;;
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

# The world table server stands beside the game's shell, not on it.
if grep -rnE '^\s*#\s*include\s+"app/' src/server >&2; then
  echo "src/server includes app/: the server uses the race and the records, never the shell" >&2
  status=1
fi

# Folders of one layer may include each other only while no cycle forms.
if [ -s "$edges" ] && ! sort -u "$edges" | tsort >/dev/null 2>&1; then
  echo "a cycle of includes between folders of one layer:" >&2
  sort -u "$edges" | tsort 2>&1 >/dev/null | sed 's/^/  /' >&2
  status=1
fi

page=src/hosts/web/page
page_layer_of() {
  case "$1" in
    protocol|i18n|program|world|archive) echo 0 ;;
    audio|screen|panel|pad_nav|ui|ui_*|host) echo 1 ;;
    main|sw) echo 2 ;;
    *) echo "" ;;
  esac
}
: >"$edges"
for file in "$page"/*.js; do
  from=$(basename "$file" .js)
  from_layer=$(page_layer_of "$from")
  if [ -z "$from_layer" ]; then
    echo "$file: module $from has no layer; add it to scripts/check_layers.sh" >&2
    status=1
    continue
  fi
  # Static and dynamic imports alike: from "./x.js", import("./x.js"), import "./x.js".
  for target in $(grep -oE '(from|import)\s*\(?\s*"[^"]+"' "$file" | sed -E 's/.*"([^"]+)"/\1/'); do
    if [ "$target" = "./vantrell.js" ]; then
      if [ "$from" != main ]; then
        echo "$file: imports the program; only the entry (main.js) does" >&2
        status=1
      fi
      continue
    fi
    # The zip reader the build bundles from the system's JSZip, for the pack archive only.
    if [ "$target" = "./jszip.js" ]; then
      if [ "$from" != archive ]; then
        echo "$file: imports the zip reader; only archive.js does" >&2
        status=1
      fi
      continue
    fi
    name=$(sed -E 's|^\./([A-Za-z0-9_]+)\.js$|\1|' <<<"$target")
    to_layer=$(page_layer_of "$name")
    if [ "$name" = "$target" ] || [ ! -f "$page/$name.js" ] || [ -z "$to_layer" ]; then
      echo "$file: imports \"$target\", which is no module of the page" >&2
      status=1
    elif [ "$to_layer" -gt "$from_layer" ]; then
      echo "$file: $from (layer $from_layer) imports $name (layer $to_layer): upward" >&2
      status=1
    elif [ "$to_layer" -eq "$from_layer" ]; then
      echo "$from $name" >>"$edges"
    fi
  done
done
if [ -s "$edges" ] && ! sort -u "$edges" | tsort >/dev/null 2>&1; then
  echo "a cycle of imports between the page's modules of one layer:" >&2
  sort -u "$edges" | tsort 2>&1 >/dev/null | sed 's/^/  /' >&2
  status=1
fi
# The hooks import the page's entry from beside it ("../main.js"), and nothing imports the hooks.
for target in $(grep -ohE '(from|import)\s*\(?\s*"[^"]+"' tests/web/hooks/*.js | sed -E 's/.*"([^"]+)"/\1/'); do
  if [ "$target" != "../main.js" ]; then
    echo "tests/web/hooks: imports \"$target\"; only the page's entry, ../main.js, is served" >&2
    status=1
  fi
done
if grep -lE 'hooks|checks\.js' "$page"/*.js "$page"/*.html >&2; then
  echo "the page above names the tests' hooks; only the tests load them" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "layers: every include in src/ and import of the page runs downward"
exit "$status"
