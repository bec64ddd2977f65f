#include "engine/logic_engine.h"

#include "engine/engine.h"
#include "engine/state_report.h"
#include "platform/error_reporter.h"
#include "platform/null_display.h"

// No pictures, text, music or movies; a clock that moves only when told; a mouse and
// keyboard that report nothing; fatal boxes that only ask the engine to quit.
class LogicHost : public EngineHost, private ErrorReporter {
public:
    bool windowed() const override { return true; }
    const Clock& clock() const override { return clock_; }
    ErrorReporter& errorReporter() override { return *this; }
    const ProgramServices& services() override { return services_; }
    std::unique_ptr<EventSource> createEvents() override {
        auto queue = std::make_unique<QueuedEventSource>();
        queue_ = queue.get();
        return queue;
    }
    bool createWindow() override { return true; }
    std::unique_ptr<DisplayBackend> createDisplay() override {
        return std::make_unique<NullDisplay>();
    }
    std::unique_ptr<InputBackend> createInput() override { return std::make_unique<NoInput>(); }

private:
    class NoInput : public InputBackend {
    public:
        int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) override {
            down.fill(false);
            return 0;
        }
        int readMouse(MouseReading&) override { return 0; }
    };
    void showError(const std::string&, const std::string&) override {}
    void requestQuit(int code) override {
        if (queue_) queue_->postQuit(code);
    }

    VirtualClock clock_;
    ProgramServices services_;
    QueuedEventSource* queue_ = nullptr;
};

LogicEngine::LogicEngine(const std::string& folder)
    : host_(std::make_unique<LogicHost>()),
      engine_(std::make_unique<Engine>(*host_, GameFolder(folder))) {
    GameState& g = engine_->state_;
    views_ = std::make_unique<ViewLibrary>(g.variables, g.console, engine_->folder());
}

LogicEngine::~LogicEngine() = default;

bool LogicEngine::start() {
    int exitCode = 0;
    if (engine_->start(exitCode)) return false;
    // Without a screen the engine draws nothing: transitions, fades and the pictures
    // of later views are skipped, as is every frame's composing.
    GameState& g = engine_->state_;
    engine_->assets().setScreen(nullptr);
    g.screen.reset();
    engine_->scene_.setBackdrop(nullptr);
    return !engine_->pumpMessages(exitCode);
}

GameSnapshot LogicEngine::capture() const {
    return captureGame(engine_->state_, engine_->scene_, engine_->interpreter_);
}

bool LogicEngine::restore(const GameSnapshot& snapshot) {
    return restoreGame(engine_->state_, engine_->scene_, engine_->interpreter_, snapshot, *views_);
}

void LogicEngine::publishCursor(int x, int y) {
    engine_->frames_.publishCursorVariables(x, y);
}

void LogicEngine::click(int x, int y, int selection) {
    GameState& g = engine_->state_;
    if (g.mode != Play) return;
    // The right button steps through the entries and then to none: at most one round.
    for (size_t turns = 0; g.inventory.selection != selection && turns <= g.inventory.items.size();
         ++turns) {
        g.inventory.cycle([] { return std::make_unique<FrameAnimation>(); });
    }
    publishCursor(x, y);
    engine_->frames_.clickHotspot(x, y);
    if (g.mode == Play) publishCursor(x, y);
}

const View* LogicEngine::view() const {
    return engine_->scene_.view();
}
const Inventory& LogicEngine::inventory() const {
    return engine_->state_.inventory;
}
const Variables& LogicEngine::variables() const {
    return engine_->state_.variables;
}
int LogicEngine::mode() const {
    return engine_->state_.mode;
}

std::vector<std::string> LogicEngine::stateLines() const {
    return stateReport(*engine_);
}

void LogicEngine::setConsoleListener(std::function<void(const std::string&)> listener) {
    if (!listener) {
        engine_->console().listener = nullptr;
        return;
    }
    engine_->console().listener = [listener](const std::string& line, uint32_t) { listener(line); };
}
