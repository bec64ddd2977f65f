#include "media/ffmpeg/ffmpeg_logging.h"

extern "C" {
#include <libavutil/log.h>
}

void silenceFfmpegLogging() {
    av_log_set_level(AV_LOG_QUIET);
}
