#include "editor/dialog_logic.h"

#include <sys/stat.h>

#include <cstdio>

#include "editor/text_util.h"

namespace dialogs {

const char* const kCursorCaptions[7] = {"Idle",       "Move Forward", "Move Backward", "Move Left",
                                        "Move Right", "Interactive",  "Take/Put"};

namespace {
std::string pad3(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", v);
    return buf;
}
}  // namespace

std::vector<std::string> coordinateList(const shape& shp) {
    std::vector<std::string> lines;
    for (int16_t i = 1; i <= shp.numPoint(); ++i)
        lines.push_back(pad3(shp.x(i)) + " - " + pad3(shp.y(i)));
    return lines;
}

std::string conditionFromBox(const std::string& typed) {
    std::string out;
    for (size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\r') {
            out += "  ";
            if (i + 1 < typed.size() && typed[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "  ";
        } else {
            out += c;
        }
    }
    return out;
}

void applyHotspot(shape& shp, const std::string& name, int cursorIndex, const std::string& condText,
                  const std::string& scriptText) {
    shp.setName(name);
    shp.setCursor(static_cast<int16_t>(cursorIndex < 0 || cursorIndex > 6 ? -1 : cursorIndex));
    shp.setCond(conditionFromBox(condText));
    shp.setScript(text::trimBlanks(fromBoxText(scriptText)));
}

std::string overlayLine(const overlay* current) {
    if (!current) return "addoverlayimage ";
    return "addoverlayimage " + current->getHandle() + " " + current->getFile() + " " +
           std::to_string(current->getX()) + " " + std::to_string(current->getY()) + " " +
           std::to_string(current->getZ());
}

OverlayCheck checkOverlayLine(const std::string& typed, overlay& parsed) {
    if (text::trimBlanks(typed).empty()) return OverlayCheck::Remove;
    parsed = overlay();
    parsed.parse(typed);
    if (parsed.getHandle().empty()) return OverlayCheck::NoHandle;
    return OverlayCheck::Accept;
}

std::string versionLabel() {
    return "Version 1.2.0";
}

std::string aboutDescription() {
    return "A View Editor for use with Vorlen\r\nBy Nivok Productions";
}

std::string toBoxText(const std::string& stored) {
    std::string out;
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
        out += stored[i] == '\r' ? '\n' : stored[i];
    }
    return out;
}

std::string fromBoxText(const std::string& typed) {
    return text::toCrLf(typed);
}

std::string resolveInGameFolder(const std::string& gameFolder, const std::string& name) {
    if (name.empty() || name[0] == '/' || gameFolder.empty()) return name;
    return gameFolder + (gameFolder.back() == '/' ? "" : "/") + name;
}

std::string folderOf(const std::string& path) {
    const size_t p = path.find_last_of('/');
    if (p == std::string::npos) return std::string();
    return p == 0 ? "/" : path.substr(0, p);
}

bool nonEmptyFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}

}  // namespace dialogs
