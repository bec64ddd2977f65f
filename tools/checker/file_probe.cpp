#include "tools/checker/file_probe.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "media/movie_decoder.h"
#include "platform/image/picture.h"
#include "platform/image/picture_formats.h"

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

FileProbe::FileProbe(const GameFolder& folder, MediaReaders readers)
    : folder_(folder), readers_(std::move(readers)) {}

FileProbe::~FileProbe() = default;

const Probe& FileProbe::cached(std::map<std::string, Probe>& cache, const std::string& name,
                               const Reader& read) {
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    Probe& probe = cache[name];
    probe.found = !name.empty() && folder_.exists(name);
    if (probe.found) read(folder_.path(name), probe);
    return probe;
}

const Probe& FileProbe::picture(const std::string& name) {
    return cached(pictures_, name, [this](const std::string& path, Probe& probe) {
        if (!readers_.pictures) {
            probe.decoded = true;
            return;
        }
        Picture picture;
        probe.decoded = readers_.pictures->readFile(path, picture, 0, &probe.why);
        probe.width = picture.width;
        probe.height = picture.height;
    });
}

const Probe& FileProbe::movie(const std::string& name) {
    return cached(movies_, name, [this](const std::string& path, Probe& probe) {
        if (!readers_.movies) {
            probe.decoded = true;
            return;
        }
        MovieError error = MovieError::kNone;
        std::unique_ptr<MovieDecoder> decoder = readers_.movies->open(path, error);
        probe.decoded = decoder != nullptr;
        if (!decoder) probe.why = movieErrorText(error);
    });
}

const Probe& FileProbe::sound(const std::string& name) {
    return cached(sounds_, name, [this](const std::string& path, Probe& probe) {
        probe.decoded = !readers_.sound || readers_.sound(path, probe.why);
    });
}

const Probe& FileProbe::music(const std::string& name) {
    return cached(music_, name, [this](const std::string& path, Probe& probe) {
        probe.decoded = !readers_.music || readers_.music(path, probe.why);
    });
}

const Probe& FileProbe::font(const std::string& name) {
    return cached(fonts_, name, [](const std::string& path, Probe& probe) {
        unsigned char head[4] = {};
        std::FILE* file = std::fopen(path.c_str(), "rb");
        size_t got = file ? std::fread(head, 1, sizeof head, file) : 0;
        if (file) std::fclose(file);
        const std::string tag(reinterpret_cast<const char*>(head), got);
        probe.decoded =
            tag == std::string("\0\1\0\0", 4) || tag == "true" || tag == "OTTO" || tag == "ttcf";
        if (!probe.decoded) probe.why = file ? "not a TrueType or OpenType font" : "cannot read it";
    });
}

std::string FileProbe::sameNameOtherCase(const std::string& name) {
    if (!listed_) {
        listed_ = true;
        std::error_code error;
        const std::string root = folder_.root().empty() ? "." : folder_.root();
        for (std::filesystem::directory_iterator it(root, error), end; !error && it != end;
             it.increment(error)) {
            const std::string file = it->path().filename().string();
            lowerCaseNames_.emplace(lowerCase(file), file);
        }
    }
    auto it = lowerCaseNames_.find(lowerCase(name));
    return it == lowerCaseNames_.end() || it->second == name ? std::string() : it->second;
}
