// Writes small movies of every container and codec the tests use into a folder, as the
// seed corpus of movie_open_fuzz (each with a leading control byte).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "movie/movie_fixtures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    av_log_set_level(AV_LOG_ERROR);
    struct Seed {
        const char* name;
        const char* muxer;
        const char* video;
        const char* sound;
    };
    const Seed seeds[] = {
        {"mpeg1.mpg", "mpeg", "mpeg1video", "mp2"},
        {"h264.mp4", "mp4", "libx264", "aac"},
        {"vp8.webm", "webm", "libvpx", "libvorbis"},
        {"vp9.webm", "webm", "libvpx-vp9", "libopus"},
        {"theora.ogv", "ogg", "libtheora", "libvorbis"},
        {"mpeg4.mkv", "matroska", "mpeg4", ""},
        {"sound.mpg", "mpeg", "", "mp2"},
        {"silent.avi", "avi", "mpeg4", ""},
    };
    int failures = 0;
    for (const Seed& s : seeds) {
        TestMovie m;
        m.muxer = s.muxer;
        m.video = s.video;
        m.sound = s.sound;
        m.width = 64;
        m.height = 48;
        m.frames = 12;
        m.gop = 5;
        m.bFrames = m.muxer == "mpeg" || m.video == "libx264" ? 2 : 0;
        if (m.sound == "libopus") m.sampleRate = 48000;
        const std::string temp = dir + "/" + s.name + ".tmp";
        std::string error = writeTestMovie(temp, m);
        if (!error.empty()) {
            std::fprintf(stderr, "%s: %s\n", s.name, error.c_str());
            ++failures;
            continue;
        }
        std::ifstream in(temp, std::ios::binary);
        std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        std::ofstream out(dir + "/" + s.name, std::ios::binary);
        out.put(static_cast<char>(25));  // 16-bit target, seek to 1.2 s
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::remove(temp.c_str());
    }
    return failures ? 1 : 0;
}
