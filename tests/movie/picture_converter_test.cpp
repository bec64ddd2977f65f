// Drawing decoded pictures into rows of any width: the scaler never writes outside the
// target's pixels, however narrow the rows or however tightly they lie.
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

#include <cstring>
#include <vector>

#include "media/ffmpeg/picture_converter.h"
#include "platform/pixel_format.h"

namespace {

constexpr uint8_t kCanary = 0xA5;
constexpr size_t kGuard = 512;  // canary bytes before and after the rows

// A 320x240 picture as the MPEG decoders give it: planar 4:2:0, one flat grey.
struct GreyFrame {
    GreyFrame() {
        frame = av_frame_alloc();
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = 320;
        frame->height = 240;
        if (av_frame_get_buffer(frame, 0) == 0) {
            std::memset(frame->data[0], 160, static_cast<size_t>(frame->linesize[0]) * 240);
            std::memset(frame->data[1], 128, static_cast<size_t>(frame->linesize[1]) * 120);
            std::memset(frame->data[2], 128, static_cast<size_t>(frame->linesize[2]) * 120);
        }
    }
    ~GreyFrame() { av_frame_free(&frame); }
    AVFrame* frame;
};

// Rows `pitch` bytes apart inside canaries; gaps between rows hold canaries too.
struct GuardedRows {
    GuardedRows(int pitch, int height)
        : bytes(kGuard * 2 + static_cast<size_t>(pitch) * static_cast<size_t>(height), kCanary) {}
    uint8_t* rows() { return bytes.data() + kGuard; }
    std::vector<uint8_t> bytes;
};

TEST(PictureConverter, WritesOnlyTheTargetsPixelsAtEveryWidth) {
    GreyFrame grey;
    ASSERT_NE(grey.frame->data[0], nullptr);
    PictureConverter converter;
    for (int type : {15, 16, 24, 32}) {
        const PixelFormat format = PixelFormat::ofType(type);
        const int bpp = format.bytesPerPixel;
        for (int width = 1; width <= 17; ++width) {
            for (int height : {1, 2, 130}) {
                // Rows back to back, and rows with a gap of three bytes after each.
                for (int gap : {0, 3}) {
                    SCOPED_TRACE(::testing::Message() << "type " << type << ", " << width << "x"
                                                      << height << ", gap " << gap);
                    const int rowBytes = width * bpp;
                    const int pitch = rowBytes + gap;
                    // What the rows should hold: the same picture drawn with room to spare
                    // (the scaler dithers, so pixels of one grey may differ a little).
                    const int roomy = rowBytes + 256;
                    std::vector<uint8_t> expected(static_cast<size_t>(roomy) * (height + 1));
                    ASSERT_TRUE(converter.convert(*grey.frame, format, expected.data(), roomy,
                                                  width, height));
                    ASSERT_NE(expected[0], kCanary);
                    GuardedRows target(pitch, height);
                    ASSERT_TRUE(converter.convert(*grey.frame, format, target.rows(), pitch, width,
                                                  height));
                    for (size_t i = 0; i < target.bytes.size(); ++i) {
                        long at = static_cast<long>(i) - static_cast<long>(kGuard);
                        bool inRow = at >= 0 && at < static_cast<long>(pitch) * height &&
                                     at % pitch < rowBytes;
                        if (inRow) {
                            ASSERT_EQ(
                                target.bytes[i],
                                expected[static_cast<size_t>(at / pitch * roomy + at % pitch)])
                                << at;
                        } else {
                            ASSERT_EQ(target.bytes[i], kCanary) << "written at " << at;
                        }
                    }
                }
            }
        }
    }
}

TEST(PictureConverter, RefusesRowsShorterThanTheWidth) {
    GreyFrame grey;
    PictureConverter converter;
    const PixelFormat format = PixelFormat::ofType(16);
    GuardedRows target(8, 4);
    EXPECT_FALSE(converter.convert(*grey.frame, format, target.rows(), 7, 4, 4));
    EXPECT_TRUE(converter.convert(*grey.frame, format, target.rows(), 8, 4, 4));
    EXPECT_FALSE(converter.convert(*grey.frame, format, target.rows(), 8, 0, 4));
}

}  // namespace
