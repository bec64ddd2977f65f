#include "engine/main/standard_services.h"

#include "media/ffmpeg/ffmpeg_logging.h"
#include "platform/jpeg/jpeg_format.h"

StandardServices::StandardServices() : pictures_(pictureFormatsWithJpeg()) {
    // Damaged game files are reported on the console; the codecs' own chatter is not
    // for players.
    silenceFfmpegLogging();
    services_.text = &text_;
    services_.pictures = &pictures_;
    services_.music = &music_;
    services_.movies = &movies_;
    services_.recorders = &recorders_;
}
