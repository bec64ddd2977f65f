#include "media/sound_slots.h"

#include "platform/game_folder.h"
#include "platform/message_sink.h"

void SoundSlots::playSound(const std::string& file) {
    for (SoundSlot& slot : slots_) {
        if (slot.name != file) continue;
        ++slot.playCount;
        messages_.print("Playing loaded sound: " + slot.name + "  (" +
                            std::to_string(slot.playCount) + " times)",
                        kWhite);
        if (slot.sound) slot.sound->play();
        return;
    }
    // The least played effect goes; the lowest slot among equals.
    SoundSlot* target = &slots_[0];
    for (SoundSlot& slot : slots_)
        if (slot.playCount < target->playCount) target = &slot;
    target->playCount = 1;
    target->name = file;
    if (target->sound) target->sound->stop();
    target->sound = std::make_unique<Sound>();
    messages_.print("Playing new sound: " + file, kWhite);
    std::string error;
    // A sound that fails to load keeps its slot (and count) and plays nothing.
    if (!target->sound->load(mixer_, folder_.path(file), kVoicesPerSound, error))
        messages_.print("Could not load sound " + file + ": " + error, kRed);
    target->sound->play();
}

bool SoundSlots::reload(const std::string& file) {
    bool found = false;
    for (SoundSlot& slot : slots_) {
        if (slot.name != file || !slot.sound) continue;
        found = true;
        slot.sound->stop();
        slot.sound = std::make_unique<Sound>();
        std::string error;
        if (!slot.sound->load(mixer_, folder_.path(file), kVoicesPerSound, error))
            messages_.print("Could not load sound " + file + ": " + error, kRed);
    }
    return found;
}

std::string SoundSlots::slotLine(int i) const {
    const SoundSlot& s = slot(i);
    std::string line = "SLOT " + std::to_string(i) + ": ";
    if (!s.sound) return line + "NULL";
    return line + s.name + "  " + std::to_string(s.playCount) + "x";
}

void SoundSlots::soundList() const {
    for (int i = 0; i < kSlotCount; ++i) messages_.print(slotLine(i), kWhite);
}

std::array<int, SoundSlots::kSlotCount> SoundSlots::voicesSounding() const {
    std::array<int, kSlotCount> counts{};
    for (int i = 0; i < kSlotCount; ++i) {
        const SoundSlot& s = slots_[static_cast<size_t>(i)];
        counts[static_cast<size_t>(i)] = s.sound ? s.sound->voicesSounding() : 0;
    }
    return counts;
}

void SoundSlots::clear() {
    for (SoundSlot& slot : slots_) {
        if (slot.sound) slot.sound->stop();
        slot = SoundSlot();
    }
}
