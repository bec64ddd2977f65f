#include "editor/view_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "editor/text_util.h"
#include "view/coordinates.h"

namespace viewfile {

namespace {

const char* kCrLf = "\r\n";

// Script text followed by a line end. The reader joins a block's lines without a
// final line end, so a text survives any number of saves and opens unchanged.
void appendScript(std::string& out, const std::string& s) {
    out += s;
    out += kCrLf;
}

class LineReader {
public:
    explicit LineReader(const std::string& bytes) {
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines_.push_back(std::move(line));
            start = end + 1;
        }
    }
    bool atEnd() const { return next_ >= lines_.size(); }
    const std::string& take() { return lines_[next_++]; }
    // Skips lines that are blank after trimming; false at the end of the file.
    bool skipBlank() {
        while (!atEnd() && text::trimSpace(lines_[next_]).empty()) ++next_;
        return !atEnd();
    }
    // The next non-blank line, trimmed; false at the end of the file.
    bool nextKeywordLine(std::string& line) {
        if (!skipBlank()) return false;
        line = text::trimSpace(take());
        return true;
    }

private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

// Reads a script block up to its end keyword. Lines keep their text; they are joined
// with CR LF so that saving the text back writes the same lines again.
bool readBlock(LineReader& in, const char* endKeyword, std::string& script) {
    std::string textOut;
    bool first = true;
    while (!in.atEnd()) {
        const std::string& line = in.take();
        if (text::upper(text::trimSpace(line)) == endKeyword) {
            script = textOut;
            return true;
        }
        if (!first) textOut += kCrLf;
        textOut += line;
        first = false;
    }
    return false;
}

std::string rest(const std::string& line, size_t keywordLength) {
    return text::trimSpace(line.substr(keywordLength));
}

int16_t clamp16(int32_t v) {
    return static_cast<int16_t>(std::clamp<int32_t>(v, -32768, 32767));
}

}  // namespace

std::string write(const EditorModel& model) {
    std::string out;
    out += "VIEW " + model.viewname + kCrLf;
    // The engine cannot read an empty image word; "NONE" is its word for no image.
    const std::string image = text::baseName(model.baseImagePath);
    out += "BASEIMAGE " + (image.empty() ? std::string("NONE") : image) + kCrLf;
    out += std::string("ONLOADSTART") + kCrLf;
    if (!model.onloadscript.empty()) appendScript(out, model.onloadscript);
    out += std::string("ONLOADEND") + kCrLf;
    for (const shape& shp : model.shapes) {
        out += "HOTSPOTSTART " + shp.getName() + kCrLf;
        out += "CURSOR " + std::to_string(shp.getCursor() + 1) + kCrLf;
        out += "COORD ";
        for (int16_t i = 1; i <= shp.numPoint(); ++i) {
            if (i > 1) out += ',';
            out += "(" + std::to_string(shp.x(i)) + "," + std::to_string(shp.y(i)) + ")";
        }
        out += kCrLf;
        out += "ONCONDITION (" + shp.getCond() + ")" + kCrLf;
        out += std::string("ONCLICKSTART") + kCrLf;
        appendScript(out, shp.getScript());
        out += std::string("ONCLICKEND") + kCrLf;
        out += std::string("HOTSPOTEND ") + kCrLf;
    }
    return out;
}

namespace {

bool isOneWord(const std::string& s) {
    return !s.empty() && s.find_first_of(" \t\r\n\v\f") == std::string::npos;
}

// The engine's limit on a script line: 99 characters, counted on the line as it stands
// in the file (indentation and trailing blanks included) without its line end.
constexpr size_t kMaxScriptLine = 99;

// Splits the block's text as written the way the engine does: at LF, one CR at the end
// of a line belonging to its line end.
void checkScript(const std::string& script, const std::string& where,
                 std::vector<std::string>& problems) {
    std::string written;
    appendScript(written, script);
    size_t start = 0;
    while (start < written.size()) {
        size_t end = written.find('\n', start);
        if (end == std::string::npos) end = written.size();
        size_t length = end - start;
        if (length > 0 && written[end - 1] == '\r') --length;
        if (length > kMaxScriptLine) {
            problems.push_back(where + ": a script line is longer than 99 characters");
            return;
        }
        start = end + 1;
    }
}

}  // namespace

std::vector<std::string> engineProblems(const EditorModel& model) {
    std::vector<std::string> problems;
    if (!isOneWord(model.viewname)) problems.push_back("The view name must be one word");
    if (text::baseName(model.baseImagePath).find(' ') != std::string::npos)
        problems.push_back("The base image name must not contain blanks");
    checkScript(model.onloadscript, "OnLoad script", problems);
    for (size_t i = 0; i < model.shapes.size(); ++i) {
        const shape& shp = model.shapes[i];
        const std::string where = "Hotspot " + std::to_string(i + 1) + " (" + shp.getName() + ")";
        if (!isOneWord(shp.getName())) problems.push_back(where + ": the name must be one word");
        if (shp.getCond().find_first_of(" \t\r\n\v\f") != std::string::npos)
            problems.push_back(where + ": the condition must not contain blanks");
        checkScript(shp.getScript(), where, problems);
    }
    return problems;
}

bool parseCoordinates(const std::string& word, shape& shp) {
    // The engine's own reading of the word, so both programs see the same vertices;
    // the editor then holds each number to the 16-bit range its shapes store.
    std::vector<Point> points;
    parseCoordinateList(word, points);
    if (points.size() > static_cast<size_t>(shape::kMaxCount - shp.numPoint())) return false;
    for (const Point& p : points) shp.addPoint(clamp16(p.x), clamp16(p.y));
    return true;
}

ReadResult read(const std::string& bytes, EditorModel& model) {
    ReadResult result;
    model.resetView();
    LineReader in(bytes);
    auto fail = [&](const std::string& what) {
        model.resetView();
        result.ok = false;
        result.error = what;
        return result;
    };

    // The header's name runs to the end of its line, commas included, so that any
    // name the editor wrote can be read back.
    if (in.atEnd()) return fail("Expecting VIEW header");
    const std::string header = text::trimSpace(in.take());
    if (text::upper(header.substr(0, 4)) != "VIEW") return fail("Expecting VIEW header");
    model.viewname = rest(header, 4);

    std::string line;
    if (!in.nextKeywordLine(line) || line.compare(0, 9, "BASEIMAGE") != 0)
        return fail("Expecting BASEIMAGE");
    result.baseImage = rest(line, 9);
    result.baseImageRead = true;

    if (!in.nextKeywordLine(line) || text::upper(line) != "ONLOADSTART")
        return fail("Expecting ONLOADSTART");
    if (!readBlock(in, "ONLOADEND", model.onloadscript)) return fail("Expecting ONLOADEND");

    while (in.nextKeywordLine(line)) {
        if (!text::startsWithNoCase(line, "HOTSPOTSTART")) return fail("Expecting HOTSPOTSTART");
        if (model.shapeCount() >= shape::kMaxCount) return fail("Too many hotspots");
        shape shp;
        shp.makeshape();
        shp.setName(rest(line, 12));
        bool haveLine = in.nextKeywordLine(line);
        for (;;) {
            if (!haveLine || !text::startsWithNoCase(line, "CURSOR"))
                return fail("Expecting CURSOR");
            shp.setCursor(
                static_cast<int16_t>(std::max(-32768, text::leadingInt16(rest(line, 6)) - 1)));
            if (!in.nextKeywordLine(line) || !text::startsWithNoCase(line, "COORD"))
                return fail("Expecting COORD");
            if (!parseCoordinates(rest(line, 5), shp)) return fail("Too many vertices");
            if (!in.nextKeywordLine(line) || !text::startsWithNoCase(line, "ONCONDITION"))
                return fail("Expecting ONCONDITION");
            const std::string cond = rest(line, 11);
            shp.setCond(cond.size() >= 2 ? cond.substr(1, cond.size() - 2) : std::string());
            if (!in.nextKeywordLine(line) || text::upper(line) != "ONCLICKSTART")
                return fail("Expecting ONCLICKSTART");
            std::string script;
            if (!readBlock(in, "ONCLICKEND", script)) return fail("Expecting ONCLICKEND");
            shp.setScript(script);
            // After the click block comes HOTSPOTEND; any other line continues the
            // same hotspot from its CURSOR line.
            haveLine = in.nextKeywordLine(line);
            if (!haveLine || text::upper(line) == "HOTSPOTEND") break;
        }
        model.shapes.push_back(std::move(shp));
    }
    result.ok = true;
    return result;
}

std::string saveName(const std::string& chosen) {
    if (chosen.size() > 4 && text::upper(chosen.substr(chosen.size() - 4)) == ".SCN") return chosen;
    return chosen + ".scn";
}

bool readFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot open " + path;
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        error = "Cannot read " + path;
        return false;
    }
    bytes = ss.str();
    return true;
}

}  // namespace viewfile
