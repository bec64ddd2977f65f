#include "media/music_player.h"

#include <vector>

#include "media/mixer.h"
#include "media/music_decoder.h"
#include "platform/event_source.h"
#include "platform/game_folder.h"
#include "platform/message_sink.h"

// What the mix reads while the music plays, on the sound device's thread: while the
// stream is in the mix its fields change only under the mixer's lock. A pass ends when
// its decoder gives nothing more (a short read alone is not the end); the mix then goes
// straight on into the next pass when one is ready. Finished decoders are left for the
// main thread to close.
class MusicPlayer::Stream : public AudioStream {
public:
    size_t read(int16_t* out, size_t frames) override {
        size_t done = 0;
        bool switched = false;
        while (done < frames && decoder && !ended) {
            size_t n = decoder->read(out + done * kMixChannels, frames - done);
            done += n;
            if (n > 0) continue;
            ++ends;
            if (notifier) notifier->postMusicEvent();
            // One switch a read: a pass that gives nothing at all cannot spin here.
            if (next && !switched) {
                finished.push_back(std::move(decoder));
                decoder = std::move(next);
                switched = true;
            } else {
                ended = true;
            }
        }
        return done;
    }

    std::unique_ptr<MusicDecoder> decoder;
    std::unique_ptr<MusicDecoder> next;  // the following pass, opened ahead
    std::vector<std::unique_ptr<MusicDecoder>> finished;
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
    // The stream is out of the mix now; the old decoders go when these do.
    std::swap(stream_->decoder, decoder);
    std::unique_ptr<MusicDecoder> next = std::move(stream_->next);
    std::vector<std::unique_ptr<MusicDecoder>> finished;
    finished.swap(stream_->finished);
    stream_->ended = false;
    stream_->ends = 0;
    if (!stream_->decoder) return false;
    prepareNextPass();
    return play();
}

void MusicPlayer::prepareNextPass() {
    if (!loop_ || !mixer_ || state_ == Error) return;
    {
        Mixer::Lock lock(*mixer_);
        if (stream_->next) return;
    }
    std::string error;
    std::unique_ptr<MusicDecoder> next;
    if (folder_.exists(file_)) next = decoders_.open(folder_.path(file_), error);
    if (!next) return;
    Mixer::Lock lock(*mixer_);
    stream_->next = std::move(next);
}

bool MusicPlayer::play() {
    if (state_ != Stopped && state_ != Paused) return state_ == Playing;
    if (!mixer_ || !stream_->decoder) {
        state_ = Error;
        return false;
    }
    if (!input_.inMix()) input_ = mixer_->add(*stream_);
    state_ = Playing;
    return true;
}

void MusicPlayer::stop() {
    // Once out of the mix, the stream is the main thread's alone.
    input_.reset();
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
    bool ended = false;
    std::string damage;
    std::vector<std::unique_ptr<MusicDecoder>> finished;
    {
        Mixer::Lock lock(*mixer_);
        ends = stream_->ends;
        stream_->ends = 0;
        ended = stream_->ended;
        finished.swap(stream_->finished);
        if (ended && stream_->decoder) damage = stream_->decoder->damage();
    }
    // The passes the mix has left behind are closed here, outside the lock.
    for (const auto& decoder : finished)
        if (damage.empty()) damage = decoder->damage();
    finished.clear();
    if (ends == 0) return;
    if (!damage.empty() && !damageReported_) {
        // Told once; what can be decoded goes on playing.
        messages_.print("Music " + file_ + " is damaged: " + damage, kRed);
        damageReported_ = true;
    }
    if (state_ != Playing) return;
    if (!loop_) {
        stop();
        return;
    }
    // The mix went on into the pass that was ready; where none was, it starts now.
    if (ended) rewind();
    prepareNextPass();
}
