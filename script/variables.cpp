#include "script/variables.h"

#include "engine/game_state.h"

int32_t readVariable(const std::string& name) {
    return game().variables[name];
}

void setVariable(const std::string& name, int32_t value) {
    game().variables[name] = value;
}

void clearVariables() {
    game().variables.clear();
}
