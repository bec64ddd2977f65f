#include "game/inventory.h"

#include <algorithm>
#include <memory>

#include "engine/game_state.h"

namespace {
constexpr const char* kKnight = "inv_knight";
}

void cycleInventory() {
    GameState& g = game();
    const auto size = static_cast<int64_t>(g.inventory.size());
    if (size == 0 || g.inventorySelection + int64_t{1} >= size) {
        g.inventorySelection = -1;
        g.inventoryAnim.reset();
        return;
    }
    ++g.inventorySelection;
    g.inventoryAnim = std::make_unique<FrameAnimation>();
    auto knight = g.inventoryItems.emplace(kKnight, 0).first;
    // The sheet is chosen by the list position, not by the item it holds.
    if (g.inventorySelection == knight->second) {
        AnimationSettings settings;
        settings.frameWidth = settings.frameHeight = 64;
        settings.frameCount = 10;
        settings.frameDelay = 100;
        settings.looping = true;
        settings.depth = 1;
        g.inventoryAnim->load(g.screen.get(), "invknight.bmp", settings);
    }
}

bool addInventoryItem(const std::string& name) {
    GameState& g = game();
    auto item = g.inventoryItems.find(name);
    if (item == g.inventoryItems.end()) return false;
    g.inventory.push_back(item->second);
    return true;
}

bool removeInventoryItem(const std::string& name) {
    GameState& g = game();
    auto item = g.inventoryItems.find(name);
    if (item == g.inventoryItems.end()) return false;
    auto entry = std::find(g.inventory.begin(), g.inventory.end(), item->second);
    if (entry != g.inventory.end()) {
        g.inventory.erase(entry);
        g.inventorySelection = -1;
    }
    return true;
}

int32_t heldInventoryItem() {
    const GameState& g = game();
    if (g.inventorySelection < 0 || static_cast<size_t>(g.inventorySelection) >= g.inventory.size())
        return -1;
    return g.inventory[static_cast<size_t>(g.inventorySelection)];
}
