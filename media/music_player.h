#pragma once
// One piece of music, decoded as it plays and added to the mix. At its end the mix posts
// the music message. A looping player keeps the next pass opened ahead, so the mix goes
// on into it without a gap; the main loop's handleEvents then opens the pass after that
// (or, where the next pass was not ready, starts it again then). A player that does not
// loop stops there.
#include <memory>
#include <string>

#include "media/mixer.h"

class GameFolder;
class MessageSink;
class MusicDecoder;
class MusicDecoderFactory;
class MusicNotifier;

class MusicPlayer {
public:
    enum State { Error = -1, Stopped = 0, Playing = 1, Paused = 2 };

    // `mixer` may be null (no sound: the player never plays). Everything given must
    // outlive the player.
    // Files are read from `folder`.
    MusicPlayer(Mixer* mixer, MusicDecoderFactory& decoders, const GameFolder& folder,
                MessageSink& messages);
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;
    ~MusicPlayer();

    // Opens the file and plays it. With a notifier the end of the music posts the music
    // message through it and the player loops; without one it plays once.
    bool open(const std::string& file, MusicNotifier* notifier);
    // Opens the decoder for `file` at its start and plays it; a file that is missing or
    // cannot be decoded is reported in one red line and leaves a player that never plays.
    bool render(const std::string& file);
    bool play();
    // Stops the sound where it is; the player leaves the mix.
    void stop();
    // Back to the start: the file is opened again. If that fails, one red line and the
    // player stops.
    void rewind();
    // The music message: after an end, a looping player readies its next pass (starting
    // it now if the mix found none ready); one that does not loop stops.
    void handleEvents();

    bool isPlaying() const { return state_ == Playing; }
    int state() const { return state_; }
    bool loops() const { return loop_; }
    const std::string& file() const { return file_; }

private:
    class Stream;

    void fail(const std::string& why);
    // Opens the pass that follows the one playing, quietly: a failure shows when the mix
    // reaches the end without it.
    void prepareNextPass();

    Mixer* mixer_;
    MusicDecoderFactory& decoders_;
    const GameFolder& folder_;
    MessageSink& messages_;
    std::unique_ptr<Stream> stream_;
    MixerInput input_;  // set while the stream is in the mix
    std::string file_;
    int state_ = Stopped;
    bool loop_ = false;
    bool damageReported_ = false;
};
