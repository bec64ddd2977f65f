#pragma once
// The save/load page's layout and rules: six slots a page, five pages, the arrows that
// turn pages (wrapping round) and the exit area. All areas are inclusive.
#include <array>
#include <string>

constexpr int kSlotsPerPage = 6;
constexpr int kSavePages = 5;

struct PageBox {
    int left, top, right, bottom;  // inclusive
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct SlotPlace {
    PageBox box;  // the thumbnail and its hit area
    int dateX, dateY, timeX, timeY;
};

constexpr std::array<SlotPlace, kSlotsPerPage> kSlotPlaces{{
    {{30, 100, 190, 220}, 50, 225, 60, 240},
    {{240, 100, 400, 220}, 260, 225, 270, 240},
    {{450, 100, 610, 220}, 470, 225, 480, 240},
    {{30, 290, 190, 410}, 50, 415, 60, 430},
    {{240, 290, 400, 410}, 260, 415, 270, 430},
    {{450, 290, 610, 410}, 470, 415, 480, 430},
}};
constexpr PageBox kPreviousArrow{243, 457, 263, 477};
constexpr PageBox kNextArrow{378, 457, 398, 477};
constexpr PageBox kExitArea{576, 448, 640, 480};

// What the page shows: the page number (0..4, kept between openings) and, as of the
// last build, which of its six slots hold a saved game and their time stamps.
struct SavePage {
    int page = 0;                            // "savePage"
    std::array<bool, kSlotsPerPage> used{};  // "slotUsed"
    std::array<std::string, kSlotsPerPage> dates, times;

    // The slot number of position 0..5 on this page.
    int slot(int position) const { return page * kSlotsPerPage + position + 1; }
    void previous() { page = (page + kSavePages - 1) % kSavePages; }
    void next() { page = (page + 1) % kSavePages; }
    void clearSlots() {
        used.fill(false);
        dates.fill("XXXX-XX-XX");
        times.fill("XX:XX:XX");
    }
};

// What a click or the pointer at (x, y) is over, tested in the page's order: the
// previous arrow, the next arrow, the slots, the exit.
struct PageHit {
    enum Area { None, Previous, Next, Slot, Exit } area = None;
    int position = -1;  // 0..5 for Slot
};
PageHit hitTestPage(int x, int y);
