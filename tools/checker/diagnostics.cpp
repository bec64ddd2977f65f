#include "tools/checker/diagnostics.h"

#include <cstdio>

namespace {

const char* severityName(Severity s) {
    return s == Severity::Error ? "error" : "warning";
}

// Game texts are 8-bit in the author's code page: bytes from 0x80 up are written as the
// code points of the same number, so every line is valid JSON and reads back unchanged.
void appendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
}

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {}

    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }
    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool atEnd() {
        skipBlanks();
        return pos_ == text_.size();
    }
    bool peekString() {
        skipBlanks();
        return pos_ < text_.size() && text_[pos_] == '"';
    }

    bool string(std::string& out) {
        out.clear();
        if (!take('"')) return false;
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) return false;
            char e = text_[pos_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    if (text_.size() - pos_ < 4) return false;
                    unsigned value = 0;
                    for (int i = 0; i < 4; ++i) {
                        char h = text_[pos_++];
                        value <<= 4;
                        if (h >= '0' && h <= '9')
                            value |= static_cast<unsigned>(h - '0');
                        else if (h >= 'a' && h <= 'f')
                            value |= static_cast<unsigned>(h - 'a' + 10);
                        else if (h >= 'A' && h <= 'F')
                            value |= static_cast<unsigned>(h - 'A' + 10);
                        else
                            return false;
                    }
                    // Only the byte-sized code points this writer produces.
                    if (value > 0xFF) return false;
                    out += static_cast<char>(value);
                    break;
                }
                default:
                    return false;
            }
        }
        return false;
    }

    bool integer(long long& out) {
        skipBlanks();
        bool negative = take('-');
        size_t start = pos_;
        long long value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (pos_ - start >= 9) return false;  // far beyond any line or index
            value = value * 10 + (text_[pos_++] - '0');
        }
        if (pos_ == start) return false;
        out = negative ? -value : value;
        return true;
    }

private:
    const std::string& text_;
    size_t pos_ = 0;
};

}  // namespace

std::string formatCompilerStyle(const Diagnostic& d) {
    std::string out = d.file;
    if (d.line > 0) out += ":" + std::to_string(d.line);
    out += ": ";
    out += severityName(d.severity);
    out += ": ";
    out += d.text;
    return out;
}

std::string formatJson(const Diagnostic& d) {
    std::string out = "{\"file\":";
    appendJsonString(out, d.file);
    out += ",\"line\":" + std::to_string(d.line);
    out += ",\"severity\":\"";
    out += severityName(d.severity);
    out += "\",\"text\":";
    appendJsonString(out, d.text);
    if (d.hotspot >= 0) {
        out += ",\"hotspot\":" + std::to_string(d.hotspot);
        out += ",\"hotspotName\":";
        appendJsonString(out, d.hotspotName);
    }
    out += '}';
    return out;
}

bool parseJsonDiagnostic(const std::string& line, Diagnostic& out) {
    out = Diagnostic();
    JsonReader in(line);
    if (!in.take('{')) return false;
    bool haveFile = false, haveSeverity = false, haveText = false;
    if (!in.take('}')) {
        do {
            std::string key;
            if (!in.string(key) || !in.take(':')) return false;
            if (in.peekString()) {
                std::string value;
                if (!in.string(value)) return false;
                if (key == "file") {
                    out.file = value;
                    haveFile = true;
                } else if (key == "severity") {
                    if (value != "error" && value != "warning") return false;
                    out.severity = value == "error" ? Severity::Error : Severity::Warning;
                    haveSeverity = true;
                } else if (key == "text") {
                    out.text = value;
                    haveText = true;
                } else if (key == "hotspotName") {
                    out.hotspotName = value;
                }
            } else {
                long long value = 0;
                if (!in.integer(value)) return false;
                if (key == "line") out.line = value < 0 ? 0 : static_cast<int>(value);
                if (key == "hotspot") out.hotspot = value < 0 ? -1 : static_cast<int>(value);
            }
        } while (in.take(','));
        if (!in.take('}')) return false;
    }
    return in.atEnd() && haveFile && haveSeverity && haveText;
}
