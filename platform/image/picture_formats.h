#pragma once
// The table of picture file formats: for each, how a file of it is recognised, decoded
// and (optionally) written. Detection tries the rows in table order; the first match
// decides. The core library has the formats that need no outside library
// (corePictureFormats); a program adds the rows of the codec libraries it links and
// hands the table down to whatever reads or writes picture files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/picture.h"

// The reason PictureFormats gives when no row recognises the bytes.
constexpr const char* kUnsupportedPictureType = "Unsupported Image type.";

struct PictureFormat {
    int type = 0;  // the ImageReader type code; 0 is never a format
    const char* name = "";
    // True when the bytes are a file of this format.
    bool (*detect)(const uint8_t* bytes, size_t size) = nullptr;
    // Decodes a whole file; false with the reason in `error` on any failure.
    bool (*decode)(const uint8_t* bytes, size_t size, Picture& out, std::string& error) = nullptr;
    // The file bytes of a valid picture, quality 1..100 where the format has one; null
    // for formats that are only read.
    bool (*encode)(const Picture& picture, int quality, std::vector<uint8_t>& out) = nullptr;
};

class PictureFormats {
public:
    PictureFormats() = default;
    explicit PictureFormats(std::vector<PictureFormat> rows);

    // Appends a row (detected after those already there); a row of a type already in
    // the table replaces that one in place. Rows without a type, detector or decoder are
    // ignored.
    void add(const PictureFormat& row);
    const std::vector<PictureFormat>& rows() const { return rows_; }
    // The row of a type code, or null.
    const PictureFormat* find(int type) const;

    // The type code of the first row that recognises the bytes; 0 when none does.
    int detect(const uint8_t* bytes, size_t size) const;
    // Decodes bytes of the given type (0: detect it). False on any failure, with `out`
    // left empty; the reason goes to `error` when given (never shown to the player).
    bool decode(const uint8_t* bytes, size_t size, int type, Picture& out,
                std::string* error = nullptr) const;
    // Reads the whole file and decodes it.
    bool readFile(const std::string& path, Picture& out, int type = 0,
                  std::string* error = nullptr) const;

    // The file bytes of the picture in the given format; false when the table cannot
    // write that format or the picture is not valid.
    bool encode(int type, const Picture& picture, int quality, std::vector<uint8_t>& out) const;
    // Writes (replacing) the file; on failure no partial file is left behind.
    bool writeFile(int type, const std::string& path, const Picture& picture, int quality) const;

private:
    std::vector<PictureFormat> rows_;
};

// Truevision TGA, Windows bitmap, Photoshop and PCX, in that detection order.
PictureFormats corePictureFormats();
