#pragma once
// The debug console: the numbered log every status and error line goes to, and the
// panel that shows its last rows and takes a typed script line.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_sink.h"
#include "platform/surface.h"

class InputDevice;

class Console : public MessageSink {
public:
    // Appends a numbered line to the log and scrolls the panel to the end.
    void print(const std::string& text, uint32_t colour) override;

    // Once per frame while the panel is shown: keys (Enter hands the trimmed line, when
    // not empty, to `runLine`), typing and drawing onto `back` when given.
    void runFrame(InputDevice* input, Surface* back,
                  const std::function<void(const std::string&)>& runLine);
    // What Enter does before running a line: the panel shows the end of the log.
    void scrollToEnd() { top = lastTop(); }
    // Whether the console accepts a typed character into its input line.
    static bool accepts(char c);

    // Told of every line as it is printed (the headless runner prints them).
    std::function<void(const std::string& line, uint32_t colour)> listener;

    std::vector<std::string> lines;  // at most 500, numbered
    std::vector<uint32_t> colours;
    int32_t counter = 0;  // lines printed so far
    int32_t top = 0;      // first row shown
    std::string input;    // the line being typed
    uint8_t typedChar = 0;
    bool visible = false;
    std::unique_ptr<Surface> panelImage;  // "console.bmp"

    static constexpr size_t kMaxLines = 500;
    static constexpr int kRows = 9;

private:
    int lastTop() const { return static_cast<int>(lines.size()) - kRows; }
    void handleKeys(InputDevice& device, const std::function<void(const std::string&)>& runLine);
    void handleTyping();
    void drawPanel(Surface& back);
};
