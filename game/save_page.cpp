#include "game/save_page.h"

PageHit hitTestPage(int x, int y) {
    if (kPreviousArrow.contains(x, y)) return {PageHit::Previous};
    if (kNextArrow.contains(x, y)) return {PageHit::Next};
    for (int k = 0; k < kSlotsPerPage; ++k)
        if (kSlotPlaces[static_cast<size_t>(k)].box.contains(x, y)) return {PageHit::Slot, k};
    if (kExitArea.contains(x, y)) return {PageHit::Exit};
    return {};
}
