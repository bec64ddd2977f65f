#pragma once
// What the player sees of the game: the backdrop, the current view, the overlays over it
// and the transition the next view change plays. Only the scene replaces, restores and
// reloads the view, shows the ending and draws or clears the overlays; the frames, the
// commands and the saved games ask it to. It reaches the rest of the engine only through
// the references it is built with.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/overlay_sources.h"
#include "engine/transition.h"
#include "media/overlays.h"
#include "script/variables.h"
#include "view/view.h"

class Assets;
class Console;
class GameFolder;
class Interpreter;
class Pointer;
class Screen;
class SoundSlots;
class Surface;
struct ViewPictureMemory;

// What debug mode writes over a Play frame besides the outlines.
struct DebugFigures {
    int32_t fps = 0;
    uint32_t volume = 0;  // the wave-out volume, left channel in the low half
    int realMouseX = 0, realMouseY = 0;
    int32_t selection = -1;
    int itemCount = 0;
    bool heldPicture = false;  // the held item has its picture
};

class Scene {
public:
    // All outlive the scene. `screen` is the engine's, which may come and go; `mode` is
    // the engine's mode, which the ending sets; `viewMemory` keeps whether the backdrop is the
    // view's picture as read.
    Scene(const std::unique_ptr<Screen>& screen, const GameFolder& folder, Assets& assets,
          Console& console, Interpreter& interpreter, Variables& variables, Pointer& pointer,
          int32_t& mode, ViewPictureMemory& viewMemory);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The current view (null before the first one, or when a test removed it).
    View* view() { return view_.get(); }
    const View* view() const { return view_.get(); }
    void setView(std::unique_ptr<View> view) { view_ = std::move(view); }
    // The current view's base image (or the ending or save/load picture); may be null.
    Surface* backdrop() { return backdrop_.get(); }
    void setBackdrop(std::unique_ptr<Surface> backdrop) { backdrop_ = std::move(backdrop); }
    std::unique_ptr<Surface> takeBackdrop() { return std::move(backdrop_); }
    // Images, animations and movies over the backdrop, and the files they came from;
    // cleared by a view change, the ending and shutdown (before the mixer their movies'
    // sound plays through).
    Overlays& overlays() { return overlays_; }
    const Overlays& overlays() const { return overlays_; }
    OverlaySources& overlaySources() { return overlaySources_; }
    // The effect the next view change plays ("trans").
    Transitions& transition() { return transition_; }
    const Transitions& transition() const { return transition_; }
    // Told whenever the view is replaced (accessible play refocuses).
    void setViewChangeListener(std::function<void()> listener) {
        viewChanged_ = std::move(listener);
    }

    // Start-up's first view: read (its error printed in red), its picture shown on a
    // black 640x480 backdrop, its on-load script run.
    void openFirstView(const std::string& file);
    // Replaces the view with the file's (the "load" command after its checks): resets
    // the pointer, keeps the overlays in the outgoing picture and clears them, reads the
    // file, runs its on-load script one level deeper, plays the pending transition and
    // switches the backdrop. False when the file could not be read (its error printed).
    bool replaceView(const std::string& file, int depth);
    // Rebuilds the backdrop from the current view's base image, with fades.
    void restoreView();
    // Stops the overlays, fades to the ending picture "end.jpg" and enters Ending.
    void showEnding();
    // Reads the current view's file again and swaps it in: hotspot enabled flags carried
    // over by name, the base image redrawn, "Reloaded FILE" on the console. With
    // `runOnLoad` the overlays go and the on-load script runs again (at `depth`). When
    // the file does not read, the reader's line is printed in red, the old view stays and
    // the result is false.
    bool reloadView(bool runOnLoad, int depth = 0);
    // A file of the game folder was written: the view when it is the current view's file,
    // else the base image, overlay pictures, frame sheets and loaded `sounds` made from it.
    void fileChanged(const std::string& file, SoundSlots* sounds);

    // The overlay images and animations drawn onto a surface, and all overlays removed.
    void drawOverlays(Surface& surface);
    void clearOverlays();
    // Debug mode's drawing over a Play frame: hotspot outlines, the four red lines and
    // the five pixels at the pointer.
    void drawDebugOverlay(int x, int y, const DebugFigures& figures);

    // A 640x480 surface in the screen's format (16-bit without a screen) holding the
    // picture, black where it cannot be read (`loaded` false then).
    std::unique_ptr<Surface> viewPicture(const std::string& file, bool& loaded);
    // The current view's base image, 640x480, when memory holds it as read.
    Surface* viewPictureInMemory();
    // The backdrop now holds the view picture `base` as read (or no longer does).
    void noteBackdropIsView(const std::string& base);
    void forgetBackdropIsView();

private:
    // Clears the back buffer, shows it, then fades the backdrop in.
    void fadeInBackdrop(bool withOverlays);
    void redrawBase();

    const std::unique_ptr<Screen>& screen_;
    const GameFolder& folder_;
    Assets& assets_;
    Console& console_;
    Interpreter& interpreter_;
    Variables& variables_;
    Pointer& pointer_;
    int32_t& mode_;
    ViewPictureMemory& viewMemory_;
    std::function<void()> viewChanged_;

    std::unique_ptr<Surface> backdrop_;
    std::unique_ptr<View> view_;
    Overlays overlays_;
    OverlaySources overlaySources_;
    Transitions transition_;
};
