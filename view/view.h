#pragma once
// The current scene: base image, on-load script and hotspots.
#include <cstdint>
#include <string>
#include <vector>

#include "view/hotspot.h"

class GameFolder;

using Script = std::vector<std::string>;

// Where the reader found each part of a view file, lines counted from 1, for tools that
// point authors at a line. Filled as far as the file was read.
// A view's picture, and the screen it fills.
constexpr int kViewWidth = 640, kViewHeight = 480;

struct ViewReadTrace {
    int stopLine = 0;  // where reading failed (the last line at the end of the file)
    int nameLine = 0, baseImageLine = 0;
    std::vector<int> onLoadLines;  // one per on-load script line
    struct Hotspot {
        int startLine = 0, cursorLine = 0, coordLine = 0, conditionLine = 0;
        std::string cursorWord, coordWord;  // as written
        std::vector<int> clickLines;        // one per click script line
    };
    std::vector<Hotspot> hotspots;  // one per hotspot of the view
};

class View {
public:
    // Conditions read `variables` and report on `output`; both outlive the view.
    View(Variables& variables, MessageSink& output) : variables_(variables), output_(output) {}
    virtual ~View() = default;

    // Reads the view file the game calls `fileName` from `folder`; fills the view as far
    // as the file could be read and puts the reason for stopping in errorText (empty on
    // success). With a trace, also where each part stood in the file.
    bool load(const std::string& fileName, const GameFolder& folder, std::string& errorText,
              ViewReadTrace* trace = nullptr);

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
    Hotspot& hotspot(size_t index) {
        extentsStale_ = true;  // the caller might change the polygon
        return hotspots_.at(index);
    }
    const Hotspot& hotspot(size_t index) const { return hotspots_.at(index); }

    // Longest script line a view file may hold (its line end not counted).
    static constexpr size_t kMaxScriptLine = 99;

private:
    Variables& variables_;
    MessageSink& output_;
    std::string fileName_, name_, baseImage_;
    Script onLoad_;
    std::vector<Hotspot> hotspots_;

    // Hotspot extents side by side, so the per-frame search skips most polygons after
    // four comparisons without touching the hotspots themselves.
    struct Extent {
        int32_t minX, maxX, minY, maxY;
    };
    void refreshExtents() const;
    int hotspotAtIn(const uint32_t* first, const uint32_t* last, int32_t x, int32_t y) const;
    mutable std::vector<Extent> extents_;
    // A coarse grid over the picture: for each cell, the hotspots whose extent reaches
    // into it, in list order (cell c holds cellItems_[cellStart_[c] .. cellStart_[c+1])).
    static constexpr int kGridColumns = 8, kGridRows = 8, kCellWidth = 80, kCellHeight = 60;
    mutable std::vector<uint32_t> cellStart_, cellItems_, allItems_, cellFill_;
    mutable bool extentsStale_ = true;
};
