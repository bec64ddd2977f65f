#pragma once
// Decoding shorthands for the decoder tests.
#include <gtest/gtest.h>

#include <string>

#include "image/image_fixtures.h"
#include "support/test_pictures.h"

// Decodes a file expected to be good, reporting the reader's reason when it is not.
inline Picture decodeOrFail(const Bytes& file) {
    Picture pic;
    std::string error;
    EXPECT_TRUE(testPictureFormats().decode(file.data(), file.size(), 0, pic, &error)) << error;
    return pic;
}

// True when the file decodes, or when a failed decode left anything behind.
inline bool decodes(const Bytes& file, int type = 0) {
    Picture pic;
    return testPictureFormats().decode(file.data(), file.size(), type, pic) ||
           !pic.pixels.empty() || pic.width != 0;
}
