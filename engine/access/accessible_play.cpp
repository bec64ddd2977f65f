#include "engine/access/accessible_play.h"

#include <algorithm>

#include "engine/access/highlight.h"
#include "engine/access/speech_lines.h"
#include "engine/game_state.h"
#include "engine/scene.h"
#include "game/save_page.h"
#include "media/mixer.h"
#include "platform/screen.h"
#include "platform/text_renderer.h"

namespace {

// The stick counts as pushed past this and as back once under the lower mark.
constexpr int kStickPushed = 500, kStickBack = 250;

// The point a click on a page control lands on: the middle of its area.
Point pageControlPoint(int control) {
    const PageBox& box = control < kSlotsPerPage    ? kSlotPlaces[static_cast<size_t>(control)].box
                         : control == kSlotsPerPage ? kPreviousArrow
                         : control == kSlotsPerPage + 1 ? kNextArrow
                                                        : kExitArea;
    // The exit area reaches the picture's edge; its middle stays inside.
    return {(box.left + std::min(box.right, 639)) / 2, (box.top + std::min(box.bottom, 479)) / 2};
}

bool onPage(int32_t mode) {
    return mode == SaveScreen || mode == LoadScreen;
}

}  // namespace

AccessiblePlay::AccessiblePlay(const Scene& scene) : scene_(scene) {}

void AccessiblePlay::configure(const GameFolder& folder, const AccessSettings& settings) {
    settings_ = settings;
    // A switch player cannot ask for the focus: scanning starts with the game.
    engaged_ = settings.scan;
    labels_.load(folder, Labels::localeFromEnvironment());
    points_.clear();
}

void AccessiblePlay::say(const std::string& text) {
    if (!settings_.speech || text.empty()) return;
    if (speaker) speaker(text);
    if (!voiceTried_ && mixer_ && makeVoice_) {
        voiceTried_ = true;
        voice_ = makeVoice_(stream_);
        if (voice_) streamInput_ = mixer_->add(stream_);
    }
    if (voice_) voice_->speak(text);
}

void AccessiblePlay::attachMixer(Mixer* mixer, VoiceMaker makeVoice) {
    mixer_ = mixer;
    makeVoice_ = std::move(makeVoice);
}

void AccessiblePlay::detachMixer() {
    streamInput_.reset();
    voice_.reset();
    mixer_ = nullptr;
}

const std::vector<ClickablePoint>& AccessiblePlay::reachable() {
    static const std::vector<ClickablePoint> none;
    return scene_.view() ? points_.of(*scene_.view()) : none;
}

// The scan switch clicks through scanSwitch(); the other click keys click when pressed.
bool AccessiblePlay::clickKeyPressed(const GameState& g) const {
    for (int code : settings_.click) {
        const bool isSwitch =
            settings_.scan && std::find(settings_.scanSwitch.begin(), settings_.scanSwitch.end(),
                                        code) != settings_.scanSwitch.end();
        if (!isSwitch && pressed(g, {code})) return true;
    }
    return false;
}

bool AccessiblePlay::pressed(const GameState& g, const std::vector<int>& codes) const {
    for (int code : codes)
        if (g.input->keyState(code) == InputDevice::Pressed) return true;
    return false;
}

bool AccessiblePlay::down(const GameState& g, const std::vector<int>& codes) const {
    for (int code : codes)
        if ((g.input->keyState(code) & 2) != 0) return true;
    return false;
}

int AccessiblePlay::direction(const GameState& g) {
    int dir = 0;
    if (pressed(g, settings_.next))
        dir = down(g, {KeyCode::LeftShift, KeyCode::RightShift}) ? -1 : 1;
    else if (pressed(g, settings_.previous))
        dir = -1;
    // The stick: one step each time it is pushed to a side.
    const int x = g.input->joystickAxisX();
    const int side = x >= kStickPushed ? 1 : x <= -kStickPushed ? -1 : 0;
    if (side != 0 && side != stickSide_) dir = side;
    if (side != 0)
        stickSide_ = side;
    else if (x > -kStickBack && x < kStickBack)
        stickSide_ = 0;
    return dir;
}

bool AccessiblePlay::switchActive(const GameState& g) const {
    for (int code : settings_.scanSwitch)
        if (g.input->keyState(code) != InputDevice::Up) return true;
    return false;
}

bool AccessiblePlay::scanDue(uint64_t nowMs, bool hold) {
    if (!settings_.scan) return false;
    if (hold) {
        scanNext_ = 0;  // a full interval again once the switch is let go
        return false;
    }
    if (scanNext_ == 0) scanNext_ = nowMs + static_cast<uint64_t>(settings_.scanIntervalMs);
    if (nowMs < scanNext_) return false;
    scanNext_ = nowMs + static_cast<uint64_t>(settings_.scanIntervalMs);
    return true;
}

int AccessiblePlay::scanSwitch(const GameState& g, uint64_t nowMs) {
    if (!settings_.scan) return 0;
    for (int code : settings_.scanSwitch) {
        const uint8_t state = g.input->keyState(code);
        if (state == InputDevice::Pressed) switchLong_ = false;
        const uint64_t held = nowMs - std::min(nowMs, g.input->pressTime(code));
        if ((state & 2) && !switchLong_ && held >= static_cast<uint64_t>(settings_.longPressMs)) {
            switchLong_ = true;
            return 2;
        }
        if (state == InputDevice::Released) {
            if (switchLong_) {
                switchLong_ = false;
                continue;
            }
            return 1;
        }
    }
    return 0;
}

std::string AccessiblePlay::hotspotWords(const GameState& g, const ClickablePoint& point) const {
    const Hotspot& h = scene_.view()->hotspot(static_cast<size_t>(point.index));
    return hotspotPhrase(labels_.hotspot(scene_.view()->fileName(), h.name()), h.cursor(),
                         g.inventory.selection != -1);
}

std::string AccessiblePlay::pageWords(const GameState& g, int control) const {
    if (control < 0) return "";
    if (control < kSlotsPerPage) {
        const size_t at = static_cast<size_t>(control);
        return slotPhrase(g.savePage.slot(control), g.savePage.used[at], g.savePage.dates[at],
                          g.savePage.times[at]);
    }
    return control == kSlotsPerPage       ? "previous page"
           : control == kSlotsPerPage + 1 ? "next page"
                                          : "exit";
}

void AccessiblePlay::focusHotspot(GameState& g, const ClickablePoint* point, AccessAction& action) {
    if (!point) return;
    action.move = true;
    action.x = point->point.x;
    action.y = point->point.y;
    say(hotspotWords(g, *point));
}

std::string AccessiblePlay::focusName(const GameState& g) const {
    if (onPage(g.mode)) {
        if (pageFocus_ < 0) return "";
        if (pageFocus_ < kSlotsPerPage)
            return "slot " + std::to_string(g.savePage.slot(pageFocus_));
        return pageWords(g, pageFocus_);
    }
    if (!scene_.view() || focus_.hotspot() < 0 ||
        static_cast<size_t>(focus_.hotspot()) >= scene_.view()->hotspotCount())
        return "";
    return scene_.view()->hotspot(static_cast<size_t>(focus_.hotspot())).name();
}

void AccessiblePlay::observe(GameState& g) {
    if (g.mode != lastMode_) {
        const int32_t was = lastMode_;
        lastMode_ = g.mode;
        if (g.mode == Ending) {
            focus_.clear();
            say("the end");
        } else if (onPage(g.mode)) {
            pageFocus_ = engaged_ ? 0 : -1;
            lastPage_ = g.savePage.page;
            std::string words = std::string(g.mode == SaveScreen ? "save game" : "load game") +
                                ", page " + std::to_string(g.savePage.page + 1);
            if (pageFocus_ >= 0) words += ". " + pageWords(g, pageFocus_);
            say(words);
        } else if (g.mode == Play && onPage(was)) {
            viewChanged_ = true;  // back in the view, perhaps a loaded one
        }
    }
    if (onPage(g.mode) && g.savePage.page != lastPage_) {
        lastPage_ = g.savePage.page;
        say("page " + std::to_string(g.savePage.page + 1));
    }
    if (g.mode != Play) return;
    const std::vector<ClickablePoint>& points = reachable();
    if (viewChanged_ && scene_.view()) {
        viewChanged_ = false;
        std::string words = labels_.view(scene_.view()->fileName(), scene_.view()->name());
        if (engaged_) {
            // Where a mouse player's pointer stays put, so does this one: the pointer
            // reaches the new focus with the next key.
            if (const ClickablePoint* first = focus_.first(points))
                words += ". " + hotspotWords(g, *first);
        }
        say(words);
        scanNext_ = 0;
    } else {
        focus_.follow(points);
    }
    const int32_t held = g.inventory.held();
    if (held != lastHeld_ || g.inventory.selection != lastSelection_) {
        const bool cycled = g.inventory.selection != lastSelection_;
        lastHeld_ = held;
        lastSelection_ = g.inventory.selection;
        if (cycled) {
            std::string name;
            for (const auto& item : g.inventory.itemTable)
                if (item.second == held) name = item.first;
            say(held < 0 ? "nothing held" : labels_.item(held, name));
        }
    }
}

void AccessiblePlay::playKeys(GameState& g, AccessAction& action, uint64_t nowMs) {
    // The switch first: while it is down, and as it comes up, the scan holds still so the
    // press acts on what the player heard.
    const int switched = scanSwitch(g, nowMs);
    int dir = direction(g);
    if (dir == 0 && scanDue(nowMs, switchActive(g))) dir = 1;
    if (dir != 0) {
        engaged_ = true;
        const std::vector<ClickablePoint>& points = reachable();
        focusHotspot(g, focus_.step(points, dir), action);
    }
    const bool click = switched == 1 || clickKeyPressed(g);
    if (click) {
        engaged_ = true;
        const std::vector<ClickablePoint>& points = reachable();
        if (const ClickablePoint* point = focus_.current(points)) {
            // The pointer goes there and clicks in the same frame, as a mouse moved and
            // clicked at once.
            action.move = true;
            action.x = point->point.x;
            action.y = point->point.y;
            action.click = true;
            scanNext_ = 0;
        } else {
            focusHotspot(g, focus_.first(points), action);
        }
    }
    if (switched == 2 || pressed(g, settings_.inventory)) action.cycleInventory = true;
}

void AccessiblePlay::pageKeys(GameState& g, AccessAction& action, uint64_t nowMs) {
    const int switched = scanSwitch(g, nowMs);
    int dir = direction(g);
    if (dir == 0 && scanDue(nowMs, switchActive(g))) dir = 1;
    auto moveTo = [&](int control) {
        const Point p = pageControlPoint(control);
        action.move = true;
        action.x = p.x;
        action.y = p.y;
    };
    if (dir != 0) {
        engaged_ = true;
        pageFocus_ = stepInList(pageFocus_, kPageControls, dir);
        moveTo(pageFocus_);
        say(pageWords(g, pageFocus_));
    }
    const bool click = switched == 1 || clickKeyPressed(g);
    if (click) {
        engaged_ = true;
        if (pageFocus_ < 0) {
            pageFocus_ = 0;
            moveTo(pageFocus_);
            say(pageWords(g, pageFocus_));
        } else {
            moveTo(pageFocus_);
            action.click = true;
            scanNext_ = 0;
        }
    }
}

AccessAction AccessiblePlay::beforeFrame(GameState& g, uint64_t nowMs) {
    AccessAction action;
    observe(g);
    if (!g.input || g.console.visible) return action;
    if (pressed(g, settings_.speechToggle)) {
        if (settings_.speech) say("speech off");
        settings_.speech = !settings_.speech;
        say("speech on");
    }
    if (settings_.highlightToggles) {
        if (pressed(g, settings_.highlight)) highlight_ = !highlight_;
    } else {
        highlight_ = down(g, settings_.highlight);
    }
    if (g.mode == Play)
        playKeys(g, action, nowMs);
    else if (onPage(g.mode))
        pageKeys(g, action, nowMs);
    return action;
}

void AccessiblePlay::drawHighlight(GameState& g, Surface& back) {
    if (!highlight_ || g.mode != Play || !scene_.view() || g.console.visible) return;
    // The player's label size, in the renderer's own face (it reads everywhere).
    TextRenderer* renderer = back.screen() ? back.screen()->textRenderer() : nullptr;
    if (renderer != labelRenderer_ || labelFontSize_ != settings_.labelTextSize) {
        labelRenderer_ = renderer;
        labelFontSize_ = settings_.labelTextSize;
        labelFont_ = renderer ? renderer->openFont("", 0, labelFontSize_, 400) : nullptr;
    }
    drawClickableOutlines(back, *scene_.view(), reachable(), labels_, labelFont_.get());
}
