#include "view/hotspot.h"

// Placeholder until the hotspots land.
bool Hotspot::contains(int32_t, int32_t) const { return false; }
bool Hotspot::setCoordinates(const std::string&) { return false; }
void Hotspot::setCondition(const std::string& text) { condition_ = text; }
