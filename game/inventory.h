#pragma once
// The carried items: the item table, the list in the order acquired, the selection and
// the held item's pointer.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/frame_animation.h"

struct Inventory {
    // The engine's item table: the start item is there from the start; the late item
    // joins it the first time the player cycles the inventory.
    static constexpr const char* kStartItem = "inv_horse";
    static constexpr int32_t kStartItemNumber = 1;
    static constexpr const char* kLateItem = "inv_knight";
    static constexpr int32_t kLateItemNumber = 0;

    // Item name to item number ("inventoryItems").
    std::map<std::string, int32_t> itemTable;
    // Item numbers carried, in the order acquired ("inventory").
    std::vector<int32_t> items;
    // Index into `items` of the held entry; -1 none ("inventorySelection").
    int32_t selection = -1;
    // Drawn as the pointer while an entry is held ("inventoryAnim").
    std::unique_ptr<FrameAnimation> anim;

    // Right button: the next entry, or none after the last; replaces the held item's
    // pointer: `knightSheet` (the "invknight.bmp" sheet) for the list position of
    // "inv_knight", an empty animation for every other.
    void cycle(const std::function<std::unique_ptr<FrameAnimation>()>& knightSheet);
    // By item name from the item table; false when the name is unknown.
    bool add(const std::string& name);
    // Removes the first entry of the item; the selection is cleared when one was removed.
    bool remove(const std::string& name);
    // The item number of the held entry, or -1 when nothing is held ("cursorinv").
    int32_t held() const;
};
