#pragma once
// What the game's places, hotspots and items are called when spoken or shown: an optional
// "labels.txt" in the game folder (or "labels.LANG.txt" for the player's language), and
// otherwise the names the view files use, made readable.
//
//     # comments and blank lines are skipped
//     court.scn = the courtyard
//     court.scn door = the house door
//     item 1 = the brass horse
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class GameFolder;

class Labels {
public:
    // The largest labels file read; a longer one is not read (a problem says so).
    static constexpr size_t kMaxFileBytes = 1 << 20;
    // Longer labels are cut to this many bytes (at a character boundary).
    static constexpr size_t kMaxLabelBytes = 200;

    struct Problem {
        int line = 0;
        std::string text;
    };
    // A label as written and where.
    struct Entry {
        std::string view, hotspot;  // hotspot empty for the view's own label
        int32_t item = -1;          // >= 0 for an item's label (view empty then)
        std::string text;
        int line = 0;
    };

    // Replaces the labels with those of `text`; lines that cannot be read are skipped and
    // described in problems().
    void parse(std::string_view text);
    // Reads the labels file the locale chooses from `folder` (see fileFor); false and no
    // labels when there is none. `localeName` is the value of LC_ALL, LC_MESSAGES or LANG.
    bool load(const GameFolder& folder, const std::string& localeName);
    // The files tried for a locale name, most specific first: "de_DE.UTF-8" gives
    // labels.de_DE.txt, labels.de.txt, labels.txt. Names with characters other than
    // letters, digits and "_" are ignored.
    static std::vector<std::string> filesFor(const std::string& localeName);
    // The locale name from the environment: LC_ALL, LC_MESSAGES, LANG, the first set.
    static std::string localeFromEnvironment();

    // The label, or the fallback name made readable.
    std::string view(const std::string& viewFile, const std::string& viewName) const;
    std::string hotspot(const std::string& viewFile, const std::string& name) const;
    std::string item(int32_t number, const std::string& name) const;
    // "north_door" -> "north door": underscores and hyphens as blanks, runs of blanks as one.
    static std::string readable(const std::string& name);

    bool empty() const { return entries_.empty(); }
    const std::string& file() const { return file_; }
    const std::vector<Entry>& entries() const { return entries_; }
    const std::vector<Problem>& problems() const { return problems_; }

private:
    std::string file_;
    std::vector<Entry> entries_;
    std::map<std::string, size_t> byKey_;  // into entries_
    std::vector<Problem> problems_;
};
