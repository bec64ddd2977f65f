#!/usr/bin/env bash
# Fails when a source of the core includes an SDL, SDL_ttf, SDL_mixer, FFmpeg
# (libav*, libsw*), libjpeg or speech synthesis (espeak-ng, speech-dispatcher) header.
# Only the back ends and codecs may: platform/sdl/, platform/jpeg/, platform/speech/,
# media/ffmpeg/; and the editor, tests, benchmarks,
# fuzz targets and tools, which are programs of their own.
#
# Inside the core, the layers under the engine object — script/, view/, game/, media/
# and platform/ — include nothing from engine/; only the back ends that implement the
# engine's host (platform/sdl/, platform/headless/) may.
#
# usage: check-layers.sh [SOURCE-ROOT]   (default: the folder above this script)
set -euo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root"

allowed='^(platform/sdl|platform/jpeg|platform/speech|media/ffmpeg|editor|tests|bench|fuzz|tools)/'
headers='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL[^>"]*|SDL2/[^>"]*|libav[a-z]*/[^>"]*|libsw[a-z]*/[^>"]*|jpeglib\.h|jerror\.h|jconfig\.h|jmorecfg\.h|turbojpeg\.h|espeak-ng/[^>"]*|espeak/[^>"]*|libspeechd\.h|speech-dispatcher/[^>"]*)[>"]'
below_engine='^(script|view|game|media|platform)/'
hosts='^platform/(sdl|headless)/'
engine_headers='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]engine/'

status=0
while IFS= read -r -d '' file; do
    file=${file#./}
    if [[ $file =~ $below_engine && ! $file =~ $hosts ]] &&
        matches=$(grep -nE "$engine_headers" "$file"); then
        while IFS= read -r line; do
            echo "layers: $file:$line: a layer under the engine may not include engine/" >&2
        done <<<"$matches"
        status=1
    fi
    [[ $file =~ $allowed ]] && continue
    if matches=$(grep -nE "$headers" "$file"); then
        while IFS= read -r line; do
            echo "layers: $file:$line: the core may not include this header" >&2
        done <<<"$matches"
        status=1
    fi
done < <(find . \( -name .git -o -name 'build*' -o -name demo \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.cc' -o -name '*.c' -o -name '*.h' -o -name '*.hpp' \
    -o -name '*.inc' \) -print0)

[[ $status -eq 0 ]] &&
    echo "layers: the core includes no SDL, FFmpeg, libjpeg or speech header; nothing under the engine includes engine/"
exit $status
