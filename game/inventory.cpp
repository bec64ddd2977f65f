#include "game/inventory.h"

// Placeholder until the inventory lands.
void cycleInventory() {}
bool addInventoryItem(const std::string&) { return false; }
bool removeInventoryItem(const std::string&) { return false; }
