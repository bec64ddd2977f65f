#pragma once
// Opens the files a game names with the engine's own readers, each file once: pictures
// through the picture-format table, movies and music through FFmpeg, sounds through the
// wave reader. Only what the checks need is kept: whether the file is there, whether it
// decodes (and why not), and a picture's size.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/game_folder.h"

class MovieOpener;
class PictureFormats;

// The readers a probe uses. A reader left empty only checks that the file is there.
struct MediaReaders {
    const PictureFormats* pictures = nullptr;
    MovieOpener* movies = nullptr;
    // Each true when the file at the path decodes; false with the reason.
    std::function<bool(const std::string& path, std::string& why)> sound;
    std::function<bool(const std::string& path, std::string& why)> music;
};

// The reason given for a name that is there but is a pipe, a device or a folder.
constexpr const char* kNotARegularFile =
    "not a regular file (a pipe, a device or a folder): the engine reads only regular files";

struct Probe {
    bool found = false;         // a status query on the file succeeds
    bool decoded = false;       // the reader accepted it
    std::string why;            // the reader's reason when it did not
    int width = 0, height = 0;  // pictures
};

class FileProbe {
public:
    FileProbe(const GameFolder& folder, MediaReaders readers);
    ~FileProbe();

    const Probe& picture(const std::string& name);
    const Probe& movie(const std::string& name);
    const Probe& sound(const std::string& name);
    const Probe& music(const std::string& name);
    // A TrueType or OpenType font file, judged by its signature.
    const Probe& font(const std::string& name);
    // True when the name is a regular file, the only kind the engine reads.
    bool exists(const std::string& name) const { return folder_.exists(name); }

    // For a name that is not there: a file of the folder that differs only in case, or
    // empty.
    std::string sameNameOtherCase(const std::string& name);

    const GameFolder& folder() const { return folder_; }
    const MediaReaders& readers() const { return readers_; }

private:
    using Reader = std::function<void(const std::string& path, Probe& probe)>;
    const Probe& cached(std::map<std::string, Probe>& cache, const std::string& name,
                        const Reader& read);

    const GameFolder& folder_;
    MediaReaders readers_;
    std::map<std::string, Probe> pictures_, movies_, sounds_, music_, fonts_;
    bool listed_ = false;
    std::map<std::string, std::string> lowerCaseNames_;
};
