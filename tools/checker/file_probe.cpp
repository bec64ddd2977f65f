#include "tools/checker/file_probe.h"

#include <cctype>
#include <filesystem>

#include "media/movie_decoder.h"
#include "platform/file_bytes.h"
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
    const FileKind kind = folder_.kind(name);
    probe.found = kind != FileKind::Missing;
    if (kind == FileKind::Regular) {
        read(folder_.path(name), probe);
    } else if (probe.found) {
        // The engine never opens it (reading a pipe would wait for a writer).
        probe.why = kNotARegularFile;
    }
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
        char head[4] = {};
        FileRead why = FileRead::Failed;
        const int fd = openRegularFile(path, why);
        const ssize_t got = fd >= 0 ? ::read(fd, head, sizeof head) : -1;
        if (fd >= 0) ::close(fd);
        const std::string tag(head, got > 0 ? static_cast<size_t>(got) : 0);
        probe.decoded =
            tag == std::string("\0\1\0\0", 4) || tag == "true" || tag == "OTTO" || tag == "ttcf";
        if (!probe.decoded)
            probe.why = got >= 0 ? "not a TrueType or OpenType font" : "cannot read it";
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
