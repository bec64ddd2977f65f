#!/usr/bin/env bash
# The layering check on a made-up tree: it passes what the back ends, codecs and tools
# include, and fails a core file that includes SDL, FFmpeg or libjpeg, or a layer under
# the engine that includes engine/.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/platform/sdl" "$tree/platform/jpeg" "$tree/media/ffmpeg" "$tree/tools" \
    "$tree/engine/commands" "$tree/engine/main" "$tree/platform/headless" "$tree/script" \
    "$tree/view" "$tree/game"
echo '#include <SDL_ttf.h>' >"$tree/platform/sdl/text.cpp"
echo '#include <jpeglib.h>' >"$tree/platform/jpeg/decoder.cpp"
echo '#include <libavformat/avformat.h>' >"$tree/media/ffmpeg/music.cpp"
echo '#include <SDL.h>' >"$tree/tools/paint.cpp"
echo '#include "platform/surface.h"' >"$tree/engine/ok.cpp"
# The engine's own folders and the hosts may include the engine.
for ok in engine/commands/view.cpp engine/main/run.cpp platform/sdl/host.cpp \
    platform/headless/host.h; do
    echo '#include "engine/engine_host.h"' >"$tree/$ok"
done
bash "$check" "$tree" >/dev/null 2>&1 || { echo "clean tree rejected"; exit 1; }

printf '#include "a.h"\n  #  include <libavcodec/avcodec.h>\n' >"$tree/engine/movie.cpp"
bash "$check" "$tree" >/dev/null 2>&1 && { echo "FFmpeg include in the core passed"; exit 1; }
rm "$tree/engine/movie.cpp"
echo '#include <jpeglib.h>' >"$tree/media/other.h"
bash "$check" "$tree" >/dev/null 2>&1 && { echo "libjpeg include in media/ passed"; exit 1; }
rm "$tree/media/other.h"
echo '#include <SDL_mixer.h>' >"$tree/media/mixer.cpp"
bash "$check" "$tree" >/dev/null 2>&1 && { echo "SDL_mixer include in media/ passed"; exit 1; }
rm "$tree/media/mixer.cpp"
mkdir -p "$tree/platform/speech"
echo '#include <espeak-ng/speak_lib.h>' >"$tree/platform/speech/voice.cpp"
bash "$check" "$tree" >/dev/null 2>&1 || { echo "speech back end rejected"; exit 1; }
for header in '<espeak-ng/speak_lib.h>' '<libspeechd.h>' '<speech-dispatcher/libspeechd.h>'; do
    echo "#include $header" >"$tree/engine/speech.cpp"
    bash "$check" "$tree" >/dev/null 2>&1 && { echo "$header in the core passed"; exit 1; }
done
rm "$tree/engine/speech.cpp"
echo '#include "SDL.h"' >"$tree/platform/screen.cpp"
bash "$check" "$tree" >/dev/null 2>&1 && { echo "SDL include in platform/ passed"; exit 1; }
rm "$tree/platform/screen.cpp"
for stray in script/commands.h view/view.cpp game/inventory.cpp media/sound.cpp \
    media/ffmpeg/movie.cpp platform/screen.cpp platform/image/bmp.cpp; do
    mkdir -p "$(dirname "$tree/$stray")"
    printf '#include "platform/rect.h"\n #  include <engine/engine.h>\n' >"$tree/$stray"
    bash "$check" "$tree" >/dev/null 2>&1 && { echo "engine/ include in $stray passed"; exit 1; }
    rm "$tree/$stray"
done
bash "$check" "$tree" >/dev/null 2>&1 || { echo "clean tree rejected at the end"; exit 1; }
echo "the layering check catches stray includes"
