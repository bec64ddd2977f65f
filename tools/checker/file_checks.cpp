#include "tools/checker/file_checks.h"

#include "media/frame_animation.h"
#include "platform/image/builtin_pictures.h"
#include "platform/image/picture.h"
#include "tools/checker/hotspot_area.h"

std::string quoted(const std::string& name) {
    return "'" + name + "'";
}

bool FileChecks::present(const Location& at, const std::string& what, const std::string& name) {
    if (probe_.exists(name)) return true;
    if (probe_.folder().kind(name) == FileKind::Other) {
        sink_.error(at, what + " " + quoted(name) + " is " + kNotARegularFile);
        return false;
    }
    std::string text = "cannot find " + what + " " + quoted(name);
    std::string other = probe_.sameNameOtherCase(name);
    if (!other.empty()) text += " (there is " + quoted(other) + ": file names are case-sensitive)";
    sink_.error(at, text);
    return false;
}

bool FileChecks::view(const Location& at, const std::string& name) {
    return present(at, "view", name);
}

void FileChecks::baseImage(const Location& at, const std::string& name, bool fromNone) {
    const Probe& p = probe_.picture(name);
    Picture builtin;
    if (!p.found || !p.decoded) {
        // The engine falls back to a picture of its own for a few names (the test
        // pattern among them); the view then shows, but not what the author meant.
        const bool standIn = builtinPicture(name, builtin);
        if (fromNone && standIn) return;  // the fixed-name file checks report it
        std::string text = !p.found ? "cannot find base image " + quoted(name)
                                    : "cannot decode base image " + quoted(name) + ": " + p.why;
        if (!p.found) {
            std::string other = probe_.sameNameOtherCase(name);
            if (!other.empty())
                text += " (there is " + quoted(other) + ": file names are case-sensitive)";
        }
        if (standIn) {
            sink_.warning(at, text + "; the built-in picture stands in");
        } else {
            sink_.error(at, text);
        }
        return;
    }
    if (p.width != kViewWidth || p.height != kViewHeight) {
        sink_.warning(at, "base image " + quoted(name) + " is " + std::to_string(p.width) + "x" +
                              std::to_string(p.height) + "; views are 640x480");
    }
}

void FileChecks::overlayPicture(const Location& at, const std::string& name) {
    if (!present(at, "overlay picture", name)) return;
    const Probe& p = probe_.picture(name);
    if (!p.decoded) sink_.error(at, "cannot decode overlay picture " + quoted(name) + ": " + p.why);
}

void FileChecks::sheet(const Location& at, const std::string& name, int frameWidth, int frameHeight,
                       int frameCount) {
    if (!present(at, "frame sheet", name)) return;
    const Probe& p = probe_.picture(name);
    if (!p.decoded) {
        sink_.error(at, "cannot decode frame sheet " + quoted(name) + ": " + p.why);
        return;
    }
    AnimationSettings settings;
    settings.frameWidth = frameWidth;
    settings.frameHeight = frameHeight;
    settings.frameCount = frameCount;
    const SheetCut cut = cutSheet(p.width, p.height, settings);
    const std::string size = std::to_string(frameWidth) + "x" + std::to_string(frameHeight);
    const std::string sheetSize = std::to_string(p.width) + "x" + std::to_string(p.height);
    if (frameCount < 0) {
        sink_.error(at, "frame count " + std::to_string(frameCount) +
                            " is negative: the animation has no frames");
    } else if (!cut.fits) {
        sink_.error(at, "frames of " + size + " do not fit frame sheet " + quoted(name) + " (" +
                            sheetSize + "): the animation has no frames");
    } else if (frameCount > cut.available) {
        sink_.warning(at, "frame sheet " + quoted(name) + " (" + sheetSize + ") holds " +
                              std::to_string(cut.available) + " frames of " + size + ", not " +
                              std::to_string(frameCount) + ": the frames past " +
                              std::to_string(cut.available) + " show nothing");
    }
}

void FileChecks::sound(const Location& at, const std::string& name) {
    if (!present(at, "sound", name)) return;
    const Probe& p = probe_.sound(name);
    if (!p.decoded) sink_.error(at, "the wave reader refuses sound " + quoted(name) + ": " + p.why);
}

void FileChecks::music(const Location& at, const std::string& name) {
    if (!present(at, "music", name)) return;
    const Probe& p = probe_.music(name);
    if (!p.decoded) sink_.error(at, "FFmpeg cannot play music " + quoted(name) + ": " + p.why);
}

void FileChecks::movie(const Location& at, const std::string& name) {
    if (!present(at, "movie", name)) return;
    const Probe& p = probe_.movie(name);
    if (!p.decoded) sink_.error(at, "FFmpeg cannot open movie " + quoted(name) + ": " + p.why);
}
