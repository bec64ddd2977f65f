#include "view/view.h"

int View::hotspotAt(int32_t x, int32_t y) const {
    int result = -1;
    for (size_t i = 0; i < hotspots_.size(); ++i) {
        const Hotspot& h = hotspots_[i];
        if (h.enabled() && h.conditionResult() && h.contains(x, y)) result = static_cast<int>(i);
    }
    return result;
}

int32_t View::hotspotCursor(int index) const {
    if (index == -1) return -1;
    return hotspots_.at(static_cast<size_t>(index)).cursor();
}

Script View::hotspotClickScript(int index) const {
    return hotspots_.at(static_cast<size_t>(index)).clickScript();
}

void View::reevaluateConditions() {
    // By index: evaluating can print to the console but never changes the list.
    for (size_t i = 0; i < hotspots_.size(); ++i) hotspots_[i].reevaluate();
}

void View::enableHotspots(const std::string* name, bool enabled) {
    for (Hotspot& h : hotspots_)
        if (!name || h.name() == *name) h.setEnabled(enabled);
}
