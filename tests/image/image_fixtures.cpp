#include "image/image_fixtures.h"

#include <cstring>

void put16le(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32le(Bytes& b, size_t at, uint32_t v) {
    put16le(b, at, v);
    put16le(b, at + 2, v >> 16);
}
void append16be(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}
void append32be(Bytes& b, uint32_t v) {
    append16be(b, v >> 16);
    append16be(b, v);
}

Bytes makeBmp(int width, int height, int bits, uint32_t compression, const Bytes& palette,
              const Bytes& data, uint32_t coloursUsed) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    const size_t offset = 54 + palette.size();
    put32le(b, 2, static_cast<uint32_t>(offset + data.size()));
    put32le(b, 10, static_cast<uint32_t>(offset));
    put32le(b, 14, 40);
    put32le(b, 18, static_cast<uint32_t>(width));
    put32le(b, 22, static_cast<uint32_t>(height));
    put16le(b, 26, 1);
    put16le(b, 28, static_cast<uint32_t>(bits));
    put32le(b, 30, compression);
    put32le(b, 34, static_cast<uint32_t>(data.size()));
    put32le(b, 46, coloursUsed);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes makeBitFieldBmp(int width, int height, int bits, int infoSize, const uint32_t (&masks)[4],
                      const Bytes& data) {
    const size_t header = 14 + static_cast<size_t>(infoSize);
    const size_t offset = header + (infoSize == 40 ? 12 : 0);
    Bytes b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32le(b, 2, static_cast<uint32_t>(offset + data.size()));
    put32le(b, 10, static_cast<uint32_t>(offset));
    put32le(b, 14, static_cast<uint32_t>(infoSize));
    put32le(b, 18, static_cast<uint32_t>(width));
    put32le(b, 22, static_cast<uint32_t>(height));
    put16le(b, 26, 1);
    put16le(b, 28, static_cast<uint32_t>(bits));
    put32le(b, 30, 3);
    put32le(b, 34, static_cast<uint32_t>(data.size()));
    put32le(b, 38, 2835);  // 72 pixels per inch
    put32le(b, 42, 2835);
    const int maskCount = infoSize == 40 || infoSize == 52 ? 3 : 4;
    for (int i = 0; i < maskCount; ++i) put32le(b, 54 + 4 * static_cast<size_t>(i), masks[i]);
    if (infoSize >= 108) put32le(b, 70, 0x73524742);  // colour space "sRGB"
    if (infoSize >= 124) put32le(b, 122, 4);          // rendering intent: pictures
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes makeTga(const TgaLayout& s, const Bytes& data) {
    Bytes b(18, 0);
    b[0] = static_cast<uint8_t>(s.id.size());
    b[1] = s.mapLength > 0 ? 1 : 0;
    b[2] = static_cast<uint8_t>(s.type);
    put16le(b, 3, static_cast<uint32_t>(s.mapFirst));
    put16le(b, 5, static_cast<uint32_t>(s.mapLength));
    b[7] = static_cast<uint8_t>(s.mapBits);
    put16le(b, 12, static_cast<uint32_t>(s.width));
    put16le(b, 14, static_cast<uint32_t>(s.height));
    b[16] = static_cast<uint8_t>(s.depth);
    b[17] = static_cast<uint8_t>(s.descriptor);
    b.insert(b.end(), s.id.begin(), s.id.end());
    b.insert(b.end(), s.map.begin(), s.map.end());
    b.insert(b.end(), data.begin(), data.end());
    if (s.footer) {
        Bytes footer(8, 0);
        const char sig[] = "TRUEVISION-XFILE.";
        footer.insert(footer.end(), sig, sig + 17);
        footer.push_back(0);
        b.insert(b.end(), footer.begin(), footer.end());
    }
    return b;
}

Bytes pcxEncode(const Bytes& raw) {
    Bytes out;
    for (size_t i = 0; i < raw.size();) {
        size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) ++run;
        if (run > 1 || raw[i] >= 192) {
            out.push_back(static_cast<uint8_t>(192 + run));
        }
        out.push_back(raw[i]);
        i += run;
    }
    return out;
}

Bytes makePcxRaw(int width, int height, int planes, int bytesPerLine, const Bytes& stream) {
    Bytes b(128, 0);
    b[0] = 10;
    b[1] = 5;
    b[2] = 1;
    b[3] = 8;
    put16le(b, 8, static_cast<uint32_t>(width - 1));
    put16le(b, 10, static_cast<uint32_t>(height - 1));
    b[65] = static_cast<uint8_t>(planes);
    put16le(b, 66, static_cast<uint32_t>(bytesPerLine));
    b.insert(b.end(), stream.begin(), stream.end());
    return b;
}

Bytes makePcx(int width, int height, int planes, const Bytes& rows, const Bytes& paletteRgb) {
    Bytes b = makePcxRaw(width, height, planes, width, pcxEncode(rows));
    if (planes == 1) {
        b.push_back(12);
        b.insert(b.end(), paletteRgb.begin(), paletteRgb.end());
    }
    return b;
}

Bytes packBits(const Bytes& row) {
    Bytes out;
    size_t i = 0;
    while (i < row.size()) {
        size_t run = 1;
        while (i + run < row.size() && row[i + run] == row[i] && run < 128) ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(257 - run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        size_t start = i, count = 0;
        while (i < row.size() && count < 128) {
            if (i + 2 < row.size() && row[i] == row[i + 1] && row[i] == row[i + 2]) break;
            ++i;
            ++count;
        }
        out.push_back(static_cast<uint8_t>(count - 1));
        out.insert(out.end(), row.begin() + static_cast<long>(start),
                   row.begin() + static_cast<long>(start + count));
    }
    return out;
}

Bytes makePsd(int width, int height, const std::vector<Bytes>& planes, int compression, int mode,
              int depth) {
    Bytes b = {'8', 'B', 'P', 'S'};
    append16be(b, 1);
    b.insert(b.end(), 6, 0);
    append16be(b, static_cast<uint32_t>(planes.size()));
    append32be(b, static_cast<uint32_t>(height));
    append32be(b, static_cast<uint32_t>(width));
    append16be(b, static_cast<uint32_t>(depth));
    append16be(b, static_cast<uint32_t>(mode));
    append32be(b, 0);  // colour-mode data
    append32be(b, 4);  // resources, skipped unread
    b.insert(b.end(), {'x', 'x', 'x', 'x'});
    append32be(b, 0);  // layers
    append16be(b, static_cast<uint32_t>(compression));
    if (compression == 0) {
        for (const Bytes& p : planes) b.insert(b.end(), p.begin(), p.end());
        return b;
    }
    std::vector<Bytes> rows;
    for (const Bytes& p : planes) {
        for (int y = 0; y < height; ++y) {
            Bytes row(p.begin() + static_cast<long>(y) * width,
                      p.begin() + static_cast<long>(y + 1) * width);
            rows.push_back(packBits(row));
            append16be(b, static_cast<uint32_t>(rows.back().size()));
        }
    }
    for (const Bytes& r : rows) b.insert(b.end(), r.begin(), r.end());
    return b;
}

uint8_t patternByte(int x, int y, int channel) {
    return static_cast<uint8_t>(x * 7 + y * 13 + channel * 61);
}

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/image/picture_rows.h"

Bgr pixelAt(const Picture& picture, int x, int y) {
    std::vector<uint8_t> row(static_cast<size_t>(picture.width) * 3);
    pictureRowToBgr(picture, y, row.data());
    const uint8_t* p = &row[static_cast<size_t>(x) * 3];
    return Bgr{p[0], p[1], p[2]};
}

TempFolder::TempFolder() {
    char name[] = "/tmp/vorlen-image-test-XXXXXX";
    if (mkdtemp(name)) dir_ = name;
}

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir_.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        closedir(d);
    }
    return names;
}

TempFolder::~TempFolder() {
    if (dir_.empty()) return;
    for (const std::string& n : files()) unlink(path(n).c_str());
    rmdir(dir_.c_str());
}
