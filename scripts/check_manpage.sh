#!/usr/bin/env bash
# Keeps a manual page true to its program's --help: every option (-name, --name) and every
# command --help names must be in the page, and the page may name none that --help does not;
# every driving style --help lists must be in the page; the stage numbering --help states must be
# the page's, and the page's examples must use no stage outside it. The page must also pass
# man's warnings and lexgrog, as lintian checks them.
#   scripts/check_manpage.sh PROGRAM PAGE
set -u
program="$1"
page="$2"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

help=$("$program" --help) || { echo "FAIL: $program --help ended with an error" >&2; exit 1; }
# The page as written, without comments, with roff's dashes and font and hyphenation escapes
# undone.
text=$(grep -v '^\.\\"' "$page" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\%//g')

# Options: a word that starts with one or two dashes after a space, bracket, parenthesis or bar.
options() { grep -oE '(^|[][ (|])--?[a-z][a-z0-9-]*' | sed -E 's/^[][ (|]//' | sort -u; }
# Commands: in --help the first word of a line indented by two spaces; in the page the first
# word of a .TP paragraph's tag.
help_commands() { grep -E '^  [a-z]' | awk '{ print $1 }' | sort -u; }
page_commands() {
  awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' |
    sed -E -e 's/^\.[A-Z]+ +//' -e 's/"//g' | awk '{ print $1 }' |
    grep -E '^[a-z][a-z-]*$' | sort -u
}

# Names one side has and the other lacks.
compare() {
  local what="$1" from_help="$2" from_page="$3" name
  for name in $(comm -23 <(echo "$from_help") <(echo "$from_page")); do
    fail "$(basename "$page"): lacks the $what $name that --help names"
  done
  for name in $(comm -13 <(echo "$from_help") <(echo "$from_page")); do
    fail "$(basename "$page"): names the $what $name that --help does not"
  done
}
help_options=$(options <<<"$help")
[ -n "$help_options" ] || fail "no option found in $program --help"
compare option "$help_options" "$(options <<<"$text")"
compare command "$(help_commands <<<"$help")" "$(page_commands <<<"$text")"

styles=$(sed -n 's/^Driving styles: *//p' <<<"$help" | sed 's/(.*//')
for style in $styles; do
  grep -qw -- "$style" <<<"$text" || fail "$(basename "$page"): lacks the driving style $style"
done

# "Stages are numbered 1 to 5": the page says the same, and each --stage N of its examples lies
# in that range.
numbering=$(grep -oE 'Stages are numbered [0-9]+ to [0-9]+' <<<"$help" | head -n 1)
if [ -n "$numbering" ]; then
  grep -qF -- "$numbering" <<<"$text" ||
    fail "$(basename "$page"): lacks \"$numbering\", which --help says"
  read -r first last <<<"$(sed -E 's/.* ([0-9]+) to ([0-9]+)$/\1 \2/' <<<"$numbering")"
  examples=$(awk '/^\.SH EXAMPLES/ { on = 1; next } /^\.SH/ { on = 0 } on' "$page" | sed -e 's/\\-/-/g')
  while read -r stage; do
    if [ -n "$stage" ] && { [ "$stage" -lt "$first" ] || [ "$stage" -gt "$last" ]; }; then
      fail "$(basename "$page"): an example gives --stage $stage; stages are $first to $last"
    fi
  done < <(grep -oE -- '--stage -?[0-9]+' <<<"$examples" | awk '{ print $2 }')
fi

if command -v man >/dev/null && command -v lexgrog >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): man --warnings: $warnings"
  lexgrog "$page" >/dev/null || fail "$(basename "$page"): lexgrog finds no NAME line"
else
  echo "man or lexgrog is not installed: the page's formatting is not checked"
fi

[ "$failures" -eq 0 ] && echo "$(basename "$page"): true to $(basename "$program") --help"
exit $((failures > 0))
