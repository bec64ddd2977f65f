#include "engine/screenshot.h"

// Placeholder until screenshots land.
bool takeScreenshot(Surface&, const std::string&) { return false; }
