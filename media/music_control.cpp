#include "media/music_control.h"

#include "platform/game_folder.h"
#include "platform/message_sink.h"

std::string MusicControl::playMusic(const std::string& line, const std::string& file) {
    if (!folder_.exists(file)) return "Could not load and play file";
    // Only music that really plays is left alone: after a failed start the same line
    // tries again.
    if (file == lastMusic_ && isPlaying()) {
        messages_.print("Ignoring Cmd: " + line, kWhite);
        messages_.print(lastMusic_ + " already playing", kWhite);
        return {};
    }
    lastMusic_ = file;
    start(file);
    return {};
}

std::string MusicControl::playLastMusic() {
    if (lastMusic_ == "NONE") return "Too few arguments,  no last loaded file to play";
    start(lastMusic_);
    return {};
}

void MusicControl::stopMusic() {
    if (player_) player_->stop();
    player_.reset();
}

void MusicControl::handleEvents() {
    if (player_) player_->handleEvents();
}

void MusicControl::start(const std::string& file) {
    stopMusic();
    player_ = std::make_unique<MusicPlayer>(mixer_, decoders_, folder_, messages_);
    // The player reports its own failures; the command goes on either way.
    player_->open(file, notifier_);
}
