#pragma once
// The main window's icon, drawn in code: a gold arch on a dark blue tile.
#include <cstdint>
#include <vector>

constexpr int kWindowIconSize = 32;

// kWindowIconSize rows of R,G,B,A bytes.
std::vector<uint8_t> windowIconRgba();
