#include "view/view.h"

// Placeholder until the view reader lands.
bool View::load(const std::string& fileName, std::string& errorText) {
    fileName_ = fileName;
    errorText = "Expected Header";
    return false;
}
int View::hotspotAt(int32_t, int32_t) const { return -1; }
int32_t View::hotspotCursor(int index) const { return index < 0 ? -1 : hotspots_.at(index).cursor(); }
Script View::hotspotClickScript(int index) const { return hotspots_.at(index).clickScript(); }
void View::reevaluateConditions() {}
