#pragma once
// Turns what the probe finds about a named file into the author's diagnostics, at the
// line that names it.
#include <string>

#include "tools/checker/diagnostics.h"
#include "tools/checker/file_probe.h"

class FileChecks {
public:
    FileChecks(FileProbe& probe, DiagnosticSink& sink) : probe_(probe), sink_(sink) {}

    // A view named by "load": it must be there (its contents are checked on their own).
    bool view(const Location& at, const std::string& name);
    // A view's base image; `fromNone` when the file said NONE and the engine shows its
    // test pattern instead.
    void baseImage(const Location& at, const std::string& name, bool fromNone);
    void overlayPicture(const Location& at, const std::string& name);
    // A frame sheet with the frame size and count the script gives.
    void sheet(const Location& at, const std::string& name, int frameWidth, int frameHeight,
               int frameCount);
    void sound(const Location& at, const std::string& name);
    void music(const Location& at, const std::string& name);
    void movie(const Location& at, const std::string& name);

    FileProbe& probe() { return probe_; }

private:
    // Reports a missing file; false when it is missing.
    bool present(const Location& at, const std::string& what, const std::string& name);

    FileProbe& probe_;
    DiagnosticSink& sink_;
};

// "'door.wav'": a name in quotes for messages.
std::string quoted(const std::string& name);
