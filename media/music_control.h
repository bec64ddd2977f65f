#pragma once
// What the "playmusic" and "stopmusic" commands do, without the console: the current
// player and the last file asked for. The commands print the red pair for a returned
// reason; the white lines go out through the message sink.
#include <memory>
#include <string>

#include "media/music_player.h"

class MusicControl {
public:
    // Everything given must outlive the control; `mixer` and `notifier` may be null.
    // Files are read from `folder`.
    MusicControl(Mixer* mixer, MusicDecoderFactory& decoders, MusicNotifier* notifier,
                 const GameFolder& folder, MessageSink& messages)
        : mixer_(mixer),
          decoders_(decoders),
          notifier_(notifier),
          folder_(folder),
          messages_(messages) {}

    // "playmusic FILE", `line` being the whole command line. Returns the reason for
    // refusing ("Could not load and play file"), or an empty text. The same file while it
    // plays is left alone ("Ignoring Cmd: " + line, FILE + " already playing").
    std::string playMusic(const std::string& line, const std::string& file);
    // "playmusic" alone: the last file again from its beginning.
    std::string playLastMusic();
    // "stopmusic": the player goes; the last file is kept.
    void stopMusic();
    // The music message from the main loop's queue.
    void handleEvents();

    // "NONE" until a file is given.
    const std::string& lastMusic() const { return lastMusic_; }
    // What a restored saved game had; nothing starts playing.
    void setLastMusic(const std::string& file) { lastMusic_ = file; }
    bool isPlaying() const { return player_ && player_->isPlaying(); }
    const MusicPlayer* player() const { return player_.get(); }

private:
    void start(const std::string& file);

    Mixer* mixer_;
    MusicDecoderFactory& decoders_;
    MusicNotifier* notifier_;
    const GameFolder& folder_;
    MessageSink& messages_;
    std::unique_ptr<MusicPlayer> player_;
    std::string lastMusic_ = "NONE";
};
