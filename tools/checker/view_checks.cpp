#include "tools/checker/view_checks.h"

#include <map>
#include <memory>

#include "platform/message_sink.h"
#include "script/numbers.h"
#include "tools/checker/hotspot_area.h"
#include "tools/checker/script_checks.h"
#include "view/coordinates.h"
#include "view/view.h"

namespace {

bool outsideView(const Point& p) {
    return p.x < 0 || p.x > kViewWidth || p.y < 0 || p.y > kViewHeight;
}

std::string pointText(const Point& p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

}  // namespace

void ViewChecks::check(const std::string& fileName) {
    // Conditions are evaluated as the file is read: into a store of their own, quietly.
    Variables scratch;
    SilentSink silent;
    View view(scratch, silent);
    ViewReadTrace trace;
    std::string error;
    view.load(fileName, files_.probe().folder(), error, &trace);
    const Location file{fileName};
    if (!error.empty()) {
        Location at = file;
        at.line = trace.stopLine;
        if (error == "Script line too long")
            error += " (a script line holds at most 99 characters)";
        sink_.error(at, error);
    }
    if (trace.baseImageLine) {
        Location at = file;
        at.line = trace.baseImageLine;
        files_.baseImage(at, view.baseImage(), view.baseImage() == "testpat.jpg");
    }

    ViewScope scope;
    collectOverlayNames(view.onLoadScript(), scope);
    for (size_t i = 0; i < view.hotspotCount(); ++i) {
        scope.hotspotNames.insert(view.hotspot(i).name());
        collectOverlayNames(view.hotspot(i).clickScript(), scope);
    }
    ScriptChecks scripts{scope, files_, facts_, sink_};
    const Script onLoad = view.onLoadScript();
    scripts.check({onLoad, trace.onLoadLines, file});

    std::map<std::string, int> names;
    std::vector<std::unique_ptr<HotspotArea>> areas;
    for (size_t i = 0; i < view.hotspotCount(); ++i) {
        const Hotspot& h = view.hotspot(i);
        const ViewReadTrace::Hotspot& lines = trace.hotspots[i];
        Location at{fileName, lines.startLine, static_cast<int>(i), h.name()};
        auto onLine = [&at](int line) {
            Location l = at;
            l.line = line;
            return l;
        };

        auto [first, added] = names.emplace(h.name(), lines.startLine);
        if (!added) {
            sink_.warning(at, "another hotspot named " + quoted(h.name()) + " is on line " +
                                  std::to_string(first->second) +
                                  "; 'enablehs' and 'disablehs' switch both");
        }
        if (!startsWithInteger(lines.cursorWord)) {
            sink_.warning(onLine(lines.cursorLine), "cursor " + quoted(lines.cursorWord) +
                                                        " is not a number; the engine "
                                                        "reads 0");
        } else if (h.cursor() < 1 || h.cursor() > 7) {
            sink_.warning(onLine(lines.cursorLine),
                          "cursor number " + std::to_string(h.cursor()) + " is outside 1 to 7");
        }

        std::vector<Point> parsed;
        if (!parseCoordinateList(lines.coordWord, parsed)) {
            sink_.warning(onLine(lines.coordLine),
                          "malformed coordinate list; the engine reads " +
                              std::to_string(parsed.size()) +
                              " vertices from it (write (x,y),(x,y),... without blanks)");
        }
        const std::vector<Point>& polygon = h.polygon();
        size_t outside = 0;
        const Point* firstOutside = nullptr;
        for (const Point& p : polygon) {
            if (!outsideView(p)) continue;
            if (!outside++) firstOutside = &p;
        }
        if (firstOutside) {
            std::string text =
                "vertex " + pointText(*firstOutside) + " lies outside the 640x480 view";
            if (outside > 1) text += " (and " + std::to_string(outside - 1) + " more)";
            sink_.warning(onLine(lines.coordLine), text);
        }
        areas.push_back(std::make_unique<HotspotArea>(h));
        if (polygon.size() < 3) {
            sink_.warning(onLine(lines.coordLine),
                          "hotspot " + quoted(h.name()) + " has " + std::to_string(polygon.size()) +
                              (polygon.size() == 1 ? " vertex" : " vertices") +
                              "; it needs three to cover anything");
        } else if (areas.back()->empty()) {
            sink_.warning(onLine(lines.coordLine),
                          "hotspot " + quoted(h.name()) + " covers no pixel of the 640x480 view");
        }

        scripts.hotspotCondition(h.condition(), onLine(lines.conditionLine));
        const Script click = h.clickScript();
        scripts.check({click, lines.clickLines, onLine(0)});
    }

    // The last active hotspot under the pointer wins: one wholly under a later hotspot
    // without a condition is reached only if scripts switch that one off.
    for (size_t i = 0; i < areas.size(); ++i) {
        for (size_t j = areas.size(); j-- > i + 1;) {
            const Hotspot& over = view.hotspot(j);
            if (over.condition() != "()" || !areas[i]->coveredBy(*areas[j])) continue;
            const Hotspot& under = view.hotspot(i);
            Location at{fileName, trace.hotspots[i].startLine, static_cast<int>(i), under.name()};
            coverings_.push_back({at, over.name(), trace.hotspots[j].startLine});
            break;
        }
    }
}

void ViewChecks::reportCoveredHotspots() {
    for (const Covering& c : coverings_) {
        if (facts_.disabledHotspots.count(c.over)) continue;
        sink_.warning(c.under, "hotspot " + quoted(c.under.hotspotName) + " lies wholly under " +
                                   quoted(c.over) + " (line " + std::to_string(c.overLine) +
                                   "), which is always active: it never gets a click");
    }
    coverings_.clear();
}
