#include "engine/headless_runner.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>

#include "engine/console.h"
#include "engine/game_state.h"
#include "engine/headless_host.h"
#include "engine/main_loop.h"
#include "engine/shot_writer.h"
#include "engine/startup.h"
#include "engine/state_report.h"
#include "engine/window_events.h"
#include "platform/key_names.h"

namespace {

constexpr int kMalformed = 2;

std::string trim(const std::string& s) {
    size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// A whole word of decimal digits with an optional sign, within [lo, hi].
bool parseNumber(const std::string& word, long long lo, long long hi, long long& value) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    value = v;
    return true;
}

std::string colourPrefix(uint32_t colour) {
    if (colour == kWhite) return "W ";
    if (colour == kRed) return "R ";
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X ", colour & 0xFFFFFFu);
    return hex;
}

class HeadlessErrorReporter : public ErrorReporter {
public:
    explicit HeadlessErrorReporter(std::ostream& out) : out_(out) {}
    void showError(const std::string&, const std::string& text) override {
        std::string escaped;
        for (char c : text) {
            if (c == '\n') {
                escaped += "\\n";
            } else {
                escaped += c;
            }
        }
        out_ << "BOX " << escaped << '\n' << std::flush;
    }
    void requestQuit(int code) override {
        if (game().events) game().events->postQuit(code);
    }

private:
    std::ostream& out_;
};

class Runner {
public:
    Runner(std::ostream& out, std::ostream& err, TextRenderer& text, const PictureFormats& pictures)
        : out_(out), err_(err), reporter_(out), host_(&text, &pictures) {}

    int run(std::istream& in) {
        resetGame();
        installClock(&host_.clock());
        installErrorReporter(&reporter_);
        GameState& g = game();
        auto events = std::make_unique<QueuedEventSource>();
        queue_ = events.get();
        g.events = std::move(events);
        g.consoleListener = [this](const std::string& line, uint32_t colour) {
            out_ << colourPrefix(colour) << line << '\n' << std::flush;
        };

        int status = 0;
        if (!startEngine(host_, status)) status = commands(in);
        out_ << std::flush;
        game().consoleListener = nullptr;
        resetGame();
        installErrorReporter(nullptr);
        installClock(nullptr);
        return status;
    }

private:
    // Reads and runs commands until the engine quits or the input ends.
    int commands(std::istream& in) {
        std::string raw;
        int lineNumber = 0;
        while (std::getline(in, raw)) {
            ++lineNumber;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            std::string line = trim(raw);
            if (line.empty() || line[0] == '#') continue;
            int exitCode = 0;
            Result r = command(raw, line, exitCode);
            if (r == Result::Quit) return exitCode;
            if (r == Result::Malformed) {
                err_ << "engine-headless: line " << lineNumber << ": cannot run \"" << line
                     << "\"\n";
                return kMalformed;
            }
        }
        int exitCode = 0;
        close(exitCode);
        return exitCode;
    }

    enum class Result { Ok, Quit, Malformed };

    Result frames(long long n, int& exitCode) {
        for (long long i = 0; i < n; ++i) {
            if (runLoopPass(exitCode)) return Result::Quit;
        }
        return Result::Ok;
    }

    void close(int& exitCode) {
        queue_->push({WindowEvent::Close});
        if (!pumpMessages(exitCode)) exitCode = 0;
    }

    bool key(const std::string& name, bool down) {
        int code = keyCodeForName(name);
        if (code < 0) return false;
        host_.setKey(code, down);
        if (down && code < kKeyboardCodeCount) {
            queue_->push({WindowEvent::KeyDown, code});
            if (int c = controlCharacterOf(code)) queue_->push({WindowEvent::Character, c});
        }
        return true;
    }

    Result command(const std::string& raw, const std::string& line, int& exitCode) {
        size_t space = line.find(' ');
        std::string verb = line.substr(0, space);
        std::string rest = space == std::string::npos ? std::string() : trim(line.substr(space));
        long long n = 0;

        if (verb == "frames") {
            if (!parseNumber(rest, 0, LLONG_MAX, n)) return Result::Malformed;
            return frames(n, exitCode);
        }
        if (verb == "step") {
            if (!parseNumber(rest, 1, 1000, n)) return Result::Malformed;
            host_.setFrameStep(static_cast<int>(n));
            return Result::Ok;
        }
        if (verb == "wait") {
            if (!parseNumber(rest, 0, LLONG_MAX / 1000000, n)) return Result::Malformed;
            host_.clock().advanceMillis(static_cast<uint64_t>(n));
            return Result::Ok;
        }
        if (verb == "move") {
            size_t blank = rest.find(' ');
            if (blank == std::string::npos) return Result::Malformed;
            long long x = 0, y = 0;
            if (!parseNumber(rest.substr(0, blank), INT_MIN, INT_MAX, x) ||
                !parseNumber(trim(rest.substr(blank)), INT_MIN, INT_MAX, y)) {
                return Result::Malformed;
            }
            WindowEvent move{WindowEvent::MouseMove};
            move.x = static_cast<int>(x);
            move.y = static_cast<int>(y);
            queue_->push(move);
            return Result::Ok;
        }
        if (verb == "down" || verb == "up") {
            return key(rest, verb == "down") ? Result::Ok : Result::Malformed;
        }
        if (verb == "tap") {
            if (!key(rest, true)) return Result::Malformed;
            if (frames(1, exitCode) == Result::Quit) return Result::Quit;
            key(rest, false);
            return frames(1, exitCode);
        }
        if (verb == "type") {
            // The text runs to the end of the raw line, blanks included.
            size_t start = raw.find("type");
            std::string text = raw.size() > start + 5 ? raw.substr(start + 5) : std::string();
            for (char c : text) {
                queue_->push({WindowEvent::Character, static_cast<unsigned char>(c)});
                if (frames(1, exitCode) == Result::Quit) return Result::Quit;
            }
            return Result::Ok;
        }
        if (verb == "console") {
            runConsoleLine(rest);
            return Result::Ok;
        }
        if (verb == "state") {
            for (const std::string& s : stateReport()) out_ << s << '\n';
            out_ << std::flush;
            return Result::Ok;
        }
        if (verb == "shot") {
            if (rest.empty()) return Result::Malformed;
            std::string error;
            GameState& g = game();
            if (!g.screen || !writeShot(g.screen->back(), rest, error)) {
                err_ << "engine-headless: shot " << rest << ": "
                     << (error.empty() ? "no picture" : error) << "\n";
            }
            return Result::Ok;
        }
        if (verb == "close") {
            if (!rest.empty()) return Result::Malformed;
            close(exitCode);
            return Result::Quit;
        }
        return Result::Malformed;
    }

    std::ostream& out_;
    std::ostream& err_;
    HeadlessErrorReporter reporter_;
    HeadlessHost host_;
    QueuedEventSource* queue_ = nullptr;
};

}  // namespace

int runHeadless(std::istream& in, std::ostream& out, std::ostream& err, TextRenderer& text,
                const PictureFormats& pictures) {
    // No window and a silent sound output, whatever the environment asks for.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Runner runner(out, err, text, pictures);
    return runner.run(in);
}
