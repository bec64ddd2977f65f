#include "engine/game_state.h"

#include "engine/window_events.h"

namespace {
std::unique_ptr<GameState> current;
}

GameState::GameState() = default;
GameState::~GameState() = default;

GameState& game() {
    if (!current) current = std::make_unique<GameState>();
    return *current;
}

void resetGame() {
    current.reset();
    current = std::make_unique<GameState>();
}
