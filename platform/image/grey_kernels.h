#pragma once
// Row kernels that turn pixels grey in place, one table per instruction set, chosen
// once like the blitters' (platform/blit_kernels.h). Every kernel computes, per pixel,
// the luma (77 R + 150 G + 29 B) >> 8 of its 8-bit channels (16-bit pixels widened by
// repeating their high bits) and writes it back to every channel; a 16-bit pixel keeps
// the grey's high bits in each channel.
#include <cstdint>

#include "platform/blit_kernels.h"

struct GreyKernels {
    void (*bgr24)(uint8_t* pixels, int count);   // B,G,R bytes
    void (*bgrx32)(uint8_t* pixels, int count);  // B,G,R,X bytes; X is kept
    void (*rgb565)(uint8_t* pixels, int count);  // 16-bit 5-6-5
    void (*rgb555)(uint8_t* pixels, int count);  // 16-bit 5-5-5; the unused top bit ends 0
};

// The table of one set; null when the processor lacks it.
const GreyKernels* greyKernelsIn(KernelSet set);
// The best table the processor has.
const GreyKernels& greyKernels();
