#include "engine/live_reload.h"

#include <cstdlib>

#include "engine/scene.h"
#include "media/sound_slots.h"
#include "platform/folder_watcher.h"
#include "platform/game_folder.h"

AuthoringStart authoringStartFromEnvironment() {
    AuthoringStart start;
    const char* live = std::getenv("VORLEN_LIVE");
    start.live = live && std::string(live) == "1";
    if (const char* view = std::getenv("VORLEN_START_VIEW")) start.view = view;
    if (const char* slot = std::getenv("VORLEN_START_SLOT")) {
        std::string text = slot;
        bool digits = !text.empty() && text.size() <= 2 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
        int n = digits ? std::atoi(text.c_str()) : 0;
        start.slot = n >= 1 && n <= 30 ? n : 0;
    }
    return start;
}

std::string startViewFile(const AuthoringStart& start, const GameFolder& folder,
                          const std::string& fallback) {
    if (start.view.empty() || !folder.exists(start.view)) return fallback;
    return start.view;
}

LiveReload::LiveReload(Scene& scene, const std::unique_ptr<SoundSlots>& sounds,
                       std::unique_ptr<FolderWatcher> watcher)
    : scene_(scene), sounds_(sounds), watcher_(std::move(watcher)) {}

LiveReload::~LiveReload() = default;

void LiveReload::poll() {
    if (!watcher_) return;
    for (const std::string& file : watcher_->changedFiles())
        scene_.fileChanged(file, sounds_.get());
}
