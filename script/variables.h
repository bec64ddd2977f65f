#pragma once
// The script variable store (kept in GameState::variables): ordered by name,
// case-sensitive, and every read of an unknown name creates it with 0.
#include <cstdint>
#include <string>

int32_t readVariable(const std::string& name);
void setVariable(const std::string& name, int32_t value);
// Empties the store (the saved-game loader refills it).
void clearVariables();
