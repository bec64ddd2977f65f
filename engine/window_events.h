#pragma once
// The window procedure: what the engine does with each message of the main window.
#include "platform/event_source.h"

// The window procedure.
void handleWindowEvent(const WindowEvent& event);
