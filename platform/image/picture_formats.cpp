#include "platform/image/picture_formats.h"

#include <new>

#include "platform/file_bytes.h"
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
    std::vector<uint8_t> bytes;
    // No supported picture needs more than a gigabyte or two of file.
    switch (readFileBytes(path, size_t{2} << 30, bytes)) {
        case FileRead::Ok:
            return decode(bytes.data(), bytes.size(), type, out, error);
        case FileRead::NotAFile:
            if (error)
                *error =
                    fileKind(path) == FileKind::Missing ? "cannot open file" : "not a regular file";
            return false;
        case FileRead::TooLarge:
        case FileRead::Failed:
            break;
    }
    if (error) *error = "cannot read file";
    return false;
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
