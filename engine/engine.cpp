#include "engine/engine.h"

#include "engine/commands/engine_commands.h"
#include "platform/error_reporter.h"
#include "platform/trim.h"

Engine::Engine(EngineHost& host, GameFolder folder)
    : host_(host),
      folder_(std::move(folder)),
      state_(host.clock()),
      interpreter_(state_.variables, state_.console),
      assets_(folder_, host.services().pictures, state_.console) {
    // Every successful assignment re-evaluates the view's conditions.
    interpreter_.setAssignmentListener([this] {
        if (View* view = scene_.view()) view->reevaluateConditions();
    });
    scene_.setViewChangeListener([this] { access_.noteViewChange(); });
    saves_.setFailedSavesListener([this] {
        if (state_.mode == SaveScreen || state_.mode == LoadScreen) page_.build();
    });
    registerEngineCommands(services_);
}

Engine::~Engine() {
    shutdown();
}

void Engine::runConsoleLine(const std::string& line) {
    std::string trimmedText = trimmed(line);
    if (trimmedText.empty()) return;
    state_.console.scrollToEnd();
    interpreter_.runScript(Script{trimmedText}, 0, true);
}
