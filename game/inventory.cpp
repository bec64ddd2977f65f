#include "game/inventory.h"

#include <algorithm>

void Inventory::cycle(const std::function<std::unique_ptr<FrameAnimation>()>& knightSheet) {
    const auto size = static_cast<int64_t>(items.size());
    if (size == 0 || selection + int64_t{1} >= size) {
        selection = -1;
        anim.reset();
        return;
    }
    ++selection;
    auto knight = itemTable.emplace(kLateItem, kLateItemNumber).first;
    // The sheet is chosen by the list position, not by the item it holds.
    anim = selection == knight->second ? knightSheet() : std::make_unique<FrameAnimation>();
}

bool Inventory::add(const std::string& name) {
    auto item = itemTable.find(name);
    if (item == itemTable.end()) return false;
    items.push_back(item->second);
    return true;
}

bool Inventory::remove(const std::string& name) {
    auto item = itemTable.find(name);
    if (item == itemTable.end()) return false;
    auto entry = std::find(items.begin(), items.end(), item->second);
    if (entry != items.end()) {
        items.erase(entry);
        selection = -1;
    }
    return true;
}

int32_t Inventory::held() const {
    if (selection < 0 || static_cast<size_t>(selection) >= items.size()) return -1;
    return items[static_cast<size_t>(selection)];
}
