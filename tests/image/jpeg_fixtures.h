#pragma once
// JPEG files as cameras, phones and other programs write them, made with libjpeg itself or
// by editing a JFIF file's markers.
#include "image/image_fixtures.h"

enum class JpegKind {
    Jfif,       // JFIF header, YCbCr
    AdobeRgb,   // Adobe marker only, RGB stored as it is
    AdobeYcc,   // Adobe marker only, YCbCr
    AdobeCmyk,  // Adobe marker only, CMYK stored inverted as Adobe does
    JfifCmyk,   // the same CMYK with a JFIF header as well
};

// A w x h JPEG of the picture (24-bit; a CMYK file takes each pixel's B,G,R as C,M,Y and 0
// as K), quality 95.
Bytes writeJpegAs(const Picture& picture, JpegKind kind);

// The file with a camera's Exif segment (orientation: as stored) right after the start of
// image, in place of its JFIF segment if it had one; empty when it is no JPEG file.
Bytes withExif(const Bytes& jpeg);
