#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as a player's machine would get it:
# lintian (no error, no warning), its file list, its metainfo (appstreamcli validate --no-net),
# its manual pages, copyright file and changelog, then the package unpacked into a temporary
# root (dpkg -x) and started from there: the game with --version and, under Xvfb, for a few
# ticks with a fresh home, which must get the game files in the player's own data folder, and
# vantrell-tool verifying the default records it finds there by itself. The vantrell-server
# package from the same set-up is checked alike: lintian, its files, no Qt or SDL, and the
# unpacked server answering on loopback with the courses it installs.
#   scripts/check_package.sh [BUILD_DIR]     (default: build)
set -u
build=$(cd "${1:-build}" && pwd)
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$work/vantrell_${version}_${arch}.deb"
if ! (cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack did not build the package" >&2
  exit 1
fi
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb") in: $(ls "$work")" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/files"
if command -v lintian >/dev/null; then
  # Any error or warning fails; what truly cannot be avoided is overridden in the package
  # (/usr/share/lintian/overrides/vantrell), each with its reason.
  if lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    echo "lintian: no error, no warning"
  else
    cat "$work/lintian.log" >&2
    fail "lintian finds the above in the package"
  fi
else
  echo "lintian is not installed: the package's lint is skipped"
fi

expected=(/usr/games/vantrell /usr/games/vantrell-tool
  /usr/share/man/man6/vantrell.6.gz /usr/share/man/man6/vantrell-tool.6.gz
  /usr/share/doc/vantrell/copyright /usr/share/doc/vantrell/changelog.gz
  /usr/share/applications/vantrell.desktop
  /usr/share/metainfo/org.vantrell.Vantrell.metainfo.xml
  /usr/share/vantrell/game/CHR_H0.DAT /usr/share/vantrell/game/bgm1.mid
  /usr/share/vantrell/game/stend.mid /usr/share/vantrell/game/music/bgm1.opus
  /usr/share/vantrell/game/music/stend.opus /usr/share/vantrell/game/music/sources.sha256)
for n in 0 1 2 3 4; do
  for f in MAP$n.DAT TYPE_$n.DAT MAP${n}_8.BMP CHR${n}_8.BMP OBJ$n.COD CHK$n.COD; do
    expected+=("/usr/share/vantrell/game/$f")
  done
done
for size in 16 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/vantrell.png")
done
for f in "${expected[@]}"; do
  grep -qx "$f" "$work/files" || fail "the package lacks $f"
done
# Only what an install needs: nothing of the build tree, the tests or the review pictures, and
# the programs only in /usr/games.
if grep -E "overview|test|/usr/lib|/usr/include|/usr/bin" "$work/files"; then
  fail "the package holds files it should not (above)"
fi
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "Depends does not name Qt: $(dpkg-deb -f "$deb" Depends)"

root="$work/root"
dpkg -x "$deb" "$root"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.vantrell.Vantrell.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
else
  echo "appstreamcli is not installed: the metainfo check is skipped"
fi
# The pages read as man reads them, and name their program.
for page in vantrell vantrell-tool; do
  lexgrog "$root/usr/share/man/man6/$page.6.gz" 2>&1 | grep -q ": \"$page - " ||
    fail "the manual page $page.6.gz does not read as $page's page"
done
# The changelog's latest entry is this version.
changelog=$(gzip -dc "$root/usr/share/doc/vantrell/changelog.gz" | head -n 1)
[[ "$changelog" == "vantrell ($version) "* ]] ||
  fail "the changelog's latest entry is not version $version: '$changelog'"
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
  "$root/usr/share/doc/vantrell/copyright" || fail "the copyright file is not machine-readable"
for size in 16 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/vantrell.png" |
    grep -q "$size x $size" || fail "the ${size}px icon is not ${size} x ${size}"
done

out=$("$root/usr/games/vantrell" --version 2>&1)
[ "$out" = "vantrell $version" ] || fail "--version printed '$out'"

if command -v xvfb-run >/dev/null; then
  # A player's first start: the game files come into their own folder, the installed ones stay.
  home="$work/home"
  mkdir -p "$home"
  HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    SDL_AUDIODRIVER=dummy VANTRELL_QUIT_TICK=10 \
    timeout 60 xvfb-run -a "$root/usr/games/vantrell" >"$work/run.log" 2>&1 ||
    { cat "$work/run.log" >&2; fail "the installed game did not start and close"; }
  [ -f "$home/data/vantrell/game/MAP0.DAT" ] ||
    fail "the game files were not copied to the player's data folder"
  [ -z "$(find "$root/usr/share/vantrell/game" -newer "$deb" -type f)" ] ||
    fail "the installed game files were written to"
else
  echo "xvfb-run is not installed: the start from the package is skipped"
fi

# The installed tool finds the installed game files by itself, in another fresh home, and
# drives every default run of a stage to its stored time.
home="$work/tool-home"
mkdir -p "$home"
HOME="$home" XDG_DATA_HOME="$home/data" timeout 120 "$root/usr/games/vantrell-tool" verify \
  --stage 1 >"$work/verify.log" 2>&1 || { cat "$work/verify.log" >&2; fail "the installed tool's verify"; }
[ "$(grep -c ' ok ' "$work/verify.log")" -eq 10 ] ||
  { cat "$work/verify.log" >&2; fail "the installed tool did not verify stage 1's ten runs"; }
[ -f "$home/data/vantrell/game/VANREC0.DAT" ] ||
  fail "the installed tool did not fill the player's data folder"

server_deb="$work/vantrell-server_${version}_${arch}.deb"
if [ -f "$server_deb" ]; then
  if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$server_deb" >"$work/lintian-server.log" 2>&1 ||
      { cat "$work/lintian-server.log" >&2; fail "lintian finds the above in the server package"; }
  fi
  dpkg-deb -c "$server_deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/server-files"
  for f in /usr/bin/vantrell-server /lib/systemd/system/vantrell-server.service \
    /usr/share/man/man8/vantrell-server.8.gz /usr/share/doc/vantrell-server/copyright \
    /usr/share/doc/vantrell-server/changelog.gz /usr/share/doc/vantrell-server/world-api.md \
    /usr/share/vantrell-server/game/MAP0.DAT /usr/share/vantrell-server/game/VANREC4.DAT; do
    grep -qx "$f" "$work/server-files" || fail "the server package lacks $f"
  done
  depends=$(dpkg-deb -f "$server_deb" Depends)
  if grep -qiE "qt|sdl" <<<"$depends"; then fail "the server package depends on Qt or SDL: $depends"; fi
  grep -q "libpqxx" <<<"$depends" || fail "the server package's Depends lacks libpqxx: $depends"
  server_root="$work/server-root"
  dpkg -x "$server_deb" "$server_root"
  lexgrog "$server_root/usr/share/man/man8/vantrell-server.8.gz" 2>&1 |
    grep -q ': "vantrell-server - ' || fail "the manual page vantrell-server.8.gz does not read as its page"
  if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify "$server_root/lib/systemd/system/vantrell-server.service" \
      >"$work/unit.log" 2>&1 || grep -q "vantrell-server: No such file\|Command .* is not executable" \
      "$work/unit.log" || { cat "$work/unit.log" >&2; fail "systemd-analyze verify"; }
  fi
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  "$server_root/usr/bin/vantrell-server" --listen "127.0.0.1:$port" --db "sqlite:$work/world.sqlite" \
    --game "$server_root/usr/share/vantrell-server/game" >"$work/server.log" 2>&1 &
  server_pid=$!
  courses=""
  for _ in $(seq 1 100); do
    courses=$(curl -sf "http://127.0.0.1:$port/api/v1/courses" 2>/dev/null) && break
    sleep 0.1
  done
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  [ "$(grep -o '"runs":10' <<<"$courses" | wc -l)" -eq 5 ] ||
    { cat "$work/server.log" >&2; fail "the installed server did not answer with five courses of ten staff runs: $courses"; }
else
  fail "cpack made no $(basename "$server_deb")"
fi

[ "$failures" -eq 0 ] && echo "package check: OK"
exit $((failures > 0))
