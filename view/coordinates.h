#pragma once
// The coordinate-list word of a hotspot: "(x,y),(x,y),...".
#include <string_view>
#include <vector>

#include "view/point.h"

// Appends the vertices of the word to `polygon`. Malformed lists still give vertices by
// the reader's fixed rules ("(1,2),(5)" gives (1,2) and (0,5)); returns false when any
// text was left over that made no vertex.
bool parseCoordinateList(std::string_view word, std::vector<Point>& polygon);
