#!/bin/bash
# The Debian package of Vorlen: built with cpack, its file list and declared
# dependencies checked (every library a program needs comes from a package it depends
# on), and lintian finds no error in it.
set -eu
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps lintian objdump; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack: $(tail -20 "$tmp/cpack.log")"
deb=$(ls "$tmp"/vorlen_*.deb)

dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/files"
for f in usr/bin/engine usr/bin/engine-windowed usr/bin/engine-headless usr/bin/vorlen-check \
    usr/bin/vorlen-play usr/bin/vorlen-pack usr/bin/pandrel \
    usr/share/vorlen/games/harrow-house/init.scn \
    usr/share/vorlen/games/harrow-house/nivoktit.mpg \
    usr/share/applications/pandrel.desktop usr/share/applications/vorlen-harrow-house.desktop \
    usr/share/icons/hicolor/scalable/apps/pandrel.svg \
    usr/share/icons/hicolor/scalable/apps/vorlen-harrow-house.svg \
    usr/share/man/man1/engine.1.gz usr/share/man/man1/engine-windowed.1.gz \
    usr/share/man/man1/engine-headless.1.gz usr/share/man/man1/vorlen-check.1.gz \
    usr/share/man/man1/vorlen-play.1.gz usr/share/man/man1/vorlen-pack.1.gz \
    usr/share/man/man1/pandrel.1.gz \
    usr/share/doc/vorlen/copyright usr/share/doc/vorlen/changelog.gz; do
    grep -qx "./$f" "$tmp/files" || fail "the package lacks /$f"
done
! grep -E '/(\.stamp|slot[0-9]+\.sav|shot[0-9]+\.jpg)$' "$tmp/files" ||
    fail "the package holds files of the build or of a player"

# Each library a program links must come from a package the package depends on.
depends=$(dpkg-deb -f "$deb" Depends)
packages=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
dpkg-deb -x "$deb" "$tmp/root"
for program in "$tmp"/root/usr/bin/*; do
    objdump -p "$program" | awk '$1 == "NEEDED" {print $2}'
done | sort -u >"$tmp/needed"
ldconfig -p >"$tmp/ldcache"
while read -r lib; do
    path=$(awk -v l="$lib" '$1 == l {print $NF; exit}' "$tmp/ldcache")
    [ -n "$path" ] || fail "$lib is not on this system"
    owner=$(dpkg -S "$path" 2>/dev/null | head -1 | cut -d: -f1)
    [ -n "$owner" ] || owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | head -1 | cut -d: -f1)
    [ -n "$owner" ] || fail "no package owns $path"
    grep -qxF "$owner" <<<"$packages" || fail "$lib comes from $owner, which Depends lacks: $depends"
done <"$tmp/needed"

lintian --fail-on error "$deb" >"$tmp/lintian" 2>&1 || { cat "$tmp/lintian"; fail "lintian"; }
grep '^E:' "$tmp/lintian" && fail "lintian errors"
echo "debian package: ok ($(basename "$deb"), $(wc -l <"$tmp/files") entries)"
