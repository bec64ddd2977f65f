#!/bin/bash
# Installs Vorlen into a temporary prefix and plays the installed demo through the
# installed vorlen-play, engine-headless standing in for the window: the saved game and
# the screenshot land in the player's folder, the installed game folder stays exactly as
# it was (read-only; as root the game is played as an unprivileged user, so read-only
# means it), and vorlen-play ends with the engine's status.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$tmp/pre fix"
cmake --install "$build" --prefix "$prefix" >/dev/null
game="$prefix/share/vorlen/games/harrow-house"
for f in bin/engine bin/engine-windowed bin/engine-headless bin/vorlen-check bin/vorlen-play \
    bin/vorlen-pack share/vorlen/games/harrow-house/init.scn \
    share/applications/vorlen-harrow-house.desktop \
    share/icons/hicolor/scalable/apps/vorlen-harrow-house.svg \
    share/man/man1/vorlen-play.1.gz share/man/man1/engine-windowed.1.gz \
    share/doc/vorlen/copyright; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
gzip -t "$prefix"/share/man/man1/*.gz
grep -qx 'Exec=vorlen-play harrow-house' "$prefix/share/applications/vorlen-harrow-house.desktop" ||
    fail "the demo's desktop entry does not start vorlen-play"
[ ! -e "$game/.stamp" ] || fail "the build's stamp was installed"

# Every program with a command line answers --help and --version the same way.
version=$(sed -n 's/^#define VORLEN_VERSION "\(.*\)"/\1/p' \
    "$build/tools/common/generated/vorlen_version.h")
for p in vorlen-play vorlen-pack vorlen-check; do
    [ "$("$prefix/bin/$p" --version)" = "$p (Vorlen) $version" ] || fail "$p --version"
    "$prefix/bin/$p" --help | head -1 | grep -q "^Usage: $p " || fail "$p --help"
    set +e; "$prefix/bin/$p" --no-such-option 2>/dev/null; status=$?; set -e
    [ "$status" = 2 ] || fail "$p with an unknown option exited $status"
done

chmod -R a-w "$game"
listing() { (cd "$game" && find . -printf '%p %s %T@ %m\n' | sort | md5sum); }
before=$(listing)

data="$tmp/data"
mkdir -p "$data"
as_player=()
if [ "$(id -u)" = 0 ]; then
    chown nobody "$data"
    as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    # A sanitizer build reads its suppressions as that user too.
    if [ -n "${LSAN_OPTIONS:-}" ]; then
        options=()
        IFS=: read -ra parts <<<"$LSAN_OPTIONS"
        for part in "${parts[@]}"; do
            case "$part" in suppressions=*)
                cp "${part#suppressions=}" "$tmp/lsan.supp"
                chmod 644 "$tmp/lsan.supp"
                part="suppressions=$tmp/lsan.supp" ;;
            esac
            options+=("$part")
        done
        LSAN_OPTIONS=$(IFS=:; echo "${options[*]}")
        export LSAN_OPTIONS
    fi
fi
play() {
    env XDG_DATA_HOME="$data" VORLEN_ENGINE="$prefix/bin/engine-headless" \
        "${as_player[@]}" "$prefix/bin/vorlen-play" "$@"
}

# Save to slot 1 on the save page, leave it, take a screenshot.
input='frames 2
tap F5
frames 1
move 100 150
frames 2
tap MOUSE LEFT
frames 2
move 600 460
frames 2
tap MOUSE LEFT
frames 30
tap F9
frames 2
close'
set +e
out=$(cd / && play harrow-house <<<"$input" 2>"$tmp/err")
status=$?
set -e
[ "$status" = 0 ] || fail "vorlen-play exited $status: $(cat "$tmp/err")"
saves="$data/vorlen/games/harrow-house"
grep -qF "kept in $saves" "$tmp/err" || fail "vorlen-play does not say where saves are kept"
grep -q 'Wrote Screenshot to shot0.jpg' <<<"$out" || fail "no screenshot: $out"
for f in slot1.sav slot1.jpg shot0.jpg; do
    [ -f "$saves/$f" ] && [ ! -L "$saves/$f" ] || fail "$f is not in the player's folder"
done
[ -L "$saves/init.scn" ] || fail "the player's folder does not show the game"
[ "$(listing)" = "$before" ] || fail "the installed game folder changed"
! ls "$game" | grep -q '^s[lh]o' || fail "the game folder holds a save or screenshot"

# The same game by its folder, from another folder: the same player's folder.
list=$(cd "$tmp" && play --list "$game")
grep -qE '^  slot  1  [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8}$' <<<"$list" || fail "--list: $list"

# The engine's status comes back: a malformed input line makes engine-headless exit 2.
set +e
play harrow-house <<<'no such command' >/dev/null 2>&1
status=$?
set -e
[ "$status" = 2 ] || fail "vorlen-play passed on status $status instead of 2"
[ "$(listing)" = "$before" ] || fail "the installed game folder changed"

set +e
play no-such-game >/dev/null 2>&1
status=$?
set -e
[ "$status" = 2 ] || fail "an unknown game gave status $status"
# Without VORLEN_ENGINE the engine beside vorlen-play runs in the player's folder: the
# windowed one, or the full-screen one with --fullscreen; a signal that ends it comes
# back as 128 + its number.
fake="$tmp/fake bin"
mkdir -p "$fake"
cp "$prefix/bin/vorlen-play" "$fake/"
for e in engine engine-windowed; do
    printf '#!/bin/sh\necho "%s in $PWD"\n[ -e slot9.sav ] && kill -TERM $$\nexit 3\n' "$e" >"$fake/$e"
    chmod 755 "$fake/$e"
done
chmod -R a+rX "$fake"
for mode in "engine-windowed:" "engine:--fullscreen"; do
    set +e
    out=$(env XDG_DATA_HOME="$data" "${as_player[@]}" "$fake/vorlen-play" ${mode#*:} "$game" 2>/dev/null)
    status=$?
    set -e
    [ "$status" = 3 ] || fail "${mode%%:*}: status $status"
    [ "$out" = "${mode%%:*} in $saves" ] || fail "${mode%%:*}: $out"
done
touch "$saves/slot9.sav"
set +e
env XDG_DATA_HOME="$data" "$fake/vorlen-play" "$game" >/dev/null 2>&1
status=$?
set -e
[ "$status" = 143 ] || fail "an engine ended by SIGTERM gave status $status"
echo "install and play: ok"
