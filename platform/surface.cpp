#include "platform/surface.h"

// Placeholder until the drawing layer lands.
Surface::Surface() = default;
Surface::~Surface() = default;
