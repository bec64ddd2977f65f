#!/bin/bash
# vorlen-pack on the demo: the archive unpacks and plays on a path with blanks (and a
# quote) in it, the desktop entry and the Debian package say the right things, and a
# game with a checker error is refused unless forced.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
pack="$build/vorlen-pack"

out="$tmp/author's games/harrow house"
mkdir -p "$(dirname "$out")"
"$pack" "$build/demo-game" -o "$out" --deb >"$tmp/packed" 2>"$tmp/err" ||
    fail "vorlen-pack failed: $(cat "$tmp/err")"
archive="$out.tar.gz"
[ -f "$archive" ] || fail "no archive"

home="$tmp/a player's home/My Games"
mkdir -p "$home"
tar -xzf "$archive" -C "$home"
unpacked="$home/harrow house"
for f in play README.txt vorlen-harrow-house.desktop vorlen-harrow-house.svg \
    harrow-house/init.scn harrow-house/nivoktit.mpg; do
    [ -e "$unpacked/$f" ] || fail "the archive lacks $f"
done
[ -x "$unpacked/play" ] || fail "the launcher is not executable"
[ ! -e "$unpacked/harrow-house/.stamp" ] || fail "a hidden file was packed"
grep -qx 'Name=Harrow House' "$unpacked/vorlen-harrow-house.desktop" || fail "desktop name"
grep -qx 'Icon=vorlen-harrow-house' "$unpacked/vorlen-harrow-house.desktop" || fail "icon"
grep -q '^Harrow House ' "$unpacked/README.txt" || fail "README title"

data="$tmp/data"
input='frames 2
tap F5
frames 1
move 100 150
frames 2
tap MOUSE LEFT
frames 2
close'
(cd "$tmp" && env PATH="$build:$PATH" XDG_DATA_HOME="$data" \
    VORLEN_ENGINE="$build/engine-headless" "$unpacked/play" <<<"$input" >"$tmp/out" 2>&1) ||
    fail "the unpacked game does not play: $(tail -5 "$tmp/out")"
[ -f "$data/vorlen/games/harrow-house/slot1.sav" ] || fail "the save did not land"
[ ! -e "$unpacked/harrow-house/slot1.sav" ] || fail "the unpacked game folder was written"

deb=$(sed -n '/\.deb$/p' "$tmp/packed")
[ -f "$deb" ] || fail "no Debian package"
[ "$(dpkg-deb -f "$deb" Package)" = harrow-house ] || fail "package name"
version=$(sed -n 's/^version: //p' "$build/demo-game/game.txt")
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
[ "$(dpkg-deb -f "$deb" Depends)" = "vorlen (>= $version)" ] || fail "package Depends"
dpkg-deb -c "$deb" >"$tmp/files"
grep -q ' ./usr/share/vorlen/games/harrow-house/init.scn$' "$tmp/files" ||
    fail "the package lacks the game"
grep -q ' ./usr/share/applications/vorlen-harrow-house.desktop$' "$tmp/files" ||
    fail "the package lacks the desktop entry"

# A game the checker finds an error in: refused, and nothing written; --force packs it.
broken="$tmp/broken"
cp -r "$build/demo-game" "$broken"
sed -i 's/^load court.scn/lod court.scn/' "$broken/init.scn"
set +e
"$pack" "$broken" -o "$tmp/refused" 2>"$tmp/err"
status=$?
set -e
[ "$status" = 1 ] || fail "a broken game gave status $status"
grep -q "init.scn:[0-9]*: error: unknown command 'lod'" "$tmp/err" || fail "$(cat "$tmp/err")"
[ ! -e "$tmp/refused" ] && [ ! -e "$tmp/refused.tar.gz" ] || fail "a refused game was written"
"$pack" "$broken" -o "$tmp/forced" --force >/dev/null 2>&1 || fail "--force did not pack"

# A game.txt with an icon that is not there: named, and the package falls back to
# Vorlen's own icon.
printf 'title: Moor & Fen\nicon: missing.png\nversion: one\n' >"$broken/game.txt"
"$pack" "$broken" -o "$tmp/moor" --force >/dev/null 2>"$tmp/err" || fail "game.txt packing"
grep -q "the icon 'missing.png' is not in the game folder" "$tmp/err" || fail "$(cat "$tmp/err")"
grep -q "game.txt:3: warning: version must start with a digit" "$tmp/err" ||
    fail "$(cat "$tmp/err")"
grep -qx 'Icon=vorlen' "$tmp/moor/vorlen-moor-fen.desktop" || fail "fallback icon"
grep -qx 'Name=Moor & Fen' "$tmp/moor/vorlen-moor-fen.desktop" || fail "title"
[ -d "$tmp/moor/moor-fen" ] || fail "the game folder is not named after the title"

# An OUT that exists is never overwritten.
set +e
"$pack" "$build/demo-game" -o "$out" >/dev/null 2>&1
status=$?
set -e
[ "$status" = 2 ] || fail "packing over an existing folder gave status $status"
set +e
"$pack" "$broken" -o "$broken/dist" --force >/dev/null 2>&1
status=$?
set -e
[ "$status" = 2 ] && [ ! -e "$broken/dist" ] || fail "packing into the game gave status $status"
echo "pack and play: ok"
