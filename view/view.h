#pragma once
// The current scene: base image, on-load script and hotspots.
#include <cstdint>
#include <string>
#include <vector>

#include "view/hotspot.h"

using Script = std::vector<std::string>;

class View {
public:
    virtual ~View() = default;

    // Reads a view file; fills the view as far as the file could be read and puts the
    // reason for stopping in errorText (empty on success).
    bool load(const std::string& fileName, std::string& errorText);

    std::string fileName() const { return fileName_; }
    std::string name() const { return name_; }
    std::string baseImage() const { return baseImage_; }
    Script onLoadScript() const { return onLoad_; }

    // Index of the last active hotspot containing (x, y), or -1.
    int hotspotAt(int32_t x, int32_t y) const;
    int32_t hotspotCursor(int index) const;      // -1 for index -1
    Script hotspotClickScript(int index) const;  // a copy
    void reevaluateConditions();
    // Switches every hotspot named `name` exactly, or every hotspot when name is null.
    void enableHotspots(const std::string* name, bool enabled);
    size_t hotspotCount() const { return hotspots_.size(); }
    Hotspot& hotspot(size_t index) { return hotspots_.at(index); }
    const Hotspot& hotspot(size_t index) const { return hotspots_.at(index); }

    // Longest script line a view file may hold (its line end not counted).
    static constexpr size_t kMaxScriptLine = 99;

private:
    std::string fileName_, name_, baseImage_;
    Script onLoad_;
    std::vector<Hotspot> hotspots_;
};
