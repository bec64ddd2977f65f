#include "tools/solver/solve_report.h"

#include <cstdio>

namespace {

constexpr size_t kDeadEndsShown = 20;
constexpr size_t kValuesShown = 24;

std::string fixed(double v, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, v);
    return text;
}

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", u);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + jsonText(items[i]);
    return out + "]";
}

std::vector<std::string> steps(const Exploration& e, const std::vector<uint32_t>& way) {
    std::vector<std::string> out;
    for (uint32_t t : way) out.push_back(describe(e, e.transitions[t]));
    return out;
}

std::string valuesOf(const std::set<int32_t>& values) {
    std::string out;
    size_t shown = 0;
    for (int32_t v : values) {
        if (shown++ == kValuesShown)
            return out + " ... (" + std::to_string(values.size()) + " values)";
        out += (out.empty() ? "" : " ") + std::to_string(v);
    }
    return out;
}

size_t memoryBytes(const Exploration& e, const ReportFigures& f) {
    return f.peakBytes ? f.peakBytes : e.stateBytes;
}

}  // namespace

SolveStatus solveStatus(const Exploration& e, const Analysis& a) {
    if (!a.deadEnds.empty() || (!a.endingReachable && !e.incomplete)) return kDeadEndsOrNoEnding;
    if (e.incomplete) return kIncomplete;
    return kFinishable;
}

std::string reportText(const Exploration& e, const Analysis& a, const ReportFigures& f) {
    std::string out;
    if (a.endingReachable)
        out += "Ending: reachable, the shortest way takes " + std::to_string(a.shortestWay.size()) +
               " actions.\n";
    else
        out += e.incomplete ? "Ending: not found within the bounds.\n"
                            : "Ending: NOT reachable: the game cannot be finished.\n";
    if (a.deadEnds.empty()) {
        out += "Dead ends: none.\n";
    } else {
        out += "Dead ends: " + std::to_string(a.deadEnds.size()) +
               (a.deadEnds.size() == 1 ? " way in (" : " ways in (") +
               std::to_string(a.deadStates) + (a.deadStates == 1 ? " state" : " states") +
               " from which the ending cannot be reached).\n";
        for (size_t i = 0; i < a.deadEnds.size() && i < kDeadEndsShown; ++i) {
            const std::vector<std::string> way = steps(e, a.deadEnds[i].steps);
            out += "  " + std::to_string(i + 1) + ". ";
            for (size_t s = 0; s < way.size(); ++s) out += (s ? ", " : "") + way[s];
            out +=
                "\n     the mistake: " + (way.empty() ? std::string("start") : way.back()) + "\n";
        }
        if (a.deadEnds.size() > kDeadEndsShown)
            out += "  ... and " + std::to_string(a.deadEnds.size() - kDeadEndsShown) + " more\n";
    }
    auto list = [&out](const char* title, const std::vector<std::string>& items) {
        if (items.empty()) return;
        out += title;
        for (const std::string& item : items) out += "\n  " + item;
        out += "\n";
    };
    list("Hotspots never clickable:", a.neverClickable);
    list("Views never reached:", a.viewsNeverReached);
    list("Items never obtained:", a.itemsNeverObtained);
    if (!e.unread.empty()) {
        out += "Counted but never read (left out of the states):";
        for (const std::string& name : e.unread) out += " " + name;
        out += "\n";
    }
    out += "Variables:\n";
    for (const auto& [name, values] : e.values) out += "  " + name + ": " + valuesOf(values) + "\n";
    if (e.incomplete) {
        out += "INCOMPLETE: the " + std::string(e.boundHit == "depth" ? "depth" : "state") +
               " bound stopped the search";
        if (!a.growing.empty()) {
            out += "; still growing:";
            for (const std::string& name : a.growing) out += " " + name;
        }
        out += ".\n";
    }
    out += "States: " + std::to_string(e.size()) +
           ", transitions: " + std::to_string(e.transitions.size()) +
           ", depth: " + std::to_string(e.maxDepthReached) + ", time: " + fixed(e.seconds, 3) +
           " s, memory: " + fixed(static_cast<double>(memoryBytes(e, f)) / 1048576.0, 1) + " MB.\n";
    return out;
}

std::string reportJson(const Exploration& e, const Analysis& a, const ReportFigures& f) {
    std::string out = "{";
    out += "\"ending_reachable\":" + std::string(a.endingReachable ? "true" : "false");
    out += ",\"shortest_way\":" + jsonList(steps(e, a.shortestWay));
    out += ",\"dead_ends\":[";
    for (size_t i = 0; i < a.deadEnds.size(); ++i) {
        const std::vector<std::string> way = steps(e, a.deadEnds[i].steps);
        out += std::string(i ? "," : "") + "{\"way\":" + jsonList(way) +
               ",\"mistake\":" + jsonText(way.empty() ? "" : way.back()) +
               ",\"states\":" + std::to_string(a.deadEnds[i].states) + "}";
    }
    out += "],\"dead_states\":" + std::to_string(a.deadStates);
    out += ",\"never_clickable\":" + jsonList(a.neverClickable);
    out += ",\"views_never_reached\":" + jsonList(a.viewsNeverReached);
    out += ",\"items_never_obtained\":" + jsonList(a.itemsNeverObtained);
    out += ",\"variables\":{";
    bool first = true;
    for (const auto& [name, values] : e.values) {
        out += (first ? "" : ",") + jsonText(name) + ":[";
        first = false;
        bool firstValue = true;
        for (int32_t v : values) {
            out += (firstValue ? "" : ",") + std::to_string(v);
            firstValue = false;
        }
        out += "]";
    }
    out += "},\"unread\":" + jsonList({e.unread.begin(), e.unread.end()});
    out += ",\"complete\":" + std::string(e.incomplete ? "false" : "true");
    out += ",\"bound\":" + jsonText(e.boundHit);
    out += ",\"growing\":" + jsonList(a.growing);
    out += ",\"states\":" + std::to_string(e.size());
    out += ",\"transitions\":" + std::to_string(e.transitions.size());
    out += ",\"depth\":" + std::to_string(e.maxDepthReached);
    out += ",\"seconds\":" + fixed(e.seconds, 4);
    out += ",\"memory_bytes\":" + std::to_string(memoryBytes(e, f));
    return out + "}\n";
}
