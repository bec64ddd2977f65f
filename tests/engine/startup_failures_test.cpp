// Start-up with platform pieces that fail: the engine says so in its fatal message box
// and ends before the first view.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/main/standard_services.h"
#include "platform/headless/headless_host.h"
#include "support/engine_test_access.h"

namespace {

// Input devices that open but cannot be taken, for a reason other than a missing
// foreground.
class RefusingInput : public ScriptedInputBackend {
public:
    RefusingInput(std::shared_ptr<ScriptedInputState> state, InputDeviceKind refused)
        : ScriptedInputBackend(std::move(state)), refused_(refused) {}
    int acquire(InputDeviceKind kind) override { return kind == refused_ ? -5 : 0; }

private:
    InputDeviceKind refused_;
};

class InputFailingHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    std::unique_ptr<InputBackend> createInput() override {
        if (!refused) return HeadlessHost::createInput();
        return std::make_unique<RefusingInput>(std::make_shared<ScriptedInputState>(), *refused);
    }
    const InputDeviceKind* refused = nullptr;
};

struct StartResult {
    bool quit = false;
    std::vector<std::string> boxes;
    bool viewLoaded = false;
};

StartResult startWith(const InputDeviceKind* refused) {
    char pattern[] = "/tmp/vorlen-start-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::ofstream(dir + "/init.scn", std::ios::binary)
        << "VIEW v\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nlet started=1\r\nONLOADEND\r\n";
    StandardServices standard;
    InputFailingHost host(standard.services());
    host.refused = refused;
    StartResult result;
    host.onMessageBox = [&result](const std::string& box) { result.boxes.push_back(box); };
    {
        Engine engine(host, GameFolder(dir));
        int code = 0;
        result.quit = engine.start(code);
        result.viewLoaded = EngineTestAccess::state(engine).variables.count("started") != 0;
    }
    std::filesystem::remove_all(dir);
    return result;
}

TEST(StartUpFailures, InputDevicesThatCannotBeTakenAreFatal) {
    for (InputDeviceKind kind :
         {InputDeviceKind::Mouse, InputDeviceKind::Keyboard, InputDeviceKind::Joystick}) {
        StartResult run = startWith(&kind);
        EXPECT_TRUE(run.quit) << static_cast<int>(kind);
        EXPECT_EQ(run.boxes, std::vector<std::string>{"Could not create InputDevice object!"})
            << static_cast<int>(kind);
        EXPECT_FALSE(run.viewLoaded);
    }
    StartResult fine = startWith(nullptr);
    EXPECT_FALSE(fine.quit);
    EXPECT_TRUE(fine.boxes.empty());
    EXPECT_TRUE(fine.viewLoaded);
}

}  // namespace
