#include "tools/checker/game_check.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <filesystem>
#include <map>
#include <set>

#include "platform/message_sink.h"
#include "script/commands.h"
#include "script/interpreter.h"
#include "tools/checker/engine_files.h"
#include "tools/checker/file_checks.h"
#include "tools/checker/label_checks.h"
#include "tools/checker/view_checks.h"
#include "view/view.h"

namespace {

constexpr const char* kFirstView = "init.scn";
// Variables the engine itself sets every frame.
const std::set<std::string> kEngineVariables = {"cursor", "cursorinv"};

bool isViewFileName(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".scn";
}

// The names the view's scripts assign, and the hotspots they switch off, without
// checking anything: for the views around the one view being checked.
void gatherFacts(const GameFolder& folder, const std::string& fileName, GameFacts& facts) {
    Variables scratch;
    SilentSink silent;
    View view(scratch, silent);
    std::string error;
    view.load(fileName, folder, error);
    auto scan = [&facts](const Script& script) {
        for (const std::string& line : script) {
            std::vector<std::string> words = splitWords(line);
            if (words.size() >= 2 && words[0] == "let") {
                const std::string statement = joinWords(words, 1);
                size_t equals = statement.find('=');
                if (equals != std::string::npos && equals > 0)
                    facts.assigned.insert(statement.substr(0, equals));
            } else if (words.size() >= 2 && words[0] == "disablehs") {
                facts.disabledHotspots.insert(words[1]);
            }
        }
    };
    scan(view.onLoadScript());
    for (size_t i = 0; i < view.hotspotCount(); ++i) scan(view.hotspot(i).clickScript());
}

}  // namespace

GameCheck::GameCheck(const GameFolder& folder, MediaReaders readers)
    : folder_(folder), readers_(std::move(readers)) {}

bool GameCheck::listViews(std::vector<std::string>& views, std::string& error) const {
    const std::filesystem::path root(folder_.root().empty() ? "." : folder_.root());
    std::error_code ec;
    std::filesystem::directory_iterator it(root, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (isViewFileName(name) && it->is_regular_file(kind)) views.push_back(name);
    }
    if (ec) {
        error = "cannot read the game folder " + root.string() + ": " + ec.message();
        return false;
    }
    std::sort(views.begin(), views.end());
    return true;
}

bool GameCheck::checkGame(std::string& error) {
    std::vector<std::string> listed;
    if (!listViews(listed, error)) return false;
    FileProbe probe(folder_, readers_);
    FileChecks files(probe, sink_);
    GameFacts& facts = facts_;
    ViewChecks views(files, facts, sink_);

    std::set<std::string> seen;
    if (folder_.exists(kFirstView)) {
        std::deque<std::string> queue{kFirstView};
        seen.insert(kFirstView);
        while (!queue.empty()) {
            const std::string name = queue.front();
            queue.pop_front();
            order_.push_back(name);
            const size_t before = facts.loads.size();
            views.check(name);
            for (size_t i = before; i < facts.loads.size(); ++i) {
                const std::string& next = facts.loads[i].first;
                if (folder_.exists(next) && seen.insert(next).second) queue.push_back(next);
            }
        }
    } else {
        order_.push_back(kFirstView);  // first in the report all the same
        sink_.error(Location{kFirstView}, "cannot find the first view 'init.scn'");
    }
    for (const std::string& name : listed) {
        if (seen.count(name)) continue;
        order_.push_back(name);
        views.check(name);
        sink_.warning(Location{name, 1},
                      "no view reached from init.scn loads this view: the player never sees it");
    }
    views.reportCoveredHotspots();
    checkLabels(folder_, listed, sink_);
    checkEngineFiles(probe, sink_);
    reportUnassignedReads(facts);
    sortDiagnostics();
    return true;
}

bool GameCheck::checkView(const std::string& fileName, std::string& error) {
    std::vector<std::string> listed;
    if (!listViews(listed, error)) return false;
    FileProbe probe(folder_, readers_);
    FileChecks files(probe, sink_);
    GameFacts facts;
    ViewChecks views(files, facts, sink_);
    for (const std::string& name : listed)
        if (name != fileName) gatherFacts(folder_, name, facts);
    if (folder_.exists(fileName)) {
        order_.push_back(fileName);
        views.check(fileName);
        views.reportCoveredHotspots();
        reportUnassignedReads(facts);
    } else {
        sink_.error(Location{fileName}, "cannot find view " + quoted(fileName));
    }
    sortDiagnostics();
    return true;
}

void GameCheck::reportUnassignedReads(GameFacts& facts) {
    for (const auto& [name, at] : facts.firstReads) {
        if (facts.assigned.count(name) || kEngineVariables.count(name)) continue;
        sink_.warning(at, "variable " + quoted(name) +
                              " is read but no script of the game assigns it (a typo?); it "
                              "stays 0");
    }
}

void GameCheck::sortDiagnostics() {
    std::map<std::string, size_t> rank;
    for (size_t i = 0; i < order_.size(); ++i) rank.emplace(order_[i], i);
    auto key = [&rank](const Diagnostic& d) {
        auto it = rank.find(d.file);
        return it == rank.end() ? rank.size() : it->second;
    };
    std::stable_sort(sink_.all().begin(), sink_.all().end(),
                     [&](const Diagnostic& a, const Diagnostic& b) {
                         size_t ka = key(a), kb = key(b);
                         if (ka != kb) return ka < kb;
                         if (ka == rank.size() && a.file != b.file) return a.file < b.file;
                         return a.line < b.line;
                     });
}

int GameCheck::errorCount() const {
    return static_cast<int>(
        std::count_if(sink_.all().begin(), sink_.all().end(),
                      [](const Diagnostic& d) { return d.severity == Severity::Error; }));
}

int GameCheck::warningCount() const {
    return static_cast<int>(sink_.all().size()) - errorCount();
}
