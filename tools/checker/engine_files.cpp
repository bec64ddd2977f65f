#include "tools/checker/engine_files.h"

#include <string>

#include "media/frame_animation.h"
#include "tools/checker/file_checks.h"

namespace {

struct PictureFile {
    const char* name;
    const char* role;     // what the player misses
    const char* missing;  // what happens without it
};

struct SheetFile {
    const char* name;
    const char* role;
    int frames;  // 64x64 frames the engine cuts from it
};

const PictureFile kPictures[] = {
    {"pointidle.bmp", "the idle pointer", "the built-in pointer stands in"},
    {"pointforward.bmp", "the forward pointer", "the built-in pointer stands in"},
    {"pointbackward.bmp", "the backward pointer", "the built-in pointer stands in"},
    {"pointleft.bmp", "the left pointer", "the built-in pointer stands in"},
    {"pointright.bmp", "the right pointer", "the built-in pointer stands in"},
    {"console.bmp", "the console panel", "the console shows without it"},
    {"end.jpg", "the ending picture", "the ending shows nothing"},
    {"saveload.jpg", "the save and load page", "the page shows without its picture"},
    {"testpat.jpg", "the picture of views without a base image",
     "the built-in test pattern stands in"},
};

const SheetFile kSheets[] = {
    {"interact.bmp", "the use pointer", 6},
    {"take.bmp", "the take pointer", 6},
    {"idle2forward.bmp", "the pointer's turn to forward", 6},
    {"idle2backward.bmp", "the pointer's turn to backward", 6},
    {"idle2left.bmp", "the pointer's turn to left", 6},
    {"idle2right.bmp", "the pointer's turn to right", 6},
    {"idle2take.bmp", "the pointer's turn to take", 6},
    {"invknight.bmp", "the held item's pointer", 10},
};

constexpr int kFrameSide = 64;
constexpr const char* kFont = "pookie.ttf";
constexpr const char* kTitleMovie = "nivoktit.mpg";

void warn(DiagnosticSink& sink, const std::string& file, const std::string& text) {
    sink.warning(Location{file}, text);
}

}  // namespace

void checkEngineFiles(FileProbe& probe, DiagnosticSink& sink) {
    for (const PictureFile& f : kPictures) {
        const Probe& p = probe.picture(f.name);
        const std::string about =
            std::string(" ") + quoted(f.name) + ", " + f.role + "; " + f.missing;
        if (!p.found) {
            warn(sink, f.name, "cannot find" + about);
        } else if (!p.decoded) {
            warn(sink, f.name, "cannot decode" + about + " (" + p.why + ")");
        }
    }
    for (const SheetFile& f : kSheets) {
        const Probe& p = probe.picture(f.name);
        const std::string about =
            std::string(" ") + quoted(f.name) + ", " + f.role + "; the pointer shows nothing there";
        if (!p.found) {
            warn(sink, f.name, "cannot find" + about);
            continue;
        }
        if (!p.decoded) {
            warn(sink, f.name, "cannot decode" + about + " (" + p.why + ")");
            continue;
        }
        AnimationSettings settings;
        settings.frameWidth = settings.frameHeight = kFrameSide;
        settings.frameCount = f.frames;
        const SheetCut cut = cutSheet(p.width, p.height, settings);
        const std::string size = std::to_string(p.width) + "x" + std::to_string(p.height);
        if (!cut.fits) {
            warn(sink, f.name,
                 "frames of 64x64 do not fit " + quoted(f.name) + " (" + size + "), " + f.role +
                     "; the pointer shows nothing there");
        } else if (cut.available < f.frames) {
            warn(sink, f.name,
                 quoted(f.name) + " (" + size + ") holds " + std::to_string(cut.available) +
                     " frames of 64x64, not " + std::to_string(f.frames) + "; " + f.role +
                     " shows nothing for the rest");
        }
    }
    const Probe& font = probe.font(kFont);
    if (!font.found) {
        warn(sink, kFont,
             std::string("cannot find the font ") + quoted(kFont) +
                 "; text is drawn in the default face");
    } else if (!font.decoded) {
        warn(sink, kFont,
             std::string("cannot read the font ") + quoted(kFont) + " (" + font.why +
                 "); text is drawn in the default face");
    }
    const Probe& movie = probe.movie(kTitleMovie);
    if (!movie.found) {
        warn(sink, kTitleMovie, std::string("cannot find the title movie ") + quoted(kTitleMovie));
    } else if (!movie.decoded) {
        warn(sink, kTitleMovie,
             std::string("FFmpeg cannot open the title movie ") + quoted(kTitleMovie) + ": " +
                 movie.why);
    }
}
