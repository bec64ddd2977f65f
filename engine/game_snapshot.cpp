#include "engine/game_snapshot.h"

#include <cstring>

#include "engine/game_state.h"
#include "engine/scene.h"
#include "script/interpreter.h"
#include "view/view.h"

bool GameSnapshot::operator==(const GameSnapshot& o) const {
    return hasView == o.hasView && view == o.view && hotspotFlags == o.hotspotFlags &&
           variables == o.variables && itemTable == o.itemTable && inventory == o.inventory &&
           selection == o.selection && mode == o.mode && transitionType == o.transitionType &&
           transitionStep == o.transitionStep && pendingLabel == o.pendingLabel && echo == o.echo &&
           debug == o.debug && consoleVisible == o.consoleVisible &&
           pointerShape == o.pointerShape && pointerTarget == o.pointerTarget;
}

std::unique_ptr<View> ViewLibrary::copyOf(const std::string& file) {
    auto kept = views_.find(file);
    if (kept == views_.end()) {
        auto view = std::make_shared<View>(variables_, output_);
        std::string error;
        view->load(file, folder_, error);
        kept = views_.emplace(file, std::move(view)).first;
    }
    return std::make_unique<View>(*kept->second);
}

GameSnapshot captureGame(const GameState& g, const Scene& scene, const Interpreter& interpreter) {
    GameSnapshot s;
    if (const View* view = scene.view()) {
        s.hasView = true;
        s.view = view->fileName();
        s.hotspotFlags.resize(view->hotspotCount());
        for (size_t i = 0; i < view->hotspotCount(); ++i) {
            const Hotspot& h = view->hotspot(i);
            s.hotspotFlags[i] =
                static_cast<uint8_t>((h.enabled() ? 1 : 0) | (h.conditionResult() ? 2 : 0));
        }
    }
    s.variables = g.variables;
    s.itemTable = g.inventory.itemTable;
    s.inventory = g.inventory.items;
    s.selection = g.inventory.selection;
    s.mode = g.mode;
    s.transitionType = scene.transition().type;
    s.transitionStep = scene.transition().step;
    s.pendingLabel = interpreter.pendingLabel();
    s.echo = interpreter.echoLines();
    s.debug = g.debugMode;
    s.consoleVisible = g.console.visible;
    s.pointerShape = g.pointer.shape;
    s.pointerTarget = g.pointer.target;
    return s;
}

bool restoreGame(GameState& g, Scene& scene, Interpreter& interpreter, const GameSnapshot& s,
                 ViewLibrary& views) {
    scene.clearOverlays();
    if (!s.hasView) {
        scene.setView(nullptr);
    } else if (!scene.view() || scene.view()->fileName() != s.view ||
               scene.view()->hotspotCount() != s.hotspotFlags.size()) {
        scene.setView(views.copyOf(s.view));
    }
    bool exact = true;
    if (View* view = scene.view()) {
        if (view->hotspotCount() != s.hotspotFlags.size()) exact = false;
        const size_t n = std::min(view->hotspotCount(), s.hotspotFlags.size());
        for (size_t i = 0; i < n; ++i) {
            // Through the const accessor: the polygons stay as they are.
            Hotspot& h = const_cast<Hotspot&>(static_cast<const View*>(view)->hotspot(i));
            h.setEnabled((s.hotspotFlags[i] & 1) != 0);
            h.setConditionResult((s.hotspotFlags[i] & 2) != 0);
        }
    }
    g.variables = s.variables;
    g.inventory.itemTable = s.itemTable;
    g.inventory.items = s.inventory;
    g.inventory.selection = s.selection;
    g.inventory.anim.reset();
    g.mode = s.mode;
    scene.transition().type = s.transitionType;
    scene.transition().step = s.transitionStep;
    interpreter.setPendingLabel(s.pendingLabel);
    interpreter.setEchoLines(s.echo);
    g.debugMode = s.debug;
    g.console.visible = s.consoleVisible;
    g.pointer.reset();
    g.pointer.shape = s.pointerShape;
    g.pointer.target = s.pointerTarget;
    return exact;
}

namespace {

void putNumber(std::string& out, uint32_t v) {
    // Seven bits a byte, small numbers in one byte.
    while (v >= 0x80) {
        out += static_cast<char>((v & 0x7F) | 0x80);
        v >>= 7;
    }
    out += static_cast<char>(v);
}
void putSigned(std::string& out, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    putNumber(out, (u << 1) ^ (v < 0 ? 0xFFFFFFFFu : 0u));
}
void putText(std::string& out, const std::string& text) {
    putNumber(out, static_cast<uint32_t>(text.size()));
    out += text;
}

struct Reader {
    const std::string& in;
    size_t at = 0;
    bool ok = true;
    uint32_t number() {
        uint32_t v = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            if (at >= in.size()) break;
            const auto byte = static_cast<uint8_t>(in[at++]);
            v |= static_cast<uint32_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) return v;
        }
        ok = false;
        return 0;
    }
    int32_t signedNumber() {
        const uint32_t u = number();
        return static_cast<int32_t>((u >> 1) ^ (0u - (u & 1)));
    }
    std::string text() {
        const uint32_t n = number();
        if (!ok || n > in.size() - at) {
            ok = false;
            return {};
        }
        std::string t = in.substr(at, n);
        at += n;
        return t;
    }
};

}  // namespace

std::string encodeSnapshot(const GameSnapshot& s) {
    std::string out;
    out.reserve(64 + s.variables.size() * 12);
    out += static_cast<char>((s.hasView ? 1 : 0) | (s.echo ? 2 : 0) | (s.debug ? 4 : 0) |
                             (s.consoleVisible ? 8 : 0));
    putText(out, s.view);
    putNumber(out, static_cast<uint32_t>(s.hotspotFlags.size()));
    for (uint8_t f : s.hotspotFlags) out += static_cast<char>(f);
    putNumber(out, static_cast<uint32_t>(s.variables.size()));
    for (const auto& [name, value] : s.variables) {
        putText(out, name);
        putSigned(out, value);
    }
    putNumber(out, static_cast<uint32_t>(s.itemTable.size()));
    for (const auto& [name, value] : s.itemTable) {
        putText(out, name);
        putSigned(out, value);
    }
    putNumber(out, static_cast<uint32_t>(s.inventory.size()));
    for (int32_t item : s.inventory) putSigned(out, item);
    putSigned(out, s.selection);
    putSigned(out, s.mode);
    putText(out, s.transitionType);
    putSigned(out, s.transitionStep);
    putText(out, s.pendingLabel);
    putSigned(out, s.pointerShape);
    putSigned(out, s.pointerTarget);
    return out;
}

bool decodeSnapshot(const std::string& bytes, GameSnapshot& s) {
    if (bytes.empty()) return false;
    Reader r{bytes};
    const auto head = static_cast<uint8_t>(bytes[r.at++]);
    s = GameSnapshot();
    s.hasView = head & 1;
    s.echo = head & 2;
    s.debug = head & 4;
    s.consoleVisible = head & 8;
    s.view = r.text();
    uint32_t n = r.number();
    if (!r.ok || n > bytes.size() - r.at) return false;
    s.hotspotFlags.assign(bytes.begin() + static_cast<std::ptrdiff_t>(r.at),
                          bytes.begin() + static_cast<std::ptrdiff_t>(r.at + n));
    r.at += n;
    for (auto* table : {&s.variables, &s.itemTable}) {
        n = r.number();
        for (uint32_t i = 0; r.ok && i < n; ++i) {
            std::string name = r.text();
            (*table)[name] = r.signedNumber();
        }
    }
    n = r.number();
    for (uint32_t i = 0; r.ok && i < n; ++i) s.inventory.push_back(r.signedNumber());
    s.selection = r.signedNumber();
    s.mode = r.signedNumber();
    s.transitionType = r.text();
    s.transitionStep = r.signedNumber();
    s.pendingLabel = r.text();
    s.pointerShape = r.signedNumber();
    s.pointerTarget = r.signedNumber();
    return r.ok && r.at == bytes.size();
}
