// The engine's view file reader: blank-separated words plus line-based script blocks.
#include <string_view>

#include "platform/file_bytes.h"
#include "platform/game_folder.h"
#include "platform/trim.h"
#include "script/numbers.h"
#include "view/view.h"

namespace {

class ViewFileScanner {
public:
    explicit ViewFileScanner(std::string text) : text_(std::move(text)) {}

    // Next whitespace-separated word; empty at the end of the file.
    std::string word() {
        while (pos_ < text_.size() && isWhiteSpace(text_[pos_])) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
        size_t start = pos_;
        while (pos_ < text_.size() && !isWhiteSpace(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // The line of the last word read, or of the end of the file: the last line that
    // has any text, a final line end opening no line of its own.
    int line() const {
        if (pos_ >= text_.size() && line_ > 1 && text_.back() == '\n') return line_ - 1;
        return line_;
    }

    enum class Block { Ok, EndOfFile, LineTooLong };

    // Lines from the rest of the current line up to the one that, trimmed, is
    // `endKeyword`; trimmed, empty ones dropped, with the line each stood on when
    // `lineNumbers` is given. Stops at the end of the file or at an over-long line
    // instead of waiting for a terminator that never comes.
    Block block(const std::string& endKeyword, std::vector<std::string>& lines,
                std::vector<int>* lineNumbers) {
        while (pos_ < text_.size()) {
            size_t end = text_.find('\n', pos_);
            if (end == std::string::npos) end = text_.size();
            std::string_view raw(text_.data() + pos_, end - pos_);
            if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
            pos_ = end < text_.size() ? end + 1 : end;
            const int lineNumber = line_;
            if (end < text_.size()) ++line_;
            std::string_view line = trimWhiteSpace(raw);
            if (line == endKeyword) return Block::Ok;
            if (raw.size() > View::kMaxScriptLine) {
                line_ = lineNumber;  // reading stopped on this line
                return Block::LineTooLong;
            }
            if (!line.empty()) {
                lines.emplace_back(line);
                if (lineNumbers) lineNumbers->push_back(lineNumber);
            }
        }
        return Block::EndOfFile;
    }

private:
    std::string text_;
    size_t pos_ = 0;
    int line_ = 1;
};

std::string blockError(ViewFileScanner::Block result, const char* endKeyword) {
    if (result == ViewFileScanner::Block::LineTooLong) return "Script line too long";
    return std::string("Expected ") + endKeyword;
}

// The whole file, or nothing when it cannot be read or is beyond any sane view size: it
// then fails at the header like a missing file.
std::string readViewFile(const std::string& fileName) {
    constexpr size_t kMaxViewFileBytes = 64u << 20;
    std::string text;
    readFileBytes(fileName, kMaxViewFileBytes, text);
    return text;
}

}  // namespace

bool View::load(const std::string& fileName, const GameFolder& folder, std::string& errorText,
                ViewReadTrace* trace) {
    fileName_ = fileName;
    ViewFileScanner scan(readViewFile(folder.path(fileName)));
    ViewReadTrace unused;
    ViewReadTrace& where = trace ? *trace : unused;
    auto fail = [&](const std::string& message) {
        errorText = message;
        where.stopLine = scan.line();
        return false;
    };

    if (scan.word() != "VIEW") return fail("Expected Header");
    name_ = scan.word();
    where.nameLine = scan.line();
    if (scan.word() != "BASEIMAGE") return fail("Expected BASEIMAGE");
    baseImage_ = scan.word();
    where.baseImageLine = scan.line();
    if (baseImage_ == "NONE" || baseImage_ == "none") baseImage_ = "testpat.jpg";
    if (scan.word() != "ONLOADSTART") return fail("Expected ONLOADSTART");
    auto result = scan.block("ONLOADEND", onLoad_, trace ? &where.onLoadLines : nullptr);
    if (result != ViewFileScanner::Block::Ok) return fail(blockError(result, "ONLOADEND"));

    for (;;) {
        std::string keyword = scan.word();
        if (keyword.empty()) return true;
        if (keyword != "HOTSPOTSTART") return fail("Expected HOTSPOTSTART");
        Hotspot hotspot;
        ViewReadTrace::Hotspot lines;
        lines.startLine = scan.line();
        hotspot.setName(scan.word());
        if (scan.word() != "CURSOR") return fail("Expected CURSOR");
        std::string cursor = scan.word();
        lines.cursorLine = scan.line();
        hotspot.setCursor(leadingInteger(cursor));
        if (scan.word() != "COORD") return fail("Expected COORD");
        std::string coordinates = scan.word();
        lines.coordLine = scan.line();
        hotspot.setCoordinates(coordinates);
        if (scan.word() != "ONCONDITION") return fail("Expected ONCONDITION");
        hotspot.setCondition(scan.word(), variables_, output_);
        lines.conditionLine = scan.line();
        if (scan.word() != "ONCLICKSTART") return fail("Expected ONCLICKSTART");
        std::vector<std::string> click;
        result = scan.block("ONCLICKEND", click, trace ? &lines.clickLines : nullptr);
        if (result != ViewFileScanner::Block::Ok) return fail(blockError(result, "ONCLICKEND"));
        for (const std::string& line : click) hotspot.addClickLine(line);
        if (scan.word() != "HOTSPOTEND") return fail("Expected HOTSPOTEND");
        hotspots_.push_back(std::move(hotspot));
        if (trace) {
            lines.cursorWord = std::move(cursor);
            lines.coordWord = std::move(coordinates);
            where.hotspots.push_back(std::move(lines));
        }
    }
}
