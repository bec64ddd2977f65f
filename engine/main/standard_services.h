#pragma once
// What every program of the engine links: text on SDL_ttf, every picture format (JPEG
// through libjpeg), music and movies through FFmpeg.
#include "engine/program_services.h"
#include "media/ffmpeg/ffmpeg_movie_opener.h"
#include "media/ffmpeg/ffmpeg_music_decoder.h"
#include "media/ffmpeg/ffmpeg_video_recorder.h"
#include "platform/image/picture_formats.h"
#include "platform/sdl/sdl_text_renderer.h"

class StandardServices {
public:
    StandardServices();
    StandardServices(const StandardServices&) = delete;
    StandardServices& operator=(const StandardServices&) = delete;

    const ProgramServices& services() const { return services_; }

private:
    SdlTextRenderer text_;
    PictureFormats pictures_;
    FfmpegMusicDecoders music_;
    FfmpegMovieOpener movies_;
    FfmpegVideoRecorders recorders_;
    ProgramServices services_;
};
