#include "platform/input_device.h"

#include <gtest/gtest.h>

#include <deque>

#include "platform/clock.h"
#include "platform/key_names.h"

namespace {

// Readings handed out one per poll; with none queued the mouse stays still.
class FakeBackend : public InputBackend {
public:
    std::array<bool, kKeyboardCodeCount> keys{};
    std::deque<MouseReading> mouse;
    std::array<bool, 3> buttons{};
    int keyboardError = 0;
    int acquireCalls = 0;

    int acquire(InputDeviceKind) override {
        ++acquireCalls;
        return 0;
    }
    int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) override {
        if (keyboardError) return keyboardError;
        down = keys;
        return 0;
    }
    int readMouse(MouseReading& reading) override {
        if (!mouse.empty()) {
            reading = mouse.front();
            mouse.pop_front();
        }
        reading.buttons = buttons;
        return 0;
    }
};

class InputDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto b = std::make_unique<FakeBackend>();
        backend = b.get();
        ASSERT_EQ(input.create(std::move(b)), 0);
    }

    void move(int dx, int dy, int wheel = 0) {
        MouseReading m;
        m.dx = dx;
        m.dy = dy;
        m.wheel = wheel;
        backend->mouse.push_back(m);
        input.poll();
    }

    VirtualClock clock;
    InputDevice input{clock};
    FakeBackend* backend = nullptr;
};

TEST_F(InputDeviceTest, KeyStatesFollowPressHoldAndRelease) {
    const int a = keyCodeForName("A");
    std::vector<int> seen;
    backend->keys[a] = true;
    for (int i = 0; i < 3; ++i) {
        input.poll();
        seen.push_back(input.keyState(a));
    }
    backend->keys[a] = false;
    for (int i = 0; i < 2; ++i) {
        input.poll();
        seen.push_back(input.keyState(a));
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 3, 1, 0}));
}

TEST_F(InputDeviceTest, PressRecordsTimeAndRealPosition) {
    clock.advanceMillis(1234);
    move(3, -1);  // 3 counts accelerate to 4
    backend->buttons[0] = true;
    input.poll();
    EXPECT_EQ(input.keyState(KeyCode::MouseLeft), InputDevice::Pressed);
    EXPECT_EQ(input.keyState(KeyCode::MouseRight), InputDevice::Up);
    EXPECT_EQ(input.pressTime(KeyCode::MouseLeft), 1234u);
    int x = 0, y = 0;
    input.pressPosition(KeyCode::MouseLeft, x, y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, -1);
}

TEST_F(InputDeviceTest, CodesOutsideTheTableReadAsUp) {
    EXPECT_EQ(input.keyState(-1), 0);
    EXPECT_EQ(input.keyState(270), 0);
    EXPECT_EQ(input.keyState(65535), 0);
}

TEST_F(InputDeviceTest, MouseMovementIsAcceleratedPastTheThresholds) {
    const int moves[] = {5, 7, 2, -4, -7, 6, 3};
    const int expected[] = {7, 14, 2, -6, -14, 9, 4};
    for (size_t i = 0; i < sizeof moves / sizeof moves[0]; ++i) {
        move(moves[i], 0);
        int dx = 0, dy = 0;
        input.lastMovement(dx, dy);
        EXPECT_EQ(dx, expected[i]) << "movement " << moves[i];
    }
}

TEST_F(InputDeviceTest, PointerStaysWithinLimitsWithExclusiveMaxima) {
    input.setPointerLimits(590, 430, 1, 1);  // given in either order
    move(-1000, -1000);
    int x = 0, y = 0;
    input.pointerPosition(x, y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    move(5000, 5000);
    input.pointerPosition(x, y);
    EXPECT_EQ(x, 589);
    EXPECT_EQ(y, 429);
    // The real position keeps every movement.
    input.realPointerPosition(x, y);
    EXPECT_EQ(x, 8000);
    // Back inside the limits at once, not after undoing the overshoot.
    move(-7, 0);
    input.pointerPosition(x, y);
    EXPECT_EQ(x, 589 - 14);
}

TEST_F(InputDeviceTest, WheelSetsOneDirectionAndCountsSteps) {
    move(0, 0, 240);
    EXPECT_TRUE(input.wheelUp());
    EXPECT_FALSE(input.wheelDown());
    EXPECT_EQ(input.wheelSteps(), 2);
    move(0, 0, -120);
    EXPECT_FALSE(input.wheelUp());
    EXPECT_TRUE(input.wheelDown());
    EXPECT_EQ(input.wheelSteps(), 1);
    move(0, 0, 0);
    EXPECT_FALSE(input.wheelUp());
    EXPECT_FALSE(input.wheelDown());
}

TEST_F(InputDeviceTest, FailedKeyboardReadReacquiresAndStartsAfresh) {
    const int a = keyCodeForName("A");
    backend->keys[a] = true;
    input.poll();
    ASSERT_EQ(input.keyState(a), InputDevice::Pressed);
    backend->keyboardError = -5;
    int calls = backend->acquireCalls;
    EXPECT_EQ(input.poll(), -5);
    EXPECT_GT(backend->acquireCalls, calls);
    EXPECT_EQ(input.keyState(a), InputDevice::Up);
}

TEST(JoystickAxis, ScalesWithATenPercentDeadZone) {
    EXPECT_EQ(scaleJoystickAxis(0), 0);
    EXPECT_EQ(scaleJoystickAxis(3000), 0);  // inside the dead zone
    EXPECT_EQ(scaleJoystickAxis(32767), 1000);
    EXPECT_EQ(scaleJoystickAxis(-32768), -1000);
    EXPECT_GT(scaleJoystickAxis(16384), 400);
    EXPECT_LT(scaleJoystickAxis(16384), 500);
}

TEST(KeyNames, NamesAndTheCodesKeysProduce) {
    EXPECT_STREQ(keyName(0), "NULL");
    EXPECT_STREQ(keyName(96), "GRAVE");
    EXPECT_STREQ(keyName(146), "F9");
    EXPECT_STREQ(keyName(258), "MOUSE MIDLE");
    EXPECT_STREQ(keyName(269), "JOY BUTN 9");
    EXPECT_STREQ(keyName(200), "");
    EXPECT_STREQ(keyName(270), "");
    EXPECT_STREQ(keyName(-3), "");
    // Shared names mean the code a key produces.
    EXPECT_EQ(keyCodeForName("A"), 97);
    EXPECT_EQ(keyCodeForName("1"), 49);
    EXPECT_EQ(keyCodeForName("APOSTROPHE"), 39);
    EXPECT_EQ(keyCodeForName("COMMA"), 44);
    EXPECT_EQ(keyCodeForName("EQUALS"), 61);
    EXPECT_EQ(keyCodeForName("UNDERSCORE"), 45);
    EXPECT_EQ(keyCodeForName("DEL"), 151);
    EXPECT_EQ(keyCodeForName("DELETE"), 127);
    EXPECT_EQ(keyCodeForName("ESC"), 27);
    EXPECT_EQ(keyCodeForName("UP ARROW"), 136);
    EXPECT_EQ(keyCodeForName("MOUSE RIGHT"), 257);
    EXPECT_EQ(keyCodeForName("a"), -1);
    EXPECT_EQ(keyCodeForName(""), -1);
}

}  // namespace
