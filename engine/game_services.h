#pragma once
// What the script commands may use of the game, as references to the engine's parts: the
// engine builds it once and hands each family of commands only the parts it needs. The
// platform objects made at start-up (screen, mixer, sounds, music) are reached through
// the engine's owning pointers, since they come and go with start-up and shutdown.
#include <memory>

class Assets;
class GameFolder;
class Interpreter;
class Mixer;
class MoviePlayers;
class MusicControl;
class SavedGames;
class Scene;
class Screen;
class Screenshots;
class SoundSlots;
struct Inventory;

struct GameServices {
    Interpreter& interpreter;
    const GameFolder& folder;
    Assets& assets;
    Scene& scene;
    MoviePlayers& movies;
    Screenshots& screenshots;
    Inventory& inventory;
    const std::unique_ptr<Screen>& screen;
    const std::unique_ptr<Mixer>& mixer;
    const std::unique_ptr<SoundSlots>& sounds;
    const std::unique_ptr<MusicControl>& music;
    bool& debugMode;
    SavedGames& saves;
};
