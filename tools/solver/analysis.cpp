#include "tools/solver/analysis.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

std::vector<uint32_t> wayTo(const Exploration& e, uint32_t state) {
    std::vector<uint32_t> steps;
    while (state != 0 && e.via[state] != UINT32_MAX) {
        steps.push_back(e.via[state]);
        state = e.parent[state];
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

std::string describe(const Exploration& e, const Transition& t) {
    const GameSnapshot from = e.snapshot(t.from);
    std::string where = from.view;
    std::string hotspot = "#" + std::to_string(t.action.hotspot);
    auto view = e.views.find(from.view);
    if (view != e.views.end()) {
        if (!view->second.name.empty()) where = view->second.name;
        if (t.action.hotspot >= 0 &&
            static_cast<size_t>(t.action.hotspot) < view->second.hotspots.size())
            hotspot = view->second.hotspots[static_cast<size_t>(t.action.hotspot)];
    }
    std::string text = where + ": click '" + hotspot + "'";
    if (t.action.selection >= 0 &&
        static_cast<size_t>(t.action.selection) < from.inventory.size()) {
        const int32_t item = from.inventory[static_cast<size_t>(t.action.selection)];
        std::string name = "item " + std::to_string(item);
        for (const auto& [n, number] : from.itemTable)
            if (number == item) name = n;
        text += " holding " + name;
    }
    return text;
}

namespace {

// States from which an ending, or a state the search did not finish, can be reached.
// What is not marked is proven dead: everything it leads to was explored.
std::vector<bool> hopeful(const Exploration& e) {
    const size_t n = e.size();
    std::vector<uint32_t> start(n + 1, 0), into(e.transitions.size());
    for (const Transition& t : e.transitions) ++start[t.to + 1];
    for (size_t i = 1; i <= n; ++i) start[i] += start[i - 1];
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (const Transition& t : e.transitions) into[fill[t.to]++] = t.from;
    std::vector<bool> marked(n, false);
    std::vector<uint32_t> queue;
    for (uint32_t s = 0; s < n; ++s)
        if (e.ending[s] || !e.expanded[s]) {
            marked[s] = true;
            queue.push_back(s);
        }
    for (size_t q = 0; q < queue.size(); ++q)
        for (uint32_t k = start[queue[q]]; k < start[queue[q] + 1]; ++k)
            if (!marked[into[k]]) {
                marked[into[k]] = true;
                queue.push_back(into[k]);
            }
    return marked;
}

std::vector<std::string> viewFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".scn") == 0 &&
            entry.is_regular_file(error))
            files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool mentioned(const std::string& folder, const std::vector<std::string>& files,
               const std::string& word) {
    for (const std::string& f : files) {
        std::ifstream in(folder + "/" + f, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        if (text.find(word) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

Analysis analyse(const Exploration& e, const std::string& folder) {
    Analysis a;
    for (uint32_t s = 0; s < e.size(); ++s)
        if (e.ending[s]) {
            a.endingReachable = true;
            a.shortestWay = wayTo(e, s);  // breadth first: the first is the nearest
            break;
        }
    const std::vector<bool> live = hopeful(e);
    std::map<uint32_t, size_t> entrances;  // first dead state -> dead states behind it
    for (uint32_t s = 0; s < e.size(); ++s) {
        if (live[s]) continue;
        ++a.deadStates;
        uint32_t first = s;
        while (first != 0 && !live[e.parent[first]]) first = e.parent[first];
        ++entrances[first];
    }
    // Without any ending the start itself is dead: that is "no ending", not a mistake.
    if (a.endingReachable || e.incomplete)
        for (const auto& [state, count] : entrances)
            if (state != 0) a.deadEnds.push_back({state, wayTo(e, state), count});
    std::stable_sort(a.deadEnds.begin(), a.deadEnds.end(), [](const DeadEnd& x, const DeadEnd& y) {
        return x.steps.size() < y.steps.size();
    });

    for (const auto& [file, facts] : e.views)
        for (size_t h = 0; h < facts.hotspots.size(); ++h)
            if (!facts.clickable[h])
                a.neverClickable.push_back(file + ": '" + facts.hotspots[h] + "'");
    const std::vector<std::string> files = viewFilesIn(folder);
    for (const std::string& f : files)
        if (!e.views.count(f)) a.viewsNeverReached.push_back(f);
    for (const auto& [name, number] : e.itemTable)
        if (!e.itemsObtained.count(number) && mentioned(folder, files, name))
            a.itemsNeverObtained.push_back(name);
    if (e.incomplete)
        for (const auto& [name, depth] : e.lastNewValue)
            if (depth + 1 >= e.maxDepthReached && name != "cursor" && name != "cursorinv")
                a.growing.push_back(name);
    return a;
}
