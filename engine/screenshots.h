#pragma once
// Screenshots (F9 and "screenshot"): a surface written as a JPEG file of the game folder.
#include <cstdint>
#include <memory>
#include <string>

class GameFolder;
class MessageSink;
class Screen;
class Surface;
struct ProgramServices;

class Screenshots {
public:
    // All outlive this; `screen` is the engine's, which comes and goes.
    Screenshots(const std::unique_ptr<Screen>& screen, const GameFolder& folder,
                const ProgramServices& services, MessageSink& output)
        : screen_(screen), folder_(folder), services_(services), output_(output) {}

    // Writes the surface as a JPEG file (quality 100); an empty name takes the next
    // automatic one, shot0.jpg, shot1.jpg, ... (every call counts, named or not). The back
    // buffer's shots are reported on the console. True when the file was written.
    bool take(Surface& surface, const std::string& fileName);
    int32_t counter() const { return counter_; }

private:
    const std::unique_ptr<Screen>& screen_;
    const GameFolder& folder_;
    const ProgramServices& services_;
    MessageSink& output_;
    int32_t counter_ = 0;
};
