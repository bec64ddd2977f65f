#include "tools/checker/label_checks.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "game/labels.h"
#include "platform/file_bytes.h"
#include "platform/message_sink.h"
#include "script/variables.h"
#include "view/view.h"

namespace {

// The item numbers the engine's item table gives.
const std::set<int32_t> kItemNumbers = {0, 1};

bool isLabelsFileName(const std::string& name) {
    return name == "labels.txt" || (name.size() > 11 && name.compare(0, 7, "labels.") == 0 &&
                                    name.compare(name.size() - 4, 4, ".txt") == 0);
}

std::vector<std::string> labelsFiles(const GameFolder& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.root().empty() ? "." : folder.root(), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isLabelsFileName(name) && folder.kind(name) == FileKind::Regular) files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

void checkLabels(const GameFolder& folder, const std::vector<std::string>& views,
                 DiagnosticSink& sink) {
    const std::vector<std::string> files = labelsFiles(folder);
    if (files.empty()) return;
    // Each view's hotspot names, read once.
    std::map<std::string, std::vector<std::string>> hotspots;
    Variables variables;
    SilentSink silent;
    for (const std::string& name : views) {
        View view(variables, silent);
        std::string error;
        view.load(name, folder, error);
        std::vector<std::string>& names = hotspots[name];
        for (size_t i = 0; i < view.hotspotCount(); ++i) {
            const std::string hotspot = view.hotspot(i).name();
            if (std::find(names.begin(), names.end(), hotspot) == names.end())
                names.push_back(hotspot);
        }
    }
    for (const std::string& file : files) {
        std::string text;
        if (readFileBytes(folder.path(file), Labels::kMaxFileBytes, text) != FileRead::Ok) {
            sink.warning(Location{file}, "cannot be read, or longer than " +
                                             std::to_string(Labels::kMaxFileBytes) + " bytes");
            continue;
        }
        Labels labels;
        labels.parse(text);
        for (const Labels::Problem& p : labels.problems())
            sink.warning(Location{file, p.line}, p.text);
        std::set<std::string> labelled;
        for (const Labels::Entry& e : labels.entries()) {
            if (e.item >= 0) {
                if (!kItemNumbers.count(e.item))
                    sink.warning(Location{file, e.line},
                                 "no item has the number " + std::to_string(e.item));
                continue;
            }
            auto view = hotspots.find(e.view);
            if (view == hotspots.end()) {
                sink.warning(Location{file, e.line}, "no view file '" + e.view + "'");
                continue;
            }
            if (!e.hotspot.empty() && std::find(view->second.begin(), view->second.end(),
                                                e.hotspot) == view->second.end()) {
                sink.warning(Location{file, e.line},
                             "view '" + e.view + "' has no hotspot '" + e.hotspot + "'");
                continue;
            }
            labelled.insert(e.view + "\n" + e.hotspot);
        }
        for (const auto& [view, names] : hotspots) {
            if (!labelled.count(view + "\n"))
                sink.warning(Location{file}, "no label for view '" + view + "'");
            for (const std::string& name : names)
                if (!labelled.count(view + "\n" + name))
                    sink.warning(Location{file}, "no label for hotspot '" + name + "' of '" + view +
                                                     "': its name is spoken instead");
        }
    }
}
