#pragma once
// A fresh engine state with a virtual clock and scripted input devices, no display.
#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "engine/headless_host.h"
#include "platform/event_source.h"
#include "platform/key_names.h"

class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetGame();
        installClock(&clock);
        keys = std::make_shared<ScriptedInputState>();
        game().input = std::make_unique<InputDevice>(clock);
        game().input->create(std::make_unique<ScriptedInputBackend>(keys));
        auto queue = std::make_unique<QueuedEventSource>();
        events = queue.get();
        game().events = std::move(queue);
    }
    void TearDown() override {
        resetGame();
        installClock(nullptr);
    }

    void setKey(const char* name, bool down) { keys->down[keyCodeForName(name)] = down; }
    // One poll with the key down, as a frame would see it.
    void pollWith(const char* name) {
        setKey(name, true);
        game().input->poll();
    }
    void poll() { game().input->poll(); }

    VirtualClock clock;
    std::shared_ptr<ScriptedInputState> keys;
    QueuedEventSource* events = nullptr;
};
