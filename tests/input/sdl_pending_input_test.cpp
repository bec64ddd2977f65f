// Presses that the SDL event pump saw between two polls, read through a whole
// InputDevice: a tap shorter than a frame still shows as pressed for one poll.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/clock.h"
#include "platform/input_device.h"
#include "platform/key_names.h"
#include "platform/sdl/sdl_input.h"

namespace {

class SdlPendingInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        pending = std::make_shared<SdlPendingInput>();
        ASSERT_EQ(input.create(std::make_unique<SdlInputBackend>(pending)), 0);
    }
    // The states of `code` over `polls` polls.
    std::vector<int> states(int code, int polls) {
        std::vector<int> seen;
        for (int i = 0; i < polls; ++i) {
            EXPECT_EQ(input.poll(), 0);
            seen.push_back(input.keyState(code));
        }
        return seen;
    }

    VirtualClock clock;
    InputDevice input{clock};
    std::shared_ptr<SdlPendingInput> pending;
};

TEST_F(SdlPendingInputTest, AKeyTappedBetweenTwoPollsIsPressedForOnePoll) {
    const int a = keyCodeForName("A");
    pending->keys[static_cast<size_t>(a)] = true;
    EXPECT_EQ(states(a, 3),
              (std::vector<int>{InputDevice::Pressed, InputDevice::Released, InputDevice::Up}));
    // Tapped again after it was released: a new press.
    pending->keys[static_cast<size_t>(a)] = true;
    EXPECT_EQ(states(a, 1), (std::vector<int>{InputDevice::Pressed}));
}

TEST_F(SdlPendingInputTest, AButtonClickedBetweenTwoPollsIsPressedForOnePoll) {
    pending->buttons[1] = true;
    EXPECT_EQ(states(KeyCode::MouseRight, 2),
              (std::vector<int>{InputDevice::Pressed, InputDevice::Released}));
    EXPECT_EQ(input.keyState(KeyCode::MouseLeft), InputDevice::Up);
}

TEST_F(SdlPendingInputTest, WheelNotchesAreCountedOnceAndThenCleared) {
    pending->wheelNotches = -2;
    ASSERT_EQ(input.poll(), 0);
    EXPECT_TRUE(input.wheelDown());
    EXPECT_EQ(input.wheelSteps(), 2);
    ASSERT_EQ(input.poll(), 0);
    EXPECT_FALSE(input.wheelDown());
    EXPECT_FALSE(input.wheelUp());
}

}  // namespace
