#!/usr/bin/env bash
# Fails when a text a player reads has no English: runs lupdate over the sources into a copy of
# the committed vantrell_en.ts (a text new to it comes in unfinished) and fails on any
# unfinished or empty translation. Texts of the game's own layers are marked
# VT_TRANSLATE_NOOP(context, text), which lupdate reads as QT_TRANSLATE_NOOP.
#   scripts/check_translations.sh [LUPDATE]
set -u
cd "$(dirname "$0")/.."
lupdate=${1:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
ts=src/hosts/desktop/translations/vantrell_en.ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/check.ts"
# The same sources and options as the update_translations target of the build.
"$lupdate" -locations none -no-obsolete -tr-function-alias QT_TRANSLATE_NOOP+=VT_TRANSLATE_NOOP \
  src/hosts/desktop/*.cpp src/hosts/desktop/*.h src/app/*.cpp src/records/*.cpp src/records/*.h \
  src/race/race_display.h \
  -ts "$work/check.ts" >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log"; exit 1; }
found=$(grep -c "<message>" "$work/check.ts")
unfinished=$(grep -c 'type="unfinished"\|<translation></translation>' "$work/check.ts")
echo "texts found by lupdate: $found; without an English translation: $unfinished"
if [ "$unfinished" -gt 0 ]; then
  grep -B2 'type="unfinished"\|<translation></translation>' "$work/check.ts" | grep "<source>" >&2
  echo "FAIL: add them to $ts (cmake --build build --target update_translations, then translate)" >&2
  exit 1
fi
if ! cmp -s "$ts" "$work/check.ts"; then
  diff "$ts" "$work/check.ts" >&2
  echo "FAIL: $ts is not what lupdate makes of the sources (a text was removed or changed)" >&2
  exit 1
fi
