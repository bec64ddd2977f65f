// The main loop: messages drained before every frame, then one frame of the mode.
#include "engine/engine.h"
#include "engine/message_pump.h"

PumpedMessage pumpOneMessage(EventSource* events, Engine& engine, int& exitCode) {
    WindowEvent event;
    if (!events || !events->next(event)) return PumpedMessage::None;
    if (event.type == WindowEvent::Quit) {
        exitCode = event.value;
        return PumpedMessage::Quit;
    }
    engine.handleWindowEvent(event);
    return PumpedMessage::Handled;
}

bool Engine::pumpMessages(int& exitCode) {
    for (;;) {
        switch (pumpOneMessage(state_.events.get(), *this, exitCode)) {
            case PumpedMessage::Quit:
                return true;
            case PumpedMessage::None:
                return false;
            case PumpedMessage::Handled:
                break;
        }
    }
}

bool Engine::runLoopPass(int& exitCode) {
    GameState& g = state_;
    if (pumpMessages(exitCode)) return true;
    if (g.appActive == 0) {
        if (g.events) g.events->wait();
        return false;
    }
    if (g.input) g.input->poll();
    if (liveReload_) liveReload_->poll();
    accessAction_ = access_.beforeFrame(g, host_.clock().nowNanos() / 1000000);
    if (accessAction_.move) {
        // Exactly where a mouse move would leave the pointer.
        g.realMouseX = static_cast<uint16_t>(accessAction_.x);
        g.realMouseY = static_cast<uint16_t>(accessAction_.y);
        if (g.input) g.input->setPointerPosition(accessAction_.x, accessAction_.y);
        // The desktop's pointer follows, so a window shows it where the focus is.
        if (g.screen) g.screen->backend().movePointer(accessAction_.x, accessAction_.y);
    }
    int x = 0, y = 0;
    frames_.pointerPosition(x, y);
    switch (g.mode) {
        case Play:
            frames_.play(x, y);
            break;
        case Ending:
            frames_.ending();
            break;
        case SaveScreen:
        case LoadScreen:
            page_.frame(x, y, accessAction_.click);
            break;
        default:
            break;
    }
    return false;
}

int runMainLoop(Engine& engine) {
    int exitCode = 0;
    while (!engine.runLoopPass(exitCode)) {
    }
    return exitCode;
}
