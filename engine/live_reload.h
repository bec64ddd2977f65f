#pragma once
// An engine started by the editor's Test View: it may start at another view or from a
// saved slot, and it watches the game folder, reading the current view's files again
// when they change. The editor says so through the environment (the engines read no
// command line):
//   VORLEN_LIVE=1            watch the game folder
//   VORLEN_START_VIEW=FILE   the first view instead of init.scn
//   VORLEN_START_SLOT=N      then restore saved slot N (1 to 30)
#include <memory>
#include <string>

class FolderWatcher;
class GameFolder;
class Scene;
class SoundSlots;

struct AuthoringStart {
    bool live = false;
    std::string view;  // empty: init.scn
    int slot = 0;      // 0: none
};

// The settings above; values out of range are ignored.
AuthoringStart authoringStartFromEnvironment();
// The view to start at: the named one when the folder holds it, else `fallback`.
std::string startViewFile(const AuthoringStart& start, const GameFolder& folder,
                          const std::string& fallback);

class LiveReload {
public:
    // A null watcher reloads nothing (the failure is the caller's to report). `sounds` is
    // the engine's, read at each poll.
    LiveReload(Scene& scene, const std::unique_ptr<SoundSlots>& sounds,
               std::unique_ptr<FolderWatcher> watcher);
    ~LiveReload();
    LiveReload(const LiveReload&) = delete;
    LiveReload& operator=(const LiveReload&) = delete;

    // Once a frame: every file written since the last poll, handed to the scene.
    void poll();

private:
    Scene& scene_;
    const std::unique_ptr<SoundSlots>& sounds_;
    std::unique_ptr<FolderWatcher> watcher_;
};
