#pragma once
// The state file of a saved game ("slot%d.sav"): text lines of blank-separated words.
//   1  time stamp "YYYY-MM-DD hh:mm:ss" (local time)
//   2  the current view's file name, as given to "load"
//   3  the music name ("NONE": none) and 1 when it plays, else 0
//   .. one "name 0|1" line per hotspot of the view (enabled flag), in list order
//   .. the number of variables, then one "name value" line each, in byte order of names
//   .. the number of inventory entries, then one item number a line, in list order
// The reader checks the whole text before anything uses it, so a damaged file is
// refused rather than half applied.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct SavedGame {
    std::string date = "XXXX-XX-XX", time = "XX:XX:XX";
    std::string view;
    std::string music = "NONE";
    bool musicPlaying = false;
    std::vector<std::pair<std::string, bool>> hotspots;
    std::vector<std::pair<std::string, int32_t>> variables;
    std::vector<int32_t> inventory;
};

// Largest state file read; real ones are a few kilobytes.
constexpr size_t kMaxSaveFileBytes = 16u << 20;
// Largest thumbnail read: a 160x120 JPEG takes a few tens of kilobytes.
constexpr size_t kMaxThumbnailBytes = 256u << 10;

// "%.4d-%.2d-%.2d" and "%.2d:%.2d:%.2d" of a local time.
void saveTimeStamp(const std::tm& local, std::string& date, std::string& time);
// True when every name of the game can be written so that readSaveText reads it back:
// not empty, no blanks or control characters. Otherwise `why` names the first that
// cannot ("the variable name \"a\\tb\" cannot be saved").
bool canSave(const SavedGame& game, std::string& why);
// The file's text, lines ended by "\n".
std::string writeSaveText(const SavedGame& game);
// Reads the whole text (lines ended by LF or CR LF; blank lines ignored). False, with
// the reason in `why`, when anything is missing, malformed or out of range.
bool readSaveText(std::string_view text, SavedGame& out, std::string& why);
// The first two words of the first line (the page shows them); false when there are
// fewer (the placeholders stay where a word is missing).
bool readSaveStamp(std::string_view text, std::string& date, std::string& time);

// "slot%d.sav" and "slot%d.jpg".
std::string slotStateFile(int slot);
std::string slotPictureFile(int slot);
