#pragma once
// One problem the checker found, and the two ways it is written: the compiler style
// editors and CI understand ("FILE:LINE: error: text") and JSON lines for programs.
#include <string>
#include <vector>

enum class Severity { Warning, Error };

struct Diagnostic {
    std::string file;  // as the game names it, relative to the game folder
    int line = 0;      // from 1; 0 when the problem is the file as a whole
    Severity severity = Severity::Error;
    std::string text;
    int hotspot = -1;         // index of the hotspot the line belongs to, in file order
    std::string hotspotName;  // its name, when hotspot >= 0
};

// "FILE:LINE: error: text", or "FILE: warning: text" without a line.
std::string formatCompilerStyle(const Diagnostic& d);
// One JSON object on one line: file, line, severity, text and, for a hotspot's lines,
// hotspot (its index) and hotspotName.
std::string formatJson(const Diagnostic& d);
// Reads a line written by formatJson back; false when it is not one.
bool parseJsonDiagnostic(const std::string& line, Diagnostic& out);

// A place in a view file: the file, its line, and the hotspot whose script or fields the
// line belongs to.
struct Location {
    Location() = default;
    explicit Location(std::string file, int line = 0, int hotspot = -1,
                      std::string hotspotName = std::string())
        : file(std::move(file)),
          line(line),
          hotspot(hotspot),
          hotspotName(std::move(hotspotName)) {}

    std::string file;
    int line = 0;
    int hotspot = -1;
    std::string hotspotName;
};

// Where the checks put what they find.
class DiagnosticSink {
public:
    void add(Diagnostic d) { all_.push_back(std::move(d)); }
    void report(Severity severity, const Location& at, const std::string& text) {
        add({at.file, at.line, severity, text, at.hotspot, at.hotspotName});
    }
    void error(const Location& at, const std::string& text) { report(Severity::Error, at, text); }
    void warning(const Location& at, const std::string& text) {
        report(Severity::Warning, at, text);
    }
    const std::vector<Diagnostic>& all() const { return all_; }
    std::vector<Diagnostic>& all() { return all_; }

private:
    std::vector<Diagnostic> all_;
};
