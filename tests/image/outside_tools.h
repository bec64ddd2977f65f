#pragma once
// Running the independent readers and writers the picture tests compare with
// (ImageMagick's convert, ffmpeg), and moving their files in and out.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "image/image_fixtures.h"
#include "platform/image/picture_rows.h"

inline bool haveTool(const char* name) {
    const std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

inline bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// The file's first picture as R,G,B bytes, top row first, as convert decodes it (turned
// the way its header says), or as ffmpeg does; empty when the tool fails.
inline Bytes convertsRgb(const TempFolder& dir, const std::string& path) {
    const std::string raw = dir.path("convert.rgb");
    if (!run("convert '" + path + "[0]' -auto-orient -depth 8 rgb:" + raw)) return {};
    return readBytes(raw);
}
inline Bytes ffmpegsRgb(const TempFolder& dir, const std::string& path) {
    const std::string raw = dir.path("ffmpeg.rgb");
    if (!run("ffmpeg -v error -y -i '" + path + "' -frames:v 1 -f rawvideo -pix_fmt rgb24 " + raw))
        return {};
    return readBytes(raw);
}

// The largest difference of any channel between a decoded picture and another reader's
// R,G,B bytes of it.
inline int largestDifference(const Picture& ours, const Bytes& theirs) {
    std::vector<uint8_t> row(static_cast<size_t>(ours.width) * 3);
    int worst = 0;
    for (int y = 0; y < ours.height; ++y) {
        pictureRowToBgr(ours, y, row.data());
        const uint8_t* other = &theirs[static_cast<size_t>(y) * row.size()];
        for (size_t x = 0; x < row.size(); x += 3)
            for (size_t c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(row[x + 2 - c] - other[x + c]));
    }
    return worst;
}
