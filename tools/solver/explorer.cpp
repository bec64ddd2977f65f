#include "tools/solver/explorer.h"

#include <chrono>
#include <memory>
#include <thread>

#include "engine/logic_engine.h"
#include "game/inventory.h"
#include "tools/solver/unread_variables.h"
#include "view/clickable_points.h"
#include "view/view.h"

namespace {

// What one state's actions led to, computed by a worker and merged in order.
struct Successor {
    std::string key;
    Action action;
};
struct Expansion {
    std::vector<Successor> next;
    std::string viewFile;
    ViewFacts facts;  // the view as this state shows it; clickable marks this state's
};

class Worker {
public:
    Worker(const std::string& folder, const std::set<std::string>& unread)
        : engine_(folder), unread_(unread) {}
    bool start() { return engine_.start(); }
    LogicEngine& engine() { return engine_; }

    Expansion expand(const std::string& key) {
        Expansion out;
        GameSnapshot state;
        if (!decodeSnapshot(key, state)) return out;
        engine_.restore(state);
        const View* view = engine_.view();
        if (!view) return out;
        out.viewFile = view->fileName();
        out.facts.name = view->name();
        for (size_t i = 0; i < view->hotspotCount(); ++i) {
            out.facts.hotspots.push_back(view->hotspot(i).name());
            out.facts.cursors.push_back(view->hotspot(i).cursor());
        }
        out.facts.clickable.assign(view->hotspotCount(), false);
        // A copy: restoring replaces the view the points were found in.
        const std::vector<ClickablePoint> points = points_.of(*view);
        const size_t entries = engine_.inventory().items.size();
        for (const ClickablePoint& p : points) {
            out.facts.clickable[static_cast<size_t>(p.index)] = true;
            const bool take = out.facts.cursors[static_cast<size_t>(p.index)] == 7;
            for (int32_t held = -1; held < (take ? static_cast<int32_t>(entries) : 0); ++held) {
                Action action{p.index, held, p.point.x, p.point.y};
                engine_.restore(state);
                engine_.click(action.x, action.y, action.selection);
                out.next.push_back({stateKey(engine_.capture(), unread_), action});
            }
        }
        return out;
    }

private:
    LogicEngine engine_;
    const std::set<std::string>& unread_;
    ClickablePoints points_;
};

void noteState(Exploration& e, uint32_t index) {
    GameSnapshot s;
    decodeSnapshot(e.states[index], s);
    const uint32_t d = e.depth[index];
    for (const auto& [name, value] : s.variables) {
        if (e.values[name].insert(value).second) e.lastNewValue[name] = d;
    }
    for (int32_t item : s.inventory) e.itemsObtained.insert(item);
    for (const auto& entry : s.itemTable) e.itemTable.insert(entry);
    e.stateBytes += e.states[index].size();
}

}  // namespace

std::string stateKey(GameSnapshot snapshot, const std::set<std::string>& unread) {
    for (const std::string& name : unread) snapshot.variables.erase(name);
    snapshot.variables.erase("cursor");
    snapshot.variables.erase("cursorinv");
    snapshot.pointerShape = 1;
    snapshot.pointerTarget = 0;
    return encodeSnapshot(snapshot);
}

GameSnapshot Exploration::snapshot(uint32_t state) const {
    GameSnapshot s;
    decodeSnapshot(states.at(state), s);
    return s;
}

bool explore(const SolveOptions& options, Exploration& e) {
    const auto began = std::chrono::steady_clock::now();
    const int threads = std::max(1, options.threads);
    std::vector<std::unique_ptr<Worker>> workers;
    for (int i = 0; i < threads; ++i) {
        workers.push_back(std::make_unique<Worker>(options.folder, options.unread));
        if (!workers.back()->start()) return false;
    }
    e.started = true;
    e.unread = options.unread;
    std::unordered_map<std::string_view, uint32_t> index;
    auto add = [&](std::string key, uint32_t parent, uint32_t via, uint32_t depth) {
        e.states.push_back(std::move(key));
        const auto id = static_cast<uint32_t>(e.states.size() - 1);
        index.emplace(e.states.back(), id);
        e.parent.push_back(parent);
        e.via.push_back(via);
        e.depth.push_back(depth);
        GameSnapshot s;
        decodeSnapshot(e.states.back(), s);
        e.ending.push_back(s.mode == 2);
        e.expanded.push_back(false);
        noteState(e, id);
        return id;
    };
    add(stateKey(workers[0]->engine().capture(), options.unread), 0, UINT32_MAX, 0);

    std::vector<uint32_t> frontier{0};
    for (uint32_t depth = 0; !frontier.empty(); ++depth) {
        e.maxDepthReached = depth;
        std::vector<uint32_t> open;
        for (uint32_t s : frontier)
            if (!e.ending[s]) open.push_back(s);
        if (open.empty()) break;
        if (options.maxDepth >= 0 && depth >= static_cast<uint32_t>(options.maxDepth)) {
            e.incomplete = true;
            e.boundHit = "depth";
            break;
        }
        // Each worker takes every threads-th state; the merge below goes in state order,
        // so the result does not depend on the number of threads.
        std::vector<Expansion> results(open.size());
        auto run = [&](int w) {
            for (size_t i = static_cast<size_t>(w); i < open.size(); i += threads)
                results[i] = workers[static_cast<size_t>(w)]->expand(e.states[open[i]]);
        };
        if (threads == 1) {
            run(0);
        } else {
            std::vector<std::thread> pool;
            for (int w = 0; w < threads; ++w) pool.emplace_back(run, w);
            for (std::thread& t : pool) t.join();
        }
        std::vector<uint32_t> next;
        for (size_t i = 0; i < open.size() && !e.incomplete; ++i) {
            const uint32_t from = open[i];
            Expansion& x = results[i];
            e.expanded[from] = true;
            if (!x.viewFile.empty()) {
                auto [facts, fresh] = e.views.emplace(x.viewFile, x.facts);
                if (!fresh)
                    for (size_t h = 0;
                         h < x.facts.clickable.size() && h < facts->second.clickable.size(); ++h)
                        if (x.facts.clickable[h]) facts->second.clickable[h] = true;
            }
            for (Successor& s : x.next) {
                uint32_t to;
                auto found = index.find(s.key);
                if (found != index.end()) {
                    to = found->second;
                } else {
                    if (e.states.size() >= options.maxStates) {
                        e.incomplete = true;
                        e.boundHit = "states";
                        e.expanded[from] = false;
                        break;
                    }
                    to = add(std::move(s.key), from, static_cast<uint32_t>(e.transitions.size()),
                             depth + 1);
                    next.push_back(to);
                }
                e.transitions.push_back({from, to, s.action});
            }
        }
        if (e.incomplete) break;
        frontier = std::move(next);
    }
    e.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    if (!options.unread.empty())
        for (const auto& view : e.views)
            if (!options.scanned.count(view.first)) {
                // A view file the scan did not read might read one of the variables.
                SolveOptions keepAll = options;
                keepAll.unread.clear();
                e = Exploration();
                return explore(keepAll, e);
            }
    return true;
}

void findUnreadVariables(SolveOptions& options) {
    options.scanned.clear();
    options.unread = unreadVariables(viewFileLines(options.folder, &options.scanned));
}
