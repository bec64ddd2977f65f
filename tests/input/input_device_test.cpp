#include "platform/input_device.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "platform/clock.h"
#include "platform/key_names.h"

namespace {

// Readings handed out one per poll; with none queued the mouse stays still.
class FakeBackend : public InputBackend {
public:
    std::array<bool, kKeyboardCodeCount> keys{};
    std::deque<MouseReading> mouse;
    std::array<bool, 3> buttons{};
    int keyboardError = 0, mouseError = 0;
    int acquireCalls = 0;
    // Per device: the error each acquire gives, for the first `refusals` attempts.
    std::array<int, 3> acquireError{};
    std::array<int, 3> refusals{};
    std::array<int, 3> attempts{};
    bool joystick = false;

    int acquire(InputDeviceKind kind) override {
        ++acquireCalls;
        const auto k = static_cast<size_t>(kind);
        return ++attempts[k] <= refusals[k] ? acquireError[k] : 0;
    }
    int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) override {
        if (keyboardError) return keyboardError;
        down = keys;
        return 0;
    }
    int readMouse(MouseReading& reading) override {
        if (mouseError) return mouseError;
        if (!mouse.empty()) {
            reading = mouse.front();
            mouse.pop_front();
        }
        reading.buttons = buttons;
        return 0;
    }
    bool hasJoystick() const override { return joystick; }
    int joystickButtonCount() const override { return 4; }
    int readJoystick(JoystickReading&) override { return 0; }
    int startX = 0, startY = 0;
    void startPosition(int& x, int& y) const override {
        x = startX;
        y = startY;
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

TEST_F(InputDeviceTest, AnUnreadableMouseKeepsItsStatesAndIsTakenAgain) {
    backend->buttons[0] = true;
    move(3, 3);
    ASSERT_EQ(input.keyState(KeyCode::MouseLeft), InputDevice::Pressed);
    int x = 0, y = 0;
    input.pointerPosition(x, y);
    backend->mouseError = -9;
    backend->buttons[0] = false;
    int calls = backend->acquireCalls;
    EXPECT_EQ(input.poll(), -9);
    EXPECT_GT(backend->acquireCalls, calls);
    // Neither the button nor the position moved on.
    EXPECT_EQ(input.keyState(KeyCode::MouseLeft), InputDevice::Pressed);
    int nx = -1, ny = -1;
    input.pointerPosition(nx, ny);
    EXPECT_EQ(nx, x);
    EXPECT_EQ(ny, y);
    backend->mouseError = 0;
    EXPECT_EQ(input.poll(), 0);
    EXPECT_EQ(input.keyState(KeyCode::MouseLeft), InputDevice::Released);
}

struct AcquireCase {
    const char* what;
    InputDeviceKind kind;
    int error;
    int refusals;  // attempts that fail before one succeeds
    int created;   // what create returns
    bool acquired;
};

// Each device is tried 51 times; only a refusal other than a missing foreground fails
// the whole input object (the engine then cannot start).
TEST(InputDeviceCreate, ADeviceThatCannotBeTakenFailsCreation) {
    const AcquireCase cases[] = {
        {"mouse refused", InputDeviceKind::Mouse, -7, 1000, -7, false},
        {"mouse in the background", InputDeviceKind::Mouse, kInputAccessDenied, 1000, 0, true},
        {"keyboard refused", InputDeviceKind::Keyboard, -7, 1000, -7, false},
        {"keyboard in the background", InputDeviceKind::Keyboard, kInputAccessDenied, 1000, 0,
         false},
        {"joystick refused", InputDeviceKind::Joystick, -7, 1000, -7, false},
        {"joystick in the background", InputDeviceKind::Joystick, kInputAccessDenied, 1000, 0,
         false},
        {"taken at the last attempt", InputDeviceKind::Keyboard, -7, 50, 0, true},
        {"refused at every attempt", InputDeviceKind::Keyboard, -7, 51, -7, false},
        {"mouse taken at the last attempt", InputDeviceKind::Mouse, -7, 50, 0, true},
        {"mouse refused at every attempt", InputDeviceKind::Mouse, -7, 51, -7, false},
    };
    for (const AcquireCase& c : cases) {
        VirtualClock clock;
        InputDevice input(clock);
        auto backend = std::make_unique<FakeBackend>();
        backend->joystick = true;
        const auto k = static_cast<size_t>(c.kind);
        backend->acquireError[k] = c.error;
        backend->refusals[k] = c.refusals;
        EXPECT_EQ(input.create(std::move(backend)), c.created) << c.what;
        const bool acquired = c.kind == InputDeviceKind::Mouse      ? input.mouseAcquired()
                              : c.kind == InputDeviceKind::Keyboard ? input.keyboardAcquired()
                                                                    : input.joystickAcquired();
        EXPECT_EQ(acquired, c.acquired) << c.what;
    }
}

TEST(InputDeviceCreate, OpensEveryDeviceAndStartsWhereTheSystemPointerIs) {
    VirtualClock clock;
    InputDevice input(clock);
    auto backend = std::make_unique<FakeBackend>();
    backend->joystick = true;
    backend->startX = 320;
    backend->startY = 240;
    ASSERT_EQ(input.create(std::move(backend)), 0);
    EXPECT_TRUE(input.mouseAcquired());
    EXPECT_TRUE(input.keyboardAcquired());
    EXPECT_TRUE(input.joystickAcquired());
    EXPECT_EQ(input.joystickButtonCount(), 4);
    int x = 0, y = 0;
    input.pointerPosition(x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);

    // A joystick that is not there is not asked for.
    InputDevice noStick(clock);
    auto plain = std::make_unique<FakeBackend>();
    plain->acquireError[static_cast<size_t>(InputDeviceKind::Joystick)] = -7;
    plain->refusals[static_cast<size_t>(InputDeviceKind::Joystick)] = 1000;
    EXPECT_EQ(noStick.create(std::move(plain)), 0);
    EXPECT_FALSE(noStick.joystickAcquired());

    struct Unopenable : FakeBackend {
        int open() override { return -3; }
    };
    InputDevice closed(clock);
    EXPECT_EQ(closed.create(std::make_unique<Unopenable>()), -3);
    EXPECT_EQ(closed.create(nullptr), -1);
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
