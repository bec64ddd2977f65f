#pragma once
// Where the game's pieces report — scripts, views, sounds, music, the asset loaders: one
// line at a time, in a colour. The engine's console is the usual one; tools and tests
// capture the lines.
#include <cstdint>
#include <string>

constexpr uint32_t kWhite = 0xFFFFFF;  // 0x00BBGGRR: information
constexpr uint32_t kRed = 0x0000FF;    // errors

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void print(const std::string& text, uint32_t colour) = 0;
};

// Prints nowhere: for reading files only to check them, and for tools.
class SilentSink : public MessageSink {
public:
    void print(const std::string&, uint32_t) override {}
};
