#include "engine/main/headless_runner.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>

#include "engine/engine.h"
#include "engine/state_report.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/run_recorder.h"
#include "platform/headless/shot_writer.h"
#include "platform/key_names.h"
#include "platform/trim.h"

namespace {

constexpr int kMalformed = 2;

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

class Runner {
public:
    Runner(std::ostream& out, std::ostream& err, const ProgramServices& services)
        : out_(out),
          err_(err),
          host_(services),
          engine_(host_),
          recorder_(
              host_, services.recorders, [this] { return screen(); }, err) {
        host_.onMessageBox = [this](const std::string& text) {
            std::string escaped;
            for (char c : text) {
                if (c == '\n') {
                    escaped += "\\n";
                } else {
                    escaped += c;
                }
            }
            out_ << "BOX " << escaped << '\n' << std::flush;
        };
        engine_.console().listener = [this](const std::string& line, uint32_t colour) {
            out_ << colourPrefix(colour) << line << '\n' << std::flush;
        };
        engine_.access().speaker = [this](const std::string& text) {
            out_ << "T " << text << '\n' << std::flush;
        };
    }

    int run(std::istream& in) {
        int status = 0;
        if (!engine_.start(status)) status = commands(in);
        out_ << std::flush;
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
            std::string line = trimmed(raw);
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
            if (engine_.runLoopPass(exitCode)) return Result::Quit;
        }
        return Result::Ok;
    }

    const Surface* screen() {
        const std::unique_ptr<Screen>& screen = engine_.services().screen;
        return screen ? &screen->back() : nullptr;
    }

    void close(int& exitCode) {
        recorder_.finish();
        host_.queue()->push({WindowEvent::Close});
        if (!engine_.pumpMessages(exitCode)) exitCode = 0;
    }

    bool key(const std::string& name, bool down) {
        int code = keyCodeForName(name);
        if (code < 0) return false;
        host_.setKey(code, down);
        if (down && code < kKeyboardCodeCount) {
            host_.queue()->push({WindowEvent::KeyDown, code});
            if (int c = controlCharacterOf(code)) host_.queue()->push({WindowEvent::Character, c});
        }
        return true;
    }

    Result command(const std::string& raw, const std::string& line, int& exitCode) {
        size_t space = line.find(' ');
        std::string verb = line.substr(0, space);
        std::string rest = space == std::string::npos ? std::string() : trimmed(line.substr(space));
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
            host_.advanceClock(static_cast<uint64_t>(n));
            return Result::Ok;
        }
        if (verb == "move") {
            size_t blank = rest.find(' ');
            if (blank == std::string::npos) return Result::Malformed;
            long long x = 0, y = 0;
            if (!parseNumber(rest.substr(0, blank), INT_MIN, INT_MAX, x) ||
                !parseNumber(trimmed(rest.substr(blank)), INT_MIN, INT_MAX, y)) {
                return Result::Malformed;
            }
            WindowEvent move{WindowEvent::MouseMove};
            move.x = static_cast<int>(x);
            move.y = static_cast<int>(y);
            host_.queue()->push(move);
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
                host_.queue()->push({WindowEvent::Character, static_cast<unsigned char>(c)});
                if (frames(1, exitCode) == Result::Quit) return Result::Quit;
            }
            return Result::Ok;
        }
        if (verb == "console") {
            engine_.runConsoleLine(rest);
            return Result::Ok;
        }
        if (verb == "audio") {
            if (rest.empty()) return Result::Malformed;
            if (!host_.audio().startCapture(rest))
                err_ << "engine-headless: audio " << rest << ": cannot write the file\n";
            return Result::Ok;
        }
        if (verb == "record") {
            recorder_.command(rest);
            return Result::Ok;
        }
        if (verb == "state") {
            for (const std::string& s : stateReport(engine_)) out_ << s << '\n';
            out_ << std::flush;
            return Result::Ok;
        }
        if (verb == "shot") {
            if (rest.empty()) return Result::Malformed;
            std::string error;
            const std::unique_ptr<Screen>& screen = engine_.services().screen;
            if (!screen || !writeShot(screen->back(), rest, error)) {
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
    HeadlessHost host_;
    Engine engine_;
    RunRecorder recorder_;
};

}  // namespace

int runHeadless(std::istream& in, std::ostream& out, std::ostream& err,
                const ProgramServices& services) {
    Runner runner(out, err, services);
    return runner.run(in);
}
