#pragma once
// The carried items: item table, list, selection and the held item's pointer.
#include <cstdint>
#include <string>

// Right button: the next item, or none after the last; replaces the held item's pointer.
void cycleInventory();
// By item name from the item table; false (with the console's two red lines printed by
// the command) when the name is unknown.
bool addInventoryItem(const std::string& name);
bool removeInventoryItem(const std::string& name);
// The item number of the held entry, or -1 when nothing is held ("cursorinv").
int32_t heldInventoryItem();
