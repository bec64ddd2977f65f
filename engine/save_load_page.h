#pragma once
// The save/load page: which page of slots it shows, building its picture, its frames and
// its clicks. It reads the mouse through the input device and reaches the rest of the
// engine only through the references it is built with.
#include <cstdint>
#include <memory>

class Assets;
class GameFolder;
class InputDevice;
class Pointer;
class SavedGames;
class Scene;
class Screen;
struct SavePage;
struct ViewPictureMemory;

class SaveLoadPage {
public:
    // All outlive the page; `screen` and `input` are the engine's, which may come and go.
    // `page` is the page number and what its slots show; `mode` the engine's mode, which
    // the page's Save or Load decides and its exits set back to Play.
    SaveLoadPage(SavePage& page, int32_t& mode, Pointer& pointer, SavedGames& saves, Scene& scene,
                 ViewPictureMemory& viewMemory, const GameFolder& folder, Assets& assets,
                 const std::unique_ptr<Screen>& screen, const std::unique_ptr<InputDevice>& input);
    SaveLoadPage(const SaveLoadPage&) = delete;
    SaveLoadPage& operator=(const SaveLoadPage&) = delete;

    // Builds and shows the save or load page (by the mode) for the current page, with
    // its fades.
    void show();
    // The page's picture as the new backdrop: the slots' time stamps and thumbnails read
    // afresh, the title and texts drawn.
    void build();
    // One frame of the page with the pointer at (x, y); `accessClick` is a click from
    // accessible play, besides the mouse's.
    void frame(int x, int y, bool accessClick);

private:
    void click(int x, int y);
    // The time stamps of the page's slots, from the saves still being written or the
    // state files.
    void readStamps();

    SavePage& page_;
    int32_t& mode_;
    Pointer& pointer_;
    SavedGames& saves_;
    Scene& scene_;
    ViewPictureMemory& viewMemory_;
    const GameFolder& folder_;
    Assets& assets_;
    const std::unique_ptr<Screen>& screen_;
    const std::unique_ptr<InputDevice>& input_;
};
