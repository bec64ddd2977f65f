// Music: FFmpeg decoding of the common formats, looping through the posted music message
// and handleEvents, the "playmusic"/"stopmusic" logic, and damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "audio/audio_fixtures.h"
#include "audio/mix_rig.h"
#include "media/ffmpeg/ffmpeg_music_decoder.h"
#include "media/music_control.h"
#include "platform/event_source.h"
#include "platform/headless/pulled_audio_output.h"

namespace {

// One second: half a second loud, half a second quiet, so the start is told from the end.
std::vector<int16_t> theme(int rate) {
    std::vector<int16_t> s = tone(rate, 2, rate / 2, 440, 12000);
    std::vector<int16_t> quiet = tone(rate, 2, rate - rate / 2, 440, 1500);
    s.insert(s.end(), quiet.begin(), quiet.end());
    return s;
}

// Root mean square of the left channel from `from` to `to` seconds.
double rms(const std::vector<int16_t>& mix, double from, double to) {
    size_t a = static_cast<size_t>(from * kMixRate), b = static_cast<size_t>(to * kMixRate);
    double sum = 0;
    for (size_t i = a; i < b && 2 * i < mix.size(); ++i) sum += double(mix[2 * i]) * mix[2 * i];
    return std::sqrt(sum / double(b - a));
}

struct Format {
    const char* encoder;
    const char* container;
    const char* extension;
    int rate;
};

const Format kFormats[] = {
    {"libvorbis", "ogg", "ogg", 44100}, {"libmp3lame", "mp3", "mp3", 22050},
    {"flac", "flac", "flac", 32000},    {"libopus", "ogg", "opus", 48000},
    {"pcm_s16le", "wav", "wav", 11025},
};

std::string makeTheme(const ScratchFolder& dir, const Format& f) {
    std::string path = dir / (std::string("theme.") + f.extension);
    std::string error;
    EXPECT_TRUE(encodeMusic(path, f.encoder, f.container, theme(f.rate), f.rate, 2, error))
        << f.encoder << ": " << error;
    return path;
}

std::vector<int16_t> readAll(MusicDecoder& decoder, size_t limit) {
    std::vector<int16_t> out(limit * 2);
    size_t n = 0, got;
    while (n < limit &&
           (got = decoder.read(out.data() + 2 * n, std::min<size_t>(1000, limit - n))) > 0)
        n += got;
    out.resize(2 * n);
    return out;
}

TEST(MusicDecoding, EveryCommonFormatComesOutInTheMixFormat) {
    ScratchFolder dir("formats");
    FfmpegMusicDecoders decoders;
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.encoder);
        std::string error;
        auto decoder = decoders.open(makeTheme(dir, f), error);
        ASSERT_TRUE(decoder) << error;
        std::vector<int16_t> mix = readAll(*decoder, 3 * kMixRate);
        // One second, give or take the codec's padding.
        EXPECT_NEAR(double(mix.size() / 2), double(kMixRate), 0.05 * kMixRate);
        EXPECT_NEAR(rms(mix, 0.1, 0.4), 12000 / std::sqrt(2.0), 600);
        EXPECT_NEAR(rms(mix, 0.6, 0.9), 1500 / std::sqrt(2.0), 200);
        EXPECT_EQ(decoder->damage(), "");
        // Opened again (as a loop does), the same samples.
        auto again = decoders.open(dir / (std::string("theme.") + f.extension), error);
        ASSERT_TRUE(again);
        EXPECT_TRUE(readAll(*again, 3 * kMixRate) == mix);
    }
}

// The engine's side of music: a pulled mix, the message queue and the commands' logic,
// run frame by frame as the main loop does.
class MusicLoop : public ::testing::Test {
protected:
    MusicLoop() {
        auto owned = std::make_unique<PulledAudioOutput>();
        output_ = owned.get();
        mixer_.create(std::move(owned));
    }

    // Runs 10 ms frames for `seconds`: each pulls the mix up to its time, then handles
    // the messages that wait, as the main loop does.
    void run(double seconds, bool handleMessages = true) {
        for (int i = 0; i < static_cast<int>(seconds * 100 + 0.5); ++i) {
            now_ += 10000000;
            output_->advanceTo(now_);
            WindowEvent event;
            while (handleMessages && events_.next(event))
                if (event.type == WindowEvent::Music) music_.handleEvents();
        }
    }
    std::vector<int16_t> captured(const std::string& path) {
        output_->stopCapture();
        Bytes file = readFile(path);
        std::vector<int16_t> mix;
        for (size_t i = 44; i + 1 < file.size(); i += 2)
            mix.push_back(static_cast<int16_t>(file[i] | file[i + 1] << 8));
        return mix;
    }
    std::string capture(const std::string& name) {
        std::string path = dir_ / name;
        EXPECT_TRUE(output_->startCapture(path));
        return path;
    }

    ScratchFolder dir_{"loop"};
    uint64_t now_ = 0;
    Mixer mixer_;
    PulledAudioOutput* output_ = nullptr;
    QueuedEventSource events_;
    FfmpegMusicDecoders decoders_;
    RecordingSink sink_;
    MusicControl music_{&mixer_, decoders_, &events_, anyFolder(), sink_};
};

const double kLoud = 12000 / std::sqrt(2.0);
const double kQuiet = 1500 / std::sqrt(2.0);

TEST_F(MusicLoop, TheEndPostsTheMusicMessageAndHandlingItStartsAgain) {
    std::string ogg = makeTheme(dir_, kFormats[0]);
    std::string wav = capture("loop.wav");
    EXPECT_EQ(music_.playMusic("playmusic " + ogg, ogg), "");
    run(1.5);
    std::vector<int16_t> mix = captured(wav);
    EXPECT_NEAR(rms(mix, 0.1, 0.4), kLoud, 600);
    EXPECT_NEAR(rms(mix, 0.6, 0.9), kQuiet, 200);
    EXPECT_NEAR(rms(mix, 1.1, 1.4), kLoud, 600) << "the start again";
    EXPECT_TRUE(music_.isPlaying());
    EXPECT_TRUE(sink_.lines.empty());
}

TEST_F(MusicLoop, WithoutTheMessageHandledOnlyThePassOpenedAheadPlays) {
    std::string wav = capture("held.wav");
    std::string flac = makeTheme(dir_, kFormats[2]);
    music_.playMusic("playmusic " + flac, flac);
    run(2.5, false);
    run(0.5);  // the messages waiting since the ends are handled now
    std::vector<int16_t> mix = captured(wav);
    EXPECT_NEAR(rms(mix, 1.1, 1.4), kLoud, 600) << "the pass opened ahead";
    EXPECT_LT(rms(mix, 2.1, 2.5), 1.0) << "none opened after it";
    EXPECT_NEAR(rms(mix, 2.6, 2.9), kLoud, 600);
}

// A decoder of a ramp that never touches 0, giving at most `chunk` frames a read: the
// mix shows every lost or repeated frame.
class RampDecoders : public MusicDecoderFactory {
public:
    RampDecoders(size_t length, size_t chunk, std::string damage = {})
        : length_(length), chunk_(chunk), damage_(std::move(damage)) {}
    std::unique_ptr<MusicDecoder> open(const std::string&, std::string&) override {
        return std::make_unique<Ramp>(length_, chunk_, damage_);
    }
    static int16_t value(size_t i) { return static_cast<int16_t>(1 + i % 30000); }

private:
    struct Ramp : MusicDecoder {
        Ramp(size_t length, size_t chunk, std::string damage)
            : length(length), chunk(chunk), damaged(std::move(damage)) {}
        size_t read(int16_t* out, size_t frames) override {
            size_t n = std::min({frames, chunk, length - at});
            for (size_t i = 0; i < n; ++i, ++at) out[2 * i] = out[2 * i + 1] = value(at);
            return n;
        }
        // Damage shows where reading stopped on it: at the end of each pass.
        std::string damage() const override { return at == length ? damaged : ""; }
        size_t length, chunk, at = 0;
        std::string damaged;
    };
    size_t length_, chunk_;
    std::string damage_;
};

TEST_F(MusicLoop, EachPassFollowsTheLastWithoutAGap) {
    // Passes longer and shorter than a frame's 441 samples; reads whole, cut short at
    // random places, or one sample at a time.
    struct Case {
        size_t length, chunk;
    } cases[] = {{44100, SIZE_MAX}, {4417, 1000}, {600, 7}, {442, 1}, {513, 512}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.length << " frames, reads of " << c.chunk);
        RampDecoders ramps(c.length, c.chunk);
        MusicControl music(&mixer_, ramps, &events_, anyFolder(), sink_);
        std::string wav = capture("ramp.wav");
        std::string file = makeTheme(dir_, kFormats[4]);  // any file that is there
        music.playMusic("playmusic " + file, file);
        for (int frame = 0; frame < 150; ++frame) {
            now_ += 10000000;
            output_->advanceTo(now_);
            WindowEvent event;
            while (events_.next(event))
                if (event.type == WindowEvent::Music) music.handleEvents();
        }
        music.stopMusic();
        std::vector<int16_t> mix = captured(wav);
        ASSERT_EQ(mix.size(), 150u * 441 * 2);
        for (size_t i = 0; i < mix.size() / 2; ++i) {
            ASSERT_EQ(mix[2 * i], RampDecoders::value(i % c.length)) << "frame " << i;
            ASSERT_EQ(mix[2 * i + 1], mix[2 * i]);
        }
        EXPECT_TRUE(music.isPlaying() || music.player() == nullptr);
    }
}

TEST_F(MusicLoop, DamageIsNamedOnceHoweverOftenTheMusicLoops) {
    RampDecoders ramps(600, SIZE_MAX, "reading failed: Invalid data");
    MusicControl music(&mixer_, ramps, &events_, anyFolder(), sink_);
    std::string file = makeTheme(dir_, kFormats[4]);
    music.playMusic("playmusic " + file, file);
    for (int frame = 0; frame < 100; ++frame) {
        now_ += 10000000;
        output_->advanceTo(now_);
        WindowEvent event;
        while (events_.next(event))
            if (event.type == WindowEvent::Music) music.handleEvents();
    }
    EXPECT_EQ(sink_.lines, std::vector<std::string>{"R Music " + file +
                                                    " is damaged: reading failed: Invalid data"});
    EXPECT_TRUE(music.isPlaying());
}

TEST_F(MusicLoop, PlayMusicCommands) {
    std::string mp3 = makeTheme(dir_, kFormats[1]);
    EXPECT_EQ(music_.lastMusic(), "NONE");
    EXPECT_EQ(music_.playLastMusic(), "Too few arguments,  no last loaded file to play");
    EXPECT_EQ(music_.playMusic("playmusic nothere.ogg", "nothere.ogg"),
              "Could not load and play file");
    EXPECT_EQ(music_.lastMusic(), "NONE");

    std::string wav = capture("commands.wav");
    music_.playMusic("playmusic " + mp3, mp3);
    run(0.7);
    // The same file while it plays is left alone: it goes on into its quiet half.
    EXPECT_EQ(music_.playMusic("playmusic " + mp3 + " again", mp3), "");
    EXPECT_EQ(sink_.lines, (std::vector<std::string>{"W Ignoring Cmd: playmusic " + mp3 + " again",
                                                     "W " + mp3 + " already playing"}));
    run(0.2);
    music_.stopMusic();
    EXPECT_FALSE(music_.isPlaying());
    EXPECT_EQ(music_.player(), nullptr);
    EXPECT_EQ(music_.lastMusic(), mp3);
    run(0.3);
    // A bare "playmusic" starts the last file from its beginning.
    EXPECT_EQ(music_.playLastMusic(), "");
    run(0.3);
    std::vector<int16_t> mix = captured(wav);
    EXPECT_NEAR(rms(mix, 0.75, 0.85), kQuiet, 200);
    EXPECT_LT(rms(mix, 0.95, 1.15), 1.0) << "stopped";
    EXPECT_NEAR(rms(mix, 1.25, 1.45), kLoud, 600);
    // After "stopmusic" the same line starts it again.
    music_.stopMusic();
    EXPECT_EQ(music_.playMusic("playmusic " + mp3, mp3), "");
    EXPECT_TRUE(music_.isPlaying());
    EXPECT_EQ(sink_.lines.size(), 2u);
}

TEST_F(MusicLoop, DamagedFilesFailWithOneRedLine) {
    std::string ogg = makeTheme(dir_, kFormats[0]);
    Bytes good = readFile(ogg);
    std::string noise = dir_ / "noise.ogg", cut = dir_ / "cut.ogg", empty = dir_ / "empty.mp3";
    Bytes bytes(20000);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7919 >> 3);
    writeFile(noise, bytes);
    writeFile(cut, Bytes(good.begin(), good.begin() + 200));
    writeFile(empty, {});
    std::string wav = capture("damaged.wav");
    for (const std::string& file : {noise, cut, empty}) {
        sink_.lines.clear();
        EXPECT_EQ(music_.playMusic("playmusic " + file, file), "");
        ASSERT_EQ(sink_.lines.size(), 1u) << file;
        EXPECT_EQ(sink_.lines[0].rfind("R Could not play music " + file + ": ", 0), 0u)
            << sink_.lines[0];
        EXPECT_FALSE(music_.isPlaying());
        EXPECT_EQ(music_.player()->state(), MusicPlayer::Error);
        run(0.1);
    }
    // Music that failed is tried again by the same line, not reported as playing.
    sink_.lines.clear();
    music_.playMusic("playmusic " + empty, empty);
    EXPECT_EQ(sink_.lines.size(), 1u);
    std::vector<int16_t> mix = captured(wav);
    EXPECT_EQ(rms(mix, 0, 0.3), 0.0);
}

TEST_F(MusicLoop, AFileCutShortPlaysWhatItHasAndLoops) {
    // Three seconds: long enough for several Ogg pages, so a cut leaves whole ones.
    std::vector<int16_t> samples = tone(44100, 2, 3 * 44100, 440, 12000);
    std::string whole = dir_ / "whole.ogg", cut = dir_ / "cut.ogg", error;
    ASSERT_TRUE(encodeMusic(whole, "libvorbis", "ogg", samples, 44100, 2, error)) << error;
    Bytes good = readFile(whole);
    writeFile(cut, Bytes(good.begin(), good.begin() + good.size() * 2 / 3));
    auto decoder = decoders_.open(cut, error);
    ASSERT_TRUE(decoder) << error;
    const double length = double(readAll(*decoder, 3 * kMixRate).size() / 2) / kMixRate;
    ASSERT_GT(length, 1.0);
    ASSERT_LT(length, 2.5) << "ends before the whole file would have";
    std::string wav = capture("cut.wav");
    music_.playMusic("playmusic " + cut, cut);
    run(2 * length + 0.5, false);  // the pass opened ahead plays, then the ends wait
    run(0.5);
    std::vector<int16_t> mix = captured(wav);
    EXPECT_NEAR(rms(mix, 0.2, length - 0.1), kLoud, 600);
    EXPECT_NEAR(rms(mix, length - 0.1, length + 0.1), kLoud, 600) << "straight on";
    EXPECT_LT(rms(mix, 2 * length + 0.1, 2 * length + 0.4), 1.0);
    EXPECT_NEAR(rms(mix, 2 * length + 0.6, 2 * length + 0.9), kLoud, 600) << "and again";
    EXPECT_TRUE(music_.isPlaying());
    for (const std::string& line : sink_.lines) ADD_FAILURE() << line;
}

TEST_F(MusicLoop, WithoutANotifierTheMusicPlaysOnce) {
    std::string flac = makeTheme(dir_, kFormats[2]);
    MusicPlayer player(&mixer_, decoders_, anyFolder(), sink_);
    ASSERT_TRUE(player.open(flac, nullptr));
    EXPECT_FALSE(player.loops());
    run(1.2);
    player.handleEvents();
    EXPECT_EQ(player.state(), MusicPlayer::Stopped);
    player.play();  // from where it stopped: the end
    run(0.1);
    EXPECT_TRUE(player.isPlaying());
}

TEST(MusicMessages, MayBePostedFromAnyThread) {
    QueuedEventSource events;
    events.push({WindowEvent::MouseMove});
    std::thread mix([&events] {
        for (int i = 0; i < 1000; ++i) events.postMusicEvent();
    });
    mix.join();
    WindowEvent event;
    ASSERT_TRUE(events.next(event));
    EXPECT_EQ(event.type, WindowEvent::MouseMove);
    int music = 0;
    while (events.next(event)) music += event.type == WindowEvent::Music;
    EXPECT_EQ(music, 1000);
    EXPECT_TRUE(events.empty());
}

TEST_F(MusicLoop, TwoRunsWriteTheSameBytes) {
    std::string ogg = makeTheme(dir_, kFormats[0]);
    std::string opus = makeTheme(dir_, kFormats[3]);
    Bytes first, second;
    for (Bytes* out : {&first, &second}) {
        auto owned = std::make_unique<PulledAudioOutput>();
        PulledAudioOutput* output = owned.get();
        Mixer mixer;
        mixer.create(std::move(owned));
        QueuedEventSource events;
        MusicControl music(&mixer, decoders_, &events, anyFolder(), sink_);
        std::string path = dir_ / "run.wav";
        output->startCapture(path);
        music.playMusic("playmusic " + ogg, ogg);
        uint64_t now = 0;
        for (int frame = 0; frame < 250; ++frame) {
            now += 10000000;
            output->advanceTo(now);
            WindowEvent event;
            while (events.next(event))
                if (event.type == WindowEvent::Music) music.handleEvents();
            if (frame == 60) mixer.beep();
            if (frame == 90) music.playMusic("playmusic " + opus, opus);
            if (frame == 120) mixer.setVolume(30, 70);
        }
        output->stopCapture();
        music.stopMusic();
        *out = readFile(path);
    }
    EXPECT_EQ(first.size(), 44u + 110250 * 4);
    EXPECT_TRUE(first == second);
}

}  // namespace
