#pragma once
// Small games written from a description: the solver's tests, benchmarks and fuzz target
// make the games whose answers they know.
#include <string>
#include <vector>

struct HotspotPlan {
    std::string name;
    int cursor = 2;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a rectangle
    std::string condition = "()";
    std::vector<std::string> click;
};

struct ViewPlan {
    std::string file;  // "init.scn"
    std::string name;
    std::vector<std::string> onLoad;
    std::vector<HotspotPlan> hotspots;
};

// The view file's text, CR LF line ends.
std::string viewText(const ViewPlan& view);
// Writes every view into `folder` (which exists); false when a file could not be written.
bool writeGame(const std::string& folder, const std::vector<ViewPlan>& views);

// A game of `dials` dials on one view, each turned through `positions` positions by its
// own hotspot, and a door that ends the game when every dial shows its last position:
// positions^dials states, each with dials actions (one more at the door). The
// benchmarks' and the fuzz target's game of known size.
std::vector<ViewPlan> dialsGame(int dials, int positions);
