// labels.txt and the player's settings file of any content: neither reader crashes, every
// label stays within its length, and settings read back keep their limits and round-trip.
#include <cstdint>
#include <string>

#include "engine/access/access_settings.h"
#include "game/labels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Labels labels;
    labels.parse(text);
    for (const Labels::Entry& entry : labels.entries()) {
        if (entry.text.empty() || entry.text.size() > Labels::kMaxLabelBytes) __builtin_trap();
        if (entry.text.find('\n') != std::string::npos) __builtin_trap();
        if (entry.item >= 0 && labels.item(entry.item, "x") != entry.text) __builtin_trap();
        if (entry.item < 0 && entry.hotspot.empty() && labels.view(entry.view, "x") != entry.text)
            __builtin_trap();
    }
    if (Labels::readable(std::string(text)).size() > Labels::kMaxLabelBytes) __builtin_trap();

    AccessSettings settings;
    readAccessSettings(text, settings);
    if (settings.scanIntervalMs < AccessSettings::kMinScanMs ||
        settings.scanIntervalMs > AccessSettings::kMaxScanMs ||
        settings.labelTextSize < AccessSettings::kMinTextSize ||
        settings.labelTextSize > AccessSettings::kMaxTextSize)
        __builtin_trap();
    for (const auto* keys :
         {&settings.next, &settings.previous, &settings.click, &settings.inventory,
          &settings.speechToggle, &settings.highlight, &settings.scanSwitch})
        if (keys->empty() || keys->size() > AccessSettings::kMaxKeysPerAction) __builtin_trap();
    AccessSettings again;
    if (!readAccessSettings(writeAccessSettings(settings), again).empty()) __builtin_trap();
    if (writeAccessSettings(again) != writeAccessSettings(settings)) __builtin_trap();
    return 0;
}
