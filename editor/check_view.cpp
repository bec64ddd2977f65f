#include "editor/check_view.h"

#include "editor/test_view.h"

namespace checkview {

std::string findChecker(const std::string& editorFolder) {
    return testview::findProgram(editorFolder, "vorlen-check");
}

std::vector<std::string> checkerArguments(const std::string& folder) {
    return {"--json", "--view", "init.scn", folder};
}

std::vector<Diagnostic> parseOutput(const std::string& output) {
    std::vector<Diagnostic> found;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        Diagnostic d;
        if (parseJsonDiagnostic(output.substr(start, end - start), d)) found.push_back(d);
        start = end + 1;
    }
    return found;
}

std::string listText(const Diagnostic& d) {
    std::string text = d.line > 0 ? "line " + std::to_string(d.line) + ": " : std::string();
    text += d.severity == Severity::Error ? "error: " : "warning: ";
    text += d.text;
    if (d.hotspot >= 0) text += "  [hotspot " + d.hotspotName + "]";
    return text;
}

}  // namespace checkview
