#pragma once
// The five loaded sound effects. An effect asked for again replays from its slot; a new
// one replaces the least played effect (the lowest slot among equals), so effects played
// often stay loaded.
#include <array>
#include <string>

#include "media/sound_slot.h"

class GameFolder;
class MessageSink;
class Mixer;

class SoundSlots {
public:
    static constexpr int kSlotCount = 5;
    static constexpr int kVoicesPerSound = 5;

    // `mixer` may be null (no sound at all); all must outlive the store. Files are read
    // from `folder`.
    SoundSlots(Mixer* mixer, const GameFolder& folder, MessageSink& messages)
        : mixer_(mixer), folder_(folder), messages_(messages) {}
    SoundSlots(const SoundSlots&) = delete;
    SoundSlots& operator=(const SoundSlots&) = delete;
    ~SoundSlots() { clear(); }

    // The "playsound" command once it has checked that the file exists: replays a loaded
    // effect or loads it into the least used slot, saying which in white (and why a load
    // failed, in red).
    void playSound(const std::string& file);
    // The five "soundlist" lines, printed in white.
    void soundList() const;
    // "SLOT 3: NULL" or "SLOT 3: door.wav  2x".
    std::string slotLine(int slot) const;
    const SoundSlot& slot(int i) const { return slots_[static_cast<size_t>(i)]; }
    // Per slot, how many of its voices sound now.
    std::array<int, kSlotCount> voicesSounding() const;
    // Reads the file of every slot holding it again (its voices stop; name and count
    // stay). False when no slot holds it.
    bool reload(const std::string& file);
    // Stops and destroys every sound; the slots are empty afterwards.
    void clear();

private:
    Mixer* mixer_;
    const GameFolder& folder_;
    MessageSink& messages_;
    std::array<SoundSlot, kSlotCount> slots_;
};
