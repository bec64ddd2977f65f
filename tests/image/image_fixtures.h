#pragma once
// Small encoders that write picture files in memory for the decoder tests, including
// hand-made run-length streams and deliberately broken headers.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void put16le(Bytes& b, size_t at, uint32_t v);
void put32le(Bytes& b, size_t at, uint32_t v);
void append16be(Bytes& b, uint32_t v);
void append32be(Bytes& b, uint32_t v);

// A bitmap with the given raw pixel data (already padded, already compressed).
// `height` negative makes a top-down file. The palette is B,G,R,0 entries.
Bytes makeBmp(int width, int height, int bits, uint32_t compression, const Bytes& palette,
              const Bytes& data, uint32_t coloursUsed = 0);

// A 16- or 32-bit bitmap with bit-field masks (red, green, blue, alpha) as image editors
// write it: the masks inside an information header of `infoSize` bytes (52, 56, 108 or
// 124), or in the 12 bytes after a 40-byte one. `data` holds the padded rows.
Bytes makeBitFieldBmp(int width, int height, int bits, int infoSize, const uint32_t (&masks)[4],
                      const Bytes& data);

struct TgaLayout {
    int type = 2;
    int width = 0, height = 0;
    int depth = 24;
    int descriptor = 0;
    int mapFirst = 0, mapLength = 0, mapBits = 0;  // a colour map when mapLength > 0
    Bytes id;
    Bytes map;
    bool footer = true;
};
Bytes makeTga(const TgaLayout& layout, const Bytes& data);

// Run-length encoded PCX of `planes` planes (1: 8-bit with `palette` of 256 R,G,B
// entries; 3: R,G,B planes). `rows` holds each row's planes one after the other.
Bytes makePcx(int width, int height, int planes, const Bytes& rows, const Bytes& paletteRgb);
// PCX header followed by the given stream as it stands.
Bytes makePcxRaw(int width, int height, int planes, int bytesPerLine, const Bytes& stream);
Bytes pcxEncode(const Bytes& raw);

// Photoshop file with planes of width*height bytes each, stored raw (0) or PackBits (1).
Bytes makePsd(int width, int height, const std::vector<Bytes>& planes, int compression,
              int mode = 3, int depth = 8);
Bytes packBits(const Bytes& row);

// A picture file whose pixel (x, y) is a known colour: used to check every decoder
// places rows and channels right.
uint8_t patternByte(int x, int y, int channel);

#include "platform/image/picture.h"

struct Bgr {
    uint8_t b = 0, g = 0, r = 0;
    bool operator==(const Bgr& o) const { return b == o.b && g == o.g && r == o.r; }
};
// The colour of pixel (x, y) counted from the top, whatever the picture's layout.
Bgr pixelAt(const Picture& picture, int x, int y);

// A fresh empty folder under /tmp, removed with its files by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::vector<std::string> files() const;

private:
    std::string dir_;
};
