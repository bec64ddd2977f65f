#pragma once
// Play without a mouse: a focus that walks the hotspots a click can reach (or the save
// page's controls), keys and gamepad buttons that click where it is and cycle the
// inventory, a scan mode for one switch, and speech of what the focus is on. It acts only
// through the pointer and the click a mouse would give, so scripts cannot tell it apart,
// and it does nothing until one of its keys is used.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/access/access_settings.h"
#include "engine/access/focus.h"
#include "game/labels.h"
#include "media/mixer.h"
#include "media/speech_stream.h"
#include "platform/speech_voice.h"
#include "view/clickable_points.h"

class GameFolder;
class Mixer;
class Scene;
class Surface;
class TextFont;
class TextRenderer;
struct GameState;

// What the focus does in this frame, applied by the engine as mouse input would be.
struct AccessAction {
    bool move = false;  // the pointer goes to (x, y) before the frame, as a mouse move
    int x = 0, y = 0;
    bool click = false;           // a left click at the pointer in this frame
    bool cycleInventory = false;  // the right button's action
};

// The save page's controls in focus order: its six slots, the two arrows, EXIT.
constexpr int kPageControls = 9;

class AccessiblePlay {
public:
    // Every utterance, in order (text output; synthesis listens here too). A new one
    // interrupts the last.
    std::function<void(const std::string&)> speaker;

    // `scene` (the view it focuses in) outlives this.
    explicit AccessiblePlay(const Scene& scene);
    // The labels of the game in `folder` for the player's locale, and the settings.
    void configure(const GameFolder& folder, const AccessSettings& settings);
    const AccessSettings& settings() const { return settings_; }
    const Labels& labels() const { return labels_; }

    // Once a pass, after input is polled and before the frame; `nowMs` on the engine clock.
    AccessAction beforeFrame(GameState& g, uint64_t nowMs);
    // The view was replaced (the next frame focuses its first hotspot).
    void noteViewChange() { viewChanged_ = true; }
    // What the focus is on: a hotspot's name, a page control ("slot 7", "next page",
    // "previous page", "exit"), or empty.
    std::string focusName(const GameState& g) const;
    // The reachable hotspots of the current view (cached).
    const std::vector<ClickablePoint>& reachable();
    bool speaking() const { return settings_.speech; }
    // Speech is heard through `mixer`, in a voice `makeVoice` gives, made the first time
    // something is said (none: text only).
    using VoiceMaker = std::function<std::unique_ptr<SpeechVoice>(SpeechStream&)>;
    void attachMixer(Mixer* mixer, VoiceMaker makeVoice);
    // Takes the speech out of the mix; before the mixer goes.
    void detachMixer();
    const SpeechStream& speechStream() const { return stream_; }
    // Draws the outlines of what can be clicked when the player asks for them (Play only).
    void drawHighlight(GameState& g, Surface& back);
    void say(const std::string& text);

private:
    void playKeys(GameState& g, AccessAction& action, uint64_t nowMs);
    void pageKeys(GameState& g, AccessAction& action, uint64_t nowMs);
    void observe(GameState& g);
    bool pressed(const GameState& g, const std::vector<int>& codes) const;
    bool clickKeyPressed(const GameState& g) const;
    bool down(const GameState& g, const std::vector<int>& codes) const;
    // +1, -1 or 0 from the next and previous keys and the stick's edges.
    int direction(const GameState& g);
    // The scan switch: 1 a short press (click), 2 a long press (inventory), else 0; and
    // the scan clock's step.
    int scanSwitch(const GameState& g, uint64_t nowMs);
    bool scanDue(uint64_t nowMs, bool hold);
    // A scan switch is down or was let go in this frame.
    bool switchActive(const GameState& g) const;
    std::string hotspotWords(const GameState& g, const ClickablePoint& point) const;
    std::string pageWords(const GameState& g, int control) const;
    void focusHotspot(GameState& g, const ClickablePoint* point, AccessAction& action);

    const Scene& scene_;
    SpeechStream stream_;
    MixerInput streamInput_;  // the speech's place in the mix
    Mixer* mixer_ = nullptr;
    VoiceMaker makeVoice_;
    std::unique_ptr<SpeechVoice> voice_;
    bool voiceTried_ = false;
    AccessSettings settings_;
    Labels labels_;
    ClickablePoints points_;
    HotspotFocus focus_;
    int pageFocus_ = -1;  // 0..8 on the save page, -1 none
    bool engaged_ = false;
    bool highlight_ = false;  // the outlines are shown
    bool viewChanged_ = false;
    int32_t lastMode_ = 0;
    int lastPage_ = -1;
    int32_t lastHeld_ = -1, lastSelection_ = -1;
    int stickSide_ = 0;  // the stick's last side past the threshold: -1, 0, 1
    uint64_t scanNext_ = 0;
    bool switchLong_ = false;  // the held switch already cycled the inventory
    // The labels' font at the player's size, and the renderer it came from.
    std::shared_ptr<TextFont> labelFont_;
    TextRenderer* labelRenderer_ = nullptr;
    int labelFontSize_ = 0;
};
