#pragma once
// Taking the main window's waiting messages one at a time, for the main loop and for the
// one message start-up checks before the title movie.
class Engine;
class EventSource;

enum class PumpedMessage { None, Handled, Quit };

// Takes one waiting message from `events` (none without a queue) through the engine's
// window procedure; the quit message is not handled but gives its code.
PumpedMessage pumpOneMessage(EventSource* events, Engine& engine, int& exitCode);
