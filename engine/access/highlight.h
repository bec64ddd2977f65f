#pragma once
// "Show what can be clicked": every hotspot a click can reach outlined thick in high
// contrast, its label beside it, drawn over everything else on the screen.
#include <vector>

#include "view/clickable_points.h"

class Labels;
class Surface;
class TextFont;
class View;

// Labels in `font` (the player's label size); without one, outlines only.
void drawClickableOutlines(Surface& back, const View& view,
                           const std::vector<ClickablePoint>& points, const Labels& labels,
                           TextFont* font);
