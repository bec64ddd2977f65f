#include "media/music_player.h"

#include "media/mixer.h"
#include "media/music_decoder.h"
#include "platform/event_source.h"
#include "platform/game_folder.h"
#include "platform/message_sink.h"

// What the mix reads while the music plays, on the sound device's thread: while the
// stream is in the mix its fields change only under the mixer's lock.
class MusicPlayer::Stream : public AudioStream {
public:
    size_t read(int16_t* out, size_t frames) override {
        if (ended || !decoder) return 0;
        size_t n = decoder->read(out, frames);
        if (n < frames) {
            ended = true;
            ++ends;
            if (notifier) notifier->postMusicEvent();
        }
        return n;
    }

    std::unique_ptr<MusicDecoder> decoder;
    MusicNotifier* notifier = nullptr;
    bool ended = false;
    int ends = 0;  // ends of the music not handled yet
};

MusicPlayer::MusicPlayer(Mixer* mixer, MusicDecoderFactory& decoders, const GameFolder& folder,
                         MessageSink& messages)
    : mixer_(mixer),
      decoders_(decoders),
      folder_(folder),
      messages_(messages),
      stream_(new Stream) {}

MusicPlayer::~MusicPlayer() {
    stop();
}

bool MusicPlayer::open(const std::string& file, MusicNotifier* notifier) {
    stop();
    stream_->notifier = notifier;
    loop_ = notifier != nullptr;
    return render(file);
}

void MusicPlayer::fail(const std::string& why) {
    messages_.print("Could not play music " + file_ + ": " + why, kRed);
}

bool MusicPlayer::render(const std::string& file) {
    stop();
    state_ = Stopped;
    file_ = file;
    damageReported_ = false;
    std::unique_ptr<MusicDecoder> decoder;
    if (!folder_.exists(file)) {
        messages_.print("Can't find the media file [" + file + "].", kRed);
    } else {
        std::string error;
        decoder = decoders_.open(folder_.path(file), error);
        if (!decoder) fail(error);
    }
    if (!decoder) state_ = Error;
    // The stream is out of the mix now; the old decoder goes when `decoder` does.
    std::swap(stream_->decoder, decoder);
    stream_->ended = false;
    stream_->ends = 0;
    return stream_->decoder && play();
}

bool MusicPlayer::play() {
    if (state_ != Stopped && state_ != Paused) return state_ == Playing;
    if (!mixer_ || !stream_->decoder) {
        state_ = Error;
        return false;
    }
    if (!inMix_) mixer_->addStream(stream_.get());
    inMix_ = true;
    state_ = Playing;
    return true;
}

void MusicPlayer::stop() {
    if (inMix_) {
        // Once removed, the mix no longer reads the stream.
        mixer_->removeStream(stream_.get());
        inMix_ = false;
    }
    if (state_ != Error) state_ = Stopped;
}

void MusicPlayer::rewind() {
    if (!mixer_) return;
    // The file is opened afresh: it then starts exactly as it did the first time, which a
    // seek does not promise (codecs trim their first frames once).
    std::string error = "the file is gone";
    std::unique_ptr<MusicDecoder> decoder;
    if (folder_.exists(file_)) decoder = decoders_.open(folder_.path(file_), error);
    if (!decoder) {
        fail(error);
        stop();
        state_ = Error;
        return;
    }
    {
        Mixer::Lock lock(*mixer_);
        std::swap(stream_->decoder, decoder);
        stream_->ended = false;
    }
    // The old decoder goes here, outside the lock.
}

void MusicPlayer::handleEvents() {
    if (!mixer_) return;
    int ends = 0;
    std::string damage;
    {
        Mixer::Lock lock(*mixer_);
        ends = stream_->ends;
        stream_->ends = 0;
        if (stream_->decoder) damage = stream_->decoder->damage();
    }
    if (ends == 0) return;
    if (!damage.empty() && !damageReported_) {
        // Told once; what can be decoded goes on playing.
        messages_.print("Music " + file_ + " is damaged: " + damage, kRed);
        damageReported_ = true;
    }
    for (int i = 0; i < ends && state_ == Playing; ++i) {
        if (loop_)
            rewind();
        else
            stop();
    }
}
