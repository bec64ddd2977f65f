#include "platform/image/picture_formats.h"

#include <cstdio>
#include <new>

#include "platform/image/file_writer.h"

PictureFormats::PictureFormats(std::vector<PictureFormat> rows) {
    for (const PictureFormat& row : rows) add(row);
}

void PictureFormats::add(const PictureFormat& row) {
    if (row.type == 0 || !row.detect || !row.decode) return;
    for (PictureFormat& existing : rows_) {
        if (existing.type == row.type) {
            existing = row;
            return;
        }
    }
    rows_.push_back(row);
}

const PictureFormat* PictureFormats::find(int type) const {
    for (const PictureFormat& row : rows_)
        if (row.type == type) return &row;
    return nullptr;
}

int PictureFormats::detect(const uint8_t* bytes, size_t size) const {
    if (!bytes) return 0;
    for (const PictureFormat& row : rows_)
        if (row.detect(bytes, size)) return row.type;
    return 0;
}

bool PictureFormats::decode(const uint8_t* bytes, size_t size, int type, Picture& out,
                            std::string* error) const {
    std::string why;
    out = Picture();
    if (type == 0) type = detect(bytes, size);
    const PictureFormat* row = bytes ? find(type) : nullptr;
    bool ok = false;
    if (!row) {
        why = kUnsupportedPictureType;
    } else {
        try {
            ok = row->decode(bytes, size, out, why);
        } catch (const std::bad_alloc&) {
            why = "out of memory";
            ok = false;
        }
    }
    if (!ok) {
        out = Picture();
        if (error) *error = why.empty() ? "cannot decode picture" : why;
    }
    return ok;
}

bool PictureFormats::readFile(const std::string& path, Picture& out, int type,
                              std::string* error) const {
    out = Picture();
    auto setError = [&](const char* why) {
        if (error) *error = why;
        return false;
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return setError("cannot open file");
    std::vector<uint8_t> bytes;
    bool readOk = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        // No supported picture needs more than a gigabyte or two of file.
        if (size >= 0 && static_cast<unsigned long>(size) <= (2ul << 30) &&
            std::fseek(file, 0, SEEK_SET) == 0) {
            try {
                bytes.resize(static_cast<size_t>(size));
                readOk = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
            } catch (const std::bad_alloc&) {
                readOk = false;
            }
        }
    }
    std::fclose(file);
    if (!readOk) return setError("cannot read file");
    return decode(bytes.data(), bytes.size(), type, out, error);
}

bool PictureFormats::encode(int type, const Picture& picture, int quality,
                            std::vector<uint8_t>& out) const {
    out.clear();
    const PictureFormat* row = find(type);
    if (!row || !row->encode || !picture.isValid()) return false;
    try {
        if (row->encode(picture, quality, out)) return true;
    } catch (const std::bad_alloc&) {
    }
    out.clear();
    return false;
}

bool PictureFormats::writeFile(int type, const std::string& path, const Picture& picture,
                               int quality) const {
    std::vector<uint8_t> bytes;
    return encode(type, picture, quality, bytes) &&
           writeFileAtomically(path, bytes.data(), bytes.size());
}
