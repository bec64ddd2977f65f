#include "platform/screen.h"

// Placeholder until the display layer lands.
Screen::Screen(std::unique_ptr<DisplayBackend> backend) : backend_(std::move(backend)) {}
Screen::~Screen() = default;
