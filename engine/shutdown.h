#pragma once
// Releases the engine's objects in their fixed order (the window's destroy message).
// Running it twice does nothing the second time.
void shutdownEngine();
