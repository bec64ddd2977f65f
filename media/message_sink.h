#pragma once
// Where the media layer's status lines go: the engine prints them on its console, white
// for information and red for errors; tests collect them.
#include <string>

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void info(const std::string& text) = 0;
    virtual void error(const std::string& text) = 0;
};
