#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/key_names.h"
#include "platform/sdl/sdl_input.h"

namespace {

TEST(SdlScancodes, PhysicalKeysGiveTheirUnshiftedCodes) {
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_GRAVE), KeyCode::Grave);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_A), 97);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_1), 49);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_MINUS), 45);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_F9), KeyCode::F9);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_DELETE), 151);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_KP_0), 162);
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_KP_9), 171);
    // System keys produce nothing.
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_LGUI), -1);
    EXPECT_EQ(keyCodeForScancode(-1), -1);
    EXPECT_EQ(keyCodeForScancode(100000), -1);
    // Every produced code has a name.
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
        int code = keyCodeForScancode(sc);
        if (code >= 0) {
            EXPECT_STRNE(keyName(code), "") << "scancode " << sc;
        }
    }
}

}  // namespace
